#include "ModConfiguracion.h"

#include "app/ModGlobal.h"
#include "app/Sesion.h"
#include "suite/DialogoOperador.h"
#include "suite/Pasos.h"
#include "suite/Plataforma.h"

#include <cmath>

namespace {

constexpr auto CI = Qt::CaseInsensitive;

bool esGrupoDatos(const QString &grupo)
{
    return grupo.compare(kGrupoDatos, CI) == 0;
}

// The date keys are bracketed column-like names that other programs of the
// suite store in upper case; their statements are sent in upper case whole.
QString segunClave(const QString &clave, const QString &sentencia)
{
    const QString k = clave.trimmed();
    if (k.compare(QStringLiteral("[FECHA HASTA]"), CI) == 0 || k.compare(QStringLiteral("[FECHA DESDE]"), CI) == 0)
        return sentencia.toUpper();
    return sentencia;
}

QString lecturaDeValor(const QString &tabla, const QString &clave)
{
    return QStringLiteral("SELECT VALOR, valoraux FROM ") + tabla + QStringLiteral(" with(nolock)  WHERE CLAVE = '")
        + clave.trimmed();
}

QString texto(const QVariant &valor)
{
    return Cadenas::Compartida().ValorCampo(valor).toString();
}

QString reglaTema(const QString &clave, const QString &resultado)
{
    if (clave.compare(QStringLiteral("THEME"), CI) == 0 && resultado.trimmed().isEmpty())
        return QStringLiteral("1");
    return resultado;
}

// A reader of the configuration table: the statement opened forward-only and
// read-only on `db`, the value column and valoraux taken from the first row.
// `tratar` decides what a failing step does.
struct Lectura
{
    QString resultado;
    QString valorAux;
};

Lectura leer(DB_Dll &db, QString sentencia, const QString &columna, const Pasos::Tratamiento &tratar)
{
    Lectura lectura;
    db::Recordset rs;
    const bool completa = Pasos::Ejecutar(
        {
            [&] { db.AbrirRecordset(sentencia, rs, nullptr, db::adOpenForwardOnly, db::adLockReadOnly, -1, true); },
            [&] {
                if (rs.State() != db::adStateOpen || rs.Eof()) {
                    lectura.resultado = QStringLiteral(" ");
                    lectura.valorAux.clear();
                } else {
                    lectura.resultado = texto(rs.Fields(columna).Value());
                    lectura.valorAux = texto(rs.Fields(QStringLiteral("valoraux")).Value());
                }
            },
            [&] { db.CierraRecordset(rs); },
        },
        tratar);
    if (!completa) {
        db.CierraRecordset(rs);
        return {};
    }
    return lectura;
}

Pasos::Tratamiento conManejarError(const QString &rutina, bool permiteRepetir)
{
    return [rutina, permiteRepetir](const ErrorEjecucion &e) {
        const int respuesta = ManejarError(e, 18, rutina);
        if (respuesta == DialogoOperador::vbIgnore)
            return Pasos::Accion::Siguiente;
        if (permiteRepetir && respuesta == DialogoOperador::vbRetry)
            return Pasos::Accion::Repetir;
        return Pasos::Accion::Salir;
    };
}

void grabar(DB_Dll &db, QString sentencia, const QString &Clave, const QVariant &Valor, const QString &ValorAux,
            bool PoliticaNegocio, const QString &Grupo, bool Recortar, bool recortarAux)
{
    db::Recordset rs;
    Pasos::Ejecutar(
        {
            [&] { db.AbrirRecordset(sentencia, rs, nullptr, db::adOpenDynamic, db::adLockOptimistic, -1, true); },
            [&] {
                if (rs.Eof())
                    rs.AddNew();
                else
                    rs.MoveFirst();
            },
            [&] { rs.Fields(QStringLiteral("Grupo")).SetValue(Grupo); },
            [&] { rs.Fields(QStringLiteral("Clave")).SetValue(Clave.trimmed().toUpper()); },
            [&] {
                const QString v = Valor.toString();
                rs.Fields(QStringLiteral("Valor")).SetValue(Recortar ? v.trimmed() : v);
            },
            [&] { rs.Fields(QStringLiteral("PoliticaNegocio")).SetValue(PoliticaNegocio); },
            [&] {
                if (!ValorAux.isEmpty())
                    rs.Fields(QStringLiteral("valoraux")).SetValue(recortarAux ? ValorAux.trimmed() : ValorAux);
            },
            [&] { rs.Update(); },
            [&] { db.CierraRecordset(rs); },
        },
        Pasos::Omitir);
    db.CierraRecordset(rs);
}

QString tablaConfiguracion()
{
    if (gTablaConfiguracion.trimmed().isEmpty())
        gTablaConfiguracion = QStringLiteral("TA_CONFIGURACION");
    return gTablaConfiguracion;
}

} // namespace

