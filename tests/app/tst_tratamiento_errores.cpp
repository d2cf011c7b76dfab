#include "app/ModGlobal.h"
#include "data/DB_Dll.h"
#include "support/EntornoPrueba.h"
#include "support/OperadorGuionado.h"

#include <QDir>
#include <QFile>
#include <QTest>

// Both error treatments: the data-access class's (log beside the program or at
// gLogErr) and the application module's (log in TMP or the system folder).
class TstTratamientoErrores : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void lineaDelLog_data();
    void lineaDelLog();
    void errorCeroNoMuestraNada();
    void rutaDelLogDeDatos();
    void rutaDelLogDeAplicacion_data();
    void rutaDelLogDeAplicacion();
    void logInescribibleSoloPierdeLaLinea();

private:
    static ErrorEjecucion error(qint32 n, const char *desc)
    {
        return {n, QString::fromUtf8(desc), QStringLiteral("DefConsultas")};
    }
};

void TstTratamientoErrores::init()
{
    DB_Dll::Compartido().gLogErr.clear();
}

void TstTratamientoErrores::lineaDelLog_data()
{
    QTest::addColumn<bool>("deDatos");
    QTest::addColumn<int>("botones");
    QTest::addColumn<QString>("rutina");
    QTest::addColumn<int>("respuesta");
    QTest::addColumn<QByteArray>("linea");
    QTest::addColumn<QString>("titulo");

    QTest::newRow("aplicación, ignorar")
        << false << 18 << "Cfg" << int(DialogoOperador::vbIgnore)
        << QByteArray("03-25-2024 14:07:55 Rutina: - Cfg Mensaje Ha ocurrido el Siguiente Error (13) Type mismatch Respondi\xF3 : Ignorar\r\n")
        << "DefConsultas - Cfg Aviso al operador!!! - 2 ";
    QTest::newRow("datos, reintentar")
        << true << 18 << "AbrirRecordset" << int(DialogoOperador::vbRetry)
        << QByteArray("03-25-2024 14:07:55 Rutina: - AbrirRecordset Mensaje Ha ocurrido el Siguiente Error (13) Type mismatch Respondi\xF3 : Reintentar\r\n")
        << "DefConsultas - AbrirRecordset Aviso al operador!!! - 5 ";
    QTest::newRow("sin rutina: dos blancos")
        << false << 18 << "" << int(DialogoOperador::vbAbort)
        << QByteArray("03-25-2024 14:07:55 Rutina:  Mensaje Ha ocurrido el Siguiente Error (13) Type mismatch Respondi\xF3 : Abortar\r\n")
        << "DefConsultas Aviso al operador!!! - 2 ";
    QTest::newRow("solo aceptar: respuesta vacía")
        << true << 16 << "X" << int(DialogoOperador::vbOK)
        << QByteArray("03-25-2024 14:07:55 Rutina: - X Mensaje Ha ocurrido el Siguiente Error (13) Type mismatch Respondi\xF3 : \r\n")
        << "DefConsultas - X Aviso al operador!!! - 5 ";
    QTest::newRow("sí en Windows-1252")
        << false << 4 << "Y" << int(DialogoOperador::vbYes)
        << QByteArray("03-25-2024 14:07:55 Rutina: - Y Mensaje Ha ocurrido el Siguiente Error (13) Type mismatch Respondi\xF3 : S\xED\r\n")
        << "DefConsultas - Y Aviso al operador!!! - 2 ";
}

void TstTratamientoErrores::lineaDelLog()
{
    QFETCH(bool, deDatos);
    QFETCH(int, botones);
    QFETCH(QString, rutina);
    QFETCH(int, respuesta);
    QFETCH(QByteArray, linea);
    QFETCH(QString, titulo);
    EntornoPrueba entorno;
    OperadorGuionado operador;
    operador.responder(respuesta);

    const ErrorEjecucion e = error(13, "  Type mismatch ");
    const int r = deDatos ? DB_Dll::Compartido().TratamientoErrores(e, botones, rutina)
                          : ManejarError(e, botones, rutina);
    QCOMPARE(r, respuesta);
    QCOMPARE(operador.ultimo().texto, QStringLiteral("Ha ocurrido el Siguiente Error (13) Type mismatch"));
    QCOMPARE(operador.ultimo().titulo, titulo);
    QCOMPARE(operador.ultimo().estilo, botones);

    const QString log = (deDatos ? entorno.carpeta() : entorno.carpetaSistema()) + QStringLiteral("KVERR.LOG");
    QCOMPARE(LeerArchivo(log), linea);
    // A second report appends.
    operador.responder(respuesta);
    deDatos ? DB_Dll::Compartido().TratamientoErrores(e, botones, rutina) : ManejarError(e, botones, rutina);
    QCOMPARE(LeerArchivo(log), linea + linea);
}

