#include "access/RegistroBases.h"
#include "suite/ErrorEjecucion.h"
#include "suite/LibreriaSuite.h"
#include "support/EntornoPrueba.h"
#include "support/OperadorGuionado.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

// BASES.TXT: the bytes the registration appends, how the readers split any
// text into records, and the list and lookup on real files.
class TstRegistroBases : public QObject
{
    Q_OBJECT

private slots:
    void agregarEscribeBytesExactos_data();
    void agregarEscribeBytesExactos();
    void lectura_data();
    void lectura();
    void camposConComaVuelvenEnteros();
    void lineaSinSaltoYNuevoRegistroSeLeenSeparados();
    void listaYBusquedaEnArchivo();
    void archivoAusente();
    void nombreDeArchivoSinDistinguirMayusculas();
    void basuraBinariaNoRompeNada();
    void existeArchivo();
    void agregarFallaSiNoPuedeEscribir();
    void fallaDeLecturaSeInformaAlOperador();

private:
    static QString unir(const RegistroBase &r)
    {
        return QStringList{r.Nombre, r.DbName, r.Login, r.Password, r.Servidor}.join(u'|');
    }
};

void TstRegistroBases::agregarEscribeBytesExactos_data()
{
    QTest::addColumn<QByteArray>("antes");
    QTest::addColumn<bool>("existe");
    QTest::addColumn<QStringList>("campos"); // name, database, login, password, server
    QTest::addColumn<QByteArray>("despues"); // {P}: the encoded password

    const QStringList ventas{"VENTAS / SRV01", "VENTAS", "VENTAS", "VENTAS", "SRV01:1433"};
    const QByteArray previo = "COMPRAS / SRV02,COMPRAS,COMPRAS,xyz,SRV02";
    QTest::newRow("archivo ausente: se crea con una línea")
        << QByteArray() << false << ventas << QByteArray("VENTAS / SRV01,VENTAS,VENTAS,{P},SRV01:1433\r\n");
    QTest::newRow("archivo vacío") << QByteArray() << true << ventas
                                   << QByteArray("VENTAS / SRV01,VENTAS,VENTAS,{P},SRV01:1433\r\n");
    QTest::newRow("última línea con salto") << previo + "\r\n" << true << ventas
                                            << previo + "\r\nVENTAS / SRV01,VENTAS,VENTAS,{P},SRV01:1433\r\n";
    QTest::newRow("última línea sin salto: CR solitario delante")
        << previo << true << ventas << previo + "\rVENTAS / SRV01,VENTAS,VENTAS,{P},SRV01:1433\r\n";
    QTest::newRow("tras el último salto solo hay espacios")
        << previo + "\r\n   " << true << ventas << previo + "\r\n   VENTAS / SRV01,VENTAS,VENTAS,{P},SRV01:1433\r\n";
    QTest::newRow("archivo con saltos de solo LF cuenta como línea abierta")
        << QByteArray("A,B,C,D,E\n") << true << ventas
        << QByteArray("A,B,C,D,E\n\rVENTAS / SRV01,VENTAS,VENTAS,{P},SRV01:1433\r\n");
    QTest::newRow("campos recortados")
        << QByteArray() << false << QStringList{"  VENTAS / SRV01 ", " VENTAS", "VENTAS ", "VENTAS", " SRV01  "}
        << QByteArray("VENTAS / SRV01,VENTAS,VENTAS,{P},SRV01\r\n");
    QTest::newRow("texto en la página de códigos ANSI")
        << QByteArray() << false << QStringList{u"AÑO€ / SRV"_qs, u"AÑO€"_qs, u"AÑO€"_qs, "X", "SRV"}
        << QByteArray("A\xD1O\x80 / SRV,A\xD1O\x80,A\xD1O\x80,{P},SRV\r\n");
}

void TstRegistroBases::agregarEscribeBytesExactos()
{
    QFETCH(QByteArray, antes);
    QFETCH(bool, existe);
    QFETCH(QStringList, campos);
    QFETCH(QByteArray, despues);
    EntornoPrueba entorno;
    OperadorGuionado operador;
    const QString ruta = entorno.ruta(QStringLiteral("BASES.TXT"));
    if (existe)
        QVERIFY(EscribirArchivo(ruta, antes));

    const QString codificada = Cadenas::Compartida().Codificar(campos[3]);
    QVERIFY2(!codificada.contains(u',') && !codificada.startsWith(u'"') && codificada.trimmed() == codificada,
             "la contraseña de la fila debe codificarse sin comas, comillas ni espacios");
    RegistroBases::AgregarBase(ruta, campos[0], campos[1], campos[2], campos[3], campos[4]);
    QCOMPARE(LeerArchivo(ruta), despues.replace("{P}", codificada.toLatin1()));
    QCOMPARE(operador.mostrados().size(), 0);
}