namespace SentenciasConfiguracion {

QString Cfg(const QString &Clave, const QString &Grupo)
{
    return segunClave(Clave, lecturaDeValor(tablaConfiguracion(), Clave)
                                 + (esGrupoDatos(Grupo) ? QStringLiteral("'")
                                                        : QStringLiteral("' AND GRUPO ='") + Grupo + u'\''));
}

QString CfgAux(const QString &Clave, const QString &Valor)
{
    return segunClave(Clave, lecturaDeValor(tablaConfiguracion(), Clave)
                                 + (Valor.isEmpty() ? QStringLiteral("'")
                                                    : QStringLiteral("' AND VALOR = '") + Valor + u'\''));
}

QString CfgKV(const QString &Clave)
{
    return segunClave(Clave, lecturaDeValor(QStringLiteral("TA_CONFIGURACION"), Clave) + u'\'');
}

QString GrabaDfg(const QString &Clave, const QString &Grupo)
{
    return QStringLiteral("SELECT * FROM ") + tablaConfiguracion() + QStringLiteral(" with(nolock)  WHERE CLAVE = '")
        + Clave + (esGrupoDatos(Grupo) ? QStringLiteral("'") : QStringLiteral("' AND GRUPO = '") + Grupo + u'\'');
}

QString GrabaCfgKV(const QString &Clave)
{
    return QStringLiteral("SELECT * FROM TA_CONFIGURACION with(nolock)  WHERE CLAVE = '") + Clave + u'\'';
}

QString CfgDefConsultas(const QString &Campo)
{
    return QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = '") + Campo.trimmed() + u'\'';
}

}

DB_Dll &gDBEstadisticas()
{
    return DB_Dll::Estadisticas();
}

QString Cfg(const QString &Clave, QString &ValorAux, const QString &Grupo)
{
    DB_Dll &db = DB_Dll::Compartido();
    if (!db.gOpenFlag)
        return {};
    const Lectura l = leer(db, SentenciasConfiguracion::Cfg(Clave, Grupo), QStringLiteral("VALOR"),
                           conManejarError(QStringLiteral("Cfg"), false));
    ValorAux = l.valorAux;
    return reglaTema(Clave, l.resultado);
}

QString Cfg(const QString &Clave, const QString &Grupo)
{
    QString aux;
    return Cfg(Clave, aux, Grupo);
}

QString CfgAux(const QString &Clave, const QString &Valor)
{
    return leer(DB_Dll::Compartido(), SentenciasConfiguracion::CfgAux(Clave, Valor), QStringLiteral("valoraux"),
                conManejarError(QStringLiteral("CfgAux"), false))
        .resultado;
}

QString CfgKV(const QString &Clave, QString &ValorAux)
{
    const Lectura l = leer(gDBEstadisticas(), SentenciasConfiguracion::CfgKV(Clave), QStringLiteral("VALOR"),
                           conManejarError(QStringLiteral("CfgKV"), true));
    ValorAux = l.valorAux;
    return reglaTema(Clave, l.resultado);
}

void GrabaDfg(const QString &Clave, const QVariant &Valor, const QString &ValorAux, bool PoliticaNegocio,
              const QString &Grupo, bool Recortar)
{
    grabar(DB_Dll::Compartido(), SentenciasConfiguracion::GrabaDfg(Clave, Grupo), Clave, Valor, ValorAux, PoliticaNegocio, Grupo, Recortar, Recortar);
}

