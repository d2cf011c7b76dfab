#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace db {
class Recordset;
}

// The definition editor's rules that need no window: the entries of the
// definition chooser (a display name padded to 200 characters followed by the
// table or view it shows), which schema objects are offered and under which
// name, the entries fixed by the suite, the single entry of a launch for one
// definition, the wider views that lend their columns, and the SELECT text of
// the SQL view.
namespace ListaDefiniciones {

// Width of the display name inside an entry; the table starts right after it.
inline constexpr int kAnchoNombre = 200;

// The display name padded (or cut) to 200 characters, then the table.
QString ArmarEntrada(const QString &nombre, const QString &tabla);
// The definition name of an entry: its first 200 characters, trimmed.
QString NombreDeEntrada(const QString &entrada);
// The table of an entry: everything from character 201 on, trimmed.
QString TablaDeEntrada(const QString &entrada);

// The display name a schema object is offered under, from its prefix; empty
// when the object is not offered (lookup views VT_, other P_MA_ tables, names
// without a known prefix). Keeps the letter case of the database.
QString NombreVisible(const QString &tabla);

// Whether a row of the tables rowset becomes an entry: a table or a view with a
// display name, and not one of the three objects that fixed entries stand for.
bool SeOfrece(const QString &tabla, const QString &tipo);

// The entries of the rows of a tables rowset, in the order the rowset gives them.
QStringList EntradasDelEsquema(db::Recordset &tablas);

// The seven entries the suite always offers, upper case as a whole.
QStringList EntradasFijas();

// Sorts entries by their whole text, letter case ignored; equal ones keep their order.
void Ordenar(QStringList &entradas);

// The one entry of a window opened for a single definition (`@ParametroAdicional`):
// a known definition, or "*" followed by a table or view name. None for anything else.
std::optional<QString> EntradaDelParametro(const QString &parametro);

// The table or view whose columns are offered for a definition's table: two
// views take them from a wider lookup view; any other table gives its own.
QString TablaDeColumnas(const QString &tabla);

// Whether an entry is the articles definition (its first 20 characters, trimmed,
// are ARTICULOS), whatever table it shows.
bool EsArticulos(const QString &entrada);

// The SELECT of the SQL view: "*" when every column of the table is chosen,
// otherwise the chosen names as shown, joined by ", "; " WHERE " only for a
// condition that is not blank.
QString InstruccionSql(const QStringList &elegidas, int cantidadCampos, const QString &tabla,
                       const QString &condicion);

}