void TstRegistroBases::lectura_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("registros");

    QTest::newRow("CR LF") << "A,B,C,D,E\r\nF,G,H,I,J\r\n" << QStringList{"A|B|C|D|E", "F|G|H|I|J"};
    QTest::newRow("CR solitario") << "A,B,C,D,E\rF,G,H,I,J\r\n" << QStringList{"A|B|C|D|E", "F|G|H|I|J"};
    QTest::newRow("LF solitario") << "A,B,C,D,E\nF,G,H,I,J" << QStringList{"A|B|C|D|E", "F|G|H|I|J"};
    QTest::newRow("espacios y tabulaciones alrededor")
        << " A / S ,\tB\t,  C,D  , E \r\n" << QStringList{"A / S|B|C|D|E"};
    QTest::newRow("campo entre comillas, con coma y espacios dentro")
        << "\" A, X \",B,\"C\",\"\",E\r\n" << QStringList{" A, X |B|C||E"};
    QTest::newRow("comilla doblada dentro de comillas") << "\"A\"\"B\",B,C,D,E" << QStringList{"A\"B|B|C|D|E"};
    QTest::newRow("comilla en medio de un campo sin comillas") << "A\"B,B,C,D,E" << QStringList{"A\"B|B|C|D|E"};
    QTest::newRow("texto tras la comilla de cierre se descarta") << "\"A\"xx,B,C,D,E" << QStringList{"A|B|C|D|E"};
    QTest::newRow("comillas con salto de línea dentro") << "\"A\r\nB\",B,C,D,E" << QStringList{"A\r\nB|B|C|D|E"};
    QTest::newRow("comilla sin cerrar llega al final") << "\"A,B,C\r\nD" << QStringList{"A,B,C\r\nD||||"};
    QTest::newRow("línea corta sigue en la siguiente")
        << "A,B,C\r\nD,E\r\nF,G,H,I,J\r\n" << QStringList{"A|B|C|D|E", "F|G|H|I|J"};
    QTest::newRow("línea larga pasa al registro siguiente")
        << "A,B,C,D,E,F,G\r\nH,I,J\r\n" << QStringList{"A|B|C|D|E", "F|G|H|I|J"};
    QTest::newRow("campo vacío al final de la línea")
        << "A,B,C,D,\r\nF,G,H,I,J\r\n" << QStringList{"A|B|C|D|", "F|G|H|I|J"};
    QTest::newRow("líneas en blanco no tienen campos")
        << "\r\n\r\nA,B,C,D,E\r\n  \r\n\r\nF,G,H,I,J\r\n\r\n" << QStringList{"A|B|C|D|E", "F|G|H|I|J"};
    QTest::newRow("registro sin terminar: faltan campos vacíos") << "A,B" << QStringList{"A|B|||"};
    QTest::newRow("nombre vacío también es registro") << ",B,C,D,E\r\n" << QStringList{"|B|C|D|E"};
    QTest::newRow("solo espacios y saltos") << "  \r\n \r \n" << QStringList{};
    QTest::newRow("vacío") << "" << QStringList{};
}

void TstRegistroBases::lectura()
{
    QFETCH(QString, texto);
    QFETCH(QStringList, registros);
    QStringList leidos;
    for (const RegistroBase &r : RegistroBases::LeerRegistros(texto))
        leidos << unir(r);
    QCOMPARE(leidos, registros);
}

void TstRegistroBases::camposConComaVuelvenEnteros()
{
    // An encoded password may hold any printable character, and a server may
    // be written "SRV01,1433": such fields must not shift the ones after them.
    const RegistroBase r{"VENTAS / SRV01", "VENTAS", "VENTAS", "a,\"b", "SRV01,1433"};
    const QByteArray linea = RegistroBases::LineaRegistro(r);
    QCOMPARE(linea, QByteArray("VENTAS / SRV01,VENTAS,VENTAS,\"a,\"\"b\",\"SRV01,1433\""));
    const QString texto = QString::fromLatin1(linea + "\r\nX,Y,Z,W,V\r\n");
    const QList<RegistroBase> leidos = RegistroBases::LeerRegistros(texto);
    QCOMPARE(leidos.size(), 2);
    QCOMPARE(unir(leidos[0]), unir(r));
    QCOMPARE(unir(leidos[1]), QStringLiteral("X|Y|Z|W|V"));
    // A field that merely starts with a quote would otherwise read as quoted.
    QCOMPARE(RegistroBases::LineaRegistro({"\"A", "B", "C", "D", "E"}), QByteArray("\"\"\"A\",B,C,D,E"));
}

