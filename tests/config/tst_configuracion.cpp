#include "app/Sesion.h"
#include "config/ModConfiguracion.h"
#include "config/SesionConfiguracion.h"
#include "data/BasePrueba.h"
#include "support/EntornoPrueba.h"
#include "support/OperadorGuionado.h"

#include <QTest>
#include <optional>

// The configuration store and the session settings on real company and
// statistics databases.
class TstConfiguracion : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sentencias_data();
    void sentencias();
    void lecturas();
    void escrituras();
    void tiempoDeEspera_data();
    void tiempoDeEspera();
    void fechaDelServidor();
    void sesionConTablaVacia();
    void sesionConTablaLlena();
    void coloresIgualesSeReponen();
    void valoresNulosYNoNumericos();

private:
    QString empresa() const { return m_entorno->carpeta() + QStringLiteral("datos/EMPRESA.db"); }
    QString estadisticas() const { return m_entorno->carpeta() + QStringLiteral("datos/KV_ESTADISTICAS.db"); }
    void configurar(const QString &valores) { QVERIFY(prueba::EjecutarSqlite(empresa(), QStringLiteral("INSERT INTO TA_CONFIGURACION (GRUPO, CLAVE, VALOR, valoraux) VALUES ") + valores)); }
    QString fila(const QString &archivo, const QString &sql);
    std::optional<EntornoPrueba> m_entorno;
};

namespace {
const char *kTablaConfiguracion = "CREATE TABLE TA_CONFIGURACION (GRUPO VARCHAR(30), CLAVE VARCHAR(60), "
                                  "VALOR VARCHAR(255), valoraux VARCHAR(255), PoliticaNegocio BIT);";
}

void TstConfiguracion::init()
{
    m_entorno.emplace();
    gTablaConfiguracion.clear();
    gUsuarioLogeado = QStringLiteral("ANA");
    gConfidencialidad = gUtilizarFechaDia = false;
    gValoresSesion = {};
    gUnidadNegocio.clear();
    gCondicionIva = 0;
    gColorFondo = 0xFFFFFF;
    gColorLetra = 0;
    const QString datos = m_entorno->carpeta() + QStringLiteral("datos");
    prueba::CrearBase(datos, QStringLiteral("EMPRESA"));
    prueba::CrearBase(datos, QStringLiteral("KV_ESTADISTICAS"));
    QVERIFY(prueba::EjecutarSqlite(empresa(), QString::fromLatin1(kTablaConfiguracion) + QStringLiteral(
        "CREATE TABLE TA_USUARIOS (NOMBRE VARCHAR(30), UNegocio VARCHAR(4), verproforma BIT, clasepusa VARCHAR(20));"
        "CREATE TABLE TA_UNIDADNEGOCIO (codigo VARCHAR(4), razon_social VARCHAR(60), Cuit VARCHAR(13), PDV VARCHAR(4));"
        "CREATE VIEW v_ta_unidadNegocio AS SELECT * FROM TA_UNIDADNEGOCIO;")));
    QVERIFY(prueba::EjecutarSqlite(estadisticas(), QString::fromLatin1(kTablaConfiguracion)));
    DB_Dll &db = DB_Dll::Compartido();
    db = DB_Dll{};
    gDBEstadisticas() = DB_Dll{};
    db.gServidor = QStringLiteral("LOCAL");
    db.gDBName = db.gUsuario = db.gUserPassWord = QStringLiteral("EMPRESA");
    db.OpenServerADODB(false, 3, {}, false, false);
    QVERIFY(db.gOpenFlag);
    db.gEsAdmin = true;
}

void TstConfiguracion::cleanup()
{
    DB_Dll::Compartido() = DB_Dll{};
    gDBEstadisticas() = DB_Dll{};
    m_entorno.reset();
}

QString TstConfiguracion::fila(const QString &archivo, const QString &sql)
{
    db::Connection cn;
    const QString base = QFileInfo(archivo).completeBaseName();
    cn.Open(prueba::CadenaSqlServer(QStringLiteral("LOCAL"), base));
    db::Recordset rs = cn.Execute(sql);
    return prueba::Filas(rs);
}