void TstTratamientoErrores::errorCeroNoMuestraNada()
{
    EntornoPrueba entorno;
    OperadorGuionado operador;
    QCOMPARE(ManejarError(error(0, "nada")), 0);
    QCOMPARE(DB_Dll::Compartido().TratamientoErrores(error(0, "nada")), 0);
    QVERIFY(operador.mostrados().isEmpty());
    QCOMPARE(LeerArchivo(entorno.carpetaSistema() + QStringLiteral("KVERR.LOG")), QByteArray());
    QVERIFY(!QFile::exists(entorno.carpeta() + QStringLiteral("KVERR.LOG")));
}

void TstTratamientoErrores::rutaDelLogDeDatos()
{
    EntornoPrueba entorno;
    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbIgnore);
    const QString ruta = entorno.carpetaSistema() + QStringLiteral("otro.txt");
    DB_Dll::Compartido().SetArchivoErrores(ruta);
    QCOMPARE(DB_Dll::Compartido().ArchivoErrores().toString(), ruta);
    DB_Dll::Compartido().TratamientoErrores(error(3709, "Conexión perdida"));
    QVERIFY(LeerArchivo(ruta).contains("(3709) Conexi\xF3n perdida"));
    QVERIFY(!QFile::exists(entorno.carpeta() + QStringLiteral("KVERR.LOG")));
}

void TstTratamientoErrores::rutaDelLogDeAplicacion_data()
{
    QTest::addColumn<QString>("temp");
    QTest::addColumn<bool>("conTmp");
    QTest::addColumn<bool>("enTmp");
    QTest::newRow("TEMP y TMP: va a TMP") << "/no/importa" << true << true;
    QTest::newRow("TEMP vacío y TMP: carpeta del sistema") << "" << true << false;
    QTest::newRow("TEMP sin TMP: carpeta del sistema") << "/no/importa" << false << false;
}

void TstTratamientoErrores::rutaDelLogDeAplicacion()
{
    QFETCH(QString, temp);
    QFETCH(bool, conTmp);
    QFETCH(bool, enTmp);
    EntornoPrueba entorno;
    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbIgnore);
    const QString tmp = entorno.carpeta() + QStringLiteral("tmp");
    QDir().mkpath(tmp);
    qputenv("TEMP", temp.toUtf8());
    if (conTmp)
        qputenv("TMP", (QStringLiteral("  ") + tmp + QStringLiteral("  ")).toUtf8());
    ManejarError(error(53, "No se encontró el archivo"), 18, QStringLiteral("MenuExes"));
    const QString esperado = (enTmp ? tmp + u'/' : entorno.carpetaSistema()) + QStringLiteral("KVERR.LOG");
    QVERIFY2(QFile::exists(esperado), qPrintable(esperado));
}

void TstTratamientoErrores::logInescribibleSoloPierdeLaLinea()
{
    EntornoPrueba entorno;
    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbRetry).responder(DialogoOperador::vbIgnore);
    DB_Dll::Compartido().gLogErr = entorno.carpeta() + QStringLiteral("no/existe/KVERR.LOG");
    QCOMPARE(DB_Dll::Compartido().TratamientoErrores(error(5, "x")), int(DialogoOperador::vbRetry));
    qputenv("TEMP", "x");
    qputenv("TMP", "/proc/no-se-puede");
    QCOMPARE(ManejarError(error(5, "x")), int(DialogoOperador::vbIgnore));
    QCOMPARE(operador.mostrados().size(), 2);
}

QTEST_GUILESS_MAIN(TstTratamientoErrores)
#include "tst_tratamiento_errores.moc"
