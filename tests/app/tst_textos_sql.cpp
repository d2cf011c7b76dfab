#include "app/ModSentencias.h"
#include "app/Sesion.h"
#include "data/DB_Dll.h"
#include "support/EntornoPrueba.h"

#include <QTest>

// The pure text operations of data access: Oracle dialect, synonym views, type
// tests, object names, SQL literals and statement builders, compared character
// for character (double blanks included).
class TstTextosSql : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void oracle_data();
    void oracle();
    void oracleComillasImpares();
    void topOracle_data();
    void topOracle();
    void sinonimos_data();
    void sinonimos();
    void tiposAdo();
    void nombres();
    void sqlValue_data();
    void sqlValue();
    void constructores();
    void addField();

private:
    DB_Dll db;
};

void TstTextosSql::init()
{
    db = DB_Dll{};
    gConfidencialidad = false;
}

void TstTextosSql::oracle_data()
{
    QTest::addColumn<QString>("conexion");
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("salida");
    const QString ora = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=VENTAS;");
    QTest::newRow("no Oracle: sin cambios") << "PROVIDER=SQLOLEDB;" << "SELECT top 10 * FROM T" << "SELECT top 10 * FROM T";
    QTest::newRow("una palabra len") << ora << "len" << "LENGTH";
    QTest::newRow("una palabra LEN(X)") << ora << "LEN(X)" << "LEN(X)";
    QTest::newRow("top con where y order")
        << ora << "SELECT top 10 CODIGO FROM MA_CLIENTES WHERE ACTIVO = 1 ORDER BY CODIGO"
        << "SELECT  CODIGO FROM MA_CLIENTES WHERE ACTIVO = 1    AND ROWNUM <= 10  ORDER BY CODIGO";
    QTest::newRow("top sin where") << ora << "SELECT TOP 5 * FROM T" << "SELECT  * FROM T  WHERE ROWNUM <= 5  ";
    QTest::newRow("top con group by")
        << ora << "SELECT top 3 A, COUNT(*) FROM T GROUP BY A"
        << "SELECT  A, COUNT(*) FROM T    WHERE ROWNUM <= 3  GROUP BY A ";
    QTest::newRow("sin top queda igual") << ora << "SELECT A FROM T" << "SELECT A FROM T";
    QTest::newRow("LEN con blancos") << ora << "SELECT LEN (A), LEN    (B) FROM T" << "SELECT LENGTH(A), LENGTH(B) FROM T";
    QTest::newRow("LEN al comienzo no") << ora << "LEN(A) FROM T" << "LEN(A) FROM T";
    QTest::newRow("corchetes") << ora << "SELECT [MI CAMPO] FROM T" << "SELECT \"MI CAMPO\" FROM T";
    QTest::newRow("fecha entre comillas")
        << ora << "SELECT * FROM T WHERE F = '25/03/2024' OR G = '25/03/2024' OR H = 'ABC'"
        << "SELECT * FROM T WHERE F = TO_DATE('25/03/2024','DD/MM/YYYY') OR G = TO_DATE('25/03/2024','DD/MM/YYYY') OR H = 'ABC'";
    QTest::newRow("TO_DATE ya escrito")
        << ora << "SELECT * FROM T WHERE F = TO_DATE('01/02/2024','DD/MM/YYYY')"
        << "SELECT * FROM T WHERE F = TO_DATE('01/02/2024','DD/MM/YYYY')";
    QTest::newRow("charindex y convert")
        << ora << "SELECT Charindex('a',B), CONVERT(INT, C), CONVERT(NVARCHAR, F, 103) FROM T"
        << "SELECT InStr('a',B), TO_NUMBER( C), TO_CHAR( F, 'DD/MM/YYYY') FROM T";
    QTest::newRow("vacíos a IS NULL")
        << ora << "SELECT A FROM T WHERE A = '' AND B=''" << "SELECT A FROM T WHERE A  IS NULL  AND B IS NULL ";
    QTest::newRow("103 fuera de TO_CHAR queda") << ora << "SELECT A FROM T WHERE X = 103" << "SELECT A FROM T WHERE X = 103";
    QTest::newRow("substring e isnull")
        << ora << "SELECT SUBSTRING(A,1,2), ISNULL(B,0) FROM T" << "SELECT SUBSTR(A,1,2), NVL(B,0) FROM T";
}

