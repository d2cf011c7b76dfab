#pragma once

#include <QList>
#include <QString>

// The pieces of a SQL Server statement: words, literals, bracketed names,
// symbols. Blanks and comments stay with the token that follows them, so a
// statement can be written back exactly as it came, apart from what changed.
namespace db {

enum class TipoToken { Palabra, Cadena, Numero, Corchete, Comillas, Variable, Simbolo };

struct Token
{
    TipoToken tipo = TipoToken::Simbolo;
    QString texto;
    QString espacio;        // blanks and comments before it
    bool saltoAntes = false; // a line break is among them

    bool es(const char *palabra) const
    {
        return tipo == TipoToken::Palabra && texto.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0;
    }
    bool esSimbolo(const char *s) const { return tipo == TipoToken::Simbolo && texto == QLatin1String(s); }
    // The name it stands for: a word or a bracketed or quoted name without its marks.
    QString nombre() const;
    bool esNombre() const
    {
        return tipo == TipoToken::Palabra || tipo == TipoToken::Corchete || tipo == TipoToken::Comillas;
    }
};

// What is left unsaid at the end: an unclosed literal, name or comment.
struct ErrorTraduccion
{
    QString mensaje;
};

// Throws ErrorTraduccion on unclosed text.
QList<Token> Tokenizar(const QString &sql);
QString Unir(const QList<Token> &tokens);

Token Nuevo(TipoToken tipo, const QString &texto, const QString &espacio = QStringLiteral(" "));

// The index of the ")" that closes the "(" at `abre`, or -1.
qsizetype Cierre(const QList<Token> &t, qsizetype abre);

}
