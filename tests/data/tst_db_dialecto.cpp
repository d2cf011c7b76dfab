// The statements the system composes in SQL Server's dialect, run on SQLite
// files (directly and through ODBC) and compared with the rows SQL Server gives.

#include "BasePrueba.h"
#include "data/db/Dialecto.h"
#include "support/EntornoPrueba.h"

#include <QTest>
#include <memory>

using namespace db;

class TstDbDialecto : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();
    void cleanup();

    void sentenciasDelSistema_data();
    void sentenciasDelSistema();
    void cambiosDeEsquema_data();
    void cambiosDeEsquema();
    void rechazaLoQueNoPuedeTraducir_data();
    void rechazaLoQueNoPuedeTraducir();
    void respetaTextosYComentarios_data();
    void respetaTextosYComentarios();

private:
    std::unique_ptr<EntornoPrueba> m_entorno;
    std::unique_ptr<Connection> m_cn;
};

void TstDbDialecto::initTestCase_data()
{
    QTest::addColumn<QString>("servidor");
    QTest::newRow("sqlite directo") << QStringLiteral("LOCAL");
    QTest::newRow("sqlite por odbc") << QStringLiteral("PRUEBAODBC");
}

void TstDbDialecto::init()
{
    QFETCH_GLOBAL(QString, servidor);
    if (servidor == QLatin1String("PRUEBAODBC") && !prueba::HayOdbcSqlite())
        QSKIP("El controlador ODBC de SQLite (libsqliteodbc) no está instalado");
    m_entorno = std::make_unique<EntornoPrueba>();
    prueba::RegistrarServidorOdbc(m_entorno->carpeta());
    const QString archivo =
        prueba::CrearBase(m_entorno->carpeta() + QStringLiteral("datos"), QStringLiteral("EMPRESA"));
    m_cn = std::make_unique<Connection>();
    QVERIFY_DB(*m_cn, m_cn->Open(prueba::CadenaSqlServer(servidor, QStringLiteral("EMPRESA"))));
    QVERIFY_DB(*m_cn, m_cn->Execute(QStringLiteral(R"(
BEGIN TRANSACTION
CREATE TABLE TA_CONFIGURACION (GRUPO VARCHAR(20) NULL, CLAVE VARCHAR(40) NOT NULL, VALOR VARCHAR(255) NULL,
  valoraux VARCHAR(255) NULL, PoliticaNegocio BIT NULL)
CREATE TABLE TA_USUARIOS (NOMBRE VARCHAR(30) NOT NULL PRIMARY KEY, SISTEMA VARCHAR(10) NULL,
  PassWord VARCHAR(30) NULL, Administrador BIT NOT NULL DEFAULT 0)
CREATE TABLE MA_CLIENTES (CODIGO VARCHAR(10) NOT NULL PRIMARY KEY, RAZON_SOCIAL VARCHAR(40) NOT NULL,
  CONTACTO VARCHAR(40) NULL, ALTA DATETIME NULL, Dada_De_Baja BIT NOT NULL DEFAULT 0)
CREATE VIEW VT_CLIENTES AS SELECT RAZON_SOCIAL, CODIGO, CONTACTO, ALTA, Dada_De_Baja FROM MA_CLIENTES
CREATE TABLE TA_FAMILIAS (IdFamilia VARCHAR(10) NOT NULL PRIMARY KEY, Descripcion VARCHAR(40) NULL)
CREATE VIEW V_TA_FAMILIAS AS SELECT IdFamilia, Descripcion FROM TA_FAMILIAS
CREATE TABLE ARTICULOS (IDARTICULO VARCHAR(25) NOT NULL PRIMARY KEY, DESCRIPCION VARCHAR(60) NULL,
  Stock DECIMAL(12,2) NULL, PUNTOPEDIDO DECIMAL(12,2) NULL, PRECIO1 MONEY NULL, SUSPENDIDO BIT NOT NULL DEFAULT 0)
CREATE VIEW V_MA_ARTICULOS AS SELECT * FROM ARTICULOS
CREATE TABLE TA_TAREAS (USUARIO VARCHAR(30) NULL, TAREA VARCHAR(10) NULL)
CREATE TABLE TA_MENU (Clave VARCHAR(10) NULL, Proceso VARCHAR(60) NULL, Nombre VARCHAR(60) NULL)
CREATE TABLE Control_Acceso (id INT IDENTITY(1,1) NOT NULL, Maquina VARCHAR(50) NULL, Usuario VARCHAR(50) NULL,
  Formulario VARCHAR(50) NULL, Tarea VARCHAR(60) NULL, Ingreso VARCHAR(20) NULL, NombreUsuario VARCHAR(50) NULL,
  EGRESO VARCHAR(20) NULL)
CREATE TABLE MV_CPTEACCIONES (TC VARCHAR(4), IdComprobante VARCHAR(20), IdComplemento INT, Tipo_accion VARCHAR(2),
  FECHAHORA VARCHAR(30), Usuario VARCHAR(50), PC VARCHAR(50), SYSTEMUSER VARCHAR(255), Proceso VARCHAR(255),
  ProcesoLote VARCHAR(255), Cuenta VARCHAR(15))
CREATE VIEW V_MV_CPTEACCIONES AS SELECT * FROM MV_CPTEACCIONES
INSERT INTO TA_CONFIGURACION (GRUPO, CLAVE, VALOR) VALUES ('DATOS', 'TOPCONSART', '250')
INSERT INTO TA_CONFIGURACION (GRUPO, CLAVE, VALOR) VALUES ('DATOS', 'DESHABILITABUSQUEDACODIGO', 'SI')
INSERT INTO TA_CONFIGURACION (GRUPO, CLAVE, VALOR, valoraux) VALUES ('BaseDeDatos', 'TIMEOUT', '30', 'x')
INSERT INTO TA_USUARIOS VALUES ('JUAN', 'MX200PS', 'bcd', 0)
INSERT INTO TA_USUARIOS VALUES ('ADMIN', 'VEXA', 'xyz', 1)
INSERT INTO TA_USUARIOS VALUES ('PEDRO', 'TALVEX', 'p', 0)
INSERT INTO MA_CLIENTES VALUES ('C001', 'Ropa Perez', 'Ana', '2024-03-01 10:00:00', 0)
INSERT INTO MA_CLIENTES VALUES ('C002', 'almacen sur', NULL, NULL, 0)
INSERT INTO MA_CLIENTES VALUES ('C003', 'Bazar Oeste', 'Luis', NULL, 1)
INSERT INTO MA_CLIENTES VALUES ('c004', 'ROPERIA PEÑA', NULL, NULL, 0)
INSERT INTO TA_FAMILIAS VALUES ('01', 'Bebidas')
INSERT INTO TA_FAMILIAS VALUES ('0101', 'Gaseosas')
INSERT INTO TA_FAMILIAS VALUES ('0102', 'Aguas')
INSERT INTO TA_FAMILIAS VALUES ('02', 'Almacen')
INSERT INTO TA_FAMILIAS VALUES ('0201', 'Harinas')
INSERT INTO TA_FAMILIAS VALUES ('020101', 'Harina 000')
INSERT INTO ARTICULOS VALUES ('001', 'Agua 2L', 10, 5, 1.5, 0)
INSERT INTO ARTICULOS VALUES ('100', 'Harina', 0, 3, 2.25, 0)
INSERT INTO ARTICULOS VALUES ('099', 'Yerba', 7, 2, 4, 1)
INSERT INTO TA_TAREAS VALUES ('JUAN', 'T1')
INSERT INTO TA_MENU VALUES ('T1', 'DEFCONSULTAS', 'Definir consultas')
INSERT INTO Control_Acceso (Maquina, Usuario, Ingreso) VALUES ('PC1', 'JUAN', '24/03/24 10:00')
INSERT INTO Control_Acceso (Maquina, Usuario, Ingreso) VALUES ('PC2', 'ANA', '24/03/24 11:00')
COMMIT TRANSACTION
)")));
    // The audit view takes inserts as the server's view does.
    m_cn->Close();
    QVERIFY(prueba::EjecutarSqlite(archivo, QStringLiteral(
        "CREATE TRIGGER V_MV_CPTEACCIONES_ALTA INSTEAD OF INSERT ON V_MV_CPTEACCIONES BEGIN "
        "INSERT INTO MV_CPTEACCIONES VALUES (NEW.TC, NEW.IdComprobante, NEW.IdComplemento, NEW.Tipo_accion,"
        " NEW.FECHAHORA, NEW.Usuario, NEW.PC, NEW.SYSTEMUSER, NEW.Proceso, NEW.ProcesoLote, NEW.Cuenta); END;")));
    QVERIFY_DB(*m_cn, m_cn->Open());
}

void TstDbDialecto::cleanup()
{
    m_cn.reset();
    m_entorno.reset();
}

void TstDbDialecto::sentenciasDelSistema_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("filas");

    QTest::newRow("lookup con TOP, condición y orden")
        << "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES  with(nolock)  WHERE Dada_De_Baja = 0 "
           "ORDER BY RAZON_SOCIAL"
        << "almacen sur|C002|NULL;Ropa Perez|C001|Ana;ROPERIA PEÑA|c004|NULL";
    QTest::newRow("TOP menor que las filas") << "SELECT TOP 2 CODIGO FROM VT_CLIENTES  with(nolock)  ORDER BY CODIGO DESC"
                                             << "c004;C003";
    QTest::newRow("TOP sin orden") << "SELECT TOP 1 * FROM TA_USUARIOS with(nolock)  WHERE SISTEMA = 'vexa'"
                                   << "ADMIN|VEXA|xyz|true";
    QTest::newRow("búsqueda F5 con like y blancos como comodín")
        << "SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES  with(nolock)  WHERE Dada_De_Baja = 0  and "
           "RAZON_SOCIAL like '%ro%pe%' ORDER BY RAZON_SOCIAL "
        << "Ropa Perez|C001;ROPERIA PEÑA|c004";
    QTest::newRow("árbol de familias con TOP 1 anidado")
        << "SELECT     TOP 100 PERCENT IdFamilia, Descripcion, (SELECT     TOP 1 idfamilia FROM v_ta_familias a  "
           " Where a.IdFamilia < b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) < Len(LTrim(RTrim(b.IdFamilia)))) "
           " ORDER BY idfamilia DESC) AS [relative] FROM dbo.V_TA_FAMILIAS b Where IdFamilia<>'' ORDER BY IdFamilia"
        << "01|Bebidas|NULL;0101|Gaseosas|01;0102|Aguas|01;02|Almacen|NULL;0201|Harinas|02;020101|Harina 000|0201";
    QTest::newRow("like sin distinguir mayúsculas con eñe")
        << "SELECT CODIGO FROM VT_CLIENTES  with(nolock)  WHERE RAZON_SOCIAL like '%peña%' OR RAZON_SOCIAL LIKE 'ALM_C%'"
           " ORDER BY CODIGO"
        << "C002;c004";
    QTest::newRow("like con escape") << "SELECT COUNT(*) FROM TA_USUARIOS WHERE NOMBRE LIKE 'J!%%' ESCAPE '!'" << "0";
    QTest::newRow("igualdad sin mayúsculas ni blancos finales")
        << "SELECT CODIGO FROM MA_CLIENTES WHERE RAZON_SOCIAL = 'roperia peña' OR CONTACTO = 'LUIS  '" << "C003;c004";
    QTest::newRow("lectura de configuración en otra letra")
        << "SELECT VALOR, valoraux FROM ta_configuracion with(nolock)  WHERE CLAVE = 'TopConsArt'" << "250|NULL";
    QTest::newRow("lectura de configuración con grupo")
        << "SELECT VALOR, valoraux FROM ta_configuracion with(nolock)  WHERE CLAVE = 'TIMEOUT' AND GRUPO ='basededatos'"
        << "30|x";
    QTest::newRow("lectura del editor sin sugerencia")
        << "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'DeshabilitaBusquedaCodigo'" << "SI";
    QTest::newRow("validación de usuario")
        << "SELECT NOMBRE, SISTEMA FROM TA_USUARIOS WHERE NOMBRE = 'juan' AND (SISTEMA = 'mx200ps' OR SISTEMA = 'VEXA')"
        << "JUAN|MX200PS";
    QTest::newRow("búsqueda por texto recortado")
        << "SELECT TOP 1  NOMBRE FROM TA_USUARIOS with(nolock)  WHERE LTRIM(RTRIM(NOMBRE)) ='admin'" << "ADMIN";
    QTest::newRow("permisos con blanco al final")
        << "SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre  FROM TA_TAREAS  with(nolock) "
           "INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave  WHERE (TA_TAREAS.USUARIO = 'JUAN ') AND "
           "(TA_MENU.Proceso LIKE '%DefConsultas%')"
        << "JUAN|DEFCONSULTAS|T1|Definir consultas";
    QTest::newRow("máximo de artículos sin códigos con cero")
        << "SELECT MAX(IDARTICULO) AS MAYOR FROM V_MA_ARTICULOS WHERE  substring(ltrim(idarticulo),1,1)<>'0'" << "100";
    QTest::newRow("mínimo con sugerencia") << "SELECT MIN(IDARTICULO) AS MENOR FROM V_MA_ARTICULOS  with(nolock) "
                                           << "001";
    QTest::newRow("fecha del servidor") << "select  getDate() as fecha" << "25/03/2024 14:07:55";
    QTest::newRow("fecha con estilo 103") << "SELECT CONVERT(NVARCHAR, ALTA, 103) FROM VT_CLIENTES WHERE CODIGO = 'C001'"
                                          << "01/03/2024";
    QTest::newRow("funciones de texto")
        << "SELECT CHARINDEX('a', RAZON_SOCIAL), SUBSTRING(RAZON_SOCIAL, 1, 3), LEN('ab  '), ISNULL(CONTACTO, '-'),"
           " LEFT(CODIGO, 2), RIGHT(CODIGO, 2) FROM VT_CLIENTES WHERE CODIGO = 'C002'"
        << "1|alm|2|-|C0|02";
    QTest::newRow("búsqueda desde una posición y partes de fecha")
        << "SELECT CHARINDEX('e', RAZON_SOCIAL, 8), CHARINDEX('x', RAZON_SOCIAL, 2), YEAR(ALTA), MONTH(ALTA)"
           " FROM VT_CLIENTES WHERE CODIGO = 'C001'"
        << "9|0|2024|3";
    QTest::newRow("más entre textos une")
        << "SELECT CODIGO + ' - ' + RAZON_SOCIAL, ISNULL(CONTACTO, '') + CODIGO FROM VT_CLIENTES WHERE CODIGO = 'C001'"
        << "C001 - Ropa Perez|AnaC001";
    QTest::newRow("más entre columnas de texto une")
        << "SELECT RAZON_SOCIAL + CODIGO FROM MA_CLIENTES WHERE CODIGO = 'C003'" << "Bazar OesteC003";
    QTest::newRow("más entre números suma")
        << "SELECT Stock + PUNTOPEDIDO + 1, (Stock + 1) * 2 FROM V_MA_ARTICULOS WHERE IDARTICULO = '001'" << "16|22";
    QTest::newRow("nombres entre corchetes y con dueño")
        << "SELECT [RAZON_SOCIAL] FROM [dbo].[VT_CLIENTES] WHERE [CODIGO] = 'c001'" << "Ropa Perez";
    QTest::newRow("subconsulta con TOP en la condición")
        << "SELECT CODIGO FROM MA_CLIENTES WHERE CODIGO = (SELECT TOP 1 CODIGO FROM MA_CLIENTES ORDER BY CODIGO DESC)"
        << "c004";
    QTest::newRow("fecha escrita día primero en la condición")
        << "SELECT CODIGO FROM VT_CLIENTES WHERE ALTA >= '01/03/2024' AND ALTA < '2/3/2024'" << "C001";
    QTest::newRow("fecha entre dos literales") << "SELECT CODIGO FROM MA_CLIENTES WHERE ALTA BETWEEN '28/02/2024'"
                                                  " AND '01/03/2024 10:00'"
                                               << "C001";
    QTest::newRow("fecha escrita en un alta y en un cambio")
        << "INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL, ALTA) VALUES ('C005', 'Nuevo', '25/03/2024 14:07')\n"
           "UPDATE MA_CLIENTES SET ALTA = '26/03/2024' WHERE CODIGO = 'C003'\n"
           "SELECT CODIGO, ALTA FROM MA_CLIENTES WHERE ALTA > '01/03/2024' ORDER BY CODIGO"
        << "C001|01/03/2024 10:00:00;C003|26/03/2024 00:00:00;C005|25/03/2024 14:07:00";
    QTest::newRow("texto que parece fecha en columna de texto")
        << "SELECT COUNT(*) FROM MA_CLIENTES WHERE CONTACTO = '01/03/2024'" << "0";
    QTest::newRow("alta de acceso y su número")
        << "INSERT INTO Control_Acceso (Maquina,Usuario,Formulario,Tarea,Ingreso,NombreUsuario) VALUES "
           "('PC3','JUAN','DEFCONSULTAS','','25/03/24 14:07','juan')\r\nSELECT @@IDENTITY AS id"
        << "3";
    QTest::newRow("número con SCOPE_IDENTITY")
        << "INSERT INTO Control_Acceso (Maquina) VALUES ('PC4'); SELECT SCOPE_IDENTITY()" << "3";
    QTest::newRow("cierre del acceso")
        << "UPDATE CONTROL_ACCESO  SET EGRESO = '25/03/24 15:00' WHERE EGRESO IS NULL AND  ID = 2\n"
           "SELECT id, EGRESO FROM Control_Acceso ORDER BY id"
        << "1|NULL;2|25/03/24 15:00";
    QTest::newRow("auditoría en la vista")
        << " INSERT INTO V_MV_CPTEACCIONES (TC,IdComprobante,IdComplemento,Tipo_accion,FECHAHORA,Usuario,PC,"
           "SYSTEMUSER,Proceso,ProcesoLote,Cuenta) VALUES ('    ','',0,'A','25/03/2024 14:07:55','JUAN','PC1',"
           "'Intento de inicio de sesion fallido','DefConsultas ','','')\nSELECT Tipo_accion, SYSTEMUSER FROM "
           "MV_CPTEACCIONES"
        << "A|Intento de inicio de sesion fallido";
    QTest::newRow("escritura de configuración")
        << "UPDATE ta_configuracion SET VALOR = 'NO' WHERE CLAVE = 'deshabilitabusquedacodigo'\n"
           "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'DESHABILITABUSQUEDACODIGO'"
        << "NO";
    QTest::newRow("lote con su transacción confirmada")
        << "BEGIN TRANSACTION \r\r\rINSERT INTO TA_TAREAS VALUES ('ANA', 'T1')\rINSERT INTO TA_TAREAS VALUES ('LUIS',"
           " 'T1')\rCOMMIT TRANSACTION\rSELECT COUNT(*) FROM TA_TAREAS"
        << "3";
    QTest::newRow("lote deshecho") << "BEGIN TRAN\nDELETE FROM TA_TAREAS\nROLLBACK TRAN\nSELECT COUNT(*) FROM TA_TAREAS"
                                   << "1";
    QTest::newRow("sin cuenta de filas") << "SET NOCOUNT ON\nSELECT COUNT(*) FROM TA_USUARIOS" << "3";
}

void TstDbDialecto::sentenciasDelSistema()
{
    QFETCH_GLOBAL(QString, servidor);
    QFETCH(QString, sql);
    QFETCH(QString, filas);
    if (servidor != QLatin1String("LOCAL") && sql.contains(QLatin1String("getDate")))
        QSKIP("A través de ODBC la fecha es la del reloj real");
    if (servidor != QLatin1String("LOCAL") && sql.contains(QStringLiteral("ñ")))
        QSKIP("El LIKE de SQLite a través de ODBC solo pliega letras ASCII");
    Recordset rs;
    QVERIFY_DB(*m_cn, rs = m_cn->Execute(sql));
    QCOMPARE(prueba::Filas(rs), filas);
}

void TstDbDialecto::cambiosDeEsquema_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("consulta");
    QTest::addColumn<QString>("filas");

    QTest::newRow("columna nueva no nula con valor por defecto")
        << "ALTER TABLE dbo.ARTICULOS ADD PESO FLOAT Not Null  CONSTRAINT DF_ARTICULOS_PESO DEFAULT (0)"
        << "SELECT IDARTICULO, PESO FROM ARTICULOS ORDER BY IDARTICULO" << "001|0;099|0;100|0";
    QTest::newRow("columna nueva nula sin valor por defecto")
        << "ALTER TABLE dbo.ARTICULOS ADD NOTA VARCHAR(20) Null "
        << "SELECT COUNT(*) FROM ARTICULOS WHERE NOTA IS NULL" << "3";
    QTest::newRow("columna de texto con valor por defecto entre comillas")
        << "ALTER TABLE dbo.TA_USUARIOS ADD UNegocio VARCHAR(4) Null  CONSTRAINT DF_TA_USUARIOS_UNegocio DEFAULT ('   1')"
        << "SELECT DISTINCT UNegocio FROM TA_USUARIOS" << "   1";
    QTest::newRow("tabla creada con identidad y texto sin mayúsculas")
        << "CREATE TABLE dbo.AUX_LOTES (ID INT IDENTITY(1,1) NOT NULL, NOMBRE NVARCHAR(10) NOT NULL)\n"
           "INSERT INTO AUX_LOTES (NOMBRE) VALUES ('Lote A')"
        << "SELECT ID, NOMBRE FROM AUX_LOTES WHERE NOMBRE = 'LOTE a'" << "1|Lote A";
}