void TstRegistroBases::lineaSinSaltoYNuevoRegistroSeLeenSeparados()
{
    EntornoPrueba entorno;
    OperadorGuionado operador;
    const QString ruta = entorno.ruta(QStringLiteral("BASES.TXT"));
    QVERIFY(EscribirArchivo(ruta, "COMPRAS / SRV02,COMPRAS,COMPRAS,xyz,SRV02"));
    RegistroBases::AgregarBase(ruta, "VENTAS / SRV01", "VENTAS", "VENTAS", "VENTAS", "SRV01:1433");
    RegistroBases::AgregarBase(ruta, "STOCK / SRV03", "STOCK", "STOCK", "STOCK", "SRV03");
    QCOMPARE(RegistroBases::ListarNombres(ruta),
             QStringList({"COMPRAS / SRV02", "VENTAS / SRV01", "STOCK / SRV03"}));
    QString servidor, base;
    QVERIFY(RegistroBases::BuscarBase(ruta, "VENTAS / SRV01", servidor, base));
    QCOMPARE(servidor, QStringLiteral("SRV01:1433"));
    QCOMPARE(base, QStringLiteral("VENTAS"));
    QVERIFY(RegistroBases::BuscarBase(ruta, "COMPRAS / SRV02", servidor, base));
    QCOMPARE(servidor, QStringLiteral("SRV02"));
}

void TstRegistroBases::listaYBusquedaEnArchivo()
{
    EntornoPrueba entorno;
    OperadorGuionado operador;
    const QString ruta = entorno.ruta(QStringLiteral("BASES.TXT"));
    QVERIFY(EscribirArchivo(ruta, "VENTAS / SRV01,VENTAS,VENTAS,p,SRV01\r\n"
                                  " ,NADA,NADA,p,NADIE\r\n"
                                  "ventas / SRV01,minus,minus,p,SRVMIN\r\n"
                                  "VENTAS / SRV01,SEGUNDA,SEGUNDA,p,SRV09\r\n"
                                  "\"  \",COMILLAS,C,p,S\r\n"));

    // Records with an empty name are left out of the list.
    QCOMPARE(RegistroBases::ListarNombres(ruta),
             QStringList({"VENTAS / SRV01", "ventas / SRV01", "VENTAS / SRV01"}));

    QString servidor = QStringLiteral("antes"), base = QStringLiteral("antes");
    QVERIFY(RegistroBases::BuscarBase(ruta, "  VENTAS / SRV01 ", servidor, base));
    QCOMPARE(servidor + u'|' + base, QStringLiteral("SRV01|VENTAS")); // the first of two
    QVERIFY(RegistroBases::BuscarBase(ruta, "ventas / SRV01", servidor, base));
    QCOMPARE(servidor + u'|' + base, QStringLiteral("SRVMIN|minus")); // letter case counts

    servidor = base = QStringLiteral("antes");
    QVERIFY(!RegistroBases::BuscarBase(ruta, "Ventas / Srv01", servidor, base));
    QCOMPARE(servidor + u'|' + base, QStringLiteral("antes|antes"));
    QCOMPARE(operador.mostrados().size(), 0);
}

void TstRegistroBases::archivoAusente()
{
    EntornoPrueba entorno;
    OperadorGuionado operador;
    const QString ruta = entorno.ruta(QStringLiteral("BASES.TXT"));
    QCOMPARE(RegistroBases::ListarNombres(ruta), QStringList());
    QString servidor = QStringLiteral("antes"), base = QStringLiteral("antes");
    QVERIFY(!RegistroBases::BuscarBase(ruta, "VENTAS / SRV01", servidor, base));
    QCOMPARE(servidor, QStringLiteral("antes"));
    QVERIFY(!QFile::exists(ruta)); // reading never creates the file
    QCOMPARE(operador.mostrados().size(), 0);
}

