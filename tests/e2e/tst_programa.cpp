#include "data/BasePrueba.h"
#include "suite/LibreriaSuite.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The program as an operator meets it: started with a launch string on a real
// X server, its windows found by their titles and answered with the keyboard.
class TstPrograma : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void ingresoConElLoginDeLaBase();
    void tresIntentosFallidosTerminan();
    void lineaVaciaMuestraElAcceso();

private:
    void iniciar(const QStringList &argumentos);
    bool esperarVentana(const QString &titulo, int ms = 15000);
    bool xdotool(const QStringList &argumentos);
    void tecla(const QString &titulo, const QString &tecla);
    QString consultar(const QString &sql);
    bool terminar(int ms = 10000);

    QProcess m_xvfb;
    QString m_display;
    QTemporaryDir m_plantilla;
    std::optional<QTemporaryDir> m_carpeta;
    QProcess m_programa;
};

void TstPrograma::initTestCase()
{
    for (const char *herramienta : {"Xvfb", "xdotool", "xwininfo"})
        if (QStandardPaths::findExecutable(QLatin1String(herramienta)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("Falta %1 en esta máquina").arg(QLatin1String(herramienta))));
    m_xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                          QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                                          QStringLiteral("tcp"), QStringLiteral("-noreset")});
    QVERIFY(m_xvfb.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(m_xvfb.canReadLine(), 10000);
    m_display = u':' + QString::fromLatin1(m_xvfb.readLine()).trimmed();
    QCOMPARE(QProcess::execute(QStringLiteral(CREAR_DEMO), {m_plantilla.path(), QStringLiteral("300")}), 0);
}

void TstPrograma::cleanupTestCase()
{
    m_xvfb.terminate();
    m_xvfb.waitForFinished();
}

void TstPrograma::init()
{
    // A program folder of its own: the program, and its demo databases in datos/.
    m_carpeta.emplace();
    const QString carpeta = m_carpeta->path();
    QVERIFY(QFile::copy(QStringLiteral(PROGRAMA), carpeta + QStringLiteral("/DefConsultas")));
    QFile::setPermissions(carpeta + QStringLiteral("/DefConsultas"), QFile::ReadOwner | QFile::ExeOwner);
    QDir().mkpath(carpeta + QStringLiteral("/datos"));
    for (const char *base : {"EMPRESA.db", "KV_ESTADISTICAS.db"})
        QVERIFY(QFile::copy(m_plantilla.filePath(QLatin1String(base)), carpeta + QStringLiteral("/datos/") + QLatin1String(base)));
}

void TstPrograma::cleanup()
{
    if (m_programa.state() != QProcess::NotRunning) {
        m_programa.kill();
        m_programa.waitForFinished();
    }
    m_carpeta.reset();
}

void TstPrograma::iniciar(const QStringList &argumentos)
{
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("DISPLAY"), m_display);
    entorno.remove(QStringLiteral("QT_QPA_PLATFORM"));
    entorno.insert(QStringLiteral("HOME"), m_carpeta->path());
    m_programa.setProcessEnvironment(entorno);
    m_programa.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_programa.start(m_carpeta->path() + QStringLiteral("/DefConsultas"), argumentos);
    QVERIFY(m_programa.waitForStarted());
}

bool TstPrograma::esperarVentana(const QString &titulo, int ms)
{
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < ms) {
        if (xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                     u'^' + QRegularExpression::escape(titulo) + u'$'}))
            return true;
        QTest::qWait(150);
    }
    return false;
}

bool TstPrograma::xdotool(const QStringList &argumentos)
{
    QProcess proceso;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("DISPLAY"), m_display);
    proceso.setProcessEnvironment(entorno);
    proceso.start(QStringLiteral("xdotool"), argumentos);
    if (!proceso.waitForFinished(10000)) {
        proceso.kill();
        proceso.waitForFinished();
        return false;
    }
    return proceso.exitStatus() == QProcess::NormalExit && proceso.exitCode() == 0;
}

