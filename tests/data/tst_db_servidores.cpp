// Where a connection string leads (server resolution, the provider forms), and
// bad input that must end in an error the data-access class can report.

#include "BasePrueba.h"
#include "data/db/Servidores.h"
#include "support/EntornoPrueba.h"

#include <QElapsedTimer>
#include <QTest>

using namespace db;

class TstDbServidores : public QObject
{
    Q_OBJECT

private slots:
    void leeLaCadenaDeConexion();
    void resuelveElDestino_data();
    void resuelveElDestino();
    void entradaMalaTerminaEnError_data();
    void entradaMalaTerminaEnError();
};

void TstDbServidores::leeLaCadenaDeConexion()
{
    const auto pares = LeerCadenaConexion(
        QStringLiteral("PROVIDER=SQLOLEDB;Server=srv\\INST;Database =EMPRESA;UId=sa;Pwd={a;b}}};Connect Timeout=5;"));
    QCOMPARE(pares.size(), 6);
    QCOMPARE(pares[2].first, QStringLiteral("Database"));
    QCOMPARE(pares[2].second, QStringLiteral("EMPRESA"));
    QCOMPARE(pares[1].second, QStringLiteral("srv\\INST"));
    QCOMPARE(pares[4].second, QStringLiteral("a;b}"));
}

void TstDbServidores::resuelveElDestino_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("cadena");
    QTest::addColumn<bool>("embebido");
    QTest::addColumn<int>("dialecto");
    QTest::addColumn<QString>("esperado"); // the file, relative to the application folder, or part of the ODBC string

    const QString sqlServer = QStringLiteral("PROVIDER=SQLOLEDB;Server=%1;Database =VENTAS;UId=u;Pwd=p;Connect Timeout=5;");
    QTest::newRow("LOCAL es la base embebida en datos")
        << "" << sqlServer.arg("local") << true << int(Dialecto::Sqlite) << "datos/VENTAS.db";
    QTest::newRow("servidor de la configuración con carpeta propia")
        << "[Servidores]\nDEMO=sqlite:bases/demo" << sqlServer.arg("demo") << true << int(Dialecto::Sqlite)
        << "bases/demo/VENTAS.db";
    QTest::newRow("la configuración manda sobre LOCAL")
        << "[Servidores]\nLOCAL=sqlite:otra" << sqlServer.arg("LOCAL") << true << int(Dialecto::Sqlite)
        << "otra/VENTAS.db";
    QTest::newRow("otro nombre es SQL Server por FreeTDS")
        << "" << sqlServer.arg("srv1:1433") << false << int(Dialecto::SqlServer)
        << "Driver=FreeTDS;Server=srv1;Port=1433;Database=VENTAS;UID=u;PWD=p;";
    QTest::newRow("instancia con nombre") << "" << sqlServer.arg("srv1\\SQL2019") << false << int(Dialecto::SqlServer)
                                          << "Server=srv1\\SQL2019;Database=VENTAS";
    QTest::newRow("entrada ODBC con plantilla")
        << "[Servidores]\nCENTRAL=odbc:Driver=FreeTDS;Server=10.0.0.5;Database={base};UID={usuario};PWD={clave}"
        << sqlServer.arg("central") << false << int(Dialecto::SqlServer)
        << "Driver=FreeTDS;Server=10.0.0.5;Database=VENTAS;UID=u;PWD=p;";
    QTest::newRow("Oracle con su controlador")
        << "[ControladoresODBC]\nOracle=Driver=OracleODBC;DBQ={base};UID={usuario};PWD={clave}"
        << "Provider=OraOLEDB.Oracle.1;Data Source=VENTAS;User Id=U1;Password=P1;" << false << int(Dialecto::Oracle)
        << "Driver=OracleODBC;DBQ=VENTAS;UID=U1;PWD=P1;";
    QTest::newRow("archivo local embebido")
        << "" << "PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =%APP%datos/VENTAS.db;User Id=a;Jet OLEDB:Database Password=b;"
        << true << int(Dialecto::Sqlite) << "datos/VENTAS.db";
    QTest::newRow("archivo de Access con el controlador de la configuración")
        << "[ControladoresODBC]\nAccess=Driver=MDBTools;DBQ={archivo}"
        << "PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =/datos/VENTAS.MDB;User Id=a;Jet OLEDB:Database Password=b;"
        << false << int(Dialecto::Access) << "Driver=MDBTools;DBQ=/datos/VENTAS.MDB;";
    QTest::newRow("cadena ODBC del llamador")
        << "" << "Driver=SQLite3;Database=%APP%datos/VENTAS.db" << false << int(Dialecto::Sqlite) << "NoCreat=1";
}

