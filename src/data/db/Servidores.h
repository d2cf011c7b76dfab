#pragma once

#include "Motor.h"

#include <QList>
#include <QPair>
#include <QString>

// Where a connection string leads: which backend, which database and in which
// dialect the statements are written for it.
//
// A server name is looked up in the [Servidores] section of the suite's
// settings file, for example
//   DEMO=sqlite:datos                      (embedded; folder relative to the program)
//   CENTRAL=odbc:Driver=FreeTDS;Server=10.0.0.5;Port=1433;Database={base};UID={usuario};PWD={clave}
//   PRUEBA=odbc:Driver=SQLite3;Database=/srv/datos/{base}.db;Dialecto=sqlite
// ({base}, {usuario}, {clave}, {servidor} and {carpeta} are filled in; Dialecto
// is sqlserver unless said). Without an entry, LOCAL is the embedded backend in
// the program's "datos" folder, and any other name is a SQL Server reached
// through FreeTDS ("host", "host:port" or "host\instance").
// The Oracle and Access forms need their ODBC driver named in the section
// [ControladoresODBC] as Oracle=... and Access=... with the same placeholders
// ({archivo} for the Access file).
namespace db {

struct Destino
{
    enum class Via { Sqlite, Odbc };
    Via via = Via::Sqlite;
    Dialecto dialecto = Dialecto::Sqlite;
    QString archivo;         // embedded: the database file
    QString cadenaOdbc;      // ODBC: what SQLDriverConnect receives
    QString archivoVigilado; // ODBC over a SQLite file: the file to watch
    QString baseDatos;
    QString servidor;
    QString proveedor;
    int tiempoConexion = 0; // "Connect Timeout" of the string; 0 when it has none
};

// The key/value pairs of a connection string, keys as written but trimmed and
// with inner blanks collapsed ("Database =" gives "Database"). Throws
// FalloProveedor on a malformed string.
QList<QPair<QString, QString>> LeerCadenaConexion(const QString &cadena);

// Resolves a connection string (with the user and password given to Open, if
// any). Throws FalloProveedor when it cannot lead anywhere.
Destino ResolverDestino(const QString &cadena, const QString &usuario = {}, const QString &clave = {});

// The folder of the embedded databases of the built-in LOCAL server.
QString CarpetaDatosLocal();

}
