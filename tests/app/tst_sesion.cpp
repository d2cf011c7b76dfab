#include "app/ModLogin.h"
#include "app/ModSesion.h"
#include "app/Sesion.h"
#include "data/BasePrueba.h"
#include "data/DB_Dll.h"
#include "support/EntornoPrueba.h"
#include "support/OperadorGuionado.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

// Login and session records on the demo company database.
class TstSesion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void validarUsuario_data();
    void validarUsuario();
    void passwordGuardada();
    void administradorAlAbrir_data();
    void administradorAlAbrir();
    void ingresoYEgreso_data();
    void ingresoYEgreso();
    void dosSesionesCierranSuFila();
    void accionConApostrofo();
    void formatosDeFecha();

private:
    QString consultar(const QString &sql);
    QTemporaryDir m_plantilla;
    std::optional<EntornoPrueba> m_entorno;
};

void TstSesion::initTestCase()
{
    QCOMPARE(QProcess::execute(QStringLiteral(CREAR_DEMO), {m_plantilla.path(), QStringLiteral("200")}), 0);
}

void TstSesion::init()
{
    m_entorno.emplace();
    const QString datos = m_entorno->carpeta() + QStringLiteral("datos/");
    QDir().mkpath(datos);
    for (const char *base : {"EMPRESA.db", "KV_ESTADISTICAS.db"})
        QVERIFY(QFile::copy(m_plantilla.filePath(QLatin1String(base)), datos + QLatin1String(base)));
    DB_Dll &db = DB_Dll::Compartido();
    db = DB_Dll{};
    db.gServidor = QStringLiteral("LOCAL");
    db.gDBName = db.gUsuario = db.gUserPassWord = QStringLiteral("EMPRESA");
    gUsuarioLogeado = QStringLiteral("ADMIN");
    gParametroAdicional.clear();
    gIdControlAcceso = 0;
    db.OpenServerADODB(false, 3, {}, true, false);
    QVERIFY(db.gOpenFlag);
}

void TstSesion::cleanup()
{
    DB_Dll::Compartido() = DB_Dll{};
    m_entorno.reset();
}

QString TstSesion::consultar(const QString &sql)
{
    db::Connection cn;
    cn.Open(prueba::CadenaSqlServer(QStringLiteral("LOCAL"), QStringLiteral("EMPRESA")));
    db::Recordset rs = cn.Execute(sql);
    return prueba::Filas(rs);
}

void TstSesion::validarUsuario_data()
{
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<bool>("esAdmin");
    QTest::newRow("el login de la base, en otra letra") << "empresa" << "cualquiera" << true << false;
    QTest::newRow("administrador") << "ADMIN" << "ADMIN" << true << true;
    QTest::newRow("clave sin importar mayúsculas") << "JUAN" << "JUAN" << true << false;
    QTest::newRow("clave equivocada") << "JUAN" << "otra" << false << false;
    QTest::newRow("usuario de otro sistema") << "TALLER" << "taller" << false << false;
    QTest::newRow("usuario inexistente") << "NADIE" << "x" << false << false;
    QTest::newRow("comillas no saltean la clave") << "x' OR '1'='1" << "" << false << false;
    QTest::newRow("comillas en la clave") << "ADMIN" << "' OR '1'='1" << false << true;
}

void TstSesion::validarUsuario()
{
    QFETCH(QString, usuario);
    QFETCH(QString, password);
    QFETCH(bool, valido);
    QFETCH(bool, esAdmin);
    OperadorGuionado operador;
    gUsuarioLogeado.clear();
    DB_Dll::Compartido().gEsAdmin = false;
    QCOMPARE(ValidarUsuario(usuario, password), valido);
    QCOMPARE(DB_Dll::Compartido().gEsAdmin, esAdmin);
    if (valido)
        QCOMPARE(gUsuarioLogeado, usuario);
    QVERIFY(operador.mostrados().isEmpty());
}

void TstSesion::administradorAlAbrir_data()
{
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<bool>("esAdmin");
    QTest::newRow("ADMIN administra") << "ADMIN" << true;
    QTest::newRow("JUAN no") << "JUAN" << false;
    QTest::newRow("nombre con comilla no") << "ADMIN' OR '1'='1" << false;
}

void TstSesion::administradorAlAbrir()
{
    // Opening with the administrator check reads the user's row of TA_USUARIOS.
    QFETCH(QString, usuario);
    QFETCH(bool, esAdmin);
    OperadorGuionado operador;
    DB_Dll &db = DB_Dll::Compartido();
    db = DB_Dll{};
    db.gServidor = QStringLiteral("LOCAL");
    db.gDBName = db.gUsuario = db.gUserPassWord = QStringLiteral("EMPRESA");
    gUsuarioLogeado = usuario;
    db.OpenServerADODB(false, 3, {}, true, true);
    QVERIFY(db.gOpenFlag);
    QCOMPARE(db.gEsAdmin, esAdmin);
    QVERIFY(operador.mostrados().isEmpty());
}

void TstSesion::passwordGuardada()
{
    gUsuarioLogeado = QStringLiteral("admin");
    gPassword = kMarcaPasswordGuardada;
    ResolverPasswordGuardada();
    QCOMPARE(gPassword, QStringLiteral("ADMIN"));
    gUsuarioLogeado = QStringLiteral("NADIE' --");
    gPassword = kMarcaPasswordGuardada;
    ResolverPasswordGuardada();
    QCOMPARE(gPassword, kMarcaPasswordGuardada);
}

