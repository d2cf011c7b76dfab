#pragma once

#include "data/db/Connection.h"
#include "suite/ErrorEjecucion.h"
#include "suite/LibreriaSuite.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

// The data-access class: one instance holds one database connection and the
// data that built it. The process shares one instance for everything; a second
// one serves the statistics database.
class DB_Dll
{
public:
    DB_Dll();
    ~DB_Dll();
    DB_Dll(DB_Dll &&) noexcept;
    DB_Dll &operator=(DB_Dll &&) noexcept;

    static DB_Dll &Compartido();
    // The second instance, on the statistics database.
    static DB_Dll &Estadisticas();

    // The connection, created on first use.
    db::Connection &gCnn();
    // The file dialog of the local-file open, created on first use.
    DialogoArchivo &CmdDlg();

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

    // ---- Connections ----
    // Opens gCnn against SQL Server or Oracle; the outcome is in gOpenFlag.
    void OpenServerADODB(bool PideParametrosSQL, qint32 lCursor, const QString &ConnString, bool ValidaAdmin,
                         bool MuestraError);
    // Opens gCnn on a local database file.
    void OpenLocalADODB(const QString &ConnString, const QString &CadenaID, const QString &CadenaPWD);
    // Closes and reopens gCnn from gConnString; true when it is open afterwards.
    bool ReintentaConectar();
    QString ArmarCadenaServidor() const;

    // ---- Statements and recordsets ----
    // Never raises: a failure is left in the shared connection's Errors.
    void EjecutaConsultaSQL(QString &SentenciaSQL, qint32 &RecordsAffected, db::Recordset *lrcs = nullptr);
    void EjecutaConsultaRSQL(QString &SentenciaSQL, qint32 &RecordsAffected, db::Recordset *lrcs = nullptr);
    void AbrirRecordset(QString &SentenciaSQL, db::Recordset &lrcs, db::Connection *Conexionactiva = nullptr,
                        qint32 CursorType = db::adOpenForwardOnly, qint32 LockType = db::adLockReadOnly,
                        qint32 Options = -1, bool ConvOracle = false);
    void CierraRecordset(db::Recordset &LrcsTemp);
    bool AsegurarConexion();
    // Administrator-database prefixes and synonyms, as every statement runner applies them.
    QString GuardiaSentencia(const QString &SentenciaSQL) const;
    bool EsConexionOracle() const;

    // ---- Record lookups ----
    bool ExisteEnTabla(const QString &Tabla, const QString &ValorBuscado, const QString &Campo,
                       db::Recordset *LRCS = nullptr, const QVariant &Tipodato = 8, const QString &Condicion = {},
                       bool SoloLectura = true);
    bool ExisteEnTablaST(const QString &Tabla, const QString &ValorBuscado, const QString &Campo,
                         db::Recordset *LRCS = nullptr, const QVariant &Tipodato = 8, const QString &Condicion = {},
                         bool SoloLectura = true);
    QVariant DatosTabla(const QString &Tabla, const QString &ValorBuscado, const QString &CampoDevuelto,
                        const QString &Campo, const QVariant &Tipodato = 8, const QString &Condicion = {},
                        bool UsaTrim = true, bool IgnoraError = false);
    // These raise their failures to the caller.
    QVariant BuscaMaximo(const QString &QueTabla, const QString &QueCampo, const QVariant &Tipo = {},
                         QVariant *Condicion = nullptr);
    QVariant BuscaMinimo(const QString &QueTabla, const QString &QueCampo, const QVariant &Tipo = {},
                         const QVariant &Condicion = {});
    QVariant BuscaUltimoCodigo(const QString &QueTabla, const QString &QueCampo, const QVariant &Tipo = {},
                               const QVariant &Condicion = {});
    void QConsulta() {}
    void QGridConsulta() {}

    // ---- Schema ----
    bool ExisteTablaDB(const QString &Tabla);
    bool ExisteCampoDB(const QString &Tabla, const QString &Campo);
    void AddField(const QString &Tabla, const QString &Campo, const QString &Tipo, bool PermiteNulos,
                  const std::optional<QString> &ValorDefault = std::nullopt);
    bool VerCampoDB(const QString &Tabla, const QString &Campo, bool Agregar, const QString &Tipo,
                    bool PermiteNulos, const std::optional<QString> &ValorDefault = std::nullopt);

    // ---- Scripts on Oracle connections ----
    QString EjecutarScript(QString &Script, qint32 &RegistrosAfectados);
    static QString LimpiarSentenciaScript(QString &Sentencia);

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

private:
    // The lost-connection procedure for the network error: true when the
    // failing step is to run again.
    bool ProcedimientoConexionPerdida(qint16 &contador);
    // 0 not handled, 1 restored (run the step again), 2 close the program.
    int ResolverPerdidaConexion(qint32 numero, qint16 &contador, const QString &rutina);
    bool MostrarReconexion(qint16 intentos, const QString &mensaje);
    bool PedirDatosConexion();
    // Shared by the record lookups: true when the failing step runs again,
    // false to go on; `salir` set when the operator aborted.
    int TratarErrorBusqueda(const ErrorEjecucion &e, qint16 &contador);

    std::unique_ptr<db::Connection> m_cnn;
    std::unique_ptr<DialogoArchivo> m_cmdDlg;
    qint16 m_intentosAbrir = 0;
    qint16 m_intentosAsegurar = 0;
    bool m_mostrandoDialogo = false;
};
