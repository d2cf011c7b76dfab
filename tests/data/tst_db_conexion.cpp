// The connection and recordset against real databases: every case runs once on
// the embedded backend and once on the same file through the SQLite ODBC driver.

#include "BasePrueba.h"
#include "support/EntornoPrueba.h"
#include "data/db/Connection.h"
#include "data/db/Recordset.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <memory>

using namespace db;

class TstDbConexion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();
    void cleanup();

    void abrirYCerrar();
    void abrirBaseInexistenteFallaSinCrearla();
    void ejecutarDevuelveFilasAfectadas();
    void camposConTipoTamanoYNulo_data();
    void camposConTipoTamanoYNulo();
    void camposPorNombreSinDistinguirMayusculas();
    void navegacion();
    void agregarYActualizar();
    void actualizarSinPermisoOConEdicionPendiente();
    void esquemaDeTablasYVistas();
    void transacciones();
    void erroresComoLosDelServidor_data();
    void erroresComoLosDelServidor();
    void baseQueDesapareceEsConexionPerdida();
    void sentenciaQueExcedeElTiempo();

private:
    QString cadena(const QString &base = QStringLiteral("EMPRESA")) const;
    std::unique_ptr<EntornoPrueba> m_entorno;
    std::unique_ptr<Connection> m_cn;
    QString m_archivo;
};

void TstDbConexion::initTestCase_data()
{
    QTest::addColumn<QString>("servidor");
    QTest::newRow("sqlite directo") << QStringLiteral("LOCAL");
    QTest::newRow("sqlite por odbc") << QStringLiteral("PRUEBAODBC");
}

QString TstDbConexion::cadena(const QString &base) const
{
    QFETCH_GLOBAL(QString, servidor);
    return prueba::CadenaSqlServer(servidor, base);
}

void TstDbConexion::init()
{
    QFETCH_GLOBAL(QString, servidor);
    if (servidor == QLatin1String("PRUEBAODBC") && !prueba::HayOdbcSqlite())
        QSKIP("El controlador ODBC de SQLite (libsqliteodbc) no está instalado");
    m_entorno = std::make_unique<EntornoPrueba>();
    prueba::RegistrarServidorOdbc(m_entorno->carpeta());
    m_archivo = prueba::CrearBase(m_entorno->carpeta() + QStringLiteral("datos"), QStringLiteral("EMPRESA"));
    m_cn = std::make_unique<Connection>();
    QVERIFY_DB(*m_cn, m_cn->Open(cadena()));
    QVERIFY_DB(*m_cn, m_cn->Execute(QStringLiteral(
        "BEGIN TRANSACTION\n"
        "CREATE TABLE TA_CONFIGURACION (GRUPO VARCHAR(20) NULL, CLAVE VARCHAR(40) NOT NULL, VALOR VARCHAR(255) NULL,"
        " valoraux VARCHAR(255) NULL, PoliticaNegocio BIT NULL)\n"
        "CREATE TABLE MA_CLIENTES (CODIGO VARCHAR(10) NOT NULL PRIMARY KEY, RAZON_SOCIAL VARCHAR(40) NOT NULL,"
        " SALDO MONEY NULL, LIMITE DECIMAL(12,2) NULL, ALTA DATETIME NULL, Dada_De_Baja BIT NOT NULL DEFAULT 0,"
        " VISITAS INT NULL)\n"
        "CREATE TABLE MV_PEDIDOS (ID INT IDENTITY(1,1) NOT NULL, CODIGO VARCHAR(10) NOT NULL"
        " REFERENCES MA_CLIENTES (CODIGO), IMPORTE MONEY NULL)\n"
        "CREATE TABLE AUX_ERR (Proceso VARCHAR(50), fecha VARCHAR(20), Error INT, Descripcion VARCHAR(250),"
        " Sql TEXT, PC VARCHAR(50), Usuario VARCHAR(50))\n"
        "CREATE VIEW VT_CLIENTES AS SELECT RAZON_SOCIAL, CODIGO, SALDO, Dada_De_Baja FROM MA_CLIENTES\n"
        "INSERT INTO MA_CLIENTES VALUES ('C001', 'Ferretería Norte', 1500.5, 2000, '2024-03-01 10:00:00', 0, 3)\n"
        "INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL, Dada_De_Baja) VALUES ('C002', 'almacén sur', 1)\n"
        "INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL, SALDO) VALUES ('C003', '', 0)\n"
        "COMMIT TRANSACTION")));
}

