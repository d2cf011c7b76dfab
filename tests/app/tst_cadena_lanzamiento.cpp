#include "app/CadenaLanzamiento.h"
#include "app/Sesion.h"
#include "data/DB_Dll.h"
#include "support/EntornoPrueba.h"
#include "support/OperadorGuionado.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace CadenaLanzamiento;

Q_DECLARE_METATYPE(std::optional<QString>)

class TstCadenaLanzamiento : public QObject
{
    Q_OBJECT

private slots:
    void leerToken_data();
    void leerToken();
    void posicionesDeDieciseisBits();
    void entradaMaliciosaNoRompe();
    void escribirYLeer();
    void menuExesLanzaElPrograma();
    void menuExesProgramaInexistente_data();
    void menuExesProgramaInexistente();
};

void TstCadenaLanzamiento::leerToken_data()
{
    QTest::addColumn<QString>("linea");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<std::optional<QString>>("valor");
    const auto ausente = std::optional<QString>();
    auto v = [](const char *s) { return std::optional<QString>(QString::fromUtf8(s)); };

    QTest::newRow("blancos e igual se van") << "@UsuarioLogeado = JUAN;" << kUsuarioLogeado << v("JUAN");
    QTest::newRow("cada igual se quita") << "@Password=a=b;" << kPassword << v("ab");
    QTest::newRow("caja vacía no es uno") << "@Caja=;" << kCaja << v("");
    QTest::newRow("caja ausente") << "@Server=S;" << kCaja << ausente;
    QTest::newRow("sin punto y coma final") << "@DbName=X; @Server=SRV" << kServer << v("");
    QTest::newRow("clave sin importar mayúsculas") << "@SERVER=srv1;" << kServer << v("srv1");
    QTest::newRow("parámetro sin cierre toma 19") << "@ParametroAdicional=ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                  << kParametroAdicional << v("ABCDEFGHIJKLMNOPQR");
    QTest::newRow("parámetro sin cierre al final") << "@ParametroAdicional=abc" << kParametroAdicional << v("abc");
    QTest::newRow("parámetro con asterisco") << "@ParametroAdicional=*V_TA_RUBROS;" << kParametroAdicional
                                             << v("*V_TA_RUBROS");
    QTest::newRow("usuario antes que logeado") << "@usuario=ANA; @UsuarioLogeado=JUAN;" << kUsuario << v("ANA");
    QTest::newRow("solo logeado: usuario lo pisa") << "@UsuarioLogeado=JUAN;" << kUsuario << v("LogeadoJUAN");
    QTest::newRow("solo logeado: logeado") << "@UsuarioLogeado=JUAN;" << kUsuarioLogeado << v("JUAN");
    QTest::newRow("primera aparición gana") << "@Caja=2; @Caja=3;" << kCaja << v("2");
    QTest::newRow("marca vexa ignorada") << " ; @server=S; vexa@ ; @Caja=4;" << kCaja << v("4");
    QTest::newRow("tabulador no se recorta") << "@Server=\tS\t;" << kServer << v("\tS\t");
    QTest::newRow("no ASCII") << "@Usuario=Muñoz; @Server=Ñandú;" << kServer << v("Ñandú");
    QTest::newRow("vacía") << "" << kServer << ausente;
}

void TstCadenaLanzamiento::leerToken()
{
    QFETCH(QString, linea);
    QFETCH(QString, clave);
    QFETCH(std::optional<QString>, valor);
    QCOMPARE(LeerToken(linea, clave), valor);
}

void TstCadenaLanzamiento::posicionesDeDieciseisBits()
{
    const QString relleno(32766, u'x');
    // Key and its ";" just inside the range: readable.
    QCOMPARE(LeerToken(relleno.left(32750) + QStringLiteral("@Caja=7;"), kCaja), std::optional<QString>(QStringLiteral("7")));
    // A key at position 32,768: the reading fails with an overflow.
    bool fallo = false;
    try {
        LeerToken(relleno + QStringLiteral("x@Caja=7;"), kCaja);
    } catch (const ErrorEjecucion &e) {
        fallo = e.Number == Errores::Desbordamiento;
    }
    QVERIFY(fallo);
    // A key early in a long string reads, as long as its ";" is in range too.
    QCOMPARE(LeerToken(QStringLiteral("@Caja=9;") + relleno + relleno, kCaja), std::optional<QString>(QStringLiteral("9")));
    QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, LeerToken(QStringLiteral("@Caja=9") + relleno + u';', kCaja));
}