void TstConfiguracion::sentencias_data()
{
    QTest::addColumn<QString>("sentencia");
    QTest::addColumn<QString>("esperada");
    gTablaConfiguracion = QStringLiteral("ta_configuracion");
    namespace S = SentenciasConfiguracion;
    QTest::newRow("Cfg en DATOS") << S::Cfg(QStringLiteral("TopConsArt"), QStringLiteral("DATOS"))
                                  << "SELECT VALOR, valoraux FROM ta_configuracion with(nolock)  WHERE CLAVE = 'TopConsArt'";
    QTest::newRow("Cfg con Datos en minúsculas") << S::Cfg(QStringLiteral(" THEME "), QStringLiteral("Datos"))
                                                 << "SELECT VALOR, valoraux FROM ta_configuracion with(nolock)  WHERE CLAVE = 'THEME'";
    QTest::newRow("Cfg de otro grupo") << S::Cfg(QStringLiteral("TimeOut"), QStringLiteral("BaseDeDatos"))
                                       << "SELECT VALOR, valoraux FROM ta_configuracion with(nolock)  WHERE CLAVE = 'TimeOut' AND GRUPO ='BaseDeDatos'";
    QTest::newRow("CfgAux sin valor") << S::CfgAux(QStringLiteral("ConsultaArticuloConImagen"), {})
                                      << "SELECT VALOR, valoraux FROM ta_configuracion with(nolock)  WHERE CLAVE = 'ConsultaArticuloConImagen'";
    QTest::newRow("CfgAux de clave de fecha en mayúsculas") << S::CfgAux(QStringLiteral("[fecha desde]"), QStringLiteral("x"))
                                                            << "SELECT VALOR, VALORAUX FROM TA_CONFIGURACION WITH(NOLOCK)  WHERE CLAVE = '[FECHA DESDE]' AND VALOR = 'X'";
    QTest::newRow("CfgKV") << S::CfgKV(QStringLiteral("TimeOut"))
                           << "SELECT VALOR, valoraux FROM TA_CONFIGURACION with(nolock)  WHERE CLAVE = 'TimeOut'";
    QTest::newRow("GrabaDfg sin recortar la clave") << S::GrabaDfg(QStringLiteral(" k "), QStringLiteral("DATOS"))
                                                    << "SELECT * FROM ta_configuracion with(nolock)  WHERE CLAVE = ' k '";
    QTest::newRow("GrabaDfg de otro grupo") << S::GrabaDfg(QStringLiteral("k"), QStringLiteral("G"))
                                            << "SELECT * FROM ta_configuracion with(nolock)  WHERE CLAVE = 'k' AND GRUPO = 'G'";
    QTest::newRow("GrabaCfgKV") << S::GrabaCfgKV(QStringLiteral("TimeOut"))
                                << "SELECT * FROM TA_CONFIGURACION with(nolock)  WHERE CLAVE = 'TimeOut'";
    QTest::newRow("lector del editor") << S::CfgDefConsultas(QStringLiteral(" TopConsArt "))
                                       << "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'TopConsArt'";
}

void TstConfiguracion::sentencias()
{
    QFETCH(QString, sentencia);
    QFETCH(QString, esperada);
    QCOMPARE(sentencia, esperada);
}

