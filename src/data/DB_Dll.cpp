#include "DB_Dll.h"

#include "RegistroErrores.h"
#include "suite/LibreriaSuite.h"

DB_Dll &DB_Dll::Compartido()
{
    static DB_Dll instancia;
    return instancia;
}

int DB_Dll::TratamientoErrores(const ErrorEjecucion &CodErr, int Botones, const QString &Rutina)
{
    const QString ruta = gLogErr.isEmpty()
        ? ContextoAplicacion::Compartido().CarpetaAplicacion() + QStringLiteral("KVERR.LOG")
        : gLogErr;
    return RegistroErrores::Tratar(CodErr, Botones, Rutina,
                                   {ruta, QStringLiteral(" Aviso al operador!!! - 5 "), false});
}
