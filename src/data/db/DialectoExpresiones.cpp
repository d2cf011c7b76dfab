#include "ReglasDialecto.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSet>

namespace db::reglas {


enum class Clase { Desconocida, Texto, Numero, Nula };

struct Analisis
{
    const OpcionesDialecto &op;
    const Tokens &t;

    bool esFuncionTexto(const QString &f) const
    {
        static const QSet<QString> texto{"LTRIM", "RTRIM", "TRIM", "UPPER", "LOWER", "SUBSTRING", "SUBSTR",
                                         "LEFT", "RIGHT", "REPLACE", "CHAR", "NCHAR", "STR", "SPACE",
                                         "REPLICATE", "REVERSE", "QUOTENAME"};
        return texto.contains(f);
    }
    bool esFuncionNumero(const QString &f) const
    {
        static const QSet<QString> numero{"LEN", "LENGTH", "CHARINDEX", "INSTR", "COUNT", "SUM", "AVG",
                                          "ABS", "ROUND", "YEAR", "MONTH", "DAY", "DATEDIFF", "FLOOR",
                                          "CEILING", "POWER", "SIGN", "ASCII", "UNICODE", "DATALENGTH"};
        return numero.contains(f);
    }
    static Clase deTipo(const QString &tipo)
    {
        const QString u = tipo.toUpper();
        if (u.contains(QLatin1String("CHAR")) || u.contains(QLatin1String("TEXT")))
            return Clase::Texto;
        return Clase::Numero;
    }

    // The class of the operand that starts at `a` (and ends before `b`).
    Clase operando(qsizetype a, qsizetype b) const
    {
        if (a >= b)
            return Clase::Desconocida;
        const Token &x = t[a];
        if (x.esSimbolo("-") || x.esSimbolo("+"))
            return Clase::Numero;
        int nivel = 0;
        for (qsizetype k = a; k < b; ++k) {
            if (t[k].esSimbolo("("))
                ++nivel;
            else if (t[k].esSimbolo(")"))
                --nivel;
            else if (nivel == 0 && (t[k].esSimbolo("*") || t[k].esSimbolo("/") || t[k].esSimbolo("%")))
                return Clase::Numero;
        }
        if (x.tipo == TipoToken::Cadena)
            return Clase::Texto;
        if (x.tipo == TipoToken::Numero)
            return Clase::Numero;
        if (x.es("NULL"))
            return Clase::Nula;
        if (x.esSimbolo("(")) {
            const qsizetype c = Cierre(t, a);
            if (c < 0)
                return Clase::Desconocida;
            if (a + 1 < c && t[a + 1].es("SELECT"))
                return Clase::Desconocida;
            return expresion(a + 1, c);
        }
        if (x.tipo == TipoToken::Palabra && a + 1 < b && t[a + 1].esSimbolo("(")) {
            const QString f = x.texto.toUpper();
            const qsizetype c = Cierre(t, a + 1);
            if (f == QLatin1String("CAST") && c > 0) {
                for (qsizetype k = c - 1; k > a; --k)
                    if (t[k].es("AS"))
                        return k + 1 < c ? deTipo(t[k + 1].texto) : Clase::Desconocida;
            }
            if (f == QLatin1String("CONVERT") && a + 2 < b)
                return deTipo(t[a + 2].texto);
            if (f == QLatin1String("ISNULL") || f == QLatin1String("COALESCE") || f == QLatin1String("IFNULL")
                || f == QLatin1String("NULLIF")) {
                const qsizetype fin = c < 0 ? b : c;
                int nivel = 0;
                qsizetype desde = a + 2;
                for (qsizetype k = a + 2; k <= fin; ++k) {
                    if (t[k].esSimbolo("("))
                        ++nivel;
                    else if (t[k].esSimbolo(")") && nivel > 0)
                        --nivel;
                    else if (nivel == 0 && (t[k].esSimbolo(",") || k == fin)) {
                        const Clase cl = expresion(desde, k);
                        if (cl == Clase::Texto || cl == Clase::Numero)
                            return cl;
                        desde = k + 1;
                    }
                }
                return Clase::Desconocida;
            }
            if (esFuncionTexto(f))
                return Clase::Texto;
            if (esFuncionNumero(f))
                return Clase::Numero;
            return Clase::Desconocida;
        }
        if (x.esNombre()) {
            qsizetype k = a;
            while (k + 2 < b && t[k + 1].esSimbolo(".") && t[k + 2].esNombre())
                k += 2;
            if (!op.tipoColumna)
                return Clase::Desconocida;
            switch (op.tipoColumna(t[k].nombre())) {
            case TipoDeColumna::Texto: return Clase::Texto;
            case TipoDeColumna::Numero:
            case TipoDeColumna::Fecha: return Clase::Numero;
            default: return Clase::Desconocida;
            }
        }
        return Clase::Desconocida;
    }

