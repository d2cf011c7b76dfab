#include "Dialecto.h"

#include "ReglasDialecto.h"

namespace db {

namespace {

using namespace reglas;

const std::initializer_list<const char *> kSugerencias = {
    "NOLOCK", "READUNCOMMITTED", "ROWLOCK", "UPDLOCK", "HOLDLOCK", "TABLOCK", "TABLOCKX",
    "PAGLOCK", "NOWAIT", "READPAST", "READCOMMITTED", "REPEATABLEREAD", "SERIALIZABLE", "XLOCK"};

// ---- Splitting a batch ----

bool empiezaSentencia(const Tokens &actual, const Tokens &todos, qsizetype i)
{
    const Token &t = todos[i];
    if (t.tipo != TipoToken::Palabra || actual.isEmpty())
        return false;
    const QString primera = mayus(actual.first());
    const QString previa = actual.last().tipo == TipoToken::Palabra ? mayus(actual.last()) : actual.last().texto;
    const QString k = mayus(t);
    if (k == QLatin1String("INSERT") || k == QLatin1String("CREATE") || k == QLatin1String("TRUNCATE")
        || k == QLatin1String("BEGIN") || k == QLatin1String("COMMIT") || k == QLatin1String("ROLLBACK")
        || k == QLatin1String("DECLARE") || k == QLatin1String("EXEC") || k == QLatin1String("EXECUTE")
        || k == QLatin1String("PRINT") || k == QLatin1String("IF") || k == QLatin1String("WHILE")
        || k == QLatin1String("USE") || k == QLatin1String("GRANT"))
        return primera != QLatin1String("IF");
    if (k == QLatin1String("DROP") || k == QLatin1String("ALTER"))
        return primera != QLatin1String("ALTER") && primera != QLatin1String("IF");
    if (k == QLatin1String("UPDATE"))
        return previa != QLatin1String("ON") && previa != QLatin1String("FOR") && primera != QLatin1String("IF");
    if (k == QLatin1String("DELETE"))
        return previa != QLatin1String("ON") && primera != QLatin1String("IF");
    if (k == QLatin1String("SET"))
        return primera != QLatin1String("UPDATE") && primera != QLatin1String("IF");
    if (k == QLatin1String("SELECT")) {
        if (previa == QLatin1String("UNION") || previa == QLatin1String("ALL") || previa == QLatin1String("EXCEPT")
            || previa == QLatin1String("INTERSECT") || previa == QLatin1String("AS") || previa == QLatin1String("("))
            return false;
        if (primera == QLatin1String("INSERT")) {
            for (const Token &x : actual)
                if (x.es("VALUES") || x.es("SELECT"))
                    return true;
            return false;
        }
        return primera != QLatin1String("CREATE") && primera != QLatin1String("IF")
            && primera != QLatin1String("WITH");
    }
    return false;
}

// ---- Rewrites on one statement ----

// "WITH (NOLOCK)" and "(NOLOCK)" after a table: SQLite has no locking hints.
void quitarSugerencias(Tokens &t)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        qsizetype abre = -1;
        if (t[i].es("WITH") && i + 1 < t.size() && t[i + 1].esSimbolo("("))
            abre = i + 1;
        else if (t[i].esSimbolo("(") && i > 0 && t[i - 1].esNombre() && !t[i - 1].es("VALUES")
                 && !t[i - 1].es("IN"))
            abre = i;
        if (abre < 0)
            continue;
        const qsizetype cierra = Cierre(t, abre);
        if (cierra < 0 || cierra == abre + 1)
            continue;
        bool soloSugerencias = true;
        for (qsizetype k = abre + 1; k < cierra; ++k)
            if (!(t[k].esSimbolo(",") || enLista(t[k], kSugerencias)))
                soloSugerencias = false;
        if (!soloSugerencias)
            continue;
        const qsizetype desde = t[i].es("WITH") ? i : abre;
        const QString espacio = t[desde].espacio;
        t.remove(desde, cierra - desde + 1);
        if (desde < t.size() && t[desde].espacio.isEmpty())
            t[desde].espacio = espacio.isEmpty() ? QStringLiteral(" ") : espacio;
        i = desde - 1;
    }
}

// "dbo.T", "BASE.dbo.T" and "BASE..T" name the table T of the one database.
void quitarPropietario(Tokens &t)
{
    for (qsizetype i = 0; i + 1 < t.size(); ++i) {
        if (t[i].esNombre() && t[i].nombre().compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0
            && t[i + 1].esSimbolo(".")) {
            qsizetype desde = i;
            if (i >= 2 && t[i - 1].esSimbolo(".") && t[i - 2].esNombre())
                desde = i - 2;
            const QString espacio = t[desde].espacio;
            t.remove(desde, i + 2 - desde);
            if (desde < t.size())
                t[desde].espacio = espacio;
            i = desde - 1;
        } else if (t[i].esNombre() && t[i + 1].esSimbolo(".") && i + 2 < t.size() && t[i + 2].esSimbolo(".")) {
            const QString espacio = t[i].espacio;
            t.remove(i, 3);
            if (i < t.size())
                t[i].espacio = espacio;
            --i;
        }
    }
}