void TstTextosSql::oracle()
{
    QFETCH(QString, conexion);
    QFETCH(QString, entrada);
    QFETCH(QString, salida);
    EntornoPrueba entorno;
    db.gConnString = conexion;
    QCOMPARE(db.ORACLE_Dicc(entrada), salida);
}

void TstTextosSql::oracleComillasImpares()
{
    db.gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;");
    QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, db.ORACLE_Dicc(QStringLiteral("SELECT * FROM T WHERE A = 'x")));
}

void TstTextosSql::topOracle_data()
{
    QTest::addColumn<QString>("conexion");
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("salida");
    QTest::newRow("SQL Server sin cambios") << "PROVIDER=SQLOLEDB;" << "SELECT top 1 * FROM T" << "SELECT top 1 * FROM T";
    QTest::newRow("oracle") << "provider=oraoledb.oracle.1;" << "SELECT top 1 * FROM Control_Acceso ORDER BY ID DESC"
                            << "SELECT  *  FROM Control_Acceso ORDER BY ID DESC WHERE ROWNUM <=  1 ";
    QTest::newRow("una palabra") << "oracle" << "len" << "LENGTH";
}

void TstTextosSql::topOracle()
{
    QFETCH(QString, conexion);
    QFETCH(QString, entrada);
    QFETCH(QString, salida);
    DB_Dll::Compartido().gConnString = conexion;
    QCOMPARE(ConvertirTopOracle(entrada), salida);
    DB_Dll::Compartido().gConnString.clear();
}

void TstTextosSql::sinonimos_data()
{
    QTest::addColumn<bool>("admin");
    QTest::addColumn<bool>("confidencial");
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("salida");
    QTest::newRow("administrador solo quita el prefijo")
        << true << false << "SELECT * FROM @admin_MA_CUENTAS " << "SELECT * FROM MA_CUENTAS ";
    QTest::newRow("cuentas con blanco") << false << false << "SELECT * FROM MA_CUENTAS WHERE X=1"
                                        << "SELECT * FROM SS_MA_CUENTAS WHERE X=1";
    QTest::newRow("cuentas al final no") << false << false << "SELECT * FROM MA_CUENTAS" << "SELECT * FROM MA_CUENTAS";
    QTest::newRow("cuentas con punto, paréntesis, coma y llave")
        << false << false << "SELECT MA_CUENTAS.A,(MA_CUENTAS.B),{MA_CUENTAS.C} FROM T,MA_CUENTAS.X"
        << "SELECT SS_MA_CUENTAS.A,(SS_MA_CUENTAS.B),{SS_MA_CUENTAS.C} FROM T,SS_MA_CUENTAS.X";
    QTest::newRow("cuentas de la base administradora")
        << false << false << "SELECT * FROM @Admin_MA_CUENTAS JOIN MA_CUENTAS ON 1=1"
        << "SELECT * FROM MA_CUENTAS JOIN MA_CUENTAS ON 1=1";
    QTest::newRow("asientos sin confidencialidad") << false << false << "SELECT * FROM MV_ASIENTOS WHERE V_TA_CAJAS "
                                                   << "SELECT * FROM MV_ASIENTOS WHERE V_TA_CAJAS ";
    QTest::newRow("asientos con confidencialidad") << false << true << "SELECT * FROM MV_ASIENTOS "
                                                   << "SELECT * FROM SS_MV_ASIENTOS ";
    QTest::newRow("depósitos, familias y cajas")
        << false << false << "SELECT * FROM V_TA_DEPOSITO ,(V_TA_FAMILIAS.A) , V_TA_CAJAS "
        << "SELECT * FROM SS_V_TA_DEPOSITO ,(SS_V_TA_FAMILIAS.A) , SS_V_TA_CAJAS ";
    QTest::newRow("diario y diario por centro de costo")
        << false << false << "SELECT * FROM AC_CUENTASDIARIO , AC_CUENTASDIARIO_CCOSTO "
        << "SELECT * FROM SS_AC_CUENTASDIARIO , SS_AC_CUENTAS_DIARIO_CCOSTO ";
    QTest::newRow("minúsculas") << false << false << "select * from ma_cuentas " << "select * from SS_MA_CUENTAS ";
}