void TstDbDialecto::cambiosDeEsquema()
{
    QFETCH(QString, sql);
    QFETCH(QString, consulta);
    QFETCH(QString, filas);
    QVERIFY_DB(*m_cn, m_cn->Execute(sql));
    Recordset rs;
    QVERIFY_DB(*m_cn, rs = m_cn->Execute(consulta));
    QCOMPARE(prueba::Filas(rs), filas);
}

void TstDbDialecto::rechazaLoQueNoPuedeTraducir_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("motivo");

    QTest::newRow("TOP con porcentaje") << "SELECT TOP 10 PERCENT * FROM TA_USUARIOS" << "PERCENT";
    QTest::newRow("TOP con empates") << "SELECT TOP 1 WITH TIES * FROM TA_USUARIOS ORDER BY NOMBRE" << "TIES";
    QTest::newRow("TOP con UNION") << "SELECT TOP 1 NOMBRE FROM TA_USUARIOS UNION SELECT CODIGO FROM MA_CLIENTES"
                                   << "UNION";
    QTest::newRow("función sin equivalente") << "SELECT DATEDIFF(d, ALTA, getdate()) FROM MA_CLIENTES" << "DATEDIFF";
    QTest::newRow("control de flujo") << "IF NOT EXISTS (SELECT 1 FROM TA_MENU) CREATE TABLE X (A INT)" << "IF";
    QTest::newRow("más entre valores desconocidos") << "SELECT @a + @b" << "+";
    QTest::newRow("texto sin cerrar") << "SELECT 'abc FROM TA_USUARIOS" << "sin cerrar";
    QTest::newRow("valor por defecto calculado al agregar columna")
        << "ALTER TABLE dbo.ARTICULOS ADD ALTA DATETIME Null  CONSTRAINT DF_A DEFAULT (getdate())" << "constante";
}