// "SELECT TOP n …" becomes "SELECT … LIMIT n" at the end of that SELECT, also
// inside subqueries; "TOP 100 PERCENT" is every row.
void limitarFilas(Tokens &t)
{
    for (qsizetype i = t.size() - 1; i >= 0; --i) {
        if (!t[i].es("SELECT"))
            continue;
        qsizetype j = i + 1;
        if (j < t.size() && (t[j].es("DISTINCT") || t[j].es("ALL")))
            ++j;
        if (j >= t.size() || !t[j].es("TOP"))
            continue;
        qsizetype k = j + 1;
        Tokens cuenta;
        if (k < t.size() && t[k].esSimbolo("(")) {
            const qsizetype c = Cierre(t, k);
            if (c < 0)
                rechazar(QStringLiteral("TOP sin cerrar"));
            cuenta = t.mid(k, c - k + 1);
            k = c + 1;
        } else if (k < t.size() && (t[k].tipo == TipoToken::Numero || t[k].tipo == TipoToken::Variable)) {
            cuenta.append(t[k]);
            ++k;
        } else {
            rechazar(QStringLiteral("TOP sin cantidad"));
        }
        bool porciento = false;
        if (k < t.size() && t[k].es("PERCENT")) {
            porciento = true;
            ++k;
        }
        if (k + 1 < t.size() && t[k].es("WITH") && t[k + 1].es("TIES"))
            rechazar(QStringLiteral("TOP … WITH TIES no tiene equivalente"));
        if (porciento && !(cuenta.size() == 1 && cuenta[0].texto.toDouble() >= 100))
            rechazar(QStringLiteral("TOP … PERCENT solo se admite con 100"));
        const QString espacio = t[k < t.size() ? k : j].espacio;
        t.remove(j, k - j);
        if (j < t.size())
            t[j].espacio = espacio.isEmpty() ? QStringLiteral(" ") : espacio;
        if (porciento)
            continue;
        // The end of this SELECT: the ")" that closes its subquery, or the end.
        int nivel = 0;
        qsizetype fin = t.size();
        for (qsizetype m = i + 1; m < t.size(); ++m) {
            if (t[m].esSimbolo("("))
                ++nivel;
            else if (t[m].esSimbolo(")")) {
                if (nivel == 0) {
                    fin = m;
                    break;
                }
                --nivel;
            } else if (nivel == 0 && enLista(t[m], {"UNION", "EXCEPT", "INTERSECT"})) {
                rechazar(QStringLiteral("TOP en una consulta con UNION no tiene equivalente"));
            }
        }
        if (!cuenta.isEmpty())
            cuenta.first().espacio = QStringLiteral(" ");
        Tokens limite{Nuevo(TipoToken::Palabra, QStringLiteral("LIMIT"))};
        limite += cuenta;
        for (qsizetype m = 0; m < limite.size(); ++m)
            t.insert(fin + m, limite[m]);
    }
}
ClaseSentencia clasificar(const Tokens &t)
{
    const Token &p = t.first();
    auto siguienteEs = [&](std::initializer_list<const char *> palabras) {
        return t.size() == 1 || enLista(t[1], palabras);
    };
    if (p.es("BEGIN")) {
        if (siguienteEs({"TRAN", "TRANSACTION"}))
            return ClaseSentencia::Comenzar;
        rechazar(QStringLiteral("Los bloques BEGIN … END no tienen equivalente en la base embebida"));
    }
    if (p.es("COMMIT") && siguienteEs({"TRAN", "TRANSACTION", "WORK"}))
        return ClaseSentencia::Confirmar;
    if (p.es("ROLLBACK") && siguienteEs({"TRAN", "TRANSACTION", "WORK"}))
        return ClaseSentencia::Deshacer;
    if (p.es("SET")) {
        if (t.size() > 1
            && enLista(t[1], {"NOCOUNT", "TRANSACTION", "DATEFORMAT", "ANSI_NULLS", "ANSI_WARNINGS",
                              "ANSI_PADDING", "QUOTED_IDENTIFIER", "XACT_ABORT", "LANGUAGE", "ARITHABORT",
                              "CONCAT_NULL_YIELDS_NULL", "LOCK_TIMEOUT", "DEADLOCK_PRIORITY"}))
            return ClaseSentencia::Nada;
        rechazar(QStringLiteral("SET %1 no tiene equivalente en la base embebida")
                     .arg(t.size() > 1 ? t[1].texto : QString()));
    }
    if (enLista(p, {"IF", "WHILE", "DECLARE", "EXEC", "EXECUTE", "PRINT", "USE", "GRANT", "RAISERROR",
                    "GOTO", "RETURN"}))
        rechazar(QStringLiteral("%1 no tiene equivalente en la base embebida").arg(p.texto.toUpper()));
    return ClaseSentencia::Comun;
}
} // namespace

