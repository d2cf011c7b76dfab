#include "RegistroErrores.h"

#include "suite/DialogoOperador.h"
#include "suite/LibreriaSuite.h"
#include "suite/Plataforma.h"
#include "suite/Windows1252.h"

#include <QFile>
#include <optional>

namespace RegistroErrores {

QString TextoMensaje(const ErrorEjecucion &error)
{
    return QStringLiteral("Ha ocurrido el Siguiente Error (") + QString::number(error.Number) + QStringLiteral(") ")
        + error.Description.trimmed();
}

QString TextoRespuesta(int respuesta)
{
    switch (respuesta) {
    case DialogoOperador::vbRetry: return QStringLiteral("Reintentar");
    case DialogoOperador::vbIgnore: return QStringLiteral("Ignorar");
    case DialogoOperador::vbAbort: return QStringLiteral("Abortar");
    case DialogoOperador::vbCancel: return QStringLiteral("Cancelar");
    case DialogoOperador::vbYes: return QStringLiteral("Sí");
    case DialogoOperador::vbNo: return QStringLiteral("No");
    default: return {};
    }
}

static QString textoRutina(const QString &rutina)
{
    return rutina.isEmpty() ? QString() : QStringLiteral(" - ") + rutina;
}

QString LineaLog(const QString &rutina, const ErrorEjecucion &error, int respuesta)
{
    // The log's date is the platform's fixed text, month-day-year, whatever the
    // regional settings: other programs of the suite read these lines.
    const QDateTime ahora = Plataforma::Ahora();
    QString rutinaTrim = textoRutina(rutina).trimmed();
    return ahora.toString(QStringLiteral("MM-dd-yyyy")) + u' ' + ahora.toString(QStringLiteral("HH:mm:ss"))
        + QStringLiteral(" Rutina: ") + rutinaTrim + QStringLiteral(" Mensaje ") + TextoMensaje(error)
        + QStringLiteral(" Respondió : ") + TextoRespuesta(respuesta);
}

QString CarpetaLogAplicacion()
{
    QString carpeta;
    if (!qEnvironmentVariable("TEMP").isEmpty())
        carpeta = qEnvironmentVariable("TMP");
    carpeta = carpeta.trimmed();
    if (carpeta.isEmpty())
        carpeta = Equipo::Compartido().CarpetaSistema();
    return Cadenas::Compartida().CarpetaConBarra(carpeta);
}

int Tratar(const ErrorEjecucion &error, int botones, const QString &rutina, const Variante &variante)
{
    std::optional<QFile> log;
    auto abrir = [&] {
        log.emplace(variante.rutaLog);
        if (!log->open(QIODevice::WriteOnly | QIODevice::Append))
            log.reset();
    };
    if (variante.abrirAlComienzo)
        abrir();

    const QString titulo = error.Source + textoRutina(rutina) + variante.marcaTitulo;
    if (error.Number == 0)
        return 0;

    const int respuesta = Operador().MsgBox(TextoMensaje(error), botones, titulo);

    if (!variante.abrirAlComienzo)
        abrir();
    if (log) {
        // One write for the whole line, so another program appending to the
        // same log never splits it.
        log->write(Windows1252::Codificar(LineaLog(rutina, error, respuesta)) + "\r\n");
        log->close();
    }
    return respuesta;
}

} // namespace RegistroErrores