void TstTextosSql::sinonimos()
{
    QFETCH(bool, admin);
    QFETCH(bool, confidencial);
    QFETCH(QString, entrada);
    QFETCH(QString, salida);
    db.gEsAdmin = admin;
    gConfidencialidad = confidencial;
    QCOMPARE(db.SS_TSinonimos(entrada), salida);
}

void TstTextosSql::tiposAdo()
{
    QVERIFY(DB_Dll::adodate(7) && DB_Dll::adodate(QStringLiteral("135")) && !DB_Dll::adodate(8));
    QVERIFY(DB_Dll::ADOText(QStringLiteral("8")) && DB_Dll::ADOText(202) && !DB_Dll::ADOText(3));
    QVERIFY(DB_Dll::ADONumeric(131) && DB_Dll::ADONumeric(3) && !DB_Dll::ADONumeric(6));
    QVERIFY(DB_Dll::ADOCurrency(6) && DB_Dll::ADOBoolean(11) && !DB_Dll::ADOBoolean(QStringLiteral("x")));
    QCOMPARE(DB_Dll::ADOComilla(200), QStringLiteral("'"));
    QCOMPARE(DB_Dll::ADOComilla(7), QStringLiteral("'"));
    QCOMPARE(DB_Dll::ADOComilla(3), QString());
}

void TstTextosSql::nombres()
{
    QString a = QStringLiteral("dbo.TABLA"), b = QStringLiteral("BASE.dbo.TABLA"), c = QStringLiteral("TABLA");
    QCOMPARE(DB_Dll::stSTF(a, false), QStringLiteral("dbo"));
    QCOMPARE(DB_Dll::stSTF(a, true), QStringLiteral("TABLA"));
    QCOMPARE(DB_Dll::stSTF(b, false), QStringLiteral("dbo.TABLA"));
    QCOMPARE(b, QStringLiteral("dbo.TABLA"));
    QCOMPARE(DB_Dll::stSTF(c, true), QStringLiteral("TABLA"));
    QCOMPARE(DB_Dll::AddBrackets(QStringLiteral("MI TABLA")), QStringLiteral("[MI TABLA]"));
    QCOMPARE(DB_Dll::AddBrackets(QStringLiteral("[MI TABLA]")), QStringLiteral("[MI TABLA]"));
    QCOMPARE(DB_Dll::AddBrackets(QStringLiteral("TABLA")), QStringLiteral("TABLA"));
    QCOMPARE(DB_Dll::StripBrackets(QStringLiteral("[MI TABLA]")), QStringLiteral("MI TABLA"));
    QCOMPARE(DB_Dll::StripConnect(QStringLiteral("TABLA ->X")), QStringLiteral("TABLA"));
    QCOMPARE(DB_Dll::StripConnect(QStringLiteral("->X")), QString());
    QCOMPARE(DB_Dll::StripFileName(QStringLiteral("C:\\DATOS\\A.MDB")), QStringLiteral("C:\\DATOS"));
    QCOMPARE(DB_Dll::StripFileName(QStringLiteral("/srv/datos/A.db")), QStringLiteral("/srv/datos"));
    QCOMPARE(DB_Dll::StripFileName(QStringLiteral("A.MDB")), QString());
}