QList<QList<Token>> DividirLote(const QList<Token> &tokens)
{
    QList<Tokens> lote;
    Tokens actual;
    int nivel = 0;
    auto cerrar = [&] {
        if (!actual.isEmpty())
            lote.append(actual);
        actual.clear();
    };
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const Token &x = tokens[i];
        if (nivel == 0 && x.esSimbolo(";")) {
            cerrar();
            continue;
        }
        if (nivel == 0 && x.es("GO") && (actual.isEmpty() || x.saltoAntes)
            && (i + 1 == tokens.size() || tokens[i + 1].saltoAntes)) {
            cerrar();
            continue;
        }
        if (nivel == 0 && empiezaSentencia(actual, tokens, i))
            cerrar();
        if (x.esSimbolo("("))
            ++nivel;
        else if (x.esSimbolo(")") && nivel > 0)
            --nivel;
        actual.append(x);
    }
    cerrar();
    return lote;
}

QList<SentenciaTraducida> TraducirParaSqlite(const QString &sql, const OpcionesDialecto &op)
{
    QList<SentenciaTraducida> resultado;
    for (Tokens t : DividirLote(Tokenizar(sql))) {
        SentenciaTraducida s;
        s.clase = clasificar(t);
        if (s.clase != ClaseSentencia::Comun) {
            s.texto = Unir(t);
            resultado.append(s);
            continue;
        }
        if (t.first().es("TRUNCATE") && t.size() > 1 && t[1].es("TABLE")) {
            t[0].texto = QStringLiteral("DELETE");
            t[1].texto = QStringLiteral("FROM");
        }
        const bool definicion = enLista(t.first(), {"CREATE", "ALTER", "DROP"});
        s.cambiaEsquema = definicion;
        quitarSugerencias(t);
        quitarPropietario(t);
        limitarFilas(t);
        unirTextos(t, op);
        funciones(t, op, definicion);
        if (!definicion) {
            fechasLiterales(t, op);
            compararSinMayusculas(t);
        }
        if (t.first().es("CREATE") && t.size() > 1 && t[1].es("TABLE")) {
            crearTabla(t);
        } else if (t.first().es("CREATE")) {
            for (qsizetype k = t.size() - 1; k >= 0; --k)
                if (t[k].es("CLUSTERED") || t[k].es("NONCLUSTERED"))
                    t.remove(k);
        } else if (t.first().es("ALTER") && t.size() > 1 && t[1].es("TABLE")) {
            for (const Tokens &a : agregarColumnas(t))
                resultado.append({Unir(a), ClaseSentencia::Comun, true});
            continue;
        }
        s.texto = Unir(t);
        resultado.append(s);
    }
    return resultado;
}

QString TablaDeConsulta(const QString &sql)
{
    Tokens t;
    try {
        t = Tokenizar(sql);
    } catch (const ErrorTraduccion &) {
        return {};
    }
    if (t.isEmpty() || !t.first().es("SELECT"))
        return {};
    quitarSugerencias(t);
    quitarPropietario(t);
    int nivel = 0;
    qsizetype desde = -1;
    for (qsizetype k = 0; k < t.size(); ++k) {
        if (t[k].esSimbolo("("))
            ++nivel;
        else if (t[k].esSimbolo(")"))
            --nivel;
        else if (nivel == 0 && enLista(t[k], {"UNION", "EXCEPT", "INTERSECT"}))
            return {};
        else if (nivel == 0 && t[k].es("FROM") && desde < 0)
            desde = k + 1;
    }
    if (desde < 0 || desde >= t.size() || !t[desde].esNombre())
        return {};
    const QString tabla = t[desde].nombre();
    qsizetype k = desde + 1;
    if (k < t.size() && t[k].es("AS"))
        ++k;
    if (k < t.size() && t[k].esNombre()
        && !enLista(t[k], {"WHERE", "ORDER", "GROUP", "HAVING", "JOIN", "INNER", "LEFT", "RIGHT", "FULL",
                           "CROSS", "OUTER", "LIMIT"}))
        ++k;
    if (k < t.size() && !enLista(t[k], {"WHERE", "ORDER", "GROUP", "HAVING", "LIMIT"}) && !t[k].esSimbolo(";"))
        return {};
    return tabla;
}

}
