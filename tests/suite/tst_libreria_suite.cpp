#include "support/EntornoPrueba.h"
#include "support/OperadorGuionado.h"
#include "suite/Archivos.h"
#include "suite/LibreriaSuite.h"
#include "suite/Windows1252.h"

#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

class TstLibreriaSuite : public QObject
{
    Q_OBJECT

private slots:
    void rellenarYFormatear_data();
    void rellenarYFormatear();
    void valorNumerico_data();
    void valorNumerico();
    void contarPalabras_data();
    void contarPalabras();
    void codificarIdaYVuelta_data();
    void codificarIdaYVuelta();
    void textoSimple();
    void windows1252CadaByte();
    void leerIni();
    void archivoSinImportarMayusculas();
    void responderErrorPorElOperador();
    void teclaAceptar();
    void terminarProgramaDeInmediato();
    void relojYRegionalFijados();
};

void TstLibreriaSuite::rellenarYFormatear_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("ancho");
    QTest::addColumn<QString>("rellenado");
    QTest::addColumn<QString>("formateado");
    QTest::newRow("corto") << "1" << 4 << "1   " << "   1";
    QTest::newRow("exacto") << "ABCD" << 4 << "ABCD" << "ABCD";
    QTest::newRow("largo se corta al rellenar, no al formatear") << "ABCDEF" << 4 << "ABCD" << "ABCDEF";
    QTest::newRow("vacío") << "" << 3 << "   " << "   ";
    QTest::newRow("ancho cero") << "AB" << 0 << "" << "AB";
    QTest::newRow("acentos cuentan uno") << "Año" << 5 << "Año  " << "  Año";
}

void TstLibreriaSuite::rellenarYFormatear()
{
    QFETCH(QString, texto);
    QFETCH(int, ancho);
    QFETCH(QString, rellenado);
    QFETCH(QString, formateado);
    QCOMPARE(Cadenas::Compartida().Rellenar(texto, ancho), rellenado);
    QCOMPARE(Cadenas::Compartida().Formatear(texto, ancho), formateado);
}

void TstLibreriaSuite::valorNumerico_data()
{
    QTest::addColumn<QString>("separador");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<double>("valor");
    QTest::newRow("coma regional") << "," << "12,5" << 12.5;
    QTest::newRow("punto con coma regional") << "," << "12.5" << 12.5;
    QTest::newRow("miles y coma") << "," << "1.234,56" << 1234.56;
    QTest::newRow("varios puntos son miles") << "," << "1.234.567" << 1234567.0;
    QTest::newRow("punto regional, coma sola") << "." << "7,25" << 7.25;
    QTest::newRow("miles con coma y punto regional") << "." << "1,234.5" << 1234.5;
    QTest::newRow("negativo y blancos") << "," << "  -3,75 " << -3.75;
    QTest::newRow("moneda") << "," << "$ 10,00" << 10.0;
    QTest::newRow("precisión de moneda") << "," << "0,123456" << 0.1235;
    QTest::newRow("no es número") << "," << "abc" << 0.0;
    QTest::newRow("vacío") << "," << "" << 0.0;
    QTest::newRow("infinito") << "," << "1e999" << 0.0;
}

void TstLibreriaSuite::valorNumerico()
{
    QFETCH(QString, separador);
    QFETCH(QString, texto);
    QFETCH(double, valor);
    EntornoPrueba entorno;
    Regional r;
    r.separadorDecimal = separador.at(0);
    Plataforma::EstablecerRegional(r);
    QCOMPARE(Cadenas::Compartida().ValorNumerico(texto), valor);
}

void TstLibreriaSuite::contarPalabras_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("palabras");
    QTest::newRow("vacío") << "" << 0;
    QTest::newRow("solo blancos") << "   \t " << 0;
    QTest::newRow("una") << "CODIGO" << 1;
    QTest::newRow("blancos repetidos y en los extremos") << "  SELECT  *   FROM T " << 4;
    QTest::newRow("tabulador separa") << "A\tB" << 2;
}

void TstLibreriaSuite::contarPalabras()
{
    QFETCH(QString, texto);
    QFETCH(int, palabras);
    QCOMPARE(Cadenas::Compartida().ContarPalabras(texto), palabras);
}

void TstLibreriaSuite::codificarIdaYVuelta_data()
{
    QTest::addColumn<QString>("texto");
    QTest::newRow("vacío") << QString();
    QTest::newRow("clave común") << "EMPRESA";
    QTest::newRow("apóstrofo y comillas") << "a'b\"c";
    QTest::newRow("acentos y eñe") << "contraseña-Ñandú";
    QTest::newRow("emoji (pares sustitutos)") << QString::fromUtf8("clave\xF0\x9F\x94\x91");
    QTest::newRow("controles y NUL") << QString::fromUtf16(u"a\0b\r\n\x7f", 6);
    QTest::newRow("larga") << QString(3000, u'z');
}