void TstDbDialecto::rechazaLoQueNoPuedeTraducir()
{
    QFETCH(QString, sql);
    QFETCH(QString, motivo);
    ErrorEjecucion e;
    QEXPECT_ERROR(Errores::ErrorEnComando, m_cn->Execute(sql), e);
    QVERIFY2(e.Description.contains(motivo), qPrintable(e.Description));
    QCOMPARE(m_cn->Errors().Count(), 1);
}

void TstDbDialecto::respetaTextosYComentarios_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("traducida");

    QTest::newRow("palabras dentro de un texto")
        << "SELECT 'TOP 5 with(nolock) dbo.X getdate()' AS T FROM TA_USUARIOS"
        << "SELECT 'TOP 5 with(nolock) dbo.X getdate()' AS T FROM TA_USUARIOS";
    QTest::newRow("comentarios") << "SELECT TOP 3 /* TOP 4 */ A -- TOP 5\nFROM T"
                                 << "SELECT /* TOP 4 */ A -- TOP 5\nFROM T LIMIT 3";
    QTest::newRow("texto con comilla doble") << "SELECT A FROM T WHERE B = 'O''Brien'"
                                             << "SELECT A FROM T WHERE B = 'O''Brien' COLLATE NOCASE";
    QTest::newRow("TOP entre paréntesis") << "SELECT TOP (5) A FROM T" << "SELECT A FROM T LIMIT (5)";
    QTest::newRow("sugerencia antigua") << "SELECT A FROM T (NOLOCK) WHERE A = 1" << "SELECT A FROM T WHERE A = 1";
}

void TstDbDialecto::respetaTextosYComentarios()
{
    QFETCH(QString, sql);
    QFETCH(QString, traducida);
    const auto sentencias = TraducirParaSqlite(sql);
    QCOMPARE(sentencias.size(), 1);
    QCOMPARE(sentencias.first().texto, traducida);
}

QTEST_GUILESS_MAIN(TstDbDialecto)
#include "tst_db_dialecto.moc"
