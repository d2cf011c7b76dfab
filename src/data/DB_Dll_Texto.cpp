// The text operations of the data-access class: dialect and synonym rewriting,
// ADO type tests, object-name operations, SQL literals. None touches the database.

#include "DB_Dll.h"

#include "app/Sesion.h"
#include "suite/LibreriaSuite.h"
#include "suite/Plataforma.h"

#include <QRegularExpression>

namespace {

constexpr auto CI = Qt::CaseInsensitive;

bool contiene(const QString &texto, QStringView buscado)
{
    return texto.contains(buscado, CI);
}

QString reemplazar(QString texto, const QString &buscado, const QString &nuevo)
{
    return texto.replace(buscado, nuevo, CI);
}

// A quoted value that reads as a date in the session's regional order (day,
// month and year with "/", "-" or "."; four- or two-digit year), or an ISO date.
QDate fechaDeLiteral(const QString &valor)
{
    static const QRegularExpression regional(QStringLiteral("^(\\d{1,2})([/.-])(\\d{1,2})\\2(\\d{4}|\\d{2})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    if (const auto m = iso.match(valor); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const auto m = regional.match(valor);
    if (!m.hasMatch())
        return {};
    const int a = m.captured(1).toInt(), b = m.captured(3).toInt();
    int anio = m.captured(4).toInt();
    if (m.captured(4).size() == 2)
        anio += anio < 30 ? 2000 : 1900;
    return Plataforma::Configuracion().ordenFecha == u"mdy" ? QDate(anio, a, b) : QDate(anio, b, a);
}

QString limiteDeFilasOracle(const QString &valor, const QString &texto)
{
    const qsizetype top = texto.indexOf(QStringLiteral("top"), 0, CI);
    const QString antes = texto.left(top);
    const QString despues = texto.mid(top + 3).trimmed();
    const qsizetype blanco = despues.indexOf(u' ');
    const QString cantidad = blanco < 0 ? despues : despues.left(blanco);
    QString resto = blanco < 0 ? QString() : despues.mid(blanco + 1).trimmed();

    QString cola1, cola2;
    if (const qsizetype g = valor.indexOf(QStringLiteral(" GROUP BY "), 0, CI); g >= 0)
        cola1 = valor.mid(g);
    else if (const qsizetype o = valor.indexOf(QStringLiteral("ORDER BY "), 0, CI); o >= 0)
        cola2 = valor.mid(o);
    const QString condicion = (contiene(valor, u" WHERE ") ? QStringLiteral(" AND ROWNUM <= ")
                                                           : QStringLiteral(" WHERE ROWNUM <= "))
        + cantidad;
    if (!cola1.trimmed().isEmpty())
        resto = reemplazar(resto, cola1.trimmed(), QStringLiteral(" "));
    if (!cola2.trimmed().isEmpty())
        resto = reemplazar(resto, cola2.trimmed(), QStringLiteral(" "));
    return antes + u' ' + resto + u' ' + condicion + u' ' + cola1 + u' ' + cola2;
}

QString fechasOracle(QString texto)
{
    const QString original = texto;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype q1 = original.indexOf(u'\'', pos);
        if (q1 < 0)
            break;
        const qsizetype q2 = original.indexOf(u'\'', q1 + 1);
        if (q2 < 0)
            ErrorEjecucion::Lanzar(Errores::LlamadaNoValida,
                                   QStringLiteral("Llamada a procedimiento o argumento no válido"));
        const QString valor = original.mid(q1 + 1, q2 - q1 - 1);
        if (const QDate fecha = fechaDeLiteral(valor); fecha.isValid())
            texto.replace(u'\'' + valor + u'\'',
                          QStringLiteral("TO_DATE('") + fecha.toString(QStringLiteral("dd/MM/yyyy"))
                              + QStringLiteral("','DD/MM/YYYY')"));
        pos = q2 + 1;
    }
    if (contiene(texto, u"TO_DATE(TO_DATE(")) {
        texto = reemplazar(texto, QStringLiteral("TO_DATE(TO_DATE("), QStringLiteral("TO_DATE("));
        texto = reemplazar(texto, QStringLiteral("'DD/MM/YYYY'),'DD/MM/YYYY')"), QStringLiteral("'DD/MM/YYYY')"));
    }
    return texto;
}

QString estilo103Oracle(QString texto)
{
    qsizetype pos = 0;
    for (;;) {
        const qsizetype p = texto.indexOf(QStringLiteral("103"), pos);
        if (p < 0)
            break;
        const qsizetype parentesis = texto.lastIndexOf(u'(', p);
        if (parentesis >= 7 && texto.mid(parentesis - 7, 8).compare(QStringLiteral("TO_CHAR("), CI) == 0)
            texto.replace(p, 3, QStringLiteral("'DD/MM/YYYY'"));
        pos = p + 3;
    }
    return texto;
}

// One synonym group: the name after a blank, "(" or "," (and "{" where given),
// followed by a blank or a dot, gets the "SS_" synonym.
QString aplicarSinonimo(QString texto, const QString &nombre, const QString &sinonimo, bool conLlave)
{
    const QList<std::pair<QString, QString>> formas = {
        {u' ' + nombre + u' ', u' ' + sinonimo + u' '}, {u'(' + nombre + u' ', u'(' + sinonimo + u' '},
        {u' ' + nombre + u'.', u' ' + sinonimo + u'.'}, {u'(' + nombre + u'.', u'(' + sinonimo + u'.'},
        {u',' + nombre + u'.', u',' + sinonimo + u'.'},
    };
    for (const auto &[buscado, nuevo] : formas)
        texto = reemplazar(texto, buscado, nuevo);
    if (conLlave)
        texto = reemplazar(texto, u'{' + nombre + u'.', u'{' + sinonimo + u'.');
    return texto;
}

// Programs of the suite that see the real depot and family views.
bool ejecutableEntre(std::initializer_list<const char *> nombres)
{
    const QString propio = ContextoAplicacion::Compartido().NombreEjecutable();
    for (const char *n : nombres)
        if (propio.compare(QLatin1String(n), CI) == 0)
            return true;
    return false;
}

QString sinPrefijoAdmin(const QString &texto)
{
    return reemplazar(texto, QStringLiteral("@Admin_"), {});
}

QString textoDeTipo(const QVariant &tipo)
{
    return tipo.toString().trimmed();
}

bool tipoEntre(const QVariant &tipo, std::initializer_list<int> tipos)
{
    bool ok = false;
    const int n = textoDeTipo(tipo).toInt(&ok);
    if (!ok)
        return false;
    for (int t : tipos)
        if (t == n)
            return true;
    return false;
}

} // namespace

QString DB_Dll::ORACLE_Dicc(const QString &Valor) const
{
    if (!contiene(gConnString, u"ORACLE"))
        return Valor;
    if (Cadenas::Compartida().ContarPalabras(Valor) < 2)
        return Valor.compare(QStringLiteral("LEN"), CI) == 0 ? QStringLiteral("LENGTH") : Valor;

    QString r = Valor;
    if (contiene(r, u"top "))
        r = limiteDeFilasOracle(Valor, r);
    for (const char *len : {" LEN(", " LEN (", " LEN  (", " LEN   (", " LEN    ("})
        r = reemplazar(r, QLatin1String(len), QStringLiteral(" LENGTH("));
    r.replace(u'[', u'"').replace(u']', u'"');
    r = fechasOracle(r);
    r = reemplazar(r, QStringLiteral("Charindex"), QStringLiteral("InStr"));
    r = reemplazar(r, QStringLiteral("CONVERT(NVARCHAR,"), QStringLiteral("TO_CHAR("));
    r = reemplazar(r, QStringLiteral("CONVERT(INT,"), QStringLiteral("TO_NUMBER("));
    if (const qsizetype w = r.indexOf(QStringLiteral("WHERE "), 0, CI); w >= 0) {
        QString cola = r.mid(w);
        cola = reemplazar(cola, QStringLiteral("= ''"), QStringLiteral(" IS NULL "));
        cola = reemplazar(cola, QStringLiteral("=''"), QStringLiteral(" IS NULL "));
        r = r.left(w) + cola;
    }
    r = estilo103Oracle(r);
    r = reemplazar(r, QStringLiteral("SUBSTRING("), QStringLiteral("SUBSTR("));
    r = reemplazar(r, QStringLiteral("ISNULL("), QStringLiteral("NVL("));
    return r;
}

QString DB_Dll::SS_TSinonimos(const QString &Sentencia) const
{
    if (gEsAdmin)
        return sinPrefijoAdmin(Sentencia);
    if (contiene(Sentencia, u"MV_ASIENTOS") && !gConfidencialidad)
        return sinPrefijoAdmin(Sentencia);

    QString r = aplicarSinonimo(Sentencia, QStringLiteral("MA_CUENTAS"), QStringLiteral("SS_MA_CUENTAS"), true);
    if (contiene(r, u"@admin_")) {
        // Statements that address the administrator database see the real accounts.
        r = reemplazar(r, QStringLiteral("@Admin_MA_CUENTAS"), QStringLiteral("MA_CUENTAS"));
        r = reemplazar(r, QStringLiteral("SS_MA_CUENTAS"), QStringLiteral("MA_CUENTAS"));
    }
    if (!ejecutableEntre({"InformeStock", "ControlStock"}))
        r = aplicarSinonimo(r, QStringLiteral("V_TA_DEPOSITO"), QStringLiteral("SS_V_TA_DEPOSITO"), false);
    r = aplicarSinonimo(r, QStringLiteral("MV_ASIENTOS"), QStringLiteral("SS_MV_ASIENTOS"), false);
    if (!ejecutableEntre({"ListaPrecios", "CatalogoArticulos"}))
        r = aplicarSinonimo(r, QStringLiteral("V_TA_FAMILIAS"), QStringLiteral("SS_V_TA_FAMILIAS"), false);
    r = aplicarSinonimo(r, QStringLiteral("V_TA_CAJAS"), QStringLiteral("SS_V_TA_CAJAS"), false);
    r = aplicarSinonimo(r, QStringLiteral("AC_CUENTASDIARIO"), QStringLiteral("SS_AC_CUENTASDIARIO"), false);
    // The database's synonym of this one is spelled with an extra underscore.
    r = aplicarSinonimo(r, QStringLiteral("AC_CUENTASDIARIO_CCOSTO"), QStringLiteral("SS_AC_CUENTAS_DIARIO_CCOSTO"), false);
    return sinPrefijoAdmin(r);
}

bool DB_Dll::adodate(const QVariant &Qtype) { return tipoEntre(Qtype, {7, 133, 134, 135, 137, 64}); }
bool DB_Dll::ADOText(const QVariant &Qtype) { return tipoEntre(Qtype, {8, 129, 130, 200, 201, 202, 203}); }
bool DB_Dll::ADONumeric(const QVariant &Qtype)
{
    return tipoEntre(Qtype, {2, 3, 4, 5, 14, 16, 17, 18, 19, 20, 21, 131});
}
bool DB_Dll::ADOCurrency(const QVariant &Qtype) { return tipoEntre(Qtype, {6}); }
bool DB_Dll::ADOBoolean(const QVariant &Qtype) { return tipoEntre(Qtype, {11}); }
QString DB_Dll::ADOComilla(const QVariant &Qtype)
{
    return adodate(Qtype) || ADOText(Qtype) ? QStringLiteral("'") : QString();
}

QString DB_Dll::stSTF(QString &rsName, bool rnPart)
{
    const qsizetype puntos = rsName.count(u'.');
    if (puntos == 0)
        return rsName;
    if (puntos == 1) {
        const qsizetype p = rsName.indexOf(u'.');
        return rnPart ? rsName.mid(p + 1) : rsName.left(p);
    }
    return StripOwner(rsName);
}

QString DB_Dll::AddBrackets(const QString &rObjName)
{
    return rObjName.contains(u' ') && !rObjName.startsWith(u'[') ? u'[' + rObjName + u']' : rObjName;
}

QString DB_Dll::StripBrackets(const QString &rsObjName)
{
    return rsObjName.startsWith(u'[') ? rsObjName.mid(1, rsObjName.size() - 2) : rsObjName;
}

QString DB_Dll::StripOwner(QString &rsTblName)
{
    if (const qsizetype p = rsTblName.indexOf(u'.'); p >= 0)
        rsTblName = rsTblName.mid(p + 1);
    return rsTblName;
}

QString DB_Dll::StripConnect(const QString &rsTblName)
{
    const qsizetype p = rsTblName.indexOf(QStringLiteral("->"));
    return p < 0 ? rsTblName : rsTblName.left(qMax<qsizetype>(0, p - 1));
}

QString DB_Dll::StripFileName(const QString &rsFileName)
{
    // Paths of either platform: the folder ends at the last separator.
    const qsizetype p = qMax(rsFileName.lastIndexOf(u'\\'), rsFileName.lastIndexOf(u'/'));
    return p < 0 ? QString() : rsFileName.left(p);
}

QVariant DB_Dll::SQLValue(const QVariant &valor, const QString &marca)
{
    const Cadenas &cadenas = Cadenas::Compartida();
    if (marca == u"@") {
        if (valor.isNull())
            return QStringLiteral("0");
        const double numero = cadenas.ValorNumerico(valor.toString());
        QString texto = QString::number(numero, 'f', 4);
        while (texto.contains(u'.') && (texto.endsWith(u'0') || texto.endsWith(u'.')))
            texto.chop(1);
        return cadenas.Reemplazar(texto == u"-0" ? QStringLiteral("0") : texto, QStringLiteral(","),
                                  QStringLiteral("."));
    }
    if (valor.isNull())
        return QStringLiteral("NULL");
    QString texto = valor.typeId() == QMetaType::QDate
        ? Plataforma::Configuracion().FechaCorta(valor.toDate())
        : valor.toString();
    if (marca == u"'") {
        // A quote inside the value is doubled, so the value stays one literal
        // whatever an operator or a file put in it.
        return u'\'' + texto.replace(u'\'', QStringLiteral("''")) + u'\'';
    }
    return texto;
}

QString DB_Dll::SentenciaAddField(const QString &Tabla, const QString &Campo, const QString &Tipo,
                                  bool PermiteNulos, const std::optional<QString> &ValorDefault)
{
    QString sentencia = QStringLiteral("ALTER TABLE dbo.") + Tabla + QStringLiteral(" ADD ") + Campo + u' ' + Tipo
        + (PermiteNulos ? QStringLiteral(" Null ") : QStringLiteral(" Not Null "));
    if (ValorDefault)
        sentencia += QStringLiteral(" CONSTRAINT DF_") + Tabla.trimmed() + u'_' + Campo.trimmed()
            + QStringLiteral(" DEFAULT (") + *ValorDefault + u')';
    return sentencia;
}
