// Single-row questions asked of the company database by value.

#include "DB_Dll.h"

#include "suite/DialogoOperador.h"
#include "suite/Pasos.h"

#include <QRegularExpression>

namespace {

constexpr auto CI = Qt::CaseInsensitive;

QString tipoDe(const QVariant &tipo)
{
    const QString t = tipo.toString().trimmed();
    return t == u"'" ? QStringLiteral("8") : t;
}

bool esNumerico(const QString &tipo)
{
    return tipo == u"3" || tipo == u"4" || tipo == u"5";
}

// The leading number of a text, blanks inside it ignored; 0 when there is none.
QString numeroInicial(const QString &texto)
{
    static const QRegularExpression numero(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?"));
    QString compacto = texto;
    compacto.remove(u' ').remove(u'\t');
    const auto m = numero.match(compacto);
    if (!m.hasMatch())
        return QStringLiteral("0");
    return QString::number(m.captured(0).toDouble(), 'g', 15);
}

// A text value inside quotes, its own quotes doubled, so a value typed by the
// operator (a user name, a key) can never end the literal early.
QString textoEntreComillas(const QString &valor)
{
    return u'\'' + QString(valor).replace(u'\'', QStringLiteral("''")) + u'\'';
}

// The value of a date, number or other non-text key as the statement takes it.
QString valorSinComillas(const QString &tipo, const QString &valor)
{
    if (tipo == u"7")
        return valor.trimmed() + u' ';
    return esNumerico(tipo) ? numeroInicial(valor) : valor;
}

// A lookup the operator leaves answers "not found".
template <typename T>
Pasos::Accion alSalir(Pasos::Accion accion, T &resultado, const T &vacio)
{
    if (accion == Pasos::Accion::Salir)
        resultado = vacio;
    return accion;
}

double numeroDe(const QVariant &v)
{
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString)
        return Cadenas::Compartida().ValorNumerico(v.toString());
    return v.toDouble();
}

QVariant valorSegunTipo(const QVariant &valor, const QVariant &tipo)
{
    const QVariant seguro = Cadenas::Compartida().ValorCampo(valor);
    if (tipo.toString().trimmed() == u"7")
        return seguro;
    return numeroDe(seguro);
}

} // namespace

int DB_Dll::TratarErrorBusqueda(const ErrorEjecucion &e, qint16 &contador)
{
    const db::Errors &errores = Compartido().gCnn().Errors();
    if (errores.Count() > 0 && errores.Item(0).NativeError == db::Nativo::ErrorDeRed
        && ProcedimientoConexionPerdida(contador))
        return DialogoOperador::vbRetry;
    return Operador().MsgBox(e.Description, DialogoOperador::vbAbortRetryIgnore | DialogoOperador::vbCritical,
                             QStringLiteral("Aviso al Operador"));
}

bool DB_Dll::ExisteEnTabla(const QString &Tabla, const QString &ValorBuscado, const QString &Campo,
                           db::Recordset *LRCS, const QVariant &Tipodato, const QString &Condicion, bool SoloLectura)
{
    QString sentencia;
    bool resultado = false;
    qint16 contador = 0;
    const QString tipo = tipoDe(Tipodato);
    Pasos::Ejecutar(
        {
            [&] {
                if (!Condicion.isEmpty()) {
                    sentencia = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla + QStringLiteral(" with(nolock) ")
                        + (Condicion.contains(QStringLiteral(" WHERE "), CI) ? QStringLiteral(" ")
                                                                             : QStringLiteral(" WHERE "))
                        + Condicion;
                } else if (tipo == u"8") {
                    sentencia = QStringLiteral("SELECT TOP 1  * FROM ") + Tabla
                        + QStringLiteral(" with(nolock)  WHERE LTRIM(RTRIM(") + Campo + QStringLiteral(")) =")
                        + textoEntreComillas(ValorBuscado.trimmed());
                } else {
                    const QString valor = valorSinComillas(tipo, ValorBuscado);
                    sentencia = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla + QStringLiteral(" with(nolock)  WHERE ")
                        + Campo + QStringLiteral(" = ") + valor;
                }
            },
            [&] { sentencia = SS_TSinonimos(sentencia); },
            [&] {
                if (LRCS) {
                    if (LRCS->State() != db::adStateClosed)
                        LRCS->Close();
                    const qint32 cursor = SoloLectura ? db::adOpenForwardOnly : LRCS->CursorType();
                    const qint32 bloqueo = SoloLectura ? db::adLockReadOnly : LRCS->LockType();
                    LRCS->Open(sentencia, gCnn(), cursor, bloqueo);
                    resultado = !LRCS->Bof();
                } else {
                    db::Recordset privado;
                    privado.Open(ORACLE_Dicc(sentencia), gCnn(), db::adOpenForwardOnly, db::adLockReadOnly);
                    resultado = !privado.Bof();
                    privado.Close();
                }
            },
        },
        [&](const ErrorEjecucion &e) {
            return alSalir(Pasos::SegunRespuesta(TratarErrorBusqueda(e, contador)), resultado, false);
        });
    return resultado;
}