void TstCadenaLanzamiento::entradaMaliciosaNoRompe()
{
    // 40,000 characters of tokens, then a seeded random loop over keys, separators,
    // blanks and arbitrary code units: every reading ends in a value or an overflow.
    QString larga;
    while (larga.size() < 40000)
        larga += QStringLiteral("@Server=S; @x=;==;;");
    try {
        Leer(larga);
    } catch (const ErrorEjecucion &e) {
        QCOMPARE(e.Number, Errores::Desbordamiento);
    }

    const QStringList piezas = {kParametroAdicional, kServer, kDbName, kUsuario, kUsuarioLogeado, kPassword, kCaja,
                                QStringLiteral(";"), QStringLiteral("="), QStringLiteral(" "), QStringLiteral("@"),
                                QStringLiteral("vexa@"), QStringLiteral("ñ"), QStringLiteral("\xF0\x9F\x98\x80")};
    QRandomGenerator azar(20261210);
    QElapsedTimer reloj;
    reloj.start();
    int vueltas = 0;
    while (reloj.elapsed() < 1500) {
        QString linea;
        const int n = azar.bounded(1, 40);
        for (int i = 0; i < n; ++i) {
            if (azar.bounded(3) == 0)
                linea.append(QChar(char16_t(azar.bounded(0, 0xFFFF))));
            else
                linea.append(piezas.at(azar.bounded(piezas.size())));
        }
        const Datos d = Leer(linea);
        if (d.parametroAdicional)
            QVERIFY(d.parametroAdicional->size() <= linea.size());
        for (const auto *campo : {&d.server, &d.dbName, &d.usuario, &d.password, &d.caja})
            if (*campo) {
                QVERIFY(!(*campo)->contains(u'='));
                QVERIFY(!(*campo)->contains(u';'));
            }
        ++vueltas;
    }
    QVERIFY(vueltas > 1000);
}

void TstCadenaLanzamiento::escribirYLeer()
{
    const QString cadena = Armar(QStringLiteral("SRV01"), QStringLiteral("EMPRESA"), QStringLiteral("JUAN"),
                                 QStringLiteral("* *"), QStringLiteral("Y"), QStringLiteral("1"));
    QCOMPARE(cadena, QStringLiteral(" ; @server=SRV01; @dbname=EMPRESA; @usuario=JUAN; @Password=* *; "
                                    "@ParametroAdicional=Y; vexa@ ; @UsuarioLogeado = JUAN; @Caja=1;"));
    const Datos d = Leer(cadena);
    QCOMPARE(d.server, std::optional<QString>(QStringLiteral("SRV01")));
    QCOMPARE(d.dbName, std::optional<QString>(QStringLiteral("EMPRESA")));
    QCOMPARE(d.usuario, std::optional<QString>(QStringLiteral("JUAN")));
    QCOMPARE(d.usuarioLogeado, std::optional<QString>(QStringLiteral("JUAN")));
    QCOMPARE(d.password, std::optional<QString>(QStringLiteral("* *")));
    QCOMPARE(d.parametroAdicional, std::optional<QString>(QStringLiteral("Y")));
    QCOMPARE(d.caja, std::optional<QString>(QStringLiteral("1")));

    const QString acceso = ArmarAccesoDirecto(QStringLiteral("SRV"), QStringLiteral("DB"), QStringLiteral("U"));
    QCOMPARE(acceso, QStringLiteral(" ; @server=SRV; @dbname=DB; @usuario=U; @Password=; @ParametroAdicional=; "
                                    "vexa@ ; @UsuarioLogeado = ; @Caja=;"));
    QCOMPARE(Leer(acceso).password, std::optional<QString>(QString()));
    QCOMPARE(DesdeArgumentos({QStringLiteral("/ruta/DefConsultas"), QStringLiteral("@Server=A;"), QStringLiteral("@DbName=B;")}),
             QStringLiteral("@Server=A; @DbName=B;"));
}

