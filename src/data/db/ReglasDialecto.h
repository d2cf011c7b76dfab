#pragma once

#include "Dialecto.h"

// The rewriting rules of the SQL Server dialect for SQLite, shared by the
// translator's parts: expressions and functions, and column definitions.
namespace db::reglas {

using Tokens = QList<Token>;

[[noreturn]] inline void rechazar(const QString &motivo)
{
    throw ErrorTraduccion{motivo};
}

inline bool enLista(const Token &t, std::initializer_list<const char *> palabras)
{
    for (const char *p : palabras)
        if (t.es(p))
            return true;
    return false;
}

inline QString mayus(const Token &t)
{
    return t.tipo == TipoToken::Palabra ? t.texto.toUpper() : QString();
}

inline bool esComparacion(const Token &t)
{
    return t.tipo == TipoToken::Simbolo
        && (t.texto == QLatin1String("=") || t.texto == QLatin1String("<>") || t.texto == QLatin1String("!=")
            || t.texto == QLatin1String("<") || t.texto == QLatin1String(">") || t.texto == QLatin1String("<=")
            || t.texto == QLatin1String(">="));
}

// SQL text as tokens, led by one blank, to put into a statement.
Tokens texto(const QString &sql);

// "+" joins texts where SQL Server would join them, and adds otherwise.
void unirTextos(Tokens &t, const OpcionesDialecto &op);
// SQL Server's functions as SQLite's (getDate, LEN, ISNULL, CONVERT, CHARINDEX…).
void funciones(Tokens &t, const OpcionesDialecto &op, bool definicion);
// Day-first date literals meant for date columns, as the dates the database keeps.
void fechasLiterales(Tokens &t, const OpcionesDialecto &op);
// Literals compared with texts ignore letter case and trailing blanks.
void compararSinMayusculas(Tokens &t);

// CREATE TABLE with SQLite's column definitions.
void crearTabla(Tokens &t);
// "ALTER TABLE T ADD a …, b …" as one "ADD COLUMN" statement per column.
QList<Tokens> agregarColumnas(const Tokens &t);

}
