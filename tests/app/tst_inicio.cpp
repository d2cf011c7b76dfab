#include "access/frmAcceso.h"
#include "app/IniciarAplicacion.h"
#include "app/Sesion.h"
#include "data/BasePrueba.h"
#include "data/DB_Dll.h"
#include "support/EntornoPrueba.h"
#include "support/OperadorGuionado.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The start-up when a login attempt names another database: the program
// reconnects there and the session is recorded in that database.
class TstInicio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void intentoEnOtraBaseReconecta();

private:
    QTemporaryDir m_plantilla;
};

void TstInicio::initTestCase()
{
    QCOMPARE(QProcess::execute(QStringLiteral(CREAR_DEMO), {m_plantilla.path(), QStringLiteral("100")}), 0);
}

void TstInicio::intentoEnOtraBaseReconecta()
{
    EntornoPrueba entorno;
    OperadorGuionado operador;
    const QString datos = entorno.carpeta() + QStringLiteral("datos/");
    QDir().mkpath(datos);
    QVERIFY(QFile::copy(m_plantilla.filePath(QStringLiteral("EMPRESA.db")), datos + QStringLiteral("EMPRESA.db")));
    QVERIFY(QFile::copy(m_plantilla.filePath(QStringLiteral("EMPRESA.db")), datos + QStringLiteral("SUCURSAL.db")));
    QVERIFY(QFile::copy(m_plantilla.filePath(QStringLiteral("KV_ESTADISTICAS.db")), datos + QStringLiteral("KV_ESTADISTICAS.db")));
    QVERIFY(EscribirArchivo(entorno.ruta(QStringLiteral("BASES.TXT")), QByteArray()));
    DB_Dll::Compartido() = DB_Dll{};

    operador.responder(DialogoOperador::vbOK); // "El usuario o clave ... es incorrecto!"
    int ventanas = 0;
    QTimer operadorDeTeclado;
    QObject::connect(&operadorDeTeclado, &QTimer::timeout, [&] {
        auto *acceso = qobject_cast<frmAcceso *>(QApplication::activeModalWidget());
        if (!acceso || !acceso->isVisible())
            return;
        ++ventanas;
        QCOMPARE(acceso->TxtDbName->text(), QStringLiteral("EMPRESA"));
        acceso->TxtDbName->setText(QStringLiteral("SUCURSAL"));
        acceso->TxtUserId->setText(QStringLiteral("JUAN"));
        acceso->TxtUserPassword->setText(QStringLiteral("juan"));
        acceso->bcAceptar->click();
    });
    operadorDeTeclado.start(50);

    QString cadena;
    IniciarAplicacion(QStringLiteral("@Server=LOCAL; @DbName=EMPRESA; @Usuario=JUAN; @Password=mala;"), cadena, 3);
    operadorDeTeclado.stop();

    QCOMPARE(ventanas, 1);
    QCOMPARE(entorno.terminaciones(), 0);
    QCOMPARE(DB_Dll::Compartido().gDBName, QStringLiteral("SUCURSAL"));
    QCOMPARE(gUsuarioLogeado, QStringLiteral("JUAN"));
    QVERIFY(gIdControlAcceso > 0);
    QCOMPARE(operador.mostrados().size(), 1);
    db::Connection cn;
    cn.Open(prueba::CadenaSqlServer(QStringLiteral("LOCAL"), QStringLiteral("SUCURSAL")));
    db::Recordset rs = cn.Execute(QStringLiteral("SELECT Usuario FROM Control_Acceso"));
    QCOMPARE(prueba::Filas(rs), QStringLiteral("JUAN"));
    DB_Dll::Compartido() = DB_Dll{};
}

QTEST_MAIN(TstInicio)
#include "tst_inicio.moc"