void GrabaCfgKV(const QString &Clave, const QVariant &Valor, const QString &ValorAux, bool PoliticaNegocio,
                const QString &Grupo, bool Recortar)
{
    grabar(gDBEstadisticas(), SentenciasConfiguracion::GrabaCfgKV(Clave), Clave, Valor, ValorAux, PoliticaNegocio, Grupo, Recortar, true);
}

QString CfgDefConsultas(const QString &Campo)
{
    DB_Dll &db = DB_Dll::Compartido();
    QString sentencia = SentenciasConfiguracion::CfgDefConsultas(Campo);
    db::Recordset rs;
    QString resultado;
    const bool completa = Pasos::Ejecutar(
        {
            [&] { db.AbrirRecordset(sentencia, rs, nullptr, db::adOpenForwardOnly, db::adLockReadOnly, -1, true); },
            [&] { resultado = rs.State() != db::adStateOpen || rs.Eof() ? QStringLiteral(" ") : texto(rs.Fields(QStringLiteral("VALOR")).Value()); },
            [&] { db.CierraRecordset(rs); },
        },
        [](const ErrorEjecucion &e) {
            return Cadenas::Compartida().ResponderError(e, -1, QStringLiteral("Cfg")) == DialogoOperador::vbIgnore
                ? Pasos::Accion::Siguiente
                : Pasos::Accion::Salir;
        });
    return completa ? resultado : QString();
}

void CargarTimeOut()
{
    DB_Dll &estadisticas = gDBEstadisticas();
    const DB_Dll &compartido = DB_Dll::Compartido();
    Pasos::Ejecutar(
        {
            [&] { gTimeOut = 45; },
            [&] {
                if (estadisticas.gCnn().State() != db::adStateClosed)
                    estadisticas.gCnn().Close();
            },
            [&] {
                estadisticas.gProveedor = DB_Dll::pSQLOLEDB();
                estadisticas.gServidor = compartido.gServidor;
                estadisticas.gDBName = estadisticas.gUsuario = QStringLiteral("KV_ESTADISTICAS");
                estadisticas.gUserPassWord = QStringLiteral("ZB_TEMPORIZADOR");
            },
            [&] { estadisticas.OpenServerADODB(false, 3, {}, true, false); },
            [&] {
                if (estadisticas.gOpenFlag)
                    estadisticas.gCnn().SetDefaultDatabase(QStringLiteral("KV_ESTADISTICAS"));
            },
            [&] {
                QString aux;
                const double valor = Cadenas::Compartida().ValorNumerico(CfgKV(QStringLiteral("TimeOut"), aux));
                gTimeOut = qint16(qBound(-32768.0, std::round(valor), 32767.0));
            },
            [&] {
                if (gTimeOut == 0)
                    GrabaCfgKV(QStringLiteral("TimeOut"), 0, {}, false, QStringLiteral("BaseDeDatos"), true);
            },
            [&] {
                if (gTimeOut == 0)
                    gTimeOut = 45;
            },
        },
        Pasos::Omitir);
}

QDateTime FechaServidor()
{
    DB_Dll &db = DB_Dll::Compartido();
    QString sentencia = QStringLiteral("select  getDate() as fecha");
    db::Recordset rs;
    QDateTime resultado = Plataforma::Ahora();
    Pasos::Ejecutar(
        {
            [&] { db.AbrirRecordset(sentencia, rs, nullptr, db::adOpenForwardOnly, db::adLockReadOnly, -1, false); },
            [&] {
                if (rs.State() == db::adStateOpen && !rs.Eof()) {
                    const QDateTime fecha = rs.Fields(QStringLiteral("fecha")).Value().toDateTime();
                    // To the second, as the server's text gives it.
                    resultado = QDateTime(fecha.date(), QTime(fecha.time().hour(), fecha.time().minute(), fecha.time().second()));
                    return;
                }
                resultado = Plataforma::Ahora();
                if (gUtilizarFechaDia) {
                    const QDate fecha = Plataforma::Configuracion().LeerFechaCorta(Cfg(QStringLiteral("FECHAOPERHASTA")));
                    if (fecha.isValid())
                        resultado = QDateTime(fecha, QTime(0, 0));
                }
            },
            [&] { db.CierraRecordset(rs); },
        },
        Pasos::Omitir);
    return resultado;
}
