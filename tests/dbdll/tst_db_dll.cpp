#include "app/ModScript.h"
#include "app/Sesion.h"
#include "data/BasePrueba.h"
#include "data/DB_Dll.h"
#include "support/EntornoPrueba.h"
#include "support/OperadorGuionado.h"
#include "support/VentanasGuionadas.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <optional>

// The data-access class on a real embedded company database: opening, the
// statement runners, lost-connection recovery, record lookups, schema helpers
// and the script runner.
class TstDbDll : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cadenasDeConexion();
    void abrirYAdministrador_data();
    void abrirYAdministrador();
    void aperturaFallidaPreguntaAlOperador();
    void aperturaFallidaSinMensaje();
    void reconexionSilenciosa();
    void conexionPerdidaEnSentencia();
    void conexionPerdidaEnRecordsetConVentana();
    void conexionPerdidaNoCierraElPrograma();
    void guardiaDeSentencias_data();
    void guardiaDeSentencias();
    void busquedasDeRegistros();
    void valoresConComillasNoReescribenLaSentencia();
    void esquema();
    void scriptConfirmadoYDeshecho_data();
    void scriptConfirmadoYDeshecho();

private:
    DB_Dll &db() { return DB_Dll::Compartido(); }
    QString archivoEmpresa() const { return m_entorno->carpeta() + QStringLiteral("datos/EMPRESA.db"); }
    int contar(const QString &sql);
    void abrir();
    // The database file goes away; with `vuelve` it comes back at once as a new file.
    void desaparecer() { QFile::rename(archivoEmpresa(), archivoEmpresa() + QStringLiteral(".fuera")); }
    void volver() { QFile::rename(archivoEmpresa() + QStringLiteral(".fuera"), archivoEmpresa()); }
    void reemplazarArchivo()
    {
        QFile::copy(archivoEmpresa(), archivoEmpresa() + QStringLiteral(".copia"));
        QFile::remove(archivoEmpresa());
        QFile::rename(archivoEmpresa() + QStringLiteral(".copia"), archivoEmpresa());
    }

    std::optional<EntornoPrueba> m_entorno;
};

void TstDbDll::init()
{
    m_entorno.emplace();
    db() = DB_Dll{};
    gUsuarioLogeado = QStringLiteral("ANA");
    gPassword.clear();
    gConfidencialidad = false;
    const QString ruta = prueba::CrearBase(m_entorno->carpeta() + QStringLiteral("datos"), QStringLiteral("EMPRESA"));
    QVERIFY(prueba::EjecutarSqlite(ruta, QStringLiteral(
        "CREATE TABLE TA_USUARIOS (NOMBRE VARCHAR(30), SISTEMA VARCHAR(10), PassWord VARCHAR(50), Administrador INT);"
        "INSERT INTO TA_USUARIOS VALUES ('ANA', 'VEXA', 'x', 1), ('LUIS', 'VEXA', 'y', 0), (' PEPE ', 'VEXA', 'z', 0);"
        "CREATE TABLE MA_CLIENTES (CODIGO VARCHAR(10) PRIMARY KEY, RAZON_SOCIAL VARCHAR(60), SALDO MONEY, ALTA DATETIME);"
        "INSERT INTO MA_CLIENTES VALUES ('C1', 'Ferretería Norte', 10.5, '2024-03-25 00:00:00'), "
        "('C2', 'Almacén Sur', NULL, NULL), ('C10', 'Kiosco', 3, NULL);"
        "CREATE VIEW V_MA_CLIENTES AS SELECT CODIGO, RAZON_SOCIAL FROM MA_CLIENTES;"
        "CREATE TABLE AUX_ERR (id INTEGER PRIMARY KEY AUTOINCREMENT, Proceso VARCHAR(50), fecha VARCHAR(20), "
        "Error VARCHAR(20), Descripcion VARCHAR(250), Sql TEXT, PC VARCHAR(50), Usuario VARCHAR(50));")));
}

void TstDbDll::cleanup()
{
    db() = DB_Dll{};
    m_entorno.reset();
}

void TstDbDll::abrir()
{
    db().gServidor = QStringLiteral("LOCAL");
    db().gDBName = db().gUsuario = db().gUserPassWord = QStringLiteral("EMPRESA");
    db().OpenServerADODB(false, 3, {}, true, true);
    QVERIFY(db().gOpenFlag);
}