void TstSesion::ingresoYEgreso_data()
{
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("fila");
    QTest::newRow("con permiso en el menú") << "ADMIN" << "EMPRESA" << "ADMIN|DEFCONSULTAS|DEFINICIÓN DE CONSULTAS|25/03/24 14:07|ADMIN";
    QTest::newRow("sin permiso, login de la base") << "MARTA" << "EMPRESA" << "MARTA|DEFCONSULTAS|DEFCONSULTAS|25/03/24 14:07|MARTA";
    QTest::newRow("sin permiso, otro login") << "MARTA" << "OTRO" << "MARTA|DEFCONSULTAS||25/03/24 14:07|MARTA";
    QTest::newRow("comilla en el nombre") << "O'Brien" << "EMPRESA" << "OBRIEN|DEFCONSULTAS|DEFCONSULTAS|25/03/24 14:07|OBrien";
}

void TstSesion::ingresoYEgreso()
{
    QFETCH(QString, usuario);
    QFETCH(QString, login);
    QFETCH(QString, fila);
    OperadorGuionado operador;
    gUsuarioLogeado = usuario;
    DB_Dll::Compartido().gUsuario = login;
    RegistrarIngreso();
    QVERIFY(gIdControlAcceso > 0);
    const QString id = QString::number(gIdControlAcceso);
    QCOMPARE(consultar(QStringLiteral("SELECT Usuario, Formulario, Tarea, Ingreso, NombreUsuario FROM Control_Acceso WHERE id = ") + id),
             fila);
    QCOMPARE(consultar(QStringLiteral("SELECT Maquina FROM Control_Acceso WHERE id = ") + id),
             Equipo::Compartido().NombreEquipo().trimmed().toUpper());
    m_entorno->fijarAhora(QDateTime(QDate(2024, 3, 25), QTime(18, 30)));
    RegistrarEgreso();
    QCOMPARE(consultar(QStringLiteral("SELECT EGRESO FROM Control_Acceso WHERE id = ") + id),
             QStringLiteral("25/03/24 18:30"));
    QVERIFY(operador.mostrados().isEmpty());
}

void TstSesion::dosSesionesCierranSuFila()
{
    RegistrarIngreso();
    const qint32 primera = gIdControlAcceso;
    // Another program of the same user opens its own session meanwhile.
    {
        db::Connection otra;
        otra.Open(prueba::CadenaSqlServer(QStringLiteral("LOCAL"), QStringLiteral("EMPRESA")));
        otra.Execute(QStringLiteral("INSERT INTO Control_Acceso (Maquina, Usuario, Ingreso) VALUES ('OTRA', 'ADMIN', 'x')"));
    }
    RegistrarIngreso();
    const qint32 segunda = gIdControlAcceso;
    QCOMPARE(segunda, primera + 2);
    RegistrarEgreso();
    m_entorno->fijarAhora(QDateTime(QDate(2024, 3, 26), QTime(9, 0)));
    RegistrarEgreso(); // a second close does nothing
    gIdControlAcceso = primera;
    RegistrarEgreso();
    QCOMPARE(consultar(QStringLiteral("SELECT id, EGRESO FROM Control_Acceso ORDER BY id")),
             QStringLiteral("%1|25/03/24 14:07;%2|NULL;%3|25/03/24 14:07").arg(primera).arg(primera + 1).arg(segunda)
                 .replace(QStringLiteral("%1|25/03/24 14:07").arg(primera), QStringLiteral("%1|26/03/24 09:00").arg(primera)));
}

void TstSesion::accionConApostrofo()
{
    OperadorGuionado operador;
    gUsuarioLogeado = QStringLiteral("D'Angelo");
    gParametroAdicional = QStringLiteral("CLIENTES");
    RegistrarAccion({}, {}, {}, true, false, QStringLiteral("Intento de inicio de sesion fallido"), {}, false);
    RegistrarAccion(QStringLiteral("FC"), QStringLiteral("0001-1"), QStringLiteral("3"), false, false,
                    QStringLiteral("Baja de l'artículo"), QStringLiteral("  1.1.01 "), true);
    QCOMPARE(consultar(QStringLiteral("SELECT TC, IdComprobante, IdComplemento, Tipo_accion, Usuario, SYSTEMUSER, "
                                      "ProcesoLote, Cuenta FROM MV_CPTEACCIONES ORDER BY id")),
             QStringLiteral("    ||0|A|D'Angelo|Intento de inicio de sesion fallido||;"
                            "  FC|0001-1|3|ER|D'Angelo|Baja de l'artículo||1.1.01"));
    const QString proceso = consultar(QStringLiteral("SELECT Proceso FROM MV_CPTEACCIONES ORDER BY id LIMIT 1"));
    QCOMPARE(proceso.size(), 255);
    QVERIFY(proceso.startsWith(QStringLiteral("DefConsultas CLIENTES ")));
    QCOMPARE(consultar(QStringLiteral("SELECT FECHAHORA FROM MV_CPTEACCIONES ORDER BY id LIMIT 1")),
             QStringLiteral("25/03/2024 14:07:55"));
    QVERIFY(operador.mostrados().isEmpty());
}

void TstSesion::formatosDeFecha()
{
    m_entorno->fijarAhora(QDateTime(QDate(2024, 1, 5), QTime(7, 3, 9)));
    QCOMPARE(FormatoFechaHora(), QStringLiteral("05/01/24 07:03"));
    Regional r;
    r.separadorFecha = u'-';
    r.separadorHora = u'.';
    Plataforma::EstablecerRegional(r);
    QCOMPARE(FormatoFecha(), QStringLiteral("05-01-24"));
    QCOMPARE(FormatoHora(), QStringLiteral("07.03"));
}

QTEST_GUILESS_MAIN(TstSesion)
#include "tst_sesion.moc"