void TstCadenaLanzamiento::menuExesLanzaElPrograma()
{
    EntornoPrueba entorno;
    OperadorGuionado operador;
    DB_Dll::Compartido().gServidor = QStringLiteral("LOCAL");
    DB_Dll::Compartido().gDBName = QStringLiteral("EMPRESA");
    gUsuarioLogeado = QStringLiteral("ADMIN");
    gPassword = QStringLiteral("* *");
    gCaja = QStringLiteral("1");

    // A suite program that writes down the arguments it was given.
    const QString salida = entorno.carpeta() + QStringLiteral("argumentos.txt");
    const QString programa = entorno.ruta(QStringLiteral("V_TA_TABLAS"));
    QVERIFY(EscribirArchivo(programa, QStringLiteral("#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '%1.tmp'\nmv '%1.tmp' '%1'\n")
                                          .arg(salida).toUtf8()));
    QFile::setPermissions(programa, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QString parametro = QStringLiteral("X Y");
    qint32 id = 0;
    MenuExes(QStringLiteral("SHELL:V_TA_TABLAS"), parametro, id);
    QCOMPARE(parametro, QStringLiteral("Y"));
    QVERIFY(id > 0);
    QTRY_VERIFY(QFile::exists(salida));
    QCOMPARE(QString::fromUtf8(LeerArchivo(salida)),
             QStringLiteral("1| ; @server=LOCAL; @dbname=EMPRESA; @usuario=ADMIN; @Password=* *; "
                            "@ParametroAdicional=Y; vexa@ ; @UsuarioLogeado = ADMIN; @Caja=1;|"));
    QCOMPARE(operador.mostrados().size(), 0);
}

void TstCadenaLanzamiento::menuExesProgramaInexistente_data()
{
    QTest::addColumn<QList<int>>("respuestas");
    QTest::addColumn<int>("avisosDeError");
    QTest::addColumn<bool>("opcionNoImplementada");
    QTest::newRow("ignorar sigue al aviso") << QList<int>{DialogoOperador::vbIgnore} << 1 << true;
    QTest::newRow("reintentar y luego ignorar") << QList<int>{DialogoOperador::vbRetry, DialogoOperador::vbIgnore} << 2 << true;
    QTest::newRow("anular sale sin aviso") << QList<int>{DialogoOperador::vbAbort} << 1 << false;
}

void TstCadenaLanzamiento::menuExesProgramaInexistente()
{
    QFETCH(QList<int>, respuestas);
    QFETCH(int, avisosDeError);
    QFETCH(bool, opcionNoImplementada);
    EntornoPrueba entorno;
    OperadorGuionado operador;
    for (int r : respuestas)
        operador.responder(r);
    if (opcionNoImplementada)
        operador.responder(DialogoOperador::vbOK);

    QString parametro = QStringLiteral("P");
    qint32 id = -1;
    MenuExes(QStringLiteral("SHELL:NO_EXISTE"), parametro, id);
    QCOMPARE(id, 0);
    QCOMPARE(operador.pendientes(), 0);
    QCOMPARE(operador.mostrados().size(), avisosDeError + (opcionNoImplementada ? 1 : 0));
    QCOMPARE(operador.mostrados().first().titulo, QStringLiteral("DefConsultas - MenuExes Aviso al operador!!! - 2 "));
    if (opcionNoImplementada) {
        QCOMPARE(operador.ultimo().texto, QStringLiteral("Opcion no Implementada!\rComuniquese con su proveedor de sistemas"));
        QCOMPARE(operador.ultimo().titulo, QStringLiteral("Atención"));
        QCOMPARE(operador.ultimo().icono(), int(DialogoOperador::vbCritical));
    }
}

QTEST_GUILESS_MAIN(TstCadenaLanzamiento)
#include "tst_cadena_lanzamiento.moc"