int TstDbDll::contar(const QString &sql)
{
    db::Connection cn;
    cn.Open(prueba::CadenaSqlServer(QStringLiteral("LOCAL"), QStringLiteral("EMPRESA")));
    db::Recordset rs = cn.Execute(sql);
    return rs.Fields(0).Value().toInt();
}

void TstDbDll::cadenasDeConexion()
{
    DB_Dll d;
    d.gServidor = QStringLiteral("SRV01");
    d.gDBName = d.gUsuario = d.gUserPassWord = QStringLiteral("VENTAS");
    d.gExtended = QStringLiteral("Connect Timeout=9;");
    QCOMPARE(d.ArmarCadenaServidor(),
             QStringLiteral("PROVIDER=SQLOLEDB;Server=SRV01;Database =VENTAS;UId=VENTAS;Pwd=VENTAS;"
                            "Connect Timeout=5;Connect Timeout=9;"));
    d.gServidor = QStringLiteral("#ORCL");
    QCOMPARE(d.ArmarCadenaServidor(),
             QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=VENTAS;User Id=VENTAS;Password=VENTAS;"));
}

void TstDbDll::abrirYAdministrador_data()
{
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<bool>("muestraError");
    QTest::addColumn<bool>("esAdmin");
    QTest::newRow("administrador") << "ANA" << true << true;
    QTest::newRow("usuario común") << "LUIS" << true << false;
    QTest::newRow("sin mensajes todos administran") << "LUIS" << false << true;
    QTest::newRow("nombre con comilla") << "O'Brien' OR '1'='1" << true << false;
}

void TstDbDll::abrirYAdministrador()
{
    QFETCH(QString, usuario);
    QFETCH(bool, muestraError);
    QFETCH(bool, esAdmin);
    OperadorGuionado operador;
    gUsuarioLogeado = usuario;
    db().gServidor = QStringLiteral("LOCAL");
    db().gDBName = db().gUsuario = db().gUserPassWord = QStringLiteral("EMPRESA");
    db().OpenServerADODB(false, 3, {}, true, muestraError);
    QVERIFY2(db().gOpenFlag, qPrintable(operador.describir()));
    QCOMPARE(db().gEsAdmin, esAdmin);
    QCOMPARE(db().gConnString, QStringLiteral("PROVIDER=SQLOLEDB;Server=LOCAL;Database =EMPRESA;UId=EMPRESA;"
                                              "Pwd=EMPRESA;Connect Timeout=5;"));
    QCOMPARE(db().gCnn().State(), qint32(db::adStateOpen));
    QVERIFY(operador.mostrados().isEmpty());
}

void TstDbDll::aperturaFallidaPreguntaAlOperador()
{
    OperadorGuionado operador;
    AccesoGuionado acceso;
    db().gServidor = QStringLiteral("LOCAL");
    db().gDBName = db().gUsuario = db().gUserPassWord = QStringLiteral("NOEXISTE");

    // No: the connection stays closed.
    operador.responder(DialogoOperador::vbNo);
    db().OpenServerADODB(false, 3, {}, true, true);
    QVERIFY(!db().gOpenFlag);
    const auto &caja = operador.ultimo();
    QCOMPARE(caja.titulo, QStringLiteral(" Error de Conexion a Base de Datos"));
    QCOMPARE(caja.estilo, DialogoOperador::vbYesNo | DialogoOperador::vbCritical);
    QVERIFY(caja.texto.startsWith(QStringLiteral(" Estado de Sql: ")));
    QVERIFY(caja.texto.contains(QStringLiteral("\rCodigo Nativo: 4060\r\r\nNombre de Proceso: DefConsultas\r\r\n\r\n")));
    QVERIFY(caja.texto.contains(QStringLiteral("por ejemplo : LOCAL\\VELDRANO\r\n3. Verifique si el inicio de sesion "
                                               "para el usuario NOEXISTE existe\r\n\r\n\r\n - Desea Intentarlo Nuevamente??? ")));

    // Yes, then the access window cancelled: closed, and no second question.
    operador.limpiar();
    operador.responder(DialogoOperador::vbYes);
    acceso.cancelar();
    db().OpenServerADODB(false, 3, {}, true, true);
    QVERIFY(!db().gOpenFlag);
    QCOMPARE(operador.mostrados().size(), 1);

    // Yes, then the right database typed in the access window: open.
    operador.limpiar();
    operador.responder(DialogoOperador::vbYes);
    acceso.aceptar({QStringLiteral("EMPRESA"), QStringLiteral("LOCAL"), QStringLiteral("EMPRESA"),
                    QStringLiteral("EMPRESA"), 0});
    db().OpenServerADODB(false, 3, {}, true, true);
    QVERIFY(db().gOpenFlag);
    QCOMPARE(db().gDBName, QStringLiteral("EMPRESA"));
    QCOMPARE(db().gProveedor, QStringLiteral("SQLOLEDB"));
    QVERIFY(db().gEsAdmin);
}

void TstDbDll::aperturaFallidaSinMensaje()
{
    OperadorGuionado operador;
    AccesoGuionado acceso;
    db().gServidor = QStringLiteral("LOCAL");
    db().gDBName = QStringLiteral("NOEXISTE");
    db().OpenServerADODB(false, 3, {}, true, false);
    QVERIFY(!db().gOpenFlag);
    QVERIFY(operador.mostrados().isEmpty());

    // With the data asked for: the window shows the session's user, and
    // choosing Oracle marks the server.
    gUsuarioLogeado = QStringLiteral("ANA");
    gPassword = QStringLiteral("clave");
    acceso.aceptar({QStringLiteral("VENTAS"), QStringLiteral("ORCL"), QStringLiteral("U1"), QStringLiteral("P1"), 1});
    db().OpenServerADODB(true, 3, {}, true, false);
    QCOMPARE(acceso.mostrados().first().TxtUserId, QStringLiteral("ANA"));
    QCOMPARE(acceso.mostrados().first().TxtUserPassword, QStringLiteral("clave"));
    QCOMPARE(db().gServidor, QStringLiteral("#ORCL"));
    QCOMPARE(db().gProveedor, QStringLiteral("OraOLEDB.Oracle.1"));
    QCOMPARE(db().gConnString, QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=VENTAS;User Id=U1;Password=P1;"));
    QVERIFY(!db().gOpenFlag);
}

void TstDbDll::reconexionSilenciosa()
{
    // The file goes away after a statement and is back at once (another copy):
    // one silent reconnection, the failing insert runs again, exactly once.
    OperadorGuionado operador;
    abrir();
    QString sql = QStringLiteral("INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL) VALUES ('C3', 'Nuevo')");
    qint32 afectadas = 0;
    db().EjecutaConsultaSQL(sql, afectadas);
    QCOMPARE(afectadas, 1);
    reemplazarArchivo();
    sql = QStringLiteral("INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL) VALUES ('C4', 'Otro')");
    db().EjecutaConsultaSQL(sql, afectadas);
    QCOMPARE(db().gCnn().Errors().Count(), 0);
    QCOMPARE(contar(QStringLiteral("SELECT COUNT(*) FROM MA_CLIENTES WHERE CODIGO IN ('C3', 'C4')")), 2);
    QVERIFY(operador.mostrados().isEmpty());

    // A recordset meeting the same: reopened silently too.
    reemplazarArchivo();
    db::Recordset rs;
    QString consulta = QStringLiteral("SELECT CODIGO FROM MA_CLIENTES WHERE CODIGO = 'C4'");
    db().AbrirRecordset(consulta, rs);
    QCOMPARE(prueba::Filas(rs), QStringLiteral("C4"));
    QVERIFY(operador.mostrados().isEmpty());
}

void TstDbDll::conexionPerdidaEnSentencia()
{
    // The file stays away: three silent attempts, then the question; Yes tries
    // again (and asks again while it fails); when the file is back, the step
    // runs again and its row is there once.
    OperadorGuionado operador;
    abrir();
    desaparecer();
    operador.responder(DialogoOperador::vbYes).responder(DialogoOperador::vbYes, [this] { volver(); });
    QString sql = QStringLiteral("INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL) VALUES ('C5', 'Vuelta')");
    qint32 afectadas = 0;
    db().EjecutaConsultaSQL(sql, afectadas);
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 2);
    QCOMPARE(operador.ultimo().titulo, QStringLiteral("AVISO AL OPERADOR"));
    QCOMPARE(operador.ultimo().texto, QStringLiteral("\r\n\r\n\r\nSe perdio la conexion con la base de datos EMPRESA\r\n"
                                                     " Servidor LOCAL\r\n\r\nElija SI para reintentar conectarse\r\n"
                                                     "Elija NO para cerrar la aplicacion\r\n\r\n\r\n"));
    QCOMPARE(contar(QStringLiteral("SELECT COUNT(*) FROM MA_CLIENTES WHERE CODIGO = 'C5'")), 1);
}

void TstDbDll::conexionPerdidaEnRecordsetConVentana()
{
    // A recordset on a lost connection: one silent attempt, then the question;
    // Yes opens the reconnect window, which keeps trying until the file is back.
    OperadorGuionado operador;
    ReconexionGuionada ventana;
    abrir();
    desaparecer();
    ventana.alEsperar = [this](int tick) {
        if (tick == 13) // in the second series
            volver();
    };
    operador.responder(DialogoOperador::vbYes);
    db::Recordset rs;
    QString consulta = QStringLiteral("SELECT RAZON_SOCIAL FROM MA_CLIENTES WHERE CODIGO = 'C2'");
    db().AbrirRecordset(consulta, rs);
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 1);
    QCOMPARE(operador.ultimo().titulo, QStringLiteral("Conexión a la base de datos"));
    QCOMPARE(operador.ultimo().texto, QStringLiteral("SE PERDIÓ LA CONEXION CON EL SERVIDOR. (LOCAL) \r\n\r\n"
                                                     "¿Querés que intentemos reconectar (Sí) \r\no cerrar la aplicación (No)?"));
    QCOMPARE(ventana.veces, 2);
    QVERIFY(!ventana.abierta);
    QCOMPARE(ventana.mensaje, QStringLiteral("AbrirRecordset\r\nIntentando reconectar con el servidor..."));
    QCOMPARE(prueba::Filas(rs), QStringLiteral("Almacén Sur"));
}

