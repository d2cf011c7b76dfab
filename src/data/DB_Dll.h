#pragma once

#include "suite/ErrorEjecucion.h"

#include <QString>
#include <QVariant>
#include <optional>

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

    // ---- Dialect and synonyms ----
    // The statement in the Oracle dialect when the connection is an Oracle one.
    // Throws ErrorEjecucion 5 on an odd number of quotes.
    QString ORACLE_Dicc(const QString &Valor) const;
    // Restricted tables and views replaced by their synonym views for users who
    // are not administrators; the administrator-database prefix removed.
    QString SS_TSinonimos(const QString &Sentencia) const;

    // ---- ADO type tests (the type number compared as text) ----
    static bool adodate(const QVariant &Qtype);
    static bool ADOText(const QVariant &Qtype);
    static bool ADONumeric(const QVariant &Qtype);
    static bool ADOCurrency(const QVariant &Qtype);
    static bool ADOBoolean(const QVariant &Qtype);
    static QString ADOComilla(const QVariant &Qtype);

    // ---- Object names ----
    static QString stSTF(QString &rsName, bool rnPart);
    static QString AddBrackets(const QString &rObjName);
    static QString StripBrackets(const QString &rsObjName);
    static QString StripOwner(QString &rsTblName);
    static QString StripConnect(const QString &rsTblName);
    static QString StripFileName(const QString &rsFileName);

    // ---- SQL literals ----
    // Marker "@": a number with a point as decimal separator (Null gives 0);
    // marker "'": a quoted text (Null gives NULL); any other: the value's text.
    static QVariant SQLValue(const QVariant &valor, const QString &marca);
    static QVariant SQLValue2(const QVariant &valor, const QString &marca) { return SQLValue(valor, marca); }

    // The statement that adds a column with its null rule and default.
    static QString SentenciaAddField(const QString &Tabla, const QString &Campo, const QString &Tipo,
                                     bool PermiteNulos, const std::optional<QString> &ValorDefault);

    // Tells the operator of a failure of a data-access operation and logs it.
    // Returns the answer code (0 when the error number is 0).
    int TratamientoErrores(const ErrorEjecucion &CodErr, int Botones = 18, const QString &Rutina = {});
};