void TstLibreriaSuite::codificarIdaYVuelta()
{
    QFETCH(QString, texto);
    const Cadenas &c = Cadenas::Compartida();
    const QString guardado = c.Codificar(texto);
    QCOMPARE(guardado.size(), texto.size());
    QCOMPARE(c.Decodificar(guardado), texto);
}

void TstLibreriaSuite::textoSimple()
{
    const Cadenas &c = Cadenas::Compartida();
    // The stored form of a password is not the password, and keeps no quote
    // that a statement would have to escape.
    for (const QString &clave : {QStringLiteral("EMPRESA"), QStringLiteral("1234"), QStringLiteral("aaaa")}) {
        const QString guardado = c.Codificar(clave);
        QVERIFY2(guardado != clave, qPrintable(guardado));
        QVERIFY(!guardado.contains(u'\''));
    }
    QCOMPARE(c.QuitarCaracteres(QString::fromUtf16(u"A\0B\0\0C", 6), QChar(0)), QStringLiteral("ABC"));
    QCOMPARE(c.QuitarCaracteres(QStringLiteral("a=b;c"), u'=', u';'), QStringLiteral("abc"));
    QCOMPARE(c.Reemplazar(QStringLiteral("@Admin_T"), QStringLiteral("@Admin_"), {}), QStringLiteral("T"));
    QCOMPARE(c.CarpetaConBarra(QStringLiteral("/opt/app")), QStringLiteral("/opt/app/"));
    QCOMPARE(c.CarpetaConBarra(QStringLiteral("/opt/app//")), QStringLiteral("/opt/app/"));
    QCOMPARE(c.ValorCampo(QVariant()).toString(), QString());
    QVERIFY(!c.ValorCampo(QVariant()).isNull());
}

void TstLibreriaSuite::windows1252CadaByte()
{
    QByteArray todos;
    for (int b = 0; b < 256; ++b)
        todos.append(char(b));
    const QString texto = Windows1252::Decodificar(todos);
    QCOMPARE(texto.size(), 256);
    QCOMPARE(texto.at(0x80), QChar(0x20AC));
    QCOMPARE(texto.at(0xF3), QChar(u'ó'));
    QCOMPARE(Windows1252::Codificar(texto), todos);
    QCOMPARE(Windows1252::Codificar(u"\u4e2d"), QByteArray("?"));
}

void TstLibreriaSuite::leerIni()
{
    EntornoPrueba entorno;
    // Lower-case name on disk, broken lines, comments, blanks and a Latin-1 byte.
    QByteArray ini = "; comentario\r\n"
                     "[Fuentes]\r\n"
                     "Nombre = Tahoma \r\n"
                     "linea rota sin igual\r\n"
                     "=sin clave\r\n"
                     "[servidores\r\n"
                     "DEMO=roto\r\n"
                     "[Servidores]\r\n"
                     "DEMO=sqlite:datos\r\n"
                     "Compa\xF1\x69\x61=x\r\n";
    QVERIFY(EscribirArchivo(entorno.ruta(QStringLiteral("mx200ps.ini")), ini));
    const ArchivoIni &i = ArchivoIni::Compartido();
    const QString nombre = ArchivoIni::NombreArchivoSuite();
    QCOMPARE(i.LeerIni(nombre, QStringLiteral("FUENTES"), QStringLiteral("nombre"), QStringLiteral("x")),
             QStringLiteral("Tahoma"));
    QCOMPARE(i.LeerIni(nombre, QStringLiteral("Servidores"), QStringLiteral("demo")), QStringLiteral("sqlite:datos"));
    QCOMPARE(i.LeerIni(nombre, QStringLiteral("Servidores"), QStringLiteral("Compañia")), QStringLiteral("x"));
    QCOMPARE(i.LeerIni(nombre, QStringLiteral("Fuentes"), QStringLiteral("falta"), QStringLiteral("def")),
             QStringLiteral("def"));
    QCOMPARE(i.LeerIni(QStringLiteral("NOEXISTE.INI"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("d")),
             QStringLiteral("d"));
    QCOMPARE(i.LeerSeccion(nombre, QStringLiteral("servidores")).size(), 2);

    // Pure garbage reads as an empty file.
    QByteArray basura(4096, '\0');
    for (int k = 0; k < basura.size(); ++k)
        basura[k] = char((k * 131 + 7) % 256);
    QVERIFY(EscribirArchivo(entorno.ruta(QStringLiteral("mx200ps.ini")), basura));
    QCOMPARE(i.LeerIni(nombre, QStringLiteral("Fuentes"), QStringLiteral("Nombre"), QStringLiteral("d")),
             QStringLiteral("d"));
}

void TstLibreriaSuite::archivoSinImportarMayusculas()
{
    EntornoPrueba entorno;
    QVERIFY(EscribirArchivo(entorno.ruta(QStringLiteral("consultas.kvd")), "x"));
    QCOMPARE(Archivos::Ubicar(entorno.carpeta(), QStringLiteral("CONSULTAS.KVD")),
             entorno.ruta(QStringLiteral("consultas.kvd")));
    // A file that is not there keeps the name the caller gave, to be created so.
    QCOMPARE(Archivos::Ubicar(entorno.carpeta(), QStringLiteral("BASES.TXT")), entorno.ruta(QStringLiteral("BASES.TXT")));
    QVERIFY(EscribirArchivo(entorno.ruta(QStringLiteral("CONSULTAS.KVD")), "y"));
    QCOMPARE(Archivos::UbicarRuta(entorno.ruta(QStringLiteral("CONSULTAS.KVD"))),
             entorno.ruta(QStringLiteral("CONSULTAS.KVD")));
}

void TstLibreriaSuite::responderErrorPorElOperador()
{
    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbIgnore);
    const int r = Cadenas::Compartida().ResponderError({13, QStringLiteral("No coinciden los tipos"), QStringLiteral("DefConsultas")});
    QCOMPARE(r, int(DialogoOperador::vbIgnore));
    QCOMPARE(operador.ultimo().titulo, QStringLiteral("DefConsultas"));
    QVERIFY(operador.ultimo().texto.contains(QStringLiteral("13")));
    QVERIFY(operador.ultimo().texto.contains(QStringLiteral("No coinciden los tipos")));
    QCOMPARE(operador.ultimo().botones(), int(DialogoOperador::vbAbortRetryIgnore));
    QCOMPARE(operador.ultimo().icono(), int(DialogoOperador::vbCritical));
}