bool DB_Dll::ExisteEnTablaST(const QString &Tabla, const QString &ValorBuscado, const QString &Campo,
                             db::Recordset *LRCS, const QVariant &Tipodato, const QString &Condicion,
                             bool SoloLectura)
{
    QString sentencia;
    bool resultado = false;
    qint16 contador = 0;
    const QString tipo = tipoDe(Tipodato);
    Pasos::Ejecutar(
        {
            [&] {
                if (!Condicion.isEmpty()) {
                    sentencia = QStringLiteral("SELECT * FROM ") + Tabla + QStringLiteral(" with(nolock)  ")
                        + (Condicion.contains(QStringLiteral(" WHERE "), CI) ? QStringLiteral(" ")
                                                                             : QStringLiteral(" WHERE "))
                        + Condicion;
                } else if (tipo == u"8") {
                    sentencia = QStringLiteral("SELECT * FROM ") + Tabla + QStringLiteral(" with(nolock)   WHERE ")
                        + Campo + QStringLiteral(" =") + textoEntreComillas(ValorBuscado);
                } else {
                    const QString valor = valorSinComillas(tipo, ValorBuscado);
                    sentencia = QStringLiteral("SELECT * FROM ") + Tabla + QStringLiteral(" with(nolock)   WHERE ")
                        + Campo + QStringLiteral(" = ") + valor;
                }
            },
            [&] {
                db::Recordset privado;
                db::Recordset &rs = LRCS ? *LRCS : privado;
                if (rs.State() != db::adStateClosed)
                    rs.Close();
                const qint32 cursor = SoloLectura || !LRCS ? db::adOpenForwardOnly : rs.CursorType();
                const qint32 bloqueo = SoloLectura || !LRCS ? db::adLockReadOnly : rs.LockType();
                rs.Open(sentencia, gCnn(), cursor, bloqueo);
                resultado = !rs.Bof();
            },
        },
        [&](const ErrorEjecucion &e) {
            return alSalir(Pasos::SegunRespuesta(TratarErrorBusqueda(e, contador)), resultado, false);
        });
    return resultado;
}

QVariant DB_Dll::DatosTabla(const QString &Tabla, const QString &ValorBuscado, const QString &CampoDevuelto,
                            const QString &Campo, const QVariant &Tipodato, const QString &Condicion, bool UsaTrim,
                            bool IgnoraError)
{
    QString sentencia;
    QVariant resultado = QString();
    db::Recordset rs;
    qint16 contador = 0;
    const QString tipo = tipoDe(Tipodato);
    const QString condicion = Condicion.trimmed().isEmpty() ? QString() : QStringLiteral(" AND ") + Condicion;
    Pasos::Ejecutar(
        {
            [&] {
                sentencia = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla;
                if (tipo == u"8" && UsaTrim)
                    sentencia += QStringLiteral(" with(nolock)  WHERE LTRIM(RTRIM(") + Campo + QStringLiteral(")) =")
                        + textoEntreComillas(ValorBuscado.trimmed()) + u' ' + condicion;
                else if (tipo == u"8")
                    sentencia += QStringLiteral(" with(nolock)  WHERE ") + Campo + QStringLiteral(" =")
                        + textoEntreComillas(ValorBuscado) + u' ' + condicion;
                else if (tipo == u"7")
                    sentencia += QStringLiteral(" with(nolock)  WHERE ") + Campo + QStringLiteral(" = #")
                        + ValorBuscado.trimmed() + QStringLiteral("# ") + condicion;
                else
                    sentencia += QStringLiteral(" with(nolock)  WHERE ") + Campo + QStringLiteral(" = ")
                        + (esNumerico(tipo) ? numeroInicial(ValorBuscado) : ValorBuscado) + condicion;
            },
            [&] { AbrirRecordset(sentencia, rs, nullptr, db::adOpenForwardOnly, db::adLockReadOnly, -1, true); },
            [&] {
                resultado = rs.State() == db::adStateOpen && !rs.Eof()
                    ? Cadenas::Compartida().ValorCampo(rs.Fields(CampoDevuelto).Value())
                    : QVariant(QString());
            },
            [&] { CierraRecordset(rs); },
        },
        [&](const ErrorEjecucion &e) {
            if (IgnoraError) {
                resultado = QString();
                return Pasos::Accion::Salir;
            }
            return alSalir(Pasos::SegunRespuesta(TratarErrorBusqueda(e, contador)), resultado, QVariant(QString()));
        });
    return resultado;
}