    // The class of an expression made of operands joined by "+" or "-".
    Clase expresion(qsizetype a, qsizetype b) const
    {
        Clase acumulada = Clase::Nula;
        qsizetype desde = a;
        int nivel = 0;
        for (qsizetype k = a; k <= b; ++k) {
            if (k < b && (t[k].esSimbolo("(") || t[k].es("CASE")))
                ++nivel;
            else if (k < b && (t[k].esSimbolo(")") || t[k].es("END")))
                --nivel;
            else if (k == b || (nivel == 0 && (t[k].esSimbolo("+") || t[k].esSimbolo("-")) && k > desde)) {
                const Clase c = operando(desde, k);
                acumulada = combinar(acumulada, c);
                if (k < b && t[k].esSimbolo("-"))
                    acumulada = Clase::Numero;
                desde = k + 1;
            }
        }
        return acumulada;
    }

    static Clase combinar(Clase a, Clase b)
    {
        if (a == Clase::Nula)
            return b;
        if (b == Clase::Nula)
            return a;
        if (a == Clase::Numero || b == Clase::Numero)
            return Clase::Numero;
        if (a == Clase::Texto || b == Clase::Texto)
            return Clase::Texto;
        return Clase::Desconocida;
    }
};

bool esLimiteIzquierdo(const Token &x)
{
    if (x.tipo == TipoToken::Simbolo)
        return x.texto == QLatin1String(",") || x.texto == QLatin1String("(") || x.texto == QLatin1String("||")
            || x.texto == QLatin1String(";") || esComparacion(x);
    return enLista(x, {"SELECT", "DISTINCT", "WHERE", "AND", "OR", "NOT", "ON", "WHEN", "THEN", "ELSE",
                       "SET", "VALUES", "BY", "HAVING", "FROM", "AS", "LIKE", "IN", "IS", "BETWEEN",
                       "RETURN", "CASE", "DEFAULT", "LIMIT"});
}

bool esLimiteDerecho(const Token &x)
{
    if (x.tipo == TipoToken::Simbolo)
        return x.texto == QLatin1String(",") || x.texto == QLatin1String(")") || x.texto == QLatin1String("||")
            || x.texto == QLatin1String(";") || esComparacion(x);
    return enLista(x, {"FROM", "WHERE", "AND", "OR", "AS", "WHEN", "THEN", "ELSE", "END", "ORDER", "GROUP",
                       "HAVING", "LIKE", "IN", "IS", "BETWEEN", "LIMIT", "UNION", "ESCAPE", "COLLATE"});
}

// Decides, for every "+", whether SQL Server would add or join texts: it joins
// only when both sides are texts; a number on either side makes it a sum.
void unirTextos(Tokens &t, const OpcionesDialecto &op)
{
    const Analisis an{op, t};
    QSet<qsizetype> hechos;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!t[i].esSimbolo("+") || hechos.contains(i))
            continue;
        // The chain of operands around this "+", at its own nesting level.
        qsizetype a = i;
        int nivel = 0;
        while (a > 0) {
            const Token &x = t[a - 1];
            if (x.esSimbolo(")") || x.es("END"))
                ++nivel;
            else if (x.esSimbolo("(") || x.es("CASE")) {
                if (nivel == 0)
                    break;
                --nivel;
            } else if (nivel == 0 && esLimiteIzquierdo(x))
                break;
            --a;
        }
        qsizetype b = i + 1;
        nivel = 0;
        while (b < t.size()) {
            const Token &x = t[b];
            if (x.esSimbolo("(") || x.es("CASE"))
                ++nivel;
            else if (x.esSimbolo(")") || x.es("END")) {
                if (nivel == 0)
                    break;
                --nivel;
            } else if (nivel == 0 && esLimiteDerecho(x))
                break;
            ++b;
        }
        // Left to right, as the server evaluates them.
        QList<qsizetype> signos;
        QList<QPair<qsizetype, qsizetype>> operandos;
        qsizetype desde = a;
        nivel = 0;
        for (qsizetype k = a; k < b; ++k) {
            if (t[k].esSimbolo("(") || t[k].es("CASE"))
                ++nivel;
            else if (t[k].esSimbolo(")") || t[k].es("END"))
                --nivel;
            else if (nivel == 0 && (t[k].esSimbolo("+") || t[k].esSimbolo("-")) && k > desde) {
                operandos.append({desde, k});
                signos.append(k);
                desde = k + 1;
            }
        }
        operandos.append({desde, b});
        Clase acumulada = an.operando(operandos[0].first, operandos[0].second);
        for (qsizetype s = 0; s < signos.size(); ++s) {
            const qsizetype k = signos[s];
            hechos.insert(k);
            const Clase derecha = an.operando(operandos[s + 1].first, operandos[s + 1].second);
            if (t[k].esSimbolo("-")) {
                acumulada = Clase::Numero;
                continue;
            }
            const bool numero = acumulada == Clase::Numero || derecha == Clase::Numero;
            const bool texto = acumulada == Clase::Texto || derecha == Clase::Texto;
            if (numero) {
                acumulada = Clase::Numero;
            } else if (texto) {
                t[k].texto = QStringLiteral("||");
                acumulada = Clase::Texto;
            } else if (acumulada == Clase::Nula && derecha == Clase::Nula) {
                acumulada = Clase::Nula;
            } else {
                rechazar(QStringLiteral("No se puede saber si \"+\" suma o une textos en: %1")
                             .arg(Unir(t.mid(a, b - a))));
            }
        }
    }
}