void TstDbConexion::cleanup()
{
    m_cn.reset();
    m_entorno.reset();
}

void TstDbConexion::abrirYCerrar()
{
    Connection &cn = *m_cn;
    QCOMPARE(cn.State(), qint32(adStateOpen));
    QCOMPARE(cn.DefaultDatabase(), QStringLiteral("EMPRESA"));
    QVERIFY_DB(cn, cn.SetDefaultDatabase(QStringLiteral("empresa")));
    // The start-up's settings after opening leave the connection working.
    cn.SetIsolationLevel(adXactReadUncommitted);
    cn.SetCommandTimeout(45);
    QVERIFY_DB(cn, cn.Execute(QStringLiteral("SELECT 1")));
    ErrorEjecucion e;
    QEXPECT_ERROR(Errores::ObjetoAbierto, cn.Open(cadena()), e);
    cn.Close();
    QCOMPARE(cn.State(), qint32(adStateClosed));
    QEXPECT_ERROR(Errores::ObjetoCerrado, cn.Close(), e);
    QEXPECT_ERROR(Errores::ConexionNoUsable, cn.Execute(QStringLiteral("SELECT 1")), e);
    // Reopening from the string it kept, and a database name in other letter case.
    QVERIFY_DB(cn, cn.Open());
    cn.Close();
    QVERIFY_DB(cn, cn.Open(cadena(QStringLiteral("empresa"))));
    QCOMPARE(cn.State(), qint32(adStateOpen));
}

void TstDbConexion::abrirBaseInexistenteFallaSinCrearla()
{
    Connection cn;
    ErrorEjecucion e;
    QEXPECT_ERROR(Errores::ErrorNoEspecificado, cn.Open(cadena(QStringLiteral("NOEXISTE"))), e);
    QCOMPARE(cn.State(), qint32(adStateClosed));
    QVERIFY(cn.Errors().Count() >= 1);
    QCOMPARE(cn.Errors()[0].NativeError, 4060);
    QVERIFY(!e.Description.isEmpty());
    QVERIFY(QDir(m_entorno->carpeta() + QStringLiteral("datos")).entryList({QStringLiteral("*NOEXISTE*")},
                                                                           QDir::Files).isEmpty());
}

void TstDbConexion::ejecutarDevuelveFilasAfectadas()
{
    Connection &cn = *m_cn;
    qint32 filas = -7;
    QVERIFY_DB(cn, cn.Execute(QStringLiteral("UPDATE MA_CLIENTES SET VISITAS = 1 WHERE Dada_De_Baja = 0"), &filas));
    QCOMPARE(filas, 2);
    QVERIFY_DB(cn, cn.Execute(QStringLiteral("DELETE FROM MA_CLIENTES WHERE CODIGO = 'NADA'"), &filas));
    QCOMPARE(filas, 0);
    Recordset rs;
    QVERIFY_DB(cn, rs = cn.Execute(QStringLiteral("SELECT COUNT(*) AS N FROM MA_CLIENTES"), &filas));
    QCOMPARE(rs.State(), qint32(adStateOpen));
    QCOMPARE(rs.Fields(QStringLiteral("n")).Value().toInt(), 3);
    QVERIFY_DB(cn, rs = cn.Execute(QStringLiteral("UPDATE MA_CLIENTES SET VISITAS = 2")));
    QCOMPARE(rs.State(), qint32(adStateClosed));
}

void TstDbConexion::camposConTipoTamanoYNulo_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("tamano");
    QTest::addColumn<QVariant>("enC001");
    QTest::addColumn<QVariant>("enC003");

    QTest::newRow("varchar") << "CODIGO" << int(adVarChar) << 10 << QVariant(QStringLiteral("C001"))
                             << QVariant(QStringLiteral("C003"));
    QTest::newRow("texto vacío no es nulo") << "RAZON_SOCIAL" << int(adVarChar) << 40
                                            << QVariant(QStringLiteral("Ferretería Norte")) << QVariant(QString(""));
    QTest::newRow("money") << "SALDO" << int(adCurrency) << 8 << QVariant(1500.5) << QVariant(0.0);
    QTest::newRow("decimal nulo") << "LIMITE" << int(adNumeric) << 19 << QVariant(2000.0) << QVariant();
    QTest::newRow("datetime") << "ALTA" << int(adDBTimeStamp) << 16
                              << QVariant(QDateTime(QDate(2024, 3, 1), QTime(10, 0))) << QVariant();
    QTest::newRow("bit") << "Dada_De_Baja" << int(adBoolean) << 2 << QVariant(false) << QVariant(false);
    QTest::newRow("int nulo") << "VISITAS" << int(adInteger) << 4 << QVariant(3) << QVariant();
}