void TstLibreriaSuite::teclaAceptar()
{
    const Teclado &t = Teclado::Compartido();
    QVERIFY(t.TeclaAceptar(13));
    QVERIFY(t.TeclaAceptar(Qt::Key_Return));
    QVERIFY(t.TeclaAceptar(Qt::Key_Enter));
    QVERIFY(!t.TeclaAceptar(Qt::Key_Escape));
    QVERIFY(!t.TeclaAceptar(65));
}

namespace {
int gTuberia = -1;
void alSalir()
{
    (void)!::write(gTuberia, "x", 1);
}
}

void TstLibreriaSuite::terminarProgramaDeInmediato()
{
    // In a child process: no exit handler may run, and nothing after the call.
    int tubo[2];
    QCOMPARE(::pipe(tubo), 0);
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        ::close(tubo[0]);
        gTuberia = tubo[1];
        std::atexit(alSalir);
        Plataforma::TerminarPrograma();
    }
    ::close(tubo[1]);
    int estado = 0;
    QCOMPARE(::waitpid(hijo, &estado, 0), hijo);
    char c;
    QCOMPARE(::read(tubo[0], &c, 1), ssize_t(0));
    ::close(tubo[0]);
    QVERIFY(WIFEXITED(estado));

    // Under a test's seam the call unwinds instead of ending the process.
    EntornoPrueba entorno;
    QVERIFY_THROWS_EXCEPTION(ProgramaTerminado, Plataforma::TerminarPrograma());
    QCOMPARE(entorno.terminaciones(), 1);
}

void TstLibreriaSuite::relojYRegionalFijados()
{
    EntornoPrueba entorno;
    QCOMPARE(Plataforma::Ahora(), QDateTime(QDate(2024, 3, 25), QTime(14, 7, 55)));
    const Regional &r = Plataforma::Configuracion();
    QCOMPARE(r.FechaCorta(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
    QCOMPARE(r.LeerFechaCorta(QStringLiteral("05/03/2024")), QDate(2024, 3, 5));
    QCOMPARE(r.HoraLarga(QTime(9, 5, 1)), QStringLiteral("09:05:01"));
    QCOMPARE(r.HoraLarga(QTime(14, 7, 55)), QStringLiteral("14:07:55"));
    Regional mdy;
    mdy.ordenFecha = QStringLiteral("mdy");
    mdy.separadorFecha = u'-';
    QCOMPARE(mdy.FechaCorta(QDate(2024, 3, 5)), QStringLiteral("03-05-2024"));
    QCOMPARE(mdy.LeerFechaCorta(QStringLiteral("03-05-2024")), QDate(2024, 3, 5));
    QVERIFY(!r.LeerFechaCorta(QStringLiteral("no es fecha")).isValid());
}

QTEST_GUILESS_MAIN(TstLibreriaSuite)
#include "tst_libreria_suite.moc"