void TstTextosSql::sqlValue_data()
{
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<QString>("marca");
    QTest::addColumn<QString>("literal");
    QTest::newRow("número con coma regional") << QVariant(QStringLiteral("12,5")) << "@" << "12.5";
    QTest::newRow("número nulo es cero") << QVariant() << "@" << "0";
    QTest::newRow("número entero") << QVariant(1234) << "@" << "1234";
    QTest::newRow("número no numérico") << QVariant(QStringLiteral("abc")) << "@" << "0";
    QTest::newRow("texto") << QVariant(QStringLiteral("JUAN")) << "'" << "'JUAN'";
    QTest::newRow("texto nulo sin comillas") << QVariant() << "'" << "NULL";
    QTest::newRow("apóstrofo duplicado") << QVariant(QStringLiteral("O'Brien")) << "'" << "'O''Brien'";
    QTest::newRow("intento de inyección") << QVariant(QStringLiteral("x' OR '1'='1")) << "'"
                                          << "'x'' OR ''1''=''1'";
    QTest::newRow("otra marca") << QVariant(QStringLiteral("GETDATE()")) << "" << "GETDATE()";
}

void TstTextosSql::sqlValue()
{
    QFETCH(QVariant, valor);
    QFETCH(QString, marca);
    QFETCH(QString, literal);
    EntornoPrueba entorno;
    QCOMPARE(DB_Dll::SQLValue(valor, marca).toString(), literal);
    QCOMPARE(DB_Dll::SQLValue2(valor, marca).toString(), literal);
}

void TstTextosSql::constructores()
{
    EntornoPrueba entorno;
    QString nombre = QStringLiteral("D'Angelo"), edad = QStringLiteral("41,5"), nulo = QStringLiteral("null");
    AgregarCampoValor(QStringLiteral("NOMBRE"), nombre, QStringLiteral("'"), true);
    AgregarCampoValor(QStringLiteral("EDAD"), edad, QStringLiteral("@"), false);
    AgregarCampoValor(QStringLiteral("BAJA"), nulo, QStringLiteral("'"), false);
    QCOMPARE(nombre, QStringLiteral("DAngelo"));

    QStringList sentencias{QString()};
    QString condicion = QStringLiteral("ID = 5");
    ArmarSentencia(gCamposValores, sentencias, QStringLiteral("MA_PERSONAS"), true, condicion, true);
    QCOMPARE(condicion, QStringLiteral(" WHERE ID = 5"));
    QString yaTiene = QStringLiteral("where ID = 6");
    ArmarSentencia(gCamposValores, sentencias, QStringLiteral("MA_PERSONAS"), false, yaTiene, false);
    QCOMPARE(yaTiene, QStringLiteral("where ID = 6"));
    QCOMPARE(sentencias,
             (QStringList{QString(),
                          QStringLiteral("UPDATE MA_PERSONAS SET NOMBRE = 'DAngelo',EDAD = 41.5,BAJA = Null  WHERE ID = 5"),
                          QString(),
                          QStringLiteral("INSERT INTO MA_PERSONAS (NOMBRE,EDAD,BAJA) VALUES ('DAngelo',41.5,Null)"),
                          QString()}));
    QCOMPARE(gCamposValores.size(), 1);

    QString uno = QStringLiteral("1");
    AgregarCampoValor(QStringLiteral("A"), uno, QStringLiteral("@"), true);
    QString texto = QStringLiteral("INSERT INTO T ");
    ArmarValores(texto, gCamposValores, true);
    QCOMPARE(texto, QStringLiteral("INSERT INTO T (A) VALUES (1)"));
    QVERIFY(gCamposValores.isEmpty());
}

void TstTextosSql::addField()
{
    QCOMPARE(DB_Dll::SentenciaAddField(QStringLiteral("ARTICULOS"), QStringLiteral("PESO"), QStringLiteral("FLOAT"),
                                       false, QStringLiteral("0")),
             QStringLiteral("ALTER TABLE dbo.ARTICULOS ADD PESO FLOAT Not Null  CONSTRAINT DF_ARTICULOS_PESO DEFAULT (0)"));
    QCOMPARE(DB_Dll::SentenciaAddField(QStringLiteral("T"), QStringLiteral("C"), QStringLiteral("VARCHAR(20)"), true,
                                       std::nullopt),
             QStringLiteral("ALTER TABLE dbo.T ADD C VARCHAR(20) Null "));
}

QTEST_GUILESS_MAIN(TstTextosSql)
#include "tst_textos_sql.moc"