void TstDbConexion::camposConTipoTamanoYNulo()
{
    QFETCH(QString, campo);
    QFETCH(int, tipo);
    QFETCH(int, tamano);
    QFETCH(QVariant, enC001);
    QFETCH(QVariant, enC003);
    Recordset rs;
    QVERIFY_DB(*m_cn, rs.Open(QStringLiteral("SELECT * FROM MA_CLIENTES WHERE CODIGO IN ('C001','C003') ORDER BY CODIGO"),
                              *m_cn));
    Field &f = rs.Fields(campo);
    QCOMPARE(f.Name(), campo);
    QCOMPARE(f.Type(), tipo);
    QCOMPARE(f.DefinedSize(), tamano);
    QCOMPARE(f.Value().isNull(), enC001.isNull());
    QCOMPARE(f.Value(), enC001);
    rs.MoveNext();
    QCOMPARE(f.Value().isNull(), enC003.isNull());
    if (!enC003.isNull())
        QCOMPARE(f.Value(), enC003);
}

void TstDbConexion::camposPorNombreSinDistinguirMayusculas()
{
    Recordset rs;
    QVERIFY_DB(*m_cn, rs.Open(QStringLiteral("SELECT RAZON_SOCIAL, CODIGO FROM VT_CLIENTES WHERE CODIGO = 'c002'"),
                              *m_cn));
    QCOMPARE(rs.Fields().Count(), 2);
    QCOMPARE(rs.Fields(QStringLiteral("razon_social")).Value().toString(), QStringLiteral("almacén sur"));
    QCOMPARE(rs.Fields(1).Name(), QStringLiteral("CODIGO"));
    ErrorEjecucion e;
    QEXPECT_ERROR(Errores::ElementoNoEncontrado, rs.Fields(QStringLiteral("PUNTOPEDIDO")), e);
    QEXPECT_ERROR(Errores::ElementoNoEncontrado, rs.Fields(2), e);
}

void TstDbConexion::navegacion()
{
    Recordset rs;
    QVERIFY_DB(*m_cn, rs.Open(QStringLiteral("SELECT CODIGO FROM MA_CLIENTES ORDER BY CODIGO DESC"), *m_cn));
    QVERIFY(!rs.Bof() && !rs.Eof());
    QCOMPARE(rs.RecordCount(), 3);
    QStringList leidos;
    while (!rs.Eof()) {
        leidos << rs.Fields(0).Value().toString();
        rs.MoveNext();
    }
    QCOMPARE(leidos, (QStringList{"C003", "C002", "C001"}));
    ErrorEjecucion e;
    QEXPECT_ERROR(Errores::RegistroNoActual, rs.MoveNext(), e);
    QEXPECT_ERROR(Errores::RegistroNoActual, rs.Fields(0).Value(), e);
    rs.MoveFirst();
    QCOMPARE(rs.Fields(0).Value().toString(), QStringLiteral("C003"));
    rs.MoveLast();
    QCOMPARE(rs.Fields(0).Value().toString(), QStringLiteral("C001"));
    rs.Close();
    QCOMPARE(rs.State(), qint32(adStateClosed));

    QVERIFY_DB(*m_cn, rs.Open(QStringLiteral("SELECT CODIGO FROM MA_CLIENTES WHERE 1 = 0"), *m_cn));
    QVERIFY(rs.Bof() && rs.Eof());
    QCOMPARE(rs.RecordCount(), 0);
    QEXPECT_ERROR(Errores::ObjetoAbierto, rs.Open(QStringLiteral("SELECT 1"), *m_cn), e);
}