void TstPrograma::tecla(const QString &titulo, const QString &nombreTecla)
{
    QVERIFY2(esperarVentana(titulo), qPrintable(QStringLiteral("No apareció la ventana «%1»").arg(titulo)));
    QTest::qWait(200);
    // The window is given the focus, then the keys are typed as a person types them.
    QVERIFY(xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                     u'^' + QRegularExpression::escape(titulo) + u'$', QStringLiteral("windowfocus"),
                     QStringLiteral("--sync")}));
    QTest::qWait(200);
    QVERIFY(xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("120")}
                    + nombreTecla.split(u' ')));
    QTest::qWait(300);
}

QString TstPrograma::consultar(const QString &sql)
{
    // The program's own databases, reached as the program reaches them.
    ContextoAplicacion::Compartido().AsignarCarpeta(m_carpeta->path());
    db::Connection cn;
    try {
        cn.Open(prueba::CadenaSqlServer(QStringLiteral("LOCAL"), QStringLiteral("EMPRESA")));
        db::Recordset rs = cn.Execute(sql);
        return prueba::Filas(rs);
    } catch (const ErrorEjecucion &e) {
        return prueba::Describir(cn, e);
    }
}

bool TstPrograma::terminar(int ms)
{
    if (m_programa.state() != QProcess::NotRunning && !m_programa.waitForFinished(ms))
        return false;
    return m_programa.exitStatus() == QProcess::NormalExit;
}

void TstPrograma::ingresoConElLoginDeLaBase()
{
    iniciar({QStringLiteral("@Server=LOCAL; @DbName=EMPRESA; @Usuario=ADMIN; @Password=EMPRESA;")});
    QVERIFY(esperarVentana(QStringLiteral("Definición de Consultas del Sistema")));
    QCOMPARE(consultar(QStringLiteral("SELECT Usuario, Formulario, Tarea, NombreUsuario, EGRESO FROM Control_Acceso")),
             QStringLiteral("ADMIN|DEFCONSULTAS|DEFINICIÓN DE CONSULTAS|ADMIN|NULL"));
    // The system asks the program to end: the editor unloads and the egress is written.
    ::kill(pid_t(m_programa.processId()), SIGTERM);
    QVERIFY(terminar());
    QCOMPARE(m_programa.exitCode(), 0);
    QCOMPARE(consultar(QStringLiteral("SELECT COUNT(*) FROM Control_Acceso WHERE EGRESO IS NOT NULL")), QStringLiteral("1"));
}

void TstPrograma::tresIntentosFallidosTerminan()
{
    iniciar({QStringLiteral("@Server=LOCAL; @DbName=EMPRESA; @Usuario=JUAN; @Password=mala;")});
    tecla(QStringLiteral("Atencion!"), QStringLiteral("Return"));
    for (int intento = 1; intento <= 3; ++intento) {
        // Enter walks user, password, database, server and then presses "Conectar".
        tecla(QStringLiteral("Control de Acceso"), QStringLiteral("Return Return Return Return Return"));
        tecla(QStringLiteral("Atencion"), QStringLiteral("Return"));
    }
    tecla(QStringLiteral("Atencion!"), QStringLiteral("Return"));
    QVERIFY(terminar());
    QCOMPARE(consultar(QStringLiteral("SELECT Tipo_accion, Usuario, SYSTEMUSER FROM MV_CPTEACCIONES")),
             QStringLiteral("A|JUAN|Intento de inicio de sesion fallido;A|JUAN|Intento de inicio de sesion fallido;"
                            "A|JUAN|Intento de inicio de sesion fallido"));
    QCOMPARE(consultar(QStringLiteral("SELECT COUNT(*) FROM Control_Acceso")), QStringLiteral("0"));
}

void TstPrograma::lineaVaciaMuestraElAcceso()
{
    iniciar({});
    QVERIFY(esperarVentana(QStringLiteral("Control de Acceso")));
    QVERIFY(!esperarVentana(QStringLiteral("Definición de Consultas del Sistema"), 500));
    // Cancelling the window ends the program without a session.
    tecla(QStringLiteral("Control de Acceso"), QStringLiteral("Escape"));
    QVERIFY(terminar());
    QCOMPARE(consultar(QStringLiteral("SELECT COUNT(*) FROM Control_Acceso")), QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TstPrograma)
#include "tst_programa.moc"