void TstDbDll::conexionPerdidaNoCierraElPrograma()
{
    OperadorGuionado operador;
    abrir();
    desaparecer();
    // "No" to the question of the statement runner ends the program.
    operador.responder(DialogoOperador::vbNo);
    QString sql = QStringLiteral("DELETE FROM MA_CLIENTES");
    qint32 afectadas = 0;
    QVERIFY_THROWS_EXCEPTION(ProgramaTerminado, db().EjecutaConsultaSQL(sql, afectadas));
    // "Cerrar Sistema" in the reconnect window ends it too.
    ReconexionGuionada ventana;
    ventana.alEsperar = [&ventana](int tick) {
        if (tick == 4)
            ventana.pulsarCerrar();
    };
    operador.responder(DialogoOperador::vbYes);
    db::Recordset rs;
    QString consulta = QStringLiteral("SELECT * FROM MA_CLIENTES");
    QVERIFY_THROWS_EXCEPTION(ProgramaTerminado, db().AbrirRecordset(consulta, rs));
    QCOMPARE(m_entorno->terminaciones(), 2);
    volver();
    QCOMPARE(contar(QStringLiteral("SELECT COUNT(*) FROM MA_CLIENTES")), 3);
}

void TstDbDll::guardiaDeSentencias_data()
{
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("salida");
    QTest::newRow("prefijo en minúsculas") << "SELECT * FROM @admin_TA_USUARIOS " << "SELECT * FROM TA_USUARIOS ";
    QTest::newRow("drop y create pasan por sinónimos") << "DROP VIEW X CREATE VIEW X AS SELECT * FROM MA_CUENTAS "
                                                       << "DROP VIEW X CREATE VIEW X AS SELECT * FROM SS_MA_CUENTAS ";
    QTest::newRow("drop y create con prefijo") << "DROP VIEW X CREATE VIEW X AS SELECT * FROM @Admin_MA_CUENTAS "
                                               << "DROP VIEW X CREATE VIEW X AS SELECT * FROM MA_CUENTAS ";
    QTest::newRow("drop, create y delete quedan") << "DROP T CREATE T DELETE FROM MA_CUENTAS "
                                                  << "DROP T CREATE T DELETE FROM MA_CUENTAS ";
}