QVariant DB_Dll::BuscaMaximo(const QString &QueTabla, const QString &QueCampo, const QVariant &Tipo,
                             QVariant *Condicion)
{
    QVariant sinCondicion;
    QVariant &condicion = Condicion ? *Condicion : sinCondicion;
    for (;;) {
        QString sentencia = QStringLiteral("SELECT MAX(") + QueCampo + QStringLiteral(") AS MAYOR FROM ") + QueTabla;
        if (!condicion.isNull())
            sentencia += QStringLiteral(" WHERE ") + condicion.toString().trimmed();
        db::Recordset rs;
        rs.Open(sentencia, gCnn(), db::adOpenForwardOnly, db::adLockReadOnly);
        if (rs.Eof())
            return QString();
        const QVariant mayor = rs.Fields(QStringLiteral("MAYOR")).Value();
        // Article codes that begin with "0" never give the maximum when others exist.
        if (QueTabla.compare(QStringLiteral("V_MA_ARTICULOS"), CI) == 0
            && Cadenas::Compartida().ValorCampo(mayor).toString().trimmed().startsWith(u'0')
            && !condicion.toString().contains(QStringLiteral("substring(ltrim(idarticulo),1,1)<>'0'"))) {
            const QString actual = condicion.toString();
            condicion = actual.isEmpty() ? QStringLiteral(" substring(ltrim(idarticulo),1,1)<>'0'")
                                          : actual + QStringLiteral(" and substring(ltrim(idarticulo),1,1)<>'0'");
            continue;
        }
        return valorSegunTipo(mayor, Tipo);
    }
}

QVariant DB_Dll::BuscaMinimo(const QString &QueTabla, const QString &QueCampo, const QVariant &Tipo,
                             const QVariant &Condicion)
{
    QString sentencia = QStringLiteral("SELECT MIN(") + QueCampo + QStringLiteral(") AS MENOR FROM ") + QueTabla
        + QStringLiteral("  with(nolock) ");
    if (!Condicion.isNull())
        sentencia += QStringLiteral(" WHERE ") + Condicion.toString();
    db::Recordset rs;
    rs.Open(sentencia, gCnn(), db::adOpenForwardOnly, db::adLockReadOnly);
    if (rs.Eof())
        return QString();
    return valorSegunTipo(rs.Fields(QStringLiteral("MENOR")).Value(), Tipo);
}

QVariant DB_Dll::BuscaUltimoCodigo(const QString &QueTabla, const QString &QueCampo, const QVariant &,
                                   const QVariant &Condicion)
{
    QString sentencia = QStringLiteral("SELECT MAX(") + QueCampo + QStringLiteral(") AS MAYOR FROM ") + QueTabla;
    if (!Condicion.toString().isEmpty())
        sentencia += QStringLiteral(" WHERE ") + Condicion.toString();
    db::Recordset rs;
    rs.Open(sentencia, gCnn(), db::adOpenForwardOnly, db::adLockReadOnly);
    if (rs.Eof())
        return QString();
    return numeroDe(Cadenas::Compartida().ValorCampo(rs.Fields(QStringLiteral("MAYOR")).Value()));
}