void TstDbConexion::agregarYActualizar()
{
    Connection &cn = *m_cn;
    const QString sql = QStringLiteral("SELECT * FROM TA_CONFIGURACION with(nolock)  WHERE CLAVE = 'TOPCONSART'");
    Recordset rs;
    QVERIFY_DB(cn, rs.Open(sql, cn, adOpenDynamic, adLockOptimistic));
    QVERIFY(rs.Eof());
    QVERIFY_DB(cn, rs.AddNew());
    QCOMPARE(rs.EditMode(), qint32(adEditAdd));
    rs.Fields(QStringLiteral("Grupo")).SetValue(QStringLiteral("DATOS"));
    rs.Fields(QStringLiteral("Clave")).SetValue(QStringLiteral("TOPCONSART"));
    rs.Fields(QStringLiteral("Valor")).SetValue(50);
    rs.Fields(QStringLiteral("PoliticaNegocio")).SetValue(false);
    QVERIFY_DB(cn, rs.Update());
    QCOMPARE(rs.Fields(QStringLiteral("VALOR")).Value().toString(), QStringLiteral("50"));
    rs.Close();

    // The same key again, reopened with the cursor and lock it kept: found,
    // changed in place, the untouched valoraux stays Null.
    QCOMPARE(rs.CursorType(), qint32(adOpenDynamic));
    QCOMPARE(rs.LockType(), qint32(adLockOptimistic));
    QVERIFY_DB(cn, rs.Open(sql, cn, adOpenUnspecified, adLockUnspecified));
    QCOMPARE(rs.RecordCount(), 1);
    rs.MoveFirst();
    rs.Fields(QStringLiteral("VALOR")).SetValue(QStringLiteral("75"));
    QVERIFY_DB(cn, rs.Update());
    rs.Close();
    QVERIFY_DB(cn, rs = cn.Execute(QStringLiteral("SELECT COUNT(*) AS N, MAX(VALOR) AS V, MAX(valoraux) AS A,"
                                                  " MAX(PoliticaNegocio) AS P FROM TA_CONFIGURACION")));
    QCOMPARE(rs.Fields(QStringLiteral("N")).Value().toInt(), 1);
    QCOMPARE(rs.Fields(QStringLiteral("V")).Value().toString(), QStringLiteral("75"));
    QVERIFY(rs.Fields(QStringLiteral("A")).Value().isNull());
    QCOMPARE(rs.Fields(QStringLiteral("P")).Value().toInt(), 0);

    // The error-table writer: a new row through "top 1" on an empty table.
    Recordset aux;
    QVERIFY_DB(cn, aux.Open(QStringLiteral("select  top 1 * from AUX_ERR  with(nolock) "), cn, adOpenDynamic,
                            adLockOptimistic));
    aux.AddNew();
    aux.Fields(QStringLiteral("Proceso")).SetValue(QStringLiteral("DefConsultas"));
    aux.Fields(QStringLiteral("Error")).SetValue(2627);
    aux.Fields(QStringLiteral("Descripcion")).SetValue(QStringLiteral("x").leftJustified(250, u' '));
    QVERIFY_DB(cn, aux.Update());
    aux.Close();
    QVERIFY_DB(cn, rs = cn.Execute(QStringLiteral("SELECT Error, LEN(Descripcion) AS L FROM AUX_ERR")));
    QCOMPARE(rs.Fields(0).Value().toInt(), 2627);
    QCOMPARE(rs.Fields(1).Value().toInt(), 1);
}

void TstDbConexion::actualizarSinPermisoOConEdicionPendiente()
{
    Connection &cn = *m_cn;
    ErrorEjecucion e;
    Recordset rs;
    QVERIFY_DB(cn, rs.Open(QStringLiteral("SELECT * FROM TA_CONFIGURACION"), cn));
    QEXPECT_ERROR(Errores::RecordsetNoActualizable, rs.AddNew(), e);
    rs.Close();
    QVERIFY_DB(cn, rs.Open(QStringLiteral("SELECT C.CODIGO FROM MA_CLIENTES C JOIN MV_PEDIDOS P ON P.CODIGO = C.CODIGO"),
                           cn, adOpenDynamic, adLockOptimistic));
    QEXPECT_ERROR(Errores::RecordsetNoActualizable, rs.AddNew(), e);
    rs.Close();

    QVERIFY_DB(cn, rs.Open(QStringLiteral("SELECT * FROM TA_CONFIGURACION"), cn, adOpenDynamic, adLockOptimistic));
    rs.AddNew();
    rs.Fields(QStringLiteral("CLAVE")).SetValue(QString(41, u'X'));
    QEXPECT_ERROR(Errores::DatosTruncados, rs.Update(), e);
    QCOMPARE(cn.Errors()[0].NativeError, 8152);
    QEXPECT_ERROR(Errores::OperacionNoPermitida, rs.Close(), e);
    rs.CancelUpdate();
    QCOMPARE(rs.RecordCount(), 0);
    rs.Close();
}