void TstDbDll::guardiaDeSentencias()
{
    QFETCH(QString, entrada);
    QFETCH(QString, salida);
    QCOMPARE(db().GuardiaSentencia(entrada), salida);
}

void TstDbDll::busquedasDeRegistros()
{
    OperadorGuionado operador;
    abrir();
    db().gEsAdmin = true;
    QVERIFY(db().ExisteEnTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("  C1 "), QStringLiteral("CODIGO")));
    QVERIFY(!db().ExisteEnTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("C9"), QStringLiteral("CODIGO")));
    QVERIFY(db().ExisteEnTabla(QStringLiteral("MA_CLIENTES"), {}, {}, nullptr, 8, QStringLiteral(" WHERE SALDO > 5")));
    QVERIFY(db().ExisteEnTabla(QStringLiteral("MA_CLIENTES"), {}, {}, nullptr, 8, QStringLiteral("SALDO > 5")));
    QVERIFY(db().ExisteEnTablaST(QStringLiteral("TA_USUARIOS"), QStringLiteral(" PEPE "), QStringLiteral("NOMBRE")));
    QVERIFY(db().ExisteEnTabla(QStringLiteral("TA_USUARIOS"), QStringLiteral("PEPE"), QStringLiteral("NOMBRE")));
    db::Recordset rs;
    QVERIFY(db().ExisteEnTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("C2"), QStringLiteral("CODIGO"), &rs));
    QCOMPARE(rs.Fields(QStringLiteral("RAZON_SOCIAL")).Value().toString(), QStringLiteral("Almacén Sur"));

    QCOMPARE(db().DatosTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("C1"), QStringLiteral("RAZON_SOCIAL"),
                             QStringLiteral("CODIGO"), QStringLiteral("'")).toString(),
             QStringLiteral("Ferretería Norte"));
    const QVariant nulo = db().DatosTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("C2"), QStringLiteral("SALDO"),
                                          QStringLiteral("CODIGO"));
    QVERIFY(!nulo.isNull());
    QCOMPARE(nulo.toString(), QString());
    QCOMPARE(db().DatosTabla(QStringLiteral("MA_CLIENTES"), QStringLiteral("X"), QStringLiteral("SALDO"),
                             QStringLiteral("CODIGO")).toString(), QString());
    QCOMPARE(db().BuscaMaximo(QStringLiteral("MA_CLIENTES"), QStringLiteral("SALDO")).toDouble(), 10.5);
    QCOMPARE(db().BuscaMinimo(QStringLiteral("MA_CLIENTES"), QStringLiteral("SALDO")).toDouble(), 3.0);
    QCOMPARE(db().BuscaUltimoCodigo(QStringLiteral("MA_CLIENTES"), QStringLiteral("SALDO"), {},
                                    QStringLiteral("CODIGO <> 'C1'")).toDouble(), 3.0);

    // A failing lookup asks: retry, then abort.
    operador.responder(DialogoOperador::vbRetry).responder(DialogoOperador::vbAbort);
    QVERIFY(!db().ExisteEnTabla(QStringLiteral("NO_HAY"), QStringLiteral("1"), QStringLiteral("X")));
    QCOMPARE(operador.mostrados().size(), 2);
    QCOMPARE(operador.ultimo().titulo, QStringLiteral("Aviso al Operador"));
    QCOMPARE(operador.ultimo().estilo, DialogoOperador::vbAbortRetryIgnore | DialogoOperador::vbCritical);
    // Ignoring errors: the recordset's own treatment still tells the operator;
    // the lookup itself adds nothing and answers empty.
    operador.responder(DialogoOperador::vbAbort);
    QCOMPARE(db().DatosTabla(QStringLiteral("NO_HAY"), QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("X"),
                             8, {}, true, true).toString(), QString());
    QCOMPARE(operador.mostrados().size(), 3);
    QVERIFY(operador.ultimo().texto.startsWith(QStringLiteral("AbrirRecordset")));
}

