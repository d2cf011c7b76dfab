#pragma once

#include "Tokens.h"

#include <QList>
#include <QString>
#include <functional>

// The system writes SQL Server's dialect; this rewrites it for a SQLite
// database: row limits, table hints, owner prefixes, SQL Server's functions,
// "+" between texts, transaction statements, batches and column definitions.
// What it cannot rewrite faithfully it refuses (ErrorTraduccion) rather than
// run something that means another thing.
namespace db {

enum class ClaseSentencia { Comun, Comenzar, Confirmar, Deshacer, Nada };

struct SentenciaTraducida
{
    QString texto;
    ClaseSentencia clase = ClaseSentencia::Comun;
    bool cambiaEsquema = false; // CREATE, ALTER, DROP
};

// Kind of a column named in a statement, for telling "+" apart.
enum class TipoDeColumna { Desconocido, Texto, Numero, Fecha, Ambiguo };

struct OpcionesDialecto
{
    // getDate() of the embedded backend is the program's clock (dc_ahora()); through
    // ODBC it is SQLite's own local time.
    bool relojPropio = true;
    std::function<TipoDeColumna(const QString &columna)> tipoColumna;
};

// The statements of a batch, each rewritten. Throws ErrorTraduccion.
QList<SentenciaTraducida> TraducirParaSqlite(const QString &sql, const OpcionesDialecto &opciones = {});

// Splits a batch of SQL Server statements (";", "GO" lines, or a new statement
// keyword) without rewriting them.
QList<QList<Token>> DividirLote(const QList<Token> &tokens);

// The table of a SELECT on one table ("SELECT … FROM dbo.T with(nolock) WHERE …"),
// or an empty text when the statement reads more than one table or is no SELECT.
QString TablaDeConsulta(const QString &sql);

}