void TstDbConexion::esquemaDeTablasYVistas()
{
    Connection &cn = *m_cn;
    Recordset rs;
    QVERIFY_DB(cn, rs = cn.OpenSchema(adSchemaTables));
    QMap<QString, QString> tipos;
    for (; !rs.Eof(); rs.MoveNext())
        tipos.insert(rs.Fields(QStringLiteral("TABLE_NAME")).Value().toString(),
                     rs.Fields(QStringLiteral("Table_Type")).Value().toString());
    QCOMPARE(tipos.value(QStringLiteral("MA_CLIENTES")), QStringLiteral("TABLE"));
    QCOMPARE(tipos.value(QStringLiteral("VT_CLIENTES")), QStringLiteral("VIEW"));

    QVERIFY_DB(cn, rs = cn.OpenSchema(adSchemaColumns, {QVariant(), QVariant(), QStringLiteral("vt_clientes")}));
    QStringList columnas;
    for (; !rs.Eof(); rs.MoveNext())
        columnas << rs.Fields(QStringLiteral("COLUMN_NAME")).Value().toString();
    QCOMPARE(columnas, (QStringList{"RAZON_SOCIAL", "CODIGO", "SALDO", "Dada_De_Baja"}));

    QVERIFY_DB(cn, rs = cn.OpenSchema(adSchemaColumns, {QVariant(), QVariant(), QStringLiteral("NO_HAY")}));
    QVERIFY(rs.Eof());
}

void TstDbConexion::transacciones()
{
    Connection &cn = *m_cn;
    auto cantidad = [&] {
        Recordset rs = cn.Execute(QStringLiteral("SELECT COUNT(*) FROM MV_PEDIDOS"));
        return rs.Fields(0).Value().toInt();
    };
    QCOMPARE(cn.BeginTrans(), 1);
    QVERIFY_DB(cn, cn.Execute(QStringLiteral("INSERT INTO MV_PEDIDOS (CODIGO, IMPORTE) VALUES ('C001', 10)")));
    cn.RollbackTrans();
    QCOMPARE(cantidad(), 0);
    cn.BeginTrans();
    QVERIFY_DB(cn, cn.Execute(QStringLiteral("INSERT INTO MV_PEDIDOS (CODIGO, IMPORTE) VALUES ('C001', 10)")));
    cn.CommitTrans();
    QCOMPARE(cantidad(), 1);
    ErrorEjecucion e;
    QEXPECT_ERROR(Errores::SinTransaccion, cn.CommitTrans(), e);

    // The script runner's batch: the transaction outlives the batch and ends with
    // a statement of its own.
    const QString lote = QStringLiteral("BEGIN TRANSACTION \r\r\rINSERT INTO MV_PEDIDOS (CODIGO, IMPORTE) VALUES"
                                        " ('C002', 5)\rINSERT INTO MV_PEDIDOS (CODIGO, IMPORTE) VALUES ('C003', 6)\r");
    qint32 filas = 0;
    QVERIFY_DB(cn, cn.Execute(lote, &filas));
    QCOMPARE(filas, 2);
    QVERIFY_DB(cn, cn.Execute(QStringLiteral("COMMIT TRANSACTION")));
    QCOMPARE(cantidad(), 3);

    const QString fallido = QStringLiteral("BEGIN TRANSACTION \r\r\rINSERT INTO MV_PEDIDOS (CODIGO, IMPORTE) VALUES"
                                           " ('C002', 7)\rINSERT INTO MV_PEDIDOS (CODIGO) VALUES ('NO_EXISTE')\r");
    QEXPECT_ERROR(Errores::ViolacionIntegridad, cn.Execute(fallido), e);
    QCOMPARE(cn.Errors()[0].NativeError, 547);
    QVERIFY_DB(cn, cn.Execute(QStringLiteral("ROLLBACK TRANSACTION")));
    QCOMPARE(cantidad(), 3);
    Recordset id;
    QVERIFY_DB(cn, cn.Execute(QStringLiteral("INSERT INTO MV_PEDIDOS (CODIGO, IMPORTE) VALUES ('C001', 1)")));
    QVERIFY_DB(cn, id = cn.Execute(QStringLiteral("SELECT @@IDENTITY AS id")));
    QCOMPARE(id.Fields(QStringLiteral("id")).Value().toInt(), 4);
}

