#pragma once

#include "suite/ErrorEjecucion.h"

#include <QString>

// The error treatment shared by the data-access class and the application
// module: the operator is told in a message box, answers, and one line is
// appended to KVERR.LOG. The two callers differ in where the log lies, the
// marker in the title and when the file is opened.
namespace RegistroErrores {

inline constexpr int kEstiloPorDefecto = 18; // abort/retry/ignore, critical icon

struct Variante
{
    QString rutaLog;      // full path of the log file
    QString marcaTitulo;  // " Aviso al operador!!! - 5 " or " Aviso al operador!!! - 2 "
    bool abrirAlComienzo; // open the log before the dialog (and close it unused for error 0)
};

// Shows the error and logs it. Returns the answer code, or 0 (nothing shown, no
// line) when the error number is 0. A log that cannot be written loses the line
// and nothing else.
int Tratar(const ErrorEjecucion &error, int botones, const QString &rutina, const Variante &variante);

// "Ha ocurrido el Siguiente Error (n) description"
QString TextoMensaje(const ErrorEjecucion &error);
// The answer as the log writes it; empty for OK.
QString TextoRespuesta(int respuesta);
// One log line without its CR LF.
QString LineaLog(const QString &rutina, const ErrorEjecucion &error, int respuesta);

// The folder of the application module's log: TMP (read only when TEMP is set),
// otherwise the machine's system folder; with a trailing separator.
QString CarpetaLogAplicacion();

}
