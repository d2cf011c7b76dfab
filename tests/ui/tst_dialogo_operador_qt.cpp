#include "ui/DialogoOperadorQt.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The program's real dialogs: Spanish buttons, answer codes, titles and icons.
class TstDialogoOperadorQt : public QObject
{
    Q_OBJECT

private slots:
    void botonesYRespuestas_data();
    void botonesYRespuestas();
    void escapeCancela();
    void entradaDeTexto();

private:
    // Runs `accion` on the modal box as soon as it shows.
    template <typename F>
    static void alAparecer(F accion)
    {
        QTimer::singleShot(0, [accion] {
            QWidget *modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            accion(modal);
        });
    }
};

void TstDialogoOperadorQt::botonesYRespuestas_data()
{
    QTest::addColumn<int>("estilo");
    QTest::addColumn<QStringList>("botones");
    QTest::addColumn<QString>("pulsado");
    QTest::addColumn<int>("respuesta");
    QTest::addColumn<int>("icono");
    QTest::newRow("aceptar") << 0 << QStringList{"&Aceptar"} << "&Aceptar" << 1 << int(QMessageBox::NoIcon);
    QTest::newRow("anular reintentar omitir, crítico")
        << 18 << QStringList{"&Anular", "&Reintentar", "&Omitir"} << "&Omitir" << 5 << int(QMessageBox::Critical);
    QTest::newRow("sí no, pregunta") << (4 | 32) << QStringList{"&Sí", "&No"} << "&No" << 7 << int(QMessageBox::Question);
    QTest::newRow("sí no cancelar") << 3 << QStringList{"&Sí", "&No", "&Cancelar"} << "&Sí" << 6 << int(QMessageBox::NoIcon);
    QTest::newRow("reintentar cancelar, exclamación")
        << (5 | 48) << QStringList{"&Reintentar", "&Cancelar"} << "&Reintentar" << 4 << int(QMessageBox::Warning);
    QTest::newRow("aceptar cancelar, información")
        << (1 | 64) << QStringList{"&Aceptar", "&Cancelar"} << "&Cancelar" << 2 << int(QMessageBox::Information);
}

void TstDialogoOperadorQt::botonesYRespuestas()
{
    QFETCH(int, estilo);
    QFETCH(QStringList, botones);
    QFETCH(QString, pulsado);
    QFETCH(int, respuesta);
    QFETCH(int, icono);
    QStringList vistos;
    QString titulo, texto;
    int iconoVisto = -1;
    alAparecer([&](QWidget *modal) {
        auto *caja = qobject_cast<QMessageBox *>(modal);
        QVERIFY(caja);
        titulo = caja->windowTitle();
        texto = caja->text();
        iconoVisto = caja->icon();
        for (QAbstractButton *b : caja->buttons())
            vistos << b->text();
        for (QAbstractButton *b : caja->buttons())
            if (b->text() == pulsado)
                b->click();
    });
    DialogoOperadorQt dialogos;
    QCOMPARE(dialogos.MsgBox(QStringLiteral("Línea 1\rLínea 2"), estilo, QStringLiteral("Atención")), respuesta);
    std::sort(vistos.begin(), vistos.end());
    std::sort(botones.begin(), botones.end());
    QCOMPARE(vistos, botones);
    QCOMPARE(titulo, QStringLiteral("Atención"));
    QCOMPARE(texto, QStringLiteral("Línea 1\nLínea 2"));
    QCOMPARE(iconoVisto, icono);
}

void TstDialogoOperadorQt::escapeCancela()
{
    alAparecer([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    DialogoOperadorQt dialogos;
    QCOMPARE(dialogos.MsgBox(QStringLiteral("¿Seguir?"), DialogoOperador::vbYesNo, {}), int(DialogoOperador::vbNo));
}

void TstDialogoOperadorQt::entradaDeTexto()
{
    DialogoOperadorQt dialogos;
    alAparecer([](QWidget *modal) {
        auto *dialogo = qobject_cast<QInputDialog *>(modal);
        QVERIFY(dialogo);
        QCOMPARE(dialogo->labelText(), QStringLiteral("ingrese el password:"));
        dialogo->findChild<QLineEdit *>()->setText(QStringLiteral("clave"));
        QTest::keyClick(dialogo, Qt::Key_Return);
    });
    bool aceptado = false;
    QCOMPARE(dialogos.InputBox(QStringLiteral("ingrese el password:"), QStringLiteral("Password Access"), {}, &aceptado),
             QStringLiteral("clave"));
    QVERIFY(aceptado);

    alAparecer([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    QCOMPARE(dialogos.InputBox(QStringLiteral("x"), {}, QStringLiteral("inicial"), &aceptado), QString());
    QVERIFY(!aceptado);
}

QTEST_MAIN(TstDialogoOperadorQt)
#include "tst_dialogo_operador_qt.moc"
