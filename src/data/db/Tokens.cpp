#include "Tokens.h"

namespace db {

QString Token::nombre() const
{
    if (tipo == TipoToken::Corchete)
        return texto.mid(1, texto.size() - 2).replace(QLatin1String("]]"), QLatin1String("]"));
    if (tipo == TipoToken::Comillas)
        return texto.mid(1, texto.size() - 2).replace(QLatin1String("\"\""), QLatin1String("\""));
    return texto;
}

Token Nuevo(TipoToken tipo, const QString &texto, const QString &espacio)
{
    Token t;
    t.tipo = tipo;
    t.texto = texto;
    t.espacio = espacio;
    return t;
}

namespace {
bool inicioNombre(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'#';
}
bool sigueNombre(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'#' || c == u'$' || c == u'@';
}
}

QList<Token> Tokenizar(const QString &sql)
{
    QList<Token> tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    QString espacio;
    auto agregar = [&](TipoToken tipo, qsizetype desde) {
        Token t;
        t.tipo = tipo;
        t.texto = sql.mid(desde, i - desde);
        t.espacio = espacio;
        t.saltoAntes = espacio.contains(u'\n') || espacio.contains(u'\r');
        tokens.append(t);
        espacio.clear();
    };
    // A literal closed by `cierre`, where a doubled `cierre` stands for itself.
    auto cerrado = [&](QChar cierre, const char *que) {
        ++i;
        while (i < n) {
            if (sql[i] == cierre) {
                if (i + 1 < n && sql[i + 1] == cierre) {
                    i += 2;
                    continue;
                }
                ++i;
                return;
            }
            ++i;
        }
        throw ErrorTraduccion{QStringLiteral("%1 sin cerrar en la instrucción").arg(QLatin1String(que))};
    };
    while (i < n) {
        const QChar c = sql[i];
        const QChar sig = i + 1 < n ? sql[i + 1] : QChar();
        if (c.isSpace()) {
            espacio += c;
            ++i;
        } else if (c == u'-' && sig == u'-') {
            const qsizetype fin = sql.indexOf(u'\n', i);
            const qsizetype hasta = fin < 0 ? n : fin;
            espacio += sql.mid(i, hasta - i);
            i = hasta;
        } else if (c == u'/' && sig == u'*') {
            const qsizetype desde = i;
            int nivel = 0;
            while (i < n) {
                if (sql[i] == u'/' && i + 1 < n && sql[i + 1] == u'*') {
                    ++nivel;
                    i += 2;
                } else if (sql[i] == u'*' && i + 1 < n && sql[i + 1] == u'/') {
                    i += 2;
                    if (--nivel == 0)
                        break;
                } else {
                    ++i;
                }
            }
            if (nivel != 0)
                throw ErrorTraduccion{QStringLiteral("Comentario sin cerrar en la instrucción")};
            espacio += sql.mid(desde, i - desde);
        } else if (c == u'\'') {
            const qsizetype desde = i;
            cerrado(u'\'', "Texto");
            agregar(TipoToken::Cadena, desde);
        } else if ((c == u'N' || c == u'n') && sig == u'\'') {
            const qsizetype desde = i;
            ++i;
            cerrado(u'\'', "Texto");
            agregar(TipoToken::Cadena, desde);
        } else if (c == u'[') {
            const qsizetype desde = i;
            cerrado(u']', "Nombre entre corchetes");
            agregar(TipoToken::Corchete, desde);
        } else if (c == u'"') {
            const qsizetype desde = i;
            cerrado(u'"', "Nombre entre comillas");
            agregar(TipoToken::Comillas, desde);
        } else if (c.isDigit() || (c == u'.' && sig.isDigit())) {
            const qsizetype desde = i;
            while (i < n && (sql[i].isDigit() || sql[i] == u'.'))
                ++i;
            if (i < n && (sql[i] == u'e' || sql[i] == u'E')
                && (i + 1 < n && (sql[i + 1].isDigit() || sql[i + 1] == u'-' || sql[i + 1] == u'+'))) {
                i += 2;
                while (i < n && sql[i].isDigit())
                    ++i;
            }
            agregar(TipoToken::Numero, desde);
        } else if (c == u'@') {
            const qsizetype desde = i;
            ++i;
            while (i < n && sigueNombre(sql[i]))
                ++i;
            agregar(TipoToken::Variable, desde);
        } else if (inicioNombre(c)) {
            const qsizetype desde = i;
            while (i < n && sigueNombre(sql[i]))
                ++i;
            agregar(TipoToken::Palabra, desde);
        } else {
            const qsizetype desde = i;
            static const char *dobles[] = {"<>", "!=", "<=", ">=", "||", "!<", "!>"};
            bool doble = false;
            for (const char *d : dobles)
                if (c == QLatin1Char(d[0]) && sig == QLatin1Char(d[1]))
                    doble = true;
            i += doble ? 2 : 1;
            agregar(TipoToken::Simbolo, desde);
        }
    }
    return tokens;
}

QString Unir(const QList<Token> &tokens)
{
    QString s;
    for (const Token &t : tokens) {
        s += t.espacio;
        s += t.texto;
    }
    return s.trimmed();
}

qsizetype Cierre(const QList<Token> &t, qsizetype abre)
{
    int nivel = 0;
    for (qsizetype i = abre; i < t.size(); ++i) {
        if (t[i].esSimbolo("("))
            ++nivel;
        else if (t[i].esSimbolo(")") && --nivel == 0)
            return i;
    }
    return -1;
}

}
