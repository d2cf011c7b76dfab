#include "ModSesion.h"

#include "suite/Plataforma.h"

QString FormatoFecha()
{
    const QDate hoy = Plataforma::Ahora().date();
    const QString s(Plataforma::Configuracion().separadorFecha);
    return hoy.toString(QStringLiteral("dd")) + s + hoy.toString(QStringLiteral("MM")) + s
        + hoy.toString(QStringLiteral("yy"));
}

QString FormatoHora()
{
    return Plataforma::Ahora().time().toString(QStringLiteral("HH")) + Plataforma::Configuracion().separadorHora
        + Plataforma::Ahora().time().toString(QStringLiteral("mm"));
}

QString FormatoFechaHora()
{
    return FormatoFecha() + u' ' + FormatoHora();
}

#include "ModScript.h"
#include "ModSentencias.h"
#include "Sesion.h"
#include "config/ModConfiguracion.h"
#include "data/DB_Dll.h"
#include "suite/DialogoOperador.h"
#include "suite/LibreriaSuite.h"
#include "suite/Pasos.h"

namespace {

constexpr auto CI = Qt::CaseInsensitive;

// The suite's programs whose permissions are kept under another program's
// name, those that are not looked up in the menu, and the launcher, which
// keeps no access row at all.
struct NombreProceso
{
    const char *alias;
    const char *destino;
};
constexpr NombreProceso kAlias[] = {
    {"FacturacionA", "Facturacion"}, {"FacturacionB", "Facturacion"}, {"FacturacionMostrador", "Facturacion"},
    {"PedidosWeb", "Pedidos"},       {"PedidosMostrador", "Pedidos"}, {"RemitosCompras", "Remitos"},
    {"ListaPreciosMayorista", "ListaPrecios"}, {"CajaDiaria", "Caja"}, {"Cobranza", "Cobranzas"},
    {"StockDepositos", "Stock"},     {"ComprasImportacion", "Compras"}, {"AsientosManuales", "Contabilidad"},
};
constexpr const char *kSinPermisos[] = {"Actualizador", "Respaldo",      "Sincronizador", "Monitor",
                                        "Etiquetas",    "Reportes",      "Calculadora",   "Agenda",
                                        "Mensajeria",   "Notificaciones", "Importador"};
constexpr const char *kSinRegistro = "Lanzador";

bool igual(const QString &a, const char *b)
{
    return a.compare(QLatin1String(b), CI) == 0;
}

QString ejecutable()
{
    return ContextoAplicacion::Compartido().NombreEjecutable();
}

// A text literal of the audit row; its own apostrophes are doubled, so an
// apostrophe in a user name or an action is written as it is.
QString literal(const QString &texto)
{
    return u'\'' + QString(texto).replace(u'\'', QStringLiteral("''")) + u'\'';
}

} // namespace

void RegistrarIngreso(QString Proceso)
{
    DB_Dll &db = DB_Dll::Compartido();
    const Cadenas &cadenas = Cadenas::Compartida();
    QString tarea;
    bool buscarPermisos = true;
    Pasos::Ejecutar(
        {
            [&] {
                if (Proceso.isEmpty())
                    Proceso = ejecutable();
                if (gUsuarioLogeado.isEmpty())
                    gUsuarioLogeado = db.gUsuario;
            },
            [&] {
                for (const NombreProceso &n : kAlias)
                    if (igual(Proceso, n.alias)) {
                        Proceso = QLatin1String(n.destino);
                        return;
                    }
                for (const char *n : kSinPermisos)
                    if (igual(Proceso, n)) {
                        buscarPermisos = false;
                        return;
                    }
                if (igual(Proceso, kSinRegistro))
                    Pasos::Terminar();
            },
            [&] {
                if (!buscarPermisos)
                    return;
                QString sentencia = QStringLiteral("SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre ")
                    + QStringLiteral(" FROM TA_TAREAS  with(nolock) INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave ")
                    + QStringLiteral(" WHERE (TA_TAREAS.USUARIO = ") + literal(gUsuarioLogeado + u' ')
                    + QStringLiteral(") AND (TA_MENU.Proceso LIKE ") + literal(u'%' + Proceso + u'%') + u')';
                db::Recordset rs;
                db.AbrirRecordset(sentencia, rs, nullptr, db::adOpenForwardOnly, db::adLockReadOnly, -1, true);
                if (rs.State() == db::adStateOpen && !rs.Eof())
                    tarea = cadenas.ValorCampo(rs.Fields(QStringLiteral("Nombre")).Value()).toString();
                else if (igual(ejecutable(), "MX200PS"))
                    tarea = QStringLiteral("Menu Principal");
                else if (db.gUsuario.compare(db.gDBName, CI) == 0 || igual(db.gUsuario, "SUPERVISOR KORVAN MC"))
                    tarea = ejecutable();
                db.CierraRecordset(rs);
            },
            [&] {
                if (igual(ejecutable(), "MX200PS"))
                    Pasos::Terminar();
            },
            [&] {
                auto agregar = [](const char *campo, QString valor, bool nueva) {
                    AgregarCampoValor(QLatin1String(campo), valor, QStringLiteral("'"), nueva);
                };
                agregar("Maquina", Equipo::Compartido().NombreEquipo().trimmed().toUpper(), true);
                agregar("Usuario", gUsuarioLogeado.trimmed().toUpper(), false);
                agregar("Formulario", Proceso.trimmed().toUpper(), false);
                agregar("Tarea", tarea.trimmed().toUpper(), false);
                agregar("Ingreso", FormatoFecha() + u' ' + FormatoHora(), false);
                agregar("NombreUsuario", gUsuarioLogeado, false);
            },
            [&] {
                QStringList sentencias{QString()};
                QString condicion;
                ArmarSentencia(gCamposValores, sentencias, QStringLiteral("Control_Acceso"), false, condicion, false);
                bool error = false;
                qint32 nativo = 0;
                QString script, mensaje;
                GActualizarDatoScript(sentencias, error, nativo, false, false, script, mensaje, true);
                if (error)
                    Pasos::Terminar();
            },
            [&] {
                // The id of the row this connection just inserted, whoever else
                // is writing access rows at the same time.
                db::Recordset rs;
                QString sentencia = QStringLiteral("SELECT @@IDENTITY AS id");
                db.AbrirRecordset(sentencia, rs);
                if (rs.State() == db::adStateOpen && !rs.Eof())
                    gIdControlAcceso = rs.Fields(0).Value().toInt();
                db.CierraRecordset(rs);
            },
        },
        Pasos::Omitir);
}

