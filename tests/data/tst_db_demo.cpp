// The demo databases that crear_demo writes: the same every time, with every
// table and view the program reads, and a user that can log in.

#include "BasePrueba.h"
#include "suite/LibreriaSuite.h"
#include "support/EntornoPrueba.h"

#include <QProcess>
#include <QTest>

using namespace db;

class TstDbDemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void esSiempreLaMisma();
    void tieneLasTablasYVistasDelPrograma_data();
    void tieneLasTablasYVistasDelPrograma();
    void consultasDelPrograma_data();
    void consultasDelPrograma();
    void usuarioAdministrador();
    void argumentosMalos();

private:
    static int crear(const QStringList &argumentos);
    EntornoPrueba m_entorno;
    Connection m_cn;
};

int TstDbDemo::crear(const QStringList &argumentos)
{
    QProcess p;
    p.start(QStringLiteral(CREAR_DEMO), argumentos);
    p.waitForFinished(120000);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void TstDbDemo::initTestCase()
{
    QCOMPARE(crear({m_entorno.carpeta() + QStringLiteral("datos"), QStringLiteral("400")}), 0);
    QVERIFY_DB(m_cn, m_cn.Open(prueba::CadenaSqlServer(QStringLiteral("LOCAL"), QStringLiteral("EMPRESA"))));
}

void TstDbDemo::esSiempreLaMisma()
{
    const QString otra = m_entorno.carpeta() + QStringLiteral("otra");
    QCOMPARE(crear({otra, QStringLiteral("400")}), 0);
    for (const char *base : {"EMPRESA.db", "KV_ESTADISTICAS.db"}) {
        const QByteArray a = LeerArchivo(m_entorno.carpeta() + QStringLiteral("datos/") + QLatin1String(base));
        QVERIFY(!a.isEmpty());
        QVERIFY2(a == LeerArchivo(otra + u'/' + QLatin1String(base)), base);
    }
}

void TstDbDemo::tieneLasTablasYVistasDelPrograma_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("tipo");
    const char *const tablas[] = {"TA_USUARIOS", "TA_CONFIGURACION", "Control_Acceso", "TA_TAREAS", "TA_MENU",
                                  "AUX_ERR", "MA_CLIENTES", "MA_PROVEEDORES", "MA_ARTICULOS", "MA_CONTACTOS",
                                  "MA_VEHICULOS", "MA_CUENTAS", "TA_CCOSTO", "MA_POSICIONES", "P_MA_CLIENTES",
                                  "AUX_ARTICULOS", "AUX_LOTES", "MV_ASIENTOS", "AC_CUENTASDIARIO",
                                  "AC_CUENTASDIARIO_CCOSTO"};
    const char *const vistas[] = {"VT_CLIENTES", "VT_ClientesVs", "VT_PROVEEDORES", "V_MA_ARTICULOS",
                                  "VT_MA_ARTICULOS", "V_MV_CPTEACCIONES", "V_MV_FALTANTES", "V_TA_FAMILIAS",
                                  "V_TA_Unidad", "V_TA_DEPOSITO", "V_TA_STATUS", "V_TA_RUBROS", "V_TA_VENDEDORES",
                                  "V_TA_Tecnicos", "v_ma_mantenimientos", "VT_MANTENIMIENTOS", "V_MA_CUENTAS",
                                  "V_TA_CAJAS", "v_ta_unidadNegocio", "VT_V_MV_FORMPEDIDOS", "VT_V_MV_FORMTOMASTOCK",
                                  "SS_MA_CUENTAS", "SS_V_TA_DEPOSITO", "SS_MV_ASIENTOS", "SS_V_TA_FAMILIAS",
                                  "SS_V_TA_CAJAS", "SS_AC_CUENTASDIARIO", "SS_AC_CUENTAS_DIARIO_CCOSTO"};
    for (const char *t : tablas)
        QTest::newRow(t) << QString::fromLatin1(t) << QStringLiteral("TABLE");
    for (const char *v : vistas)
        QTest::newRow(v) << QString::fromLatin1(v) << QStringLiteral("VIEW");
}

void TstDbDemo::tieneLasTablasYVistasDelPrograma()
{
    QFETCH(QString, nombre);
    QFETCH(QString, tipo);
    Recordset rs;
    QVERIFY_DB(m_cn, rs = m_cn.OpenSchema(adSchemaTables, {QVariant(), QVariant(), nombre}));
    QVERIFY2(!rs.Eof(), qPrintable(nombre));
    QCOMPARE(rs.Fields(QStringLiteral("TABLE_TYPE")).Value().toString(), tipo);
    QVERIFY_DB(m_cn, rs = m_cn.Execute(QStringLiteral("SELECT TOP 1 * FROM ") + nombre));
    QVERIFY2(!rs.Eof() || nombre.startsWith(QLatin1String("AUX_ERR")) || nombre.contains(QLatin1String("FALTANTES"))
                 || nombre.contains(QLatin1String("Control_Acceso")) || nombre.contains(QLatin1String("CPTEACCIONES")),
             qPrintable(nombre + QStringLiteral(" no tiene filas")));
}

