#include "data/BasePrueba.h"
#include "data/DB_Dll.h"
#include "support/EntornoPrueba.h"
#include "support/OperadorGuionado.h"
#include "ui/frmReconectar.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real reconnect window on a real lost connection: it keeps trying while it
// stays responsive, and gives up on "Cerrar Sistema".
class TstReconectar : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void reintentaHastaQueVuelve();
    void cerrarSistemaTerminaElPrograma();

private:
    QString archivo() const { return m_entorno->carpeta() + QStringLiteral("datos/EMPRESA.db"); }
    std::optional<EntornoPrueba> m_entorno;
    std::optional<frmReconectar> m_ventana;
};

void TstReconectar::init()
{
    m_entorno.emplace();
    m_ventana.emplace();
    VentanasDatos::EstablecerReconexion(&*m_ventana);
    const QString ruta = prueba::CrearBase(m_entorno->carpeta() + QStringLiteral("datos"), QStringLiteral("EMPRESA"));
    QVERIFY(prueba::EjecutarSqlite(ruta, QStringLiteral("CREATE TABLE T (A INT); INSERT INTO T VALUES (7);")));
    DB_Dll &db = DB_Dll::Compartido();
    db = DB_Dll{};
    db.gServidor = QStringLiteral("LOCAL");
    db.gDBName = db.gUsuario = db.gUserPassWord = QStringLiteral("EMPRESA");
    db.OpenServerADODB(false, 3, {}, false, false);
    QVERIFY(db.gOpenFlag);
    QVERIFY(QFile::rename(archivo(), archivo() + QStringLiteral(".fuera")));
}

void TstReconectar::cleanup()
{
    DB_Dll::Compartido() = DB_Dll{};
    VentanasDatos::EstablecerReconexion(nullptr);
    m_ventana.reset();
    m_entorno.reset();
}

void TstReconectar::reintentaHastaQueVuelve()
{
    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbYes);
    bool visible = false;
    int progreso = 0;
    QString titulo, mensaje;
    // While the window waits, the world goes on: it is seen trying, then the file returns.
    QTimer::singleShot(1200, this, [&] {
        visible = m_ventana->isVisible();
        progreso = m_ventana->prgIntentos->value();
        titulo = m_ventana->windowTitle();
        mensaje = m_ventana->lblMensaje->text();
        QFile::rename(archivo() + QStringLiteral(".fuera"), archivo());
    });
    QElapsedTimer reloj;
    reloj.start();
    db::Recordset rs;
    QString sql = QStringLiteral("SELECT A FROM T");
    DB_Dll::Compartido().AbrirRecordset(sql, rs);
    QVERIFY(reloj.elapsed() >= 1200);
    QVERIFY(visible);
    QVERIFY2(progreso >= 10 && progreso <= 100, qPrintable(QString::number(progreso)));
    QCOMPARE(titulo, QStringLiteral("Intentando reconectar con el servidor…"));
    QCOMPARE(mensaje, QStringLiteral("AbrirRecordset\r\nIntentando reconectar con el servidor..."));
    QVERIFY(!m_ventana->isVisible());
    QCOMPARE(prueba::Filas(rs), QStringLiteral("7"));
}

void TstReconectar::cerrarSistemaTerminaElPrograma()
{
    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbYes);
    bool reintentarHabilitado = true;
    QTimer::singleShot(800, this, [&] {
        reintentarHabilitado = m_ventana->CmdReintentar->isEnabled();
        // "Reintentar" only counts at the end of a series; "Cerrar Sistema" at once.
        QTest::mouseClick(m_ventana->cmdCancelar, Qt::LeftButton);
    });
    db::Recordset rs;
    QString sql = QStringLiteral("SELECT A FROM T");
    QVERIFY_THROWS_EXCEPTION(ProgramaTerminado, DB_Dll::Compartido().AbrirRecordset(sql, rs));
    QVERIFY(!reintentarHabilitado);
    QCOMPARE(m_entorno->terminaciones(), 1);
}

QTEST_MAIN(TstReconectar)
#include "tst_reconectar.moc"