// ---- SQL Server's functions ----

// The arguments of the call whose "(" is at `abre`, as ranges of tokens.
QList<QPair<qsizetype, qsizetype>> argumentos(const Tokens &t, qsizetype abre, qsizetype cierra)
{
    QList<QPair<qsizetype, qsizetype>> args;
    int nivel = 0;
    qsizetype desde = abre + 1;
    for (qsizetype k = abre + 1; k <= cierra; ++k) {
        if (k < cierra && t[k].esSimbolo("("))
            ++nivel;
        else if (k < cierra && t[k].esSimbolo(")"))
            --nivel;
        else if (k == cierra || (nivel == 0 && t[k].esSimbolo(","))) {
            args.append({desde, k});
            desde = k + 1;
        }
    }
    if (args.size() == 1 && args[0].first == args[0].second)
        args.clear();
    return args;
}

Tokens tomar(const Tokens &t, QPair<qsizetype, qsizetype> r)
{
    Tokens x = t.mid(r.first, r.second - r.first);
    if (!x.isEmpty())
        x.first().espacio = QStringLiteral(" ");
    return x;
}

Tokens texto(const QString &sql)
{
    Tokens x = Tokenizar(sql);
    if (!x.isEmpty())
        x.first().espacio = QStringLiteral(" ");
    return x;
}

// Joins SQL text and token pieces: "$1" … in the pattern are the pieces.
Tokens componer(const QString &patron, const QList<Tokens> &piezas)
{
    Tokens r;
    QString resto = patron;
    while (!resto.isEmpty()) {
        const qsizetype p = resto.indexOf(u'$');
        if (p < 0) {
            r += texto(resto);
            break;
        }
        if (p > 0)
            r += texto(resto.left(p));
        const int n = resto.mid(p + 1, 1).toInt();
        r += piezas.at(n - 1);
        resto = resto.mid(p + 2);
    }
    return r;
}