void TstDbDemo::consultasDelPrograma_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("filas");

    QTest::newRow("cantidad de clientes de la consulta por defecto")
        << "SELECT COUNT(*) FROM (SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES  with(nolock)  WHERE "
           "Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL) X"
        << "377";
    QTest::newRow("raíz y padre en el árbol de familias")
        << "SELECT IdFamilia, relative FROM (SELECT     TOP 100 PERCENT IdFamilia, Descripcion, (SELECT     TOP 1 "
           "idfamilia FROM v_ta_familias a   Where a.IdFamilia < b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) < "
           "Len(LTrim(RTrim(b.IdFamilia))))  ORDER BY idfamilia DESC) AS [relative] FROM dbo.V_TA_FAMILIAS b Where "
           "IdFamilia<>'' ORDER BY IdFamilia) X WHERE IdFamilia IN ('01', '0203', '020302')"
        << "01|NULL;0203|02;020302|0203";
    QTest::newRow("unidad de negocio con blancos") << "SELECT TOP 1 * FROM v_ta_unidadNegocio with(nolock)  WHERE "
                                                      "codigo = '   1'"
                                                   << "   1|Distribuidora Veldrano S.A.|30-71234567-8|0001";
    QTest::newRow("vista ancha de artículos") << "SELECT COUNT(*) FROM (SELECT TOP 1 * FROM VT_MA_ARTICULOS) X"
                                              << "1";
    QTest::newRow("faltante informado en la vista")
        << "INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values('25/03/2024 14:07:55',"
           "'100001','Taladro','ADMIN')\nSELECT IdArticulo, Usuario FROM V_MV_FALTANTES"
        << "100001|ADMIN";
    QTest::newRow("permiso del administrador")
        << "SELECT TA_MENU.Nombre FROM TA_TAREAS  with(nolock) INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave  "
           "WHERE (TA_TAREAS.USUARIO = 'admin ') AND (TA_MENU.Proceso LIKE '%DefConsultas%')"
        << "Definición de consultas";
}

void TstDbDemo::consultasDelPrograma()
{
    QFETCH(QString, sql);
    QFETCH(QString, filas);
    Recordset rs;
    QVERIFY_DB(m_cn, rs = m_cn.Execute(sql));
    QCOMPARE(prueba::Filas(rs), filas);
}

void TstDbDemo::usuarioAdministrador()
{
    Recordset rs;
    QVERIFY_DB(m_cn, rs = m_cn.Execute(QStringLiteral(
        "SELECT * FROM TA_USUARIOS WHERE NOMBRE = 'ADMIN' AND (SISTEMA = 'mx200ps' OR SISTEMA = 'VEXA')")));
    QVERIFY(!rs.Eof());
    QCOMPARE(Cadenas::Compartida().Decodificar(rs.Fields(QStringLiteral("PassWord")).Value().toString()),
             QStringLiteral("ADMIN"));
    QCOMPARE(rs.Fields(QStringLiteral("Administrador")).Value(), QVariant(true));

    Connection estadisticas;
    QVERIFY_DB(estadisticas, estadisticas.Open(QStringLiteral(
        "PROVIDER=SQLOLEDB;Server=LOCAL;Database =KV_ESTADISTICAS;UId=KV_ESTADISTICAS;Pwd=ZB_TEMPORIZADOR;"
        "Connect Timeout=5;")));
    QVERIFY_DB(estadisticas, rs = estadisticas.Execute(QStringLiteral(
        "SELECT VALOR, valoraux FROM TA_CONFIGURACION with(nolock)  WHERE CLAVE = 'TimeOut'")));
    QCOMPARE(prueba::Filas(rs), QStringLiteral("45|NULL"));
}

void TstDbDemo::argumentosMalos()
{
    QCOMPARE(crear({}), 2);
    QCOMPARE(crear({m_entorno.carpeta() + QStringLiteral("x"), QStringLiteral("0")}), 2);
    QCOMPARE(crear({m_entorno.carpeta() + QStringLiteral("x"), QStringLiteral("1000001")}), 2);
}

QTEST_GUILESS_MAIN(TstDbDemo)
#include "tst_db_demo.moc"
