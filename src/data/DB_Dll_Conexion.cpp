// Opening the data-access class's connection: the SQL Server, Oracle and
// local-file forms, the access window when data are missing, and reopening.

#include "DB_Dll.h"

#include "VentanasDatos.h"
#include "app/Sesion.h"
#include "suite/DialogoOperador.h"

namespace {

constexpr auto CI = Qt::CaseInsensitive;
const QString kCrLf = QStringLiteral("\r\n");
const QString kProveedorOracle = QStringLiteral("OraOLEDB.Oracle.1");

double numeroDe(const QVariant &v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    if (v.typeId() == QMetaType::QString)
        return Cadenas::Compartida().ValorNumerico(v.toString());
    return v.toDouble();
}

} // namespace

QString DB_Dll::ArmarCadenaServidor() const
{
    if (gServidor.contains(u'#'))
        return QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + gDBName + QStringLiteral(";User Id=")
            + gUsuario + QStringLiteral(";Password=") + gUserPassWord + u';';
    QString cadena = QStringLiteral("PROVIDER=") + pSQLOLEDB() + QStringLiteral(";Server=") + gServidor
        + QStringLiteral(";Database =") + gDBName + QStringLiteral(";UId=") + gUsuario + QStringLiteral(";Pwd=")
        + gUserPassWord + u';';
    // The time-out test comes before gExtended, so a time-out inside it does
    // not take the place of the default clause.
    if (!cadena.contains(QStringLiteral("Connect Timeout="), CI))
        cadena += QStringLiteral("Connect Timeout=5;");
    return cadena + gExtended;
}

bool DB_Dll::PedirDatosConexion()
{
    DatosAcceso datos{gDBName, gServidor, gUsuarioLogeado, gPassword, 0};
    VentanaAccesoDatos *ventana = VentanasDatos::Acceso();
    if (!ventana || !ventana->Pedir(datos)) {
        gOpenFlag = false;
        return false;
    }
    gOpenFlag = true;
    gDBName = datos.TxtDbName;
    gServidor = datos.TxtServidor;
    gUsuario = datos.TxtUserId;
    gUserPassWord = datos.TxtUserPassword;
    if (datos.CboPlataformaDB > 0) {
        gProveedor = kProveedorOracle;
        if (!gServidor.contains(u'#'))
            gServidor = u'#' + gServidor;
    } else {
        gProveedor = pSQLOLEDB();
    }
    return true;
}

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, qint32 lCursor, const QString &ConnString, bool ValidaAdmin,
                             bool MuestraError)
{
    gOpenFlag = true;
    bool cerradoUnaVez = false;
    if (gProveedor.isEmpty())
        gProveedor = QStringLiteral("SQLOLEDB");
    gConnString = ConnString.trimmed().isEmpty() ? ArmarCadenaServidor() : ConnString;
    if (PideParametrosSQL) {
        if (!PedirDatosConexion())
            return;
        gConnString = ArmarCadenaServidor();
    }

    enum { Abrir, Administrador, Listo } paso = Abrir;
    while (paso != Listo) {
        try {
            if (paso == Abrir) {
                gCnn().SetConnectionTimeout(3);
                gCnn().SetCursorLocation(lCursor);
                gCnn().Open(gConnString, {}, {}, -1);
                paso = Administrador;
            }
            if (paso == Administrador) {
                if (!ValidaAdmin) {
                    gEsAdmin = true;
                } else if (!gDBName.trimmed().isEmpty()) {
                    gCnn().SetDefaultDatabase(gDBName);
                    if (Compartido().ExisteTablaDB(QStringLiteral("TA_USUARIOS"))) {
                        gEsAdmin = !MuestraError
                            || numeroDe(DatosTabla(QStringLiteral("ta_usuarios"), gUsuarioLogeado,
                                                   QStringLiteral("Administrador"), QStringLiteral("nombre"), 8, {},
                                                   true, false))
                                == 1;
                    }
                }
                paso = Listo;
            }
        } catch (const ErrorEjecucion &e) {
            const bool yaAbierta = e.Number == Errores::ObjetoAbierto && !cerradoUnaVez;
            const db::Errors &errores = gCnn().Errors();
            if (MuestraError && errores.Count() > 0) {
                const db::Error &primero = errores.Item(0);
                const DB_Dll &compartido = Compartido();
                const QString texto = QStringLiteral(" Estado de Sql: ") + primero.SQLState + u'\r'
                    + QStringLiteral("Numero de Error: ") + QString::number(primero.Number) + u'\r'
                    + QStringLiteral("Descripcion: ") + primero.Description + u'\r'
                    + QStringLiteral("Codigo Nativo: ") + QString::number(primero.NativeError) + u'\r' + kCrLf
                    + QStringLiteral("Nombre de Proceso: ") + ContextoAplicacion::Compartido().NombreEjecutable()
                    + u'\r' + kCrLf + kCrLf + QStringLiteral("1. Verifique el Usuario, contraseña y base de datos")
                    + kCrLf
                    + QStringLiteral("2. Verifique el nombre del servidor, quizas necesite agregarle el nombre de la "
                                     "instancia, por ejemplo : ")
                    + compartido.gServidor + QStringLiteral("\\VELDRANO") + kCrLf
                    + QStringLiteral("3. Verifique si el inicio de sesion para el usuario ") + compartido.gUsuario
                    + QStringLiteral(" existe") + kCrLf + kCrLf + kCrLf
                    + QStringLiteral(" - Desea Intentarlo Nuevamente??? ");
                const int respuesta = Operador().MsgBox(texto, DialogoOperador::vbYesNo | DialogoOperador::vbCritical,
                                                        QStringLiteral(" Error de Conexion a Base de Datos"));
                if (respuesta != DialogoOperador::vbYes) {
                    gOpenFlag = false;
                    return;
                }
                gCnn().Errors().Clear();
                if (!PedirDatosConexion())
                    return;
                gConnString = ArmarCadenaServidor();
                continue;
            }
            if (yaAbierta) {
                cerradoUnaVez = true;
                try {
                    gCnn().Close();
                } catch (const ErrorEjecucion &) {
                }
                continue;
            }
            if (!MuestraError) {
                gOpenFlag = false;
                return;
            }
            Operador().MsgBox(e.Description, DialogoOperador::vbOKOnly, {});
            return;
        }
    }
}