void funciones(Tokens &t, const OpcionesDialecto &op, bool definicion)
{
    static const QSet<QString> sinEquivalente{
        "DATEADD", "DATEDIFF", "DATEPART", "DATENAME", "STUFF", "PATINDEX", "STR", "REPLICATE",
        "ISNUMERIC", "ISDATE", "NEWID", "OBJECT_ID", "COL_LENGTH", "DB_NAME", "SUSER_SNAME", "USER_NAME",
        "HOST_NAME", "APP_NAME", "IDENT_CURRENT", "DATEFROMPARTS", "EOMONTH", "FORMAT", "TRY_CONVERT",
        "TRY_CAST", "CHOOSE", "IIF", "STRING_AGG", "ROW_NUMBER"};
    const QString ahora = (op.relojPropio && !definicion) ? QStringLiteral("dc_ahora()")
                                                           : QStringLiteral("datetime('now','localtime')");
    for (qsizetype i = t.size() - 1; i >= 0; --i) {
        Token &x = t[i];
        if (x.tipo == TipoToken::Cadena && x.texto.startsWith(u'N', Qt::CaseInsensitive)) {
            x.texto.remove(0, 1);
            continue;
        }
        if (x.tipo == TipoToken::Variable) {
            if (x.texto.compare(QLatin1String("@@IDENTITY"), Qt::CaseInsensitive) == 0)
                x = Nuevo(TipoToken::Palabra, QStringLiteral("last_insert_rowid()"), x.espacio);
            else if (x.texto.startsWith(QLatin1String("@@")))
                rechazar(QStringLiteral("%1 no tiene equivalente en la base embebida").arg(x.texto));
            continue;
        }
        if (x.es("CURRENT_TIMESTAMP")) {
            x = Nuevo(TipoToken::Palabra, ahora, x.espacio);
            continue;
        }
        if (x.tipo != TipoToken::Palabra || i + 1 >= t.size() || !t[i + 1].esSimbolo("("))
            continue;
        const QString f = x.texto.toUpper();
        const qsizetype abre = i + 1;
        const qsizetype cierra = Cierre(t, abre);
        if (cierra < 0)
            rechazar(QStringLiteral("Paréntesis sin cerrar después de %1").arg(x.texto));
        const auto args = argumentos(t, abre, cierra);
        const QString espacio = x.espacio;
        auto reemplazar = [&](const Tokens &nuevo) {
            t.remove(i, cierra - i + 1);
            for (qsizetype k = 0; k < nuevo.size(); ++k)
                t.insert(i + k, nuevo[k]);
            if (!nuevo.isEmpty())
                t[i].espacio = espacio;
        };
        auto exigir = [&](int cuantos) {
            if (args.size() != cuantos)
                rechazar(QStringLiteral("%1 espera %2 argumentos").arg(x.texto).arg(cuantos));
        };
        if (f == QLatin1String("GETDATE") || f == QLatin1String("SYSDATETIME")) {
            exigir(0);
            reemplazar(texto(ahora));
        } else if (f == QLatin1String("SCOPE_IDENTITY")) {
            reemplazar(texto(QStringLiteral("last_insert_rowid()")));
        } else if (f == QLatin1String("LEN")) {
            // LEN leaves out the trailing blanks.
            exigir(1);
            reemplazar(componer(QStringLiteral("LENGTH(RTRIM($1))"), {tomar(t, args[0])}));
        } else if (f == QLatin1String("ISNULL")) {
            exigir(2);
            x.texto = QStringLiteral("IFNULL");
        } else if (f == QLatin1String("SUBSTRING")) {
            x.texto = QStringLiteral("SUBSTR");
        } else if (f == QLatin1String("CHARINDEX")) {
            if (args.size() == 2) {
                reemplazar(componer(QStringLiteral("INSTR($1, $2)"), {tomar(t, args[1]), tomar(t, args[0])}));
            } else {
                exigir(3);
                reemplazar(componer(
                    QStringLiteral("(CASE WHEN INSTR(SUBSTR($1, $3), $2) > 0 THEN INSTR(SUBSTR($1, $3), $2) + "
                                   "($3) - 1 ELSE 0 END)"),
                    {tomar(t, args[1]), tomar(t, args[0]), tomar(t, args[2])}));
            }
        } else if (f == QLatin1String("LEFT")) {
            exigir(2);
            reemplazar(componer(QStringLiteral("SUBSTR($1, 1, $2)"), {tomar(t, args[0]), tomar(t, args[1])}));
        } else if (f == QLatin1String("RIGHT")) {
            exigir(2);
            reemplazar(componer(QStringLiteral("(CASE WHEN ($2) > 0 THEN SUBSTR($1, -($2)) ELSE '' END)"),
                                {tomar(t, args[0]), tomar(t, args[1])}));
        } else if (f == QLatin1String("YEAR") || f == QLatin1String("MONTH") || f == QLatin1String("DAY")) {
            exigir(1);
            const QString formato = f == QLatin1String("YEAR") ? QStringLiteral("%Y")
                : f == QLatin1String("MONTH")                  ? QStringLiteral("%m")
                                                                : QStringLiteral("%d");
            reemplazar(componer(QStringLiteral("CAST(strftime('") + formato + QStringLiteral("', $1) AS INTEGER)"),
                                {tomar(t, args[0])}));
        } else if (f == QLatin1String("SPACE")) {
            exigir(1);
            reemplazar(componer(QStringLiteral("printf('%*s', $1, '')"), {tomar(t, args[0])}));
        } else if (f == QLatin1String("CONVERT")) {
            if (args.size() < 2 || args.size() > 3)
                rechazar(QStringLiteral("CONVERT espera 2 o 3 argumentos"));
            const QString tipo = t[args[0].first].texto.toUpper();
            const Tokens valor = tomar(t, args[1]);
            const QString estilo = args.size() == 3 ? Unir(t.mid(args[2].first, args[2].second - args[2].first))
                                                    : QString();
            const bool aTexto = tipo.contains(QLatin1String("CHAR")) || tipo.contains(QLatin1String("TEXT"));
            if (aTexto) {
                if (estilo.isEmpty())
                    reemplazar(componer(QStringLiteral("CAST($1 AS TEXT)"), {valor}));
                else if (estilo == QLatin1String("103"))
                    reemplazar(componer(QStringLiteral("COALESCE(strftime('%d/%m/%Y', $1), CAST($1 AS TEXT))"),
                                        {valor}));
                else if (estilo == QLatin1String("108"))
                    reemplazar(componer(QStringLiteral("COALESCE(strftime('%H:%M:%S', $1), CAST($1 AS TEXT))"),
                                        {valor}));
                else if (estilo == QLatin1String("112"))
                    reemplazar(componer(QStringLiteral("COALESCE(strftime('%Y%m%d', $1), CAST($1 AS TEXT))"),
                                        {valor}));
                else
                    rechazar(QStringLiteral("CONVERT con el estilo %1 no tiene equivalente").arg(estilo));
            } else if (tipo == QLatin1String("INT") || tipo == QLatin1String("INTEGER")
                       || tipo == QLatin1String("BIGINT") || tipo == QLatin1String("SMALLINT")
                       || tipo == QLatin1String("TINYINT") || tipo == QLatin1String("BIT")) {
                reemplazar(componer(QStringLiteral("CAST($1 AS INTEGER)"), {valor}));
            } else if (tipo == QLatin1String("DECIMAL") || tipo == QLatin1String("NUMERIC")
                       || tipo == QLatin1String("FLOAT") || tipo == QLatin1String("MONEY")
                       || tipo == QLatin1String("REAL")) {
                reemplazar(componer(QStringLiteral("CAST($1 AS REAL)"), {valor}));
            } else if (tipo.startsWith(QLatin1String("DATE")) && estilo.isEmpty()) {
                reemplazar(componer(QStringLiteral("($1)"), {valor}));
            } else {
                rechazar(QStringLiteral("CONVERT a %1 no tiene equivalente").arg(tipo));
            }
        } else if (sinEquivalente.contains(f)) {
            rechazar(QStringLiteral("La función %1 no tiene equivalente en la base embebida").arg(x.texto));
        }
    }
}