void RegistrarEgreso()
{
    try {
        QString sentencia = QStringLiteral("UPDATE CONTROL_ACCESO ") + QStringLiteral(" SET EGRESO = '") + FormatoFecha()
            + u' ' + FormatoHora() + u'\'' + QStringLiteral(" WHERE EGRESO IS NULL AND ") + QStringLiteral(" ID = ")
            + QString::number(gIdControlAcceso);
        qint32 afectadas = 0;
        DB_Dll::Compartido().EjecutaConsultaSQL(sentencia, afectadas);
    } catch (const ErrorEjecucion &e) {
        Operador().MsgBox(e.Description, DialogoOperador::vbOKOnly, {});
    }
}

void RegistrarAccion(const QString &TipoComprobante, const QString &IdComprobante, QString IdComplemento, bool EsAlta,
                     bool EsModificacion, const QString &Accion, const QString &Cuenta, bool EsError)
{
    const Cadenas &cadenas = Cadenas::Compartida();
    QList<ParCampoValor> pares;
    Pasos::Ejecutar(
        {
            [&] {
                if (IdComplemento.isEmpty())
                    IdComplemento = QStringLiteral("0");
            },
            [&] {
                const QDateTime servidor = FechaServidor();
                const Regional &regional = Plataforma::Configuracion();
                const QString tipo = EsError ? QStringLiteral("'ER'")
                    : EsAlta                 ? QStringLiteral("'A'")
                    : EsModificacion         ? QStringLiteral("'M'")
                                             : QStringLiteral("'B'");
                pares = {
                    {QStringLiteral("TC"), literal(cadenas.Formatear(TipoComprobante.trimmed(), 4))},
                    {QStringLiteral("IdComprobante"), literal(IdComprobante)},
                    {QStringLiteral("IdComplemento"), IdComplemento},
                    {QStringLiteral("Tipo_accion"), tipo},
                    {QStringLiteral("FECHAHORA"),
                     literal(regional.FechaCorta(servidor.date()) + u' ' + regional.HoraLarga(servidor.time()))},
                    {QStringLiteral("Usuario"), literal(gUsuarioLogeado)},
                    {QStringLiteral("PC"), literal(Equipo::Compartido().NombreEquipo())},
                    {QStringLiteral("SYSTEMUSER"), literal(cadenas.Rellenar(Accion, 255).trimmed())},
                    {QStringLiteral("Proceso"),
                     literal(cadenas.Rellenar(ejecutable().trimmed() + u' ' + gParametroAdicional, 255))},
                    {QStringLiteral("ProcesoLote"), QStringLiteral("''")},
                    {QStringLiteral("Cuenta"), literal(cadenas.Rellenar(Cuenta.trimmed(), 15).trimmed())},
                };
            },
            [&] {
                QString sentencia = QStringLiteral(" INSERT INTO V_MV_CPTEACCIONES ");
                ArmarValores(sentencia, pares, true);
                qint32 afectadas = 0;
                DB_Dll::Compartido().EjecutaConsultaSQL(sentencia, afectadas);
            },
        },
        Pasos::Omitir);
}