void TstConfiguracion::lecturas()
{
    OperadorGuionado operador;
    configurar(QStringLiteral("('DATOS', 'TOPCONSART', '50', 'aux'), ('DATOS', 'THEMEX', '', NULL), "
                              "('BaseDeDatos', 'TimeOut', '20', NULL), ('DATOS', '[FECHA DESDE]', 'X', '7')"));
    QString aux = QStringLiteral("previo");
    QCOMPARE(Cfg(QStringLiteral("TopConsArt"), aux), QStringLiteral("50"));
    QCOMPARE(aux, QStringLiteral("aux"));
    QCOMPARE(gTablaConfiguracion, QStringLiteral("TA_CONFIGURACION"));
    QCOMPARE(Cfg(QStringLiteral("NoEsta"), aux), QStringLiteral(" "));
    QCOMPARE(aux, QString());
    QCOMPARE(Cfg(QStringLiteral("THEME")), QStringLiteral("1"));
    configurar(QStringLiteral("('DATOS', 'THEME', '  ', NULL)"));
    QCOMPARE(Cfg(QStringLiteral("THEME")), QStringLiteral("1"));
    QCOMPARE(Cfg(QStringLiteral("TimeOut"), QStringLiteral("BaseDeDatos")), QStringLiteral("20"));
    QCOMPARE(Cfg(QStringLiteral("TimeOut"), QStringLiteral("Otro")), QStringLiteral(" "));
    QCOMPARE(CfgAux(QStringLiteral("[fecha desde]"), QStringLiteral("x")), QStringLiteral("7"));
    QCOMPARE(CfgDefConsultas(QStringLiteral("TopConsArt")), QStringLiteral("50"));
    QCOMPARE(CfgDefConsultas(QStringLiteral("Falta")), QStringLiteral(" "));
    // With the connection closed the reader answers empty at once.
    DB_Dll::Compartido().gOpenFlag = false;
    QCOMPARE(Cfg(QStringLiteral("TopConsArt")), QString());
    QVERIFY(operador.mostrados().isEmpty());
}