void TstDbDll::valoresConComillasNoReescribenLaSentencia()
{
    OperadorGuionado operador;
    abrir();
    const QString ataque = QStringLiteral("x' OR '1'='1");
    QVERIFY(!db().ExisteEnTabla(QStringLiteral("TA_USUARIOS"), ataque, QStringLiteral("NOMBRE")));
    QVERIFY(!db().ExisteEnTablaST(QStringLiteral("TA_USUARIOS"), ataque, QStringLiteral("NOMBRE")));
    QCOMPARE(db().DatosTabla(QStringLiteral("TA_USUARIOS"), ataque, QStringLiteral("Administrador"),
                             QStringLiteral("NOMBRE")).toString(), QString());
    QVERIFY(operador.mostrados().isEmpty());
}

void TstDbDll::esquema()
{
    OperadorGuionado operador;
    abrir();
    QVERIFY(db().ExisteTablaDB(QStringLiteral("ma_clientes")));
    QVERIFY(db().ExisteTablaDB(QStringLiteral("V_MA_CLIENTES")));
    QVERIFY(!db().ExisteTablaDB(QStringLiteral("MA_PROVEEDORES")));
    QVERIFY(db().ExisteCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral(" razon_social ")));
    QVERIFY(!db().ExisteCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("PESO")));
    QVERIFY(db().VerCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("PESO"), true, QStringLiteral("FLOAT"), false,
                            QStringLiteral("0")));
    QVERIFY(db().ExisteCampoDB(QStringLiteral("MA_CLIENTES"), QStringLiteral("PESO")));
    QCOMPARE(contar(QStringLiteral("SELECT COUNT(*) FROM MA_CLIENTES WHERE PESO = 0")), 3);
    // Adding it again fails in the database and stays in Errors, without a message.
    db().AddField(QStringLiteral("MA_CLIENTES"), QStringLiteral("PESO"), QStringLiteral("FLOAT"), true);
    QVERIFY(db().gCnn().Errors().Count() > 0);
    db().gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
    QVERIFY(db().ExisteCampoDB(QStringLiteral("CUALQUIERA"), QStringLiteral("NADA")));
    QVERIFY(operador.mostrados().isEmpty());
}

