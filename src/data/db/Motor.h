#pragma once

#include "Ado.h"
#include "Errors.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <vector>

// One backend of the layer: a live session with one database that runs single
// statements of its own dialect. Failures are thrown as FalloProveedor with the
// provider's entries already mapped to SQL Server's native codes.
namespace db {

enum class Dialecto { SqlServer, Sqlite, Oracle, Access };

struct ColumnaResultado
{
    QString nombre;
    QString tablaBase;   // the table the column comes from, when the backend knows it
    QString columnaBase;
    TipoCampo tipo;
};

// The rows of one statement, held row after row in one block.
struct Resultado
{
    QList<ColumnaResultado> columnas;
    std::vector<QVariant> celdas;

    qsizetype Filas() const { return columnas.isEmpty() ? 0 : qsizetype(celdas.size()) / columnas.size(); }
};

struct TablaEsquema
{
    QString nombre;
    QString tipo; // "TABLE", "VIEW", "SYSTEM TABLE"
};

struct ColumnaEsquema
{
    QString nombre;
    int ordinal = 0;
    TipoCampo tipo;
    QString declarado;
    bool admiteNulos = true;
    QString porDefecto;
    bool clave = false;
};

class Motor
{
public:
    virtual ~Motor() = default;

    virtual Dialecto DialectoSql() const = 0;
    virtual QString Fuente() const = 0;
    virtual QString BaseDatos() const = 0;

    // Runs one statement with positional parameters. When `resultado` is given
    // and the statement yields rows, they are read into it. Returns the rows
    // changed, or -1 for a statement that changes none.
    virtual qint64 Ejecutar(const QString &sql, const QVariantList &parametros, Resultado *resultado) = 0;

    virtual void Comenzar() = 0;
    virtual void Confirmar() = 0;
    virtual void Deshacer() = 0;

    virtual QList<TablaEsquema> Tablas() = 0;
    virtual QList<ColumnaEsquema> Columnas(const QString &tabla) = 0;

    virtual void AsignarTiempoComando(int segundos) = 0;
    // Makes another database of the same server the current one.
    virtual void CambiarBase(const QString &nombre) = 0;
};

}
