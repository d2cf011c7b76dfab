#include "ModGlobal.h"

#include "data/RegistroErrores.h"

int ManejarError(const ErrorEjecucion &CodErr, int Botones, const QString &Rutina)
{
    const QString ruta = RegistroErrores::CarpetaLogAplicacion() + QStringLiteral("KVERR.LOG");
    return RegistroErrores::Tratar(CodErr, Botones, Rutina,
                                   {ruta, QStringLiteral(" Aviso al operador!!! - 2 "), true});
}
