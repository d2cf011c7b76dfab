#include "ui/Dll_Display.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The progress sign: its lines, the cancel button, the turning wheel and a
// fresh window after closing.
class TstCartelProgreso : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Dll_Display::Compartido().CartelCerrar(); }

    void aspectoAlAbrir();
    void lineas_data();
    void lineas();
    void cancelar_data();
    void cancelar();
    void cuadrosAvanzanYVuelven();
    void cerrarYReabrirDaVentanaNueva();
    void cerrarSinCartelNoCreaNada();

private:
    static QStringList textos(const Lbf_CtrlDisplay &v)
    {
        return {v.LblCtrol[0]->text(), v.LblCtrol[1]->text(), v.LblCtrol[2]->text()};
    }
};

void TstCartelProgreso::aspectoAlAbrir()
{
    Dll_Display &cartel = Dll_Display::Compartido();
    cartel.CartelInicio(QStringLiteral("Conectando Base de Datos"), false);
    Lbf_CtrlDisplay *v = cartel.Ventana();
    QVERIFY(v);
    QVERIFY(v->isVisible());
    QVERIFY(!v->isModal());
    QCOMPARE(v->windowTitle(), QStringLiteral("Conectando Base de Datos"));
    QVERIFY(v->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(v->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(qRound(v->windowOpacity() * 255), 200);
    QVERIFY(v->Timer1->isActive());
    QCOMPARE(v->Timer1->interval(), 100);
    QCOMPARE(v->Contador(), qint16(0));
    QCOMPARE(v->Image1->pixmap().toImage(), v->ImageList1[0].toImage());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(v->findChild<QLabel *>(QStringLiteral("LblCtrol_%1").arg(i)), v->LblCtrol[i]);
}

void TstCartelProgreso::lineas_data()
{
    using Linea = std::optional<QString>;
    QTest::addColumn<Linea>("l1");
    QTest::addColumn<Linea>("l2");
    QTest::addColumn<Linea>("l3");
    QTest::addColumn<QStringList>("esperado");
    const Linea nada;
    QTest::newRow("las tres del inicio") << Linea(QStringLiteral("Iniciando Aplicacion"))
                                         << Linea(QStringLiteral("DefConsultas"))
                                         << Linea(QStringLiteral("Espere por favor"))
                                         << QStringList{"Iniciando Aplicacion", "DefConsultas", "Espere por favor"};
    QTest::newRow("solo la segunda") << nada << Linea(QStringLiteral("nueva")) << nada
                                     << QStringList{"uno", "nueva", "tres"};
    QTest::newRow("nula se ve vacía") << Linea(QString()) << nada << Linea(QString())
                                      << QStringList{"", "dos", ""};
    QTest::newRow("ninguna") << nada << nada << nada << QStringList{"uno", "dos", "tres"};
}

void TstCartelProgreso::lineas()
{
    using Linea = std::optional<QString>;
    QFETCH(Linea, l1);
    QFETCH(Linea, l2);
    QFETCH(Linea, l3);
    QFETCH(QStringList, esperado);
    Dll_Display &cartel = Dll_Display::Compartido();
    cartel.CartelInicio(QStringLiteral("Procesando"), false);
    bool cancelado = true;
    cartel.CartelMostrar(cancelado, QStringLiteral("uno"), QStringLiteral("dos"), QStringLiteral("tres"));
    cartel.CartelMostrar(cancelado, l1, l2, l3);
    QCOMPARE(textos(*cartel.Ventana()), esperado);
    QVERIFY(!cancelado);
}

void TstCartelProgreso::cancelar_data()
{
    QTest::addColumn<bool>("permiteCancelar");
    QTest::newRow("con botón de cancelar") << true;
    QTest::newRow("sin botón de cancelar") << false;
}

void TstCartelProgreso::cancelar()
{
    QFETCH(bool, permiteCancelar);
    Dll_Display &cartel = Dll_Display::Compartido();
    cartel.CartelInicio(QStringLiteral("Procesando"), permiteCancelar);
    Lbf_CtrlDisplay *v = cartel.Ventana();
    QCOMPARE(v->CmdDisplayCancelar->isVisible(), permiteCancelar);
    QCOMPARE(v->CmdDisplayCancelar->text(), QStringLiteral("&Cancelar"));

    bool cancelado = true;
    cartel.CartelMostrar(cancelado);
    QVERIFY(!cancelado);

    // The operator can only press a button on show.
    if (permiteCancelar)
        QTest::mouseClick(v->CmdDisplayCancelar, Qt::LeftButton);
    cartel.CartelMostrar(cancelado);
    QCOMPARE(cancelado, permiteCancelar);
    QCOMPARE(v->CmdDisplayCancelar->text(), permiteCancelar ? QStringLiteral("Abortado") : QStringLiteral("&Cancelar"));
    cartel.CartelMostrar(cancelado);
    QCOMPARE(cancelado, permiteCancelar);
}

void TstCartelProgreso::cuadrosAvanzanYVuelven()
{
    Dll_Display &cartel = Dll_Display::Compartido();
    cartel.CartelInicio(QStringLiteral("Procesando"), false);
    Lbf_CtrlDisplay *v = cartel.Ventana();
    QCOMPARE(v->ImageList1.size(), 12);
    // Twelve different pictures, or the wheel would seem to stand still.
    QSet<qint64> distintos;
    for (const QPixmap &cuadro : v->ImageList1) {
        const QImage imagen = cuadro.toImage();
        distintos.insert(qHashBits(imagen.constBits(), imagen.sizeInBytes()));
    }
    QCOMPARE(distintos.size(), 12);

    const QList<int> cuadrosEsperados{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1};
    for (int esperado : cuadrosEsperados) {
        v->Timer1_Timer();
        QCOMPARE(v->Image1->pixmap().toImage(), v->ImageList1[esperado - 1].toImage());
    }
    QCOMPARE(v->Contador(), qint16(1));

    // The real clock drives the same ticks while events are served.
    const qint16 antes = v->Contador();
    QTRY_VERIFY_WITH_TIMEOUT(v->Contador() != antes, 2000);
}

void TstCartelProgreso::cerrarYReabrirDaVentanaNueva()
{
    Dll_Display &cartel = Dll_Display::Compartido();
    cartel.CartelInicio(QStringLiteral("Primero"), true);
    QPointer<Lbf_CtrlDisplay> primera = cartel.Ventana();
    bool cancelado = false;
    cartel.CartelMostrar(cancelado, QStringLiteral("uno"), QStringLiteral("dos"), QStringLiteral("tres"));
    for (int i = 0; i < 5; ++i)
        primera->Timer1_Timer();
    primera->CmdDisplayCancelar->click();

    cartel.CartelCerrar();
    QVERIFY(!primera);
    QVERIFY(!cartel.Ventana());

    cartel.CartelInicio(QStringLiteral("Segundo"), true);
    Lbf_CtrlDisplay *v = cartel.Ventana();
    QCOMPARE(v->Contador(), qint16(0));
    QCOMPARE(v->CmdDisplayCancelar->text(), QStringLiteral("&Cancelar"));
    QCOMPARE(textos(*v), QStringList({"", "", ""}));
    cartel.CartelMostrar(cancelado);
    QVERIFY(!cancelado);
}

void TstCartelProgreso::cerrarSinCartelNoCreaNada()
{
    Dll_Display &cartel = Dll_Display::Compartido();
    cartel.CartelCerrar();
    QVERIFY(!cartel.Ventana());
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
}

QTEST_MAIN(TstCartelProgreso)
#include "tst_cartel_progreso.moc"
