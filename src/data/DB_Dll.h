#pragma once

#include "suite/ErrorEjecucion.h"

#include <QString>
#include <QVariant>

// The data-access class: one instance holds one database connection and the
// data that built it. The process shares one instance for everything; a second
// one serves the statistics database.
class DB_Dll
{
public:
    static DB_Dll &Compartido();

    // Connection data, read and written directly by the rest of the program.
    bool gOpenFlag = false;
    QVariant gIgnoraPassWord;
    QVariant gCursorLocation;
    QString gProveedor;
    QString gDsn;
    QString gServidor;
    QString gDBName;
    QString gUsuario;
    bool gEsAdmin = false;
    QString gUserPassWord;
    QString gConnString;
    QString gExtended;
    // Full path of the error log; empty means KVERR.LOG in the program's folder.
    QString gLogErr;
    bool ParametrosSQL = false;
    qint16 gKVTimeOut = 0;

    static QString pSQLOLEDB() { return QStringLiteral("SQLOLEDB"); }
    static QString pJETOLEDB40() { return QStringLiteral("Microsoft.Jet.OLEDB.4.0"); }
    static QString pJETOLEDB35() { return QStringLiteral("Microsoft.Jet.OLEDB.3.51"); }

    // `gLogErr` as a variant property.
    QVariant ArchivoErrores() const { return QVariant(gLogErr); }
    void SetArchivoErrores(const QVariant &valor) { gLogErr = valor.toString(); }

    // Tells the operator of a failure of a data-access operation and logs it.
    // Returns the answer code (0 when the error number is 0).
    int TratamientoErrores(const ErrorEjecucion &CodErr, int Botones = 18, const QString &Rutina = {});
};