void TstDbServidores::resuelveElDestino()
{
    QFETCH(QString, ini);
    QFETCH(QString, cadena);
    QFETCH(bool, embebido);
    QFETCH(int, dialecto);
    QFETCH(QString, esperado);
    EntornoPrueba entorno;
    EscribirArchivo(entorno.ruta(QStringLiteral("MX200ps.INI")), ini.toUtf8());
    const Destino d = ResolverDestino(cadena.replace(QLatin1String("%APP%"), entorno.carpeta()));
    QCOMPARE(d.via == Destino::Via::Sqlite, embebido);
    QCOMPARE(int(d.dialecto), dialecto);
    if (embebido)
        QCOMPARE(d.archivo, entorno.carpeta() + esperado);
    else
        QVERIFY2(d.cadenaOdbc.contains(esperado), qPrintable(d.cadenaOdbc));
}

void TstDbServidores::entradaMalaTerminaEnError_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("cadena");
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("enDescripcion");
    QTest::addColumn<QString>("estado"); // how the first entry's SQLSTATE begins

    QTest::newRow("clave sin valor") << "" << "PROVIDER=SQLOLEDB;Server" << int(Errores::ErrorNoEspecificado) << "=" << "";
    QTest::newRow("llave sin cerrar") << "" << "PROVIDER=SQLOLEDB;Server=LOCAL;Pwd={abc"
                                      << int(Errores::ErrorNoEspecificado) << "cerrado" << "";
    QTest::newRow("cadena vacía") << "" << "" << int(Errores::ErrorNoEspecificado) << "vacía" << "";
    QTest::newRow("proveedor desconocido") << "" << "Provider=Nada.1;Data Source=x"
                                           << int(Errores::ProveedorNoEncontrado) << "Nada.1" << "";
    QTest::newRow("controlador no instalado")
        << "[Servidores]\nMALO=odbc:Driver=NoInstalado;Database={base}"
        << "PROVIDER=SQLOLEDB;Server=MALO;Database =EMPRESA;UId=a;Pwd=b;" << int(Errores::ErrorNoEspecificado) << "" << "";
    QTest::newRow("entrada de servidor sin forma")
        << "[Servidores]\nMALO=ftp://x" << "PROVIDER=SQLOLEDB;Server=MALO;Database =EMPRESA;UId=a;Pwd=b;"
        << int(Errores::ErrorNoEspecificado) << "MALO" << "";
    QTest::newRow("Oracle sin controlador") << "" << "Provider=OraOLEDB.Oracle.1;Data Source=V;User Id=u;Password=p;"
                                            << int(Errores::ErrorNoEspecificado) << "Oracle" << "";
    QTest::newRow("archivo de Access sin controlador")
        << "" << "PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =C:\\DATOS\\A.MDB;User Id=a;Jet OLEDB:Database Password=b;"
        << int(Errores::ErrorNoEspecificado) << "Access" << "";
    QTest::newRow("archivo dañado") << "" << "PROVIDER=SQLOLEDB;Server=LOCAL;Database =ROTA;UId=a;Pwd=b;"
                                    << int(Errores::ErrorNoEspecificado) << "not a database" << "";
    QTest::newRow("SQL Server que no escucha")
        << "" << "PROVIDER=SQLOLEDB;Server=127.0.0.1:1;Database =EMPRESA;UId=a;Pwd=b;Connect Timeout=5;"
        << int(Errores::ErrorNoEspecificado) << "" << "08";
}

void TstDbServidores::entradaMalaTerminaEnError()
{
    QFETCH(QString, ini);
    QFETCH(QString, cadena);
    QFETCH(int, numero);
    QFETCH(QString, enDescripcion);
    QFETCH(QString, estado);
    EntornoPrueba entorno;
    EscribirArchivo(entorno.ruta(QStringLiteral("MX200ps.INI")), ini.toUtf8());
    EscribirArchivo(entorno.ruta(QStringLiteral("datos/ROTA.db")), QByteArray(4096, 'x'));
    Connection cn;
    QElapsedTimer reloj;
    reloj.start();
    ErrorEjecucion e;
    QEXPECT_ERROR(numero, cn.Open(cadena), e);
    QVERIFY(reloj.elapsed() < 10000);
    QCOMPARE(cn.State(), qint32(adStateClosed));
    QVERIFY(cn.Errors().Count() >= 1);
    QVERIFY2(e.Description.contains(enDescripcion), qPrintable(prueba::Describir(cn, e)));
    QVERIFY2(estado.isEmpty() || cn.Errors()[0].SQLState.startsWith(estado), qPrintable(prueba::Describir(cn, e)));
}

QTEST_GUILESS_MAIN(TstDbServidores)
#include "tst_db_servidores.moc"
