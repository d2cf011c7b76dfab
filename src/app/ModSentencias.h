#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Statement builders of the application module: field/value pairs collected
// one by one and turned into INSERT or UPDATE statements for a script.
struct ParCampoValor
{
    QString Campo;
    QString Valor; // already an SQL literal
};

// The pending pair list shared by the builders.
inline QList<ParCampoValor> gCamposValores;

// Adds a pair (or starts a new list with it). "NULL" in any case stays Null;
// any other value becomes a literal of the kind marker ("@" number, "'" text).
void AgregarCampoValor(const QString &Campo, QString &Valor, const QString &Marca, bool NuevaLista);

// Appends the statement for the pairs, then an empty element, to `Sentencias`.
void ArmarSentencia(QList<ParCampoValor> &Pares, QStringList &Sentencias, const QString &Tabla, bool Actualizar,
                    QString &Condicion, bool MantenerPares);

// Appends "(fields) VALUES (values)" to `Texto`.
void ArmarValores(QString &Texto, QList<ParCampoValor> &Pares, bool Borrar);

// The row limit of "SELECT top n * FROM table" in the Oracle dialect, when the
// shared connection is an Oracle one.
QString ConvertirTopOracle(const QString &Sentencia);