void TstDbDll::scriptConfirmadoYDeshecho_data()
{
    QTest::addColumn<QStringList>("sentencias");
    QTest::addColumn<bool>("banderaDuplicado");
    QTest::addColumn<bool>("error");
    QTest::addColumn<int>("filasC7");
    QTest::addColumn<QString>("mensaje");
    const QString c7 = QStringLiteral("INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL) VALUES ('C7', 'Siete')");
    const QString c1 = QStringLiteral("INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL) VALUES ('C1', 'Repetido')");
    QTest::newRow("confirmado") << QStringList{QString(), c7, QString()} << false << false << 1 << QString();
    QTest::newRow("duplicado deshecho entero, con bandera") << QStringList{QString(), c7, QString(), c1} << true
                                                            << true << 0 << "soloDescripcion";
    QTest::newRow("duplicado deshecho entero, sin bandera") << QStringList{c7, c1} << false << true << 0
                                                            << "2627 : ";
    QTest::newRow("solo vacíos") << QStringList{QString(), QStringLiteral("  ")} << false << false << 0 << QString();
}

void TstDbDll::scriptConfirmadoYDeshecho()
{
    QFETCH(QStringList, sentencias);
    QFETCH(bool, banderaDuplicado);
    QFETCH(bool, error);
    QFETCH(int, filasC7);
    QFETCH(QString, mensaje);
    OperadorGuionado operador;
    abrir();
    if (error)
        operador.responder(DialogoOperador::vbOK);
    bool huboError = true;
    qint32 nativo = -1;
    QString script, textoError;
    GActualizarDatoScript(sentencias, huboError, nativo, banderaDuplicado, false, script, textoError, true);
    QCOMPARE_OPERADOR(operador, huboError, error);
    QCOMPARE(contar(QStringLiteral("SELECT COUNT(*) FROM MA_CLIENTES WHERE CODIGO = 'C7'")), filasC7);
    QCOMPARE(contar(QStringLiteral("SELECT COUNT(*) FROM MA_CLIENTES")), 3 + filasC7);
    if (!error) {
        QCOMPARE(nativo, 0);
        QVERIFY(operador.mostrados().isEmpty());
        return;
    }
    QCOMPARE(nativo, 2627);
    QVERIFY(script.startsWith(QStringLiteral("BEGIN TRANSACTION \r\r\r")));
    if (mensaje == u"soloDescripcion")
        QVERIFY2(!textoError.startsWith(QStringLiteral("2627")) && !textoError.isEmpty(), qPrintable(textoError));
    else
        QVERIFY2(textoError.startsWith(mensaje) && textoError.endsWith(QStringLiteral("\r\n")), qPrintable(textoError));
    QCOMPARE(operador.ultimo().titulo, QStringLiteral("Aviso al Operador!"));
    QCOMPARE(operador.ultimo().texto, textoError);
    // The failure is recorded in AUX_ERR.
    QCOMPARE(contar(QStringLiteral("SELECT COUNT(*) FROM AUX_ERR WHERE Error = '2627' AND Proceso = 'DefConsultas' "
                                   "AND Usuario = 'ANA' AND LENGTH(Descripcion) = 250 AND fecha = '25/03/24 14:07'")),
             1);
}

QTEST_GUILESS_MAIN(TstDbDll)
#include "tst_db_dll.moc"