void TstDbConexion::erroresComoLosDelServidor_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("numero");
    QTest::addColumn<int>("nativo");
    QTest::addColumn<QString>("enDescripcion");

    QTest::newRow("clave duplicada") << "INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL) VALUES ('c001', 'Otra')"
                                     << int(Errores::ViolacionIntegridad) << 2627 << "UNIQUE";
    QTest::newRow("clave foránea") << "INSERT INTO MV_PEDIDOS (CODIGO) VALUES ('ZZZ')"
                                   << int(Errores::ViolacionIntegridad) << 547 << "FOREIGN KEY";
    QTest::newRow("nulo no permitido") << "INSERT INTO MA_CLIENTES (CODIGO) VALUES ('C009')"
                                       << int(Errores::ViolacionIntegridad) << 515 << "NOT NULL";
    QTest::newRow("texto más largo que la columna")
        << "UPDATE MA_CLIENTES SET CODIGO = 'C0000000001' WHERE CODIGO = 'C003'" << int(Errores::DatosTruncados) << 8152
        << "LARGO_CODIGO";
    QTest::newRow("tabla inexistente") << "SELECT * FROM MA_NADA" << int(Errores::TablaInexistente) << 208
                                       << "MA_NADA";
    QTest::newRow("sintaxis") << "SELEC * FROM MA_CLIENTES" << int(Errores::ErrorEnComando) << 102 << "syntax";
    QTest::newRow("función sin equivalente") << "SELECT DATEADD(d, 1, ALTA) FROM MA_CLIENTES"
                                             << int(Errores::ErrorEnComando) << 102 << "DATEADD";
}

void TstDbConexion::erroresComoLosDelServidor()
{
    QFETCH(QString, sql);
    QFETCH(int, numero);
    QFETCH(int, nativo);
    QFETCH(QString, enDescripcion);
    ErrorEjecucion e;
    QEXPECT_ERROR(numero, m_cn->Execute(sql), e);
    QVERIFY(m_cn->Errors().Count() >= 1);
    const db::Error &x = m_cn->Errors()[0];
    QCOMPARE(x.NativeError, nativo);
    QVERIFY2(x.Description.contains(enDescripcion), qPrintable(x.Description));
    QVERIFY(!x.SQLState.isEmpty());
    // A failure leaves the connection usable.
    QVERIFY_DB(*m_cn, m_cn->Execute(QStringLiteral("SELECT 1")));
    QCOMPARE(m_cn->Errors().Count(), 0);
}

void TstDbConexion::baseQueDesapareceEsConexionPerdida()
{
    Connection &cn = *m_cn;
    const QString aparte = m_archivo + QStringLiteral(".aparte");
    QVERIFY(QFile::rename(m_archivo, aparte));
    ErrorEjecucion e;
    QEXPECT_ERROR(Errores::ErrorNoEspecificado, cn.Execute(QStringLiteral("SELECT * FROM MA_CLIENTES")), e);
    QCOMPARE(cn.Errors()[0].NativeError, 11);
    Recordset rs;
    QEXPECT_ERROR(Errores::ConexionNoUsable, rs.Open(QStringLiteral("SELECT 1"), cn), e);
    QCOMPARE(cn.Errors()[0].NativeError, 11);
    QCOMPARE(cn.State(), qint32(adStateOpen));

    // Reconnecting fails while the database is missing and succeeds once it is back.
    cn.Close();
    QEXPECT_ERROR(Errores::ErrorNoEspecificado, cn.Open(), e);
    QCOMPARE(cn.State(), qint32(adStateClosed));
    QVERIFY(QFile::rename(aparte, m_archivo));
    QVERIFY_DB(cn, cn.Open());
    QVERIFY_DB(cn, rs.Open(QStringLiteral("SELECT COUNT(*) FROM MA_CLIENTES"), cn));
    QCOMPARE(rs.Fields(0).Value().toInt(), 3);
}

void TstDbConexion::sentenciaQueExcedeElTiempo()
{
    QFETCH_GLOBAL(QString, servidor);
    if (servidor != QLatin1String("LOCAL"))
        QSKIP("El controlador ODBC de SQLite no interrumpe una sentencia por tiempo");
    Connection &cn = *m_cn;
    cn.SetCommandTimeout(1);
    QElapsedTimer reloj;
    reloj.start();
    ErrorEjecucion e;
    QEXPECT_ERROR(Errores::TiempoAgotado,
                  cn.Execute(QStringLiteral("WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N)"
                                            " SELECT COUNT(*) FROM N")),
                  e);
    QVERIFY(reloj.elapsed() < 5000);
    QCOMPARE(cn.Errors()[0].SQLState, QStringLiteral("HYT00"));
    cn.SetCommandTimeout(30);
    QVERIFY_DB(cn, cn.Execute(QStringLiteral("SELECT 1")));
}

QTEST_GUILESS_MAIN(TstDbConexion)
#include "tst_db_conexion.moc"