void DB_Dll::OpenLocalADODB(const QString &ConnString, const QString &CadenaID, const QString &CadenaPWD)
{
    QString clausulaPassword;
    for (;;) {
        try {
            if (gDBName.trimmed().isEmpty()) {
                CmdDlg().DialogTitle = QStringLiteral("Buscar Base de Datos");
                CmdDlg().Filter = QStringLiteral("Base de Datos de Microsoft Access |*.MDB");
                if (!CmdDlg().ShowOpen())
                    return;
                gDBName = CmdDlg().FileName;
            }
            QString cadena = !ConnString.isEmpty()
                ? ConnString
                : QStringLiteral("PROVIDER=") + gProveedor + QStringLiteral(";Data Source =") + gDBName + u';'
                    + CadenaID + u'=' + gUsuario + u';' + CadenaPWD + u'=' + gUserPassWord + u';' + gExtended;
            cadena += clausulaPassword;
            gCnn().Open(cadena, {}, {}, -1);
            gConnString = cadena;
            return;
        } catch (const ErrorEjecucion &e) {
            const db::Errors &errores = gCnn().Errors();
            const QString estado = errores.Count() > 0 ? errores.Item(0).SQLState : QString();
            if (errores.Count() > 0 && (estado == u"3024" || estado == u"3051" || estado == u"3044")) {
                CmdDlg().DialogTitle = QStringLiteral("Buscar Base de Datos");
                CmdDlg().Filter = QStringLiteral("Base de Datos de Microsoft Access |*.MDB");
                if (!CmdDlg().ShowOpen())
                    return;
                gDBName = CmdDlg().FileName;
                continue;
            }
            if (errores.Count() > 0 && estado == u"3031") {
                if (gIgnoraPassWord.toBool()) {
                    clausulaPassword = QStringLiteral("Jet OLEDB:Database Password=") + gUserPassWord + u';';
                } else {
                    const QString tecleado = Operador().InputBox(QStringLiteral("ingrese el password:"),
                                                                 QStringLiteral("Password Access"));
                    clausulaPassword = QStringLiteral(" Jet OLEDB:Database Password=") + tecleado + u';';
                }
                continue;
            }
            Operador().MsgBox(QString::number(e.Number) + QStringLiteral("  ") + e.Description,
                              DialogoOperador::vbCritical, {});
            return;
        }
    }
}

bool DB_Dll::ReintentaConectar()
{
    gOpenFlag = false;
    QString cadena = gConnString;
    try {
        if (gCnn().State() != db::adStateClosed)
            gCnn().Close();
    } catch (const ErrorEjecucion &) {
    }
    try {
        if (cadena.isEmpty())
            cadena = gCnn().ConnectionString();
        if (cadena.isEmpty())
            return false;
        if (!cadena.contains(QStringLiteral("Connect Timeout="), CI))
            cadena += QStringLiteral(";Connect Timeout=5");
        gCnn().SetConnectionTimeout(5);
        gCnn().SetCommandTimeout(10);
        gCnn().Open(cadena, {}, {}, -1);
        gOpenFlag = gCnn().State() == db::adStateOpen;
    } catch (const ErrorEjecucion &) {
        gOpenFlag = false;
    }
    return gOpenFlag;
}