// A date written in a literal as the server reads it (day first, or ISO), as
// the text the embedded database keeps dates in; empty when it is no date.
QString fechaIso(const QString &literal)
{
    static const QRegularExpression dma(
        QStringLiteral(R"(^\s*(\d{1,2})[/.-](\d{1,2})[/.-](\d{2}|\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    static const QRegularExpression iso(
        QStringLiteral(R"(^\s*(\d{4})-?(\d{2})-?(\d{2})(?:[ T](\d{1,2}):(\d{2})(?::(\d{2}))?(?:\.\d+)?)?\s*$)"));
    int d, m, a;
    QRegularExpressionMatch x = dma.match(literal);
    if (x.hasMatch()) {
        d = x.captured(1).toInt();
        m = x.captured(2).toInt();
        a = x.captured(3).toInt();
        if (x.captured(3).size() == 2)
            a += a < 50 ? 2000 : 1900;
    } else if ((x = iso.match(literal)).hasMatch()) {
        a = x.captured(1).toInt();
        m = x.captured(2).toInt();
        d = x.captured(3).toInt();
    } else {
        return {};
    }
    const QDate dia(a, m, d);
    const QTime hora(x.captured(4).toInt(), x.captured(5).toInt(), x.captured(6).toInt());
    if (!dia.isValid() || !hora.isValid())
        return {};
    return QDateTime(dia, hora).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

bool esColumnaFecha(const Tokens &t, qsizetype i, const OpcionesDialecto &op)
{
    return i >= 0 && i < t.size() && t[i].esNombre() && op.tipoColumna
        && op.tipoColumna(t[i].nombre()) == TipoDeColumna::Fecha;
}

void reescribirFecha(Token &literal)
{
    const QString iso = fechaIso(literal.texto.mid(1, literal.texto.size() - 2));
    if (!iso.isEmpty())
        literal.texto = u'\'' + iso + u'\'';
}

// Dates compared with or written into a date column: the server reads the
// literal as a date, so it becomes the text the embedded database holds.
void fechasLiterales(Tokens &t, const OpcionesDialecto &op)
{
    if (!op.tipoColumna)
        return;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].tipo != TipoToken::Cadena)
            continue;
        bool fecha = false;
        if (i >= 2 && esComparacion(t[i - 1]))
            fecha = esColumnaFecha(t, i - 2, op);
        if (!fecha && i + 2 < t.size() && esComparacion(t[i + 1]))
            fecha = esColumnaFecha(t, i + 2, op) && !(i + 3 < t.size() && t[i + 3].esSimbolo("."));
        if (!fecha && i >= 2 && t[i - 1].es("BETWEEN"))
            fecha = esColumnaFecha(t, i - 2, op);
        if (!fecha && i >= 4 && t[i - 1].es("AND") && t[i - 3].es("BETWEEN"))
            fecha = esColumnaFecha(t, i - 4, op);
        if (fecha)
            reescribirFecha(t[i]);
    }
    // INSERT INTO T (a, b, …) VALUES (x, y, …): each value goes to its column.
    if (t.size() < 4 || !t[0].es("INSERT"))
        return;
    qsizetype lista = -1, valores = -1;
    for (qsizetype i = 1; i < t.size(); ++i) {
        if (lista < 0 && t[i].esSimbolo("("))
            lista = i;
        if (t[i].es("VALUES")) {
            valores = i + 1;
            break;
        }
    }
    if (lista < 0 || valores < 0 || valores >= t.size() || !t[valores].esSimbolo("("))
        return;
    const qsizetype finLista = Cierre(t, lista), finValores = Cierre(t, valores);
    if (finLista < 0 || finValores < 0 || finLista > valores)
        return;
    QStringList columnas;
    for (qsizetype k = lista + 1; k < finLista; ++k)
        if (t[k].esNombre())
            columnas << t[k].nombre();
    int nivel = 0, n = 0;
    for (qsizetype k = valores + 1; k < finValores; ++k) {
        if (t[k].esSimbolo("("))
            ++nivel;
        else if (t[k].esSimbolo(")"))
            --nivel;
        else if (nivel == 0 && t[k].esSimbolo(","))
            ++n;
        else if (nivel == 0 && t[k].tipo == TipoToken::Cadena && n < columnas.size()
                 && op.tipoColumna(columnas.at(n)) == TipoDeColumna::Fecha
                 && (t[k - 1].esSimbolo(",") || t[k - 1].esSimbolo("(")))
            reescribirFecha(t[k]);
    }
}

// Text compared with a literal ignores letter case, as with the server's collation.
void compararSinMayusculas(Tokens &t)
{
    for (qsizetype i = t.size() - 1; i >= 0; --i) {
        if (t[i].tipo != TipoToken::Cadena)
            continue;
        const bool antes = i > 0 && esComparacion(t[i - 1]);
        const bool despues = i + 1 < t.size() && esComparacion(t[i + 1]);
        if (!antes && !despues)
            continue;
        if (i + 1 < t.size() && t[i + 1].es("COLLATE"))
            continue;
        // Trailing blanks do not count when the server compares texts.
        while (t[i].texto.size() > 2 && t[i].texto.at(t[i].texto.size() - 2) == u' ')
            t[i].texto.remove(t[i].texto.size() - 2, 1);
        t.insert(i + 1, Nuevo(TipoToken::Palabra, QStringLiteral("COLLATE")));
        t.insert(i + 2, Nuevo(TipoToken::Palabra, QStringLiteral("NOCASE")));
    }
}

}
