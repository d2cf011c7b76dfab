#include "DB_Dll.h"

#include "RegistroErrores.h"

DB_Dll::DB_Dll() = default;
DB_Dll::~DB_Dll() = default;
DB_Dll::DB_Dll(DB_Dll &&) noexcept = default;
DB_Dll &DB_Dll::operator=(DB_Dll &&) noexcept = default;

DB_Dll &DB_Dll::Compartido()
{
    static DB_Dll instancia;
    return instancia;
}

DB_Dll &DB_Dll::Estadisticas()
{
    static DB_Dll instancia;
    return instancia;
}

db::Connection &DB_Dll::gCnn()
{
    if (!m_cnn)
        m_cnn = std::make_unique<db::Connection>();
    return *m_cnn;
}

DialogoArchivo &DB_Dll::CmdDlg()
{
    if (!m_cmdDlg)
        m_cmdDlg = std::make_unique<DialogoArchivo>();
    return *m_cmdDlg;
}

int DB_Dll::TratamientoErrores(const ErrorEjecucion &CodErr, int Botones, const QString &Rutina)
{
    const QString ruta = gLogErr.isEmpty()
        ? ContextoAplicacion::Compartido().CarpetaAplicacion() + QStringLiteral("KVERR.LOG")
        : gLogErr;
    return RegistroErrores::Tratar(CodErr, Botones, Rutina,
                                   {ruta, QStringLiteral(" Aviso al operador!!! - 5 "), false});
}
