#pragma once

#include "data/db/Connection.h"
#include "suite/ErrorEjecucion.h"

#include <QString>
#include <QTest>

// Databases for the layer's tests: files of the embedded backend in the test's
// application folder, reached directly or through the SQLite ODBC driver.
namespace prueba {

// Creates an empty database file `nombre`.db in `carpeta` (the layer itself never creates one).
QString CrearBase(const QString &carpeta, const QString &nombre);

// Runs SQLite's own SQL on a database file (triggers and such, that the system never writes).
bool EjecutarSqlite(const QString &archivo, const QString &sql);

// The connection string the data-access class builds for a server and database.
QString CadenaSqlServer(const QString &servidor, const QString &base);

// Writes the suite's settings file with a [Servidores] section in the application folder.
void EscribirServidores(const QString &carpetaAplicacion, const QString &lineas);

// The rows of a recordset as "a|b;c|d" (Null as NULL), for comparing results.
QString Filas(db::Recordset &rs);

// The test server that reaches the embedded databases through the SQLite ODBC
// driver, registered in the settings file of `carpetaAplicacion`.
inline const QString kServidorOdbc = QStringLiteral("PRUEBAODBC");
void RegistrarServidorOdbc(const QString &carpetaAplicacion);

// Whether Debian's SQLite ODBC driver is registered.
bool HayOdbcSqlite();

// The provider's entries of a connection, one per line, for failure messages.
QString Describir(const db::Connection &cn, const ErrorEjecucion &e);

}

// Runs a statement of the layer; a failure prints the provider's entries.
#define QVERIFY_DB(cn, sentencia)                                                                   \
    do {                                                                                            \
        try {                                                                                       \
            sentencia;                                                                              \
        } catch (const ErrorEjecucion &e_) {                                                        \
            QFAIL(qPrintable(QStringLiteral(#sentencia ": ") + prueba::Describir(cn, e_)));         \
        }                                                                                           \
    } while (false)

// Expects the run-time error `numero`, and returns it in `capturado`.
#define QEXPECT_ERROR(numero, sentencia, capturado)                                                 \
    do {                                                                                            \
        bool lanzo_ = false;                                                                        \
        try {                                                                                       \
            sentencia;                                                                              \
        } catch (const ErrorEjecucion &e_) {                                                        \
            lanzo_ = true;                                                                          \
            capturado = e_;                                                                         \
        }                                                                                           \
        QVERIFY2(lanzo_, #sentencia " no falló");                                                   \
        QCOMPARE(capturado.Number, qint32(numero));                                                 \
    } while (false)