void TstConfiguracion::escrituras()
{
    OperadorGuionado operador;
    GrabaDfg(QStringLiteral("TopConsArt"), 50, {}, false, QStringLiteral("DATOS"), true);
    QCOMPARE(fila(empresa(), QStringLiteral("SELECT GRUPO, CLAVE, VALOR, valoraux, PoliticaNegocio, typeof(PoliticaNegocio) FROM TA_CONFIGURACION")),
             QStringLiteral("DATOS|TOPCONSART|50|NULL|false|integer"));
    GrabaDfg(QStringLiteral("ConsultaArticuloConImagen"), QStringLiteral("SI "), QStringLiteral(" 2 "), true,
             QStringLiteral("DATOS"), false);
    GrabaDfg(QStringLiteral("ConsultaArticuloConImagen"), QStringLiteral("NO"), {}, false, QStringLiteral("DATOS"), true);
    QCOMPARE(fila(empresa(), QStringLiteral("SELECT VALOR, valoraux FROM TA_CONFIGURACION WHERE CLAVE = 'CONSULTAARTICULOCONIMAGEN'")),
             QStringLiteral("NO| 2 "));
    QCOMPARE(fila(empresa(), QStringLiteral("SELECT COUNT(*) FROM TA_CONFIGURACION")), QStringLiteral("2"));
    // The group of the row found is overwritten with the one given.
    GrabaDfg(QStringLiteral("TopConsArt"), QStringLiteral("60"), {}, false, QStringLiteral("DATOS"), true);
    QCOMPARE(fila(empresa(), QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'TOPCONSART'")),
             QStringLiteral("60"));
    QVERIFY(operador.mostrados().isEmpty());
}

void TstConfiguracion::tiempoDeEspera_data()
{
    QTest::addColumn<QString>("fila");
    QTest::addColumn<int>("tiempo");
    QTest::addColumn<QString>("despues");
    QTest::newRow("treinta") << "('BaseDeDatos', 'TimeOut', '30', NULL)" << 30 << "BaseDeDatos|TIMEOUT|30";
    QTest::newRow("sin fila se crea en cero") << "" << 45 << "BaseDeDatos|TIMEOUT|0";
    QTest::newRow("no numérico") << "('BaseDeDatos', 'TimeOut', 'mucho', NULL)" << 45 << "BaseDeDatos|TIMEOUT|0";
}

void TstConfiguracion::tiempoDeEspera()
{
    QFETCH(QString, fila);
    QFETCH(int, tiempo);
    QFETCH(QString, despues);
    OperadorGuionado operador;
    if (!fila.isEmpty())
        QVERIFY(prueba::EjecutarSqlite(estadisticas(), QStringLiteral("INSERT INTO TA_CONFIGURACION (GRUPO, CLAVE, VALOR, valoraux) VALUES ") + fila));
    gTimeOut = 0;
    CargarTimeOut();
    QCOMPARE(int(gTimeOut), tiempo);
    QVERIFY(gDBEstadisticas().gOpenFlag);
    QCOMPARE(gDBEstadisticas().gDBName, QStringLiteral("KV_ESTADISTICAS"));
    QCOMPARE(gDBEstadisticas().gUserPassWord, QStringLiteral("ZB_TEMPORIZADOR"));
    QString esperado = this->fila(estadisticas(), QStringLiteral("SELECT GRUPO, UPPER(CLAVE), VALOR FROM TA_CONFIGURACION"));
    if (fila.isEmpty() || tiempo == 45)
        QVERIFY2(esperado.contains(QStringLiteral("TIMEOUT|0")) || esperado.contains(QStringLiteral("TIMEOUT|mucho")), qPrintable(esperado));
    else
        QCOMPARE(esperado, despues);
    QVERIFY(operador.mostrados().isEmpty());
}

void TstConfiguracion::fechaDelServidor()
{
    // The embedded server's clock is the workstation's, pinned by the test.
    m_entorno->fijarAhora(QDateTime(QDate(2024, 3, 25), QTime(14, 7, 55, 640)));
    const QDateTime fecha = FechaServidor();
    QCOMPARE(fecha, QDateTime(QDate(2024, 3, 25), QTime(14, 7, 55)));
}

void TstConfiguracion::sesionConTablaVacia()
{
    OperadorGuionado operador;
    CargarConfiguracion(m_entorno->carpeta());
    const ValoresSesion &v = gValoresSesion;
    QCOMPARE(gTablaConfiguracion, QStringLiteral("ta_configuracion"));
    QVERIFY(!v.MostrarStockenConsultas && !v.UsaConsultaLike && !gConfidencialidad && !v.MADERERA && !v.PideClave_StockNeg);
    QVERIFY(v.ModuloOrdenDeTrabajo);
    QCOMPARE(gUnidadNegocio, QStringLiteral("   1"));
    QCOMPARE(v.Top_Default, QStringLiteral("1000"));
    QCOMPARE(int(gCondicionIva), 1);
    QCOMPARE(gColorFondo, ColorRGB(230, 243, 255));
    QCOMPARE(gColorFondo, 16774118u);
    QCOMPARE(gRutaDocTareas, m_entorno->carpeta() + QStringLiteral("KVDOCTareas.kvd"));
    QCOMPARE(fila(empresa(), QStringLiteral("SELECT CLAVE, VALOR FROM TA_CONFIGURACION ORDER BY CLAVE")),
             QStringLiteral("CFONDO|16774118;CLETRA|0"));
    QVERIFY(operador.mostrados().isEmpty());
}

void TstConfiguracion::sesionConTablaLlena()
{
    OperadorGuionado operador;
    configurar(QStringLiteral(
        "('DATOS', 'MostrarStockenConsultas', 'si', NULL), ('DATOS', 'SS_CONFIDENCIALIDAD', 'SI', NULL),"
        "('DATOS', 'UsaFacturaProforma', 'SI', NULL), ('DATOS', 'CFondo', '255', NULL), ('DATOS', 'CLetra', '0', NULL),"
        "('DATOS', 'ModuloOrdenDeTrabajo', ' no ', NULL), ('DATOS', 'MADERERA', 'x', NULL), ('DATOS', 'MaxDto', '12,5', NULL),"
        "('DATOS', 'PERIODO', '202412', NULL), ('DATOS', 'RazonSocialPorUneg', ' SI ', NULL),"
        "('DATOS', 'UTILIZARFECHADIA', 'SI', NULL), ('DATOS', 'CantidadDecimales', ' 2 ', NULL),"
        "('DATOS', 'CONDICIONIVA_UN_2', ' 3 ', NULL), ('DATOS', 'Top_Default', '  ', NULL)"));
    QVERIFY(prueba::EjecutarSqlite(empresa(), QStringLiteral(
        "INSERT INTO TA_USUARIOS VALUES ('ANA', '2', 0, '1,2,3');"
        "INSERT INTO TA_UNIDADNEGOCIO VALUES ('2', 'Sucursal Centro', '30-12345678-9', ' 0004 ');")));
    CargarConfiguracion(m_entorno->carpeta());
    const ValoresSesion &v = gValoresSesion;
    QVERIFY(v.MostrarStockenConsultas && gConfidencialidad && gUtilizarFechaDia && v.RazonSocialPorUneg);
    QVERIFY(!v.UsaFacturaProforma); // the user's row says no
    QVERIFY(!v.ModuloOrdenDeTrabajo);
    QVERIFY(v.MADERERA);
    QCOMPARE(v.MaxDto, 12.5);
    QCOMPARE(int(v.PERIODO), 0); // out of range for the 16-bit value: kept
    QCOMPARE(v.CantidadDecimales, QStringLiteral(" 2 "));
    QCOMPARE(v.ClasePUsa, QStringLiteral("123"));
    QCOMPARE(gUnidadNegocio, QStringLiteral("2"));
    QCOMPARE(int(gCondicionIva), 3);
    QCOMPARE(gColorFondo, 255u);
    QCOMPARE(gColorLetra, 0u);
    QCOMPARE(v.Top_Default, QStringLiteral("1000"));

    QString nombre, cuit, inicio, ingresos, condicion, domicilio, pdv;
    DatosUnidadNegocio(QStringLiteral("2"), nombre, cuit, inicio, ingresos, condicion, domicilio, pdv);
    QCOMPARE(nombre, QStringLiteral("Sucursal Centro"));
    QCOMPARE(cuit, QStringLiteral("30-12345678-9"));
    QCOMPARE(condicion, QStringLiteral("3"));
    QCOMPARE(pdv, QStringLiteral("0004"));
    QVERIFY(operador.mostrados().isEmpty());
}

void TstConfiguracion::coloresIgualesSeReponen()
{
    configurar(QStringLiteral("('DATOS', 'CFondo', '8421504', NULL), ('DATOS', 'CLetra', '8421504', NULL)"));
    CargarConfiguracion(m_entorno->carpeta());
    QCOMPARE(gColorFondo, 16774118u);
    QCOMPARE(gColorLetra, 8421504u);
    QCOMPARE(fila(empresa(), QStringLiteral("SELECT CLAVE, VALOR FROM TA_CONFIGURACION ORDER BY CLAVE")),
             QStringLiteral("CFONDO|16774118;CLETRA|0"));
}

void TstConfiguracion::valoresNulosYNoNumericos()
{
    OperadorGuionado operador;
    configurar(QStringLiteral("('DATOS', 'CFondo', NULL, NULL), ('DATOS', 'CLetra', 'rojo', NULL),"
                              "('DATOS', 'MaxDto', NULL, NULL), ('DATOS', 'CONDIVAEMPRESA', 'x', NULL),"
                              "('DATOS', 'MostrarStockenConsultas', NULL, NULL)"));
    QVERIFY(prueba::EjecutarSqlite(empresa(), QStringLiteral("INSERT INTO TA_USUARIOS VALUES ('ANA', NULL, NULL, NULL);")));
    CargarConfiguracion(m_entorno->carpeta());
    QCOMPARE(gValoresSesion.MaxDto, 0.0);
    QCOMPARE(int(gCondicionIva), 1);
    QCOMPARE(gUnidadNegocio, QStringLiteral("   1"));
    QVERIFY(!gValoresSesion.MostrarStockenConsultas);
    QVERIFY(operador.mostrados().isEmpty());
}

QTEST_GUILESS_MAIN(TstConfiguracion)
#include "tst_configuracion.moc"