void TstRegistroBases::nombreDeArchivoSinDistinguirMayusculas()
{
    EntornoPrueba entorno;
    OperadorGuionado operador;
    QCOMPARE(RegistroBases::Ruta(), entorno.ruta(QStringLiteral("BASES.TXT")));
    QVERIFY(EscribirArchivo(entorno.ruta(QStringLiteral("bases.txt")), "A / S,A,A,p,S\r\n"));
    QCOMPARE(RegistroBases::Ruta(), entorno.ruta(QStringLiteral("bases.txt")));
    RegistroBases::AgregarBase("B / S", "B", "B", "B", "S");
    QCOMPARE(RegistroBases::ListarNombres(RegistroBases::Ruta()), QStringList({"A / S", "B / S"}));
    QCOMPARE(QDir(entorno.carpeta()).entryList(QDir::Files), QStringList{"bases.txt"});
}

void TstRegistroBases::basuraBinariaNoRompeNada()
{
    EntornoPrueba entorno;
    OperadorGuionado operador;
    const QString ruta = entorno.ruta(QStringLiteral("BASES.TXT"));
    QRandomGenerator azar(20240325);
    QByteArray basura(64 * 1024, Qt::Uninitialized);
    for (char &b : basura)
        b = char(azar.bounded(256));
    // Dense in the bytes the reader reacts to.
    for (int i = 0; i < basura.size(); i += 7)
        basura[i] = "\",\r\n\0 "[azar.bounded(6)];
    QVERIFY(EscribirArchivo(ruta, basura));

    const QStringList nombres = RegistroBases::ListarNombres(ruta);
    QVERIFY(!nombres.isEmpty());
    QString servidor, base;
    RegistroBases::BuscarBase(ruta, nombres.constLast(), servidor, base);
    RegistroBases::AgregarBase(ruta, "VENTAS / SRV01", "VENTAS", "VENTAS", "VENTAS", "SRV01");
    QVERIFY(LeerArchivo(ruta).startsWith(basura));
    QCOMPARE(operador.mostrados().size(), 0);
}

void TstRegistroBases::existeArchivo()
{
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(QStringLiteral("datos.txt"));
    QVERIFY(EscribirArchivo(ruta, "x"));
    QVERIFY(ExisteArchivo(ruta));
    QVERIFY(ExisteArchivo(u'"' + ruta + u'"'));
    QVERIFY(!ExisteArchivo(entorno.ruta(QStringLiteral("otro.txt"))));
    QVERIFY(!ExisteArchivo(entorno.carpeta())); // a folder cannot be read as a file
    QVERIFY(!ExisteArchivo(QString()));
}

void TstRegistroBases::agregarFallaSiNoPuedeEscribir()
{
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(QStringLiteral("BASES.TXT"));
    QVERIFY(QDir().mkpath(ruta));
    try {
        RegistroBases::AgregarBase(ruta, "A / S", "A", "A", "A", "S");
        QFAIL("AgregarBase no informó la falla");
    } catch (const ErrorEjecucion &e) {
        QCOMPARE(e.Number, Errores::ErrorAccesoArchivo);
    }
}

void TstRegistroBases::fallaDeLecturaSeInformaAlOperador()
{
    // A file that opens but cannot be read: the process's own memory, read
    // from address 0, fails with an I/O error.
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(QStringLiteral("BASES.TXT"));
    if (!QFile::link(QStringLiteral("/proc/self/mem"), ruta) || !ExisteArchivo(ruta))
        QSKIP("no hay un archivo que se abra y no se pueda leer");

    OperadorGuionado operador;
    // The list: retry reads again, ignore goes on without names.
    operador.responder(DialogoOperador::vbRetry).responder(DialogoOperador::vbIgnore);
    QCOMPARE(RegistroBases::ListarNombres(ruta), QStringList());
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 2);
    QVERIFY(operador.ultimo().titulo.contains(QStringLiteral("FormLoad")));
    QCOMPARE(operador.ultimo().botones(), int(DialogoOperador::vbAbortRetryIgnore));

    // The lookup reports once and leaves, whatever the answer.
    operador.limpiar();
    operador.responder(DialogoOperador::vbRetry);
    QString servidor = QStringLiteral("antes"), base = QStringLiteral("antes");
    QVERIFY(!RegistroBases::BuscarBase(ruta, QStringLiteral("VENTAS / SRV01"), servidor, base));
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 1);
    QVERIFY(operador.ultimo().titulo.contains(QStringLiteral("DatosBase")));
    QCOMPARE(servidor, QStringLiteral("antes"));
}

QTEST_GUILESS_MAIN(TstRegistroBases)
#include "tst_registro_bases.moc"
