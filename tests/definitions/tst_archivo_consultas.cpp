#include "definitions/ArchivoConsultas.h"
#include "suite/Windows1252.h"
#include "support/EntornoPrueba.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>

#include <algorithm>

#include <unistd.h>

using namespace ArchivoConsultas;

namespace {

constexpr qsizetype L = RegistroConsulta::kLargo;

// A field's bytes as another writer may have left them: the text, then `relleno`
// up to the width.
QByteArray campo(const QByteArray &texto, qsizetype ancho, char relleno = ' ')
{
    return texto.left(ancho) + QByteArray(qMax<qsizetype>(0, ancho - texto.size()), relleno);
}

QByteArray registro(const QByteArray &nombre, const QByteArray &tabla = {}, const QByteArray &campos = {},
                    const QByteArray &condicion = {})
{
    return campo(nombre, 100) + campo(tabla, 100) + campo(campos, 500) + campo(condicion, 500) + "\r\n";
}

QByteArray registroEn(const QByteArray &archivo, qsizetype numero)
{
    return archivo.mid((numero - 1) * L, L);
}

// Only blanks pad; a tab is text.
bool enBlanco(const QString &texto)
{
    return std::all_of(texto.begin(), texto.end(), [](QChar c) { return c == u' '; });
}

template<typename F>
qint32 numeroDeError(F &&operacion)
{
    try {
        operacion();
    } catch (const ErrorEjecucion &e) {
        return e.Number;
    }
    return 0;
}

qint16 buscar(const QString &ruta, const QString &nombre)
{
    qint16 indice = 0;
    return ExisteEnAuxiliar(ruta, nombre, indice) ? indice : qint16(0);
}


bool seDejaEscribir(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadWrite);
}

struct Esperada
{
    const char *nombre, *tabla, *campos;
};

const Esperada kPredeterminadas[] = {
    {"ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|"},
    {"CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"},
    {"PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"},
    {"CONTACTOS", "MA_CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"},
    {"VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|"},
    {"TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|"},
    {"MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"},
    {"CUENTAS", "MA_CUENTAS", "|DESCRIPCION|CODIGO|"},
    {"TAREAS", "V_TA_Tareas", "|Descripcion|IdTarea|"},
    {"UnidadNegocio", "V_TA_UnidadNegocio", "|Descripcion|Codigo|"},
    {"DEPOSITO", "V_TA_DEPOSITO", "|Descripcion|IdDeposito|"},
};

} // namespace

class TstArchivoConsultas : public QObject
{
    Q_OBJECT

private slots:
    void guardarEscribeElRegistroExacto();
    void guardarSobreUnTrozoFinal();
    void buscarPorNombre_data();
    void buscarPorNombre();
    void elPrimeroGana();
    void cargarListaDeCampos_data();
    void cargarListaDeCampos();
    void valoresLargosSeCortan();
    void bytesFueraDelJuegoDeCaracteres();
    void definicionesPredeterminadas();
    void nombreDeArchivoSinImportarMayusculas();
    void archivoFaltanteSeCreaVacio();
    void archivoQueNoSeDejaEscribir();
    void rutaQueNoEsArchivo();
    void limiteDeRegistros();
    void archivosDeBasura_data();
    void archivosDeBasura();
    void lectorAleatorio();
};

void TstArchivoConsultas::guardarEscribeElRegistroExacto()
{
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);

    QCOMPARE(GuardarDefinicion(ruta, QStringLiteral("  CLIENTES "), QStringLiteral(" VT_CLIENTES "),
                               {QStringLiteral(" CODIGO "), QStringLiteral("NOMBRE")},
                               QStringLiteral("  Dada_De_Baja = 0  ")),
             qint16(1));
    const QByteArray esperado = registro("CLIENTES", "VT_CLIENTES", "|CODIGO|NOMBRE|", "Dada_De_Baja = 0");
    QCOMPARE(LeerArchivo(ruta), esperado);
    QCOMPARE(esperado.mid(1200), QByteArray("\r\n"));

    // The preview reads the table from the buffer at its full width.
    QCOMPARE(gRegConsulta.Tabla, QStringLiteral("VT_CLIENTES").leftJustified(100, u' '));

    // Storing again replaces the record in place, also with no columns at all.
    QCOMPARE(GuardarDefinicion(ruta, QStringLiteral("clientes"), QStringLiteral("VT_CLIENTES"), {}, {}),
             qint16(1));
    QCOMPARE(LeerArchivo(ruta), registro("clientes", "VT_CLIENTES", "|"));

    // A blank name stores nothing.
    QCOMPARE(GuardarDefinicion(ruta, QStringLiteral("   "), QStringLiteral("T"), {QStringLiteral("A")}, {}),
             qint16(0));
    QCOMPARE(LeerArchivo(ruta).size(), L);
}

void TstArchivoConsultas::guardarSobreUnTrozoFinal()
{
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);
    const QByteArray previo = registro("ARTICULOS") + registro("CLIENTES") + registro("PROVEEDORES")
        + QByteArray(500, 'x');
    QVERIFY(EscribirArchivo(ruta, previo));

    QCOMPARE(buscar(ruta, QStringLiteral("PROVEEDORES")), qint16(3));
    QCOMPARE(GuardarDefinicion(ruta, QStringLiteral("RUBROS"), QStringLiteral("V_TA_RUBROS"),
                               {QStringLiteral("DESCRIPCION")}, {}),
             qint16(4));

    const QByteArray despues = LeerArchivo(ruta);
    QCOMPARE(despues.size(), 4 * L);
    QCOMPARE(despues.left(3606), previo.left(3606));
    QCOMPARE(despues.mid(3606), registro("RUBROS", "V_TA_RUBROS", "|DESCRIPCION|"));
    QCOMPARE(buscar(ruta, QStringLiteral("rubros")), qint16(4));
}

void TstArchivoConsultas::buscarPorNombre_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<int>("indice");

    QTest::newRow("minúsculas") << "clientes" << 2;
    QTest::newRow("mayúscula inicial") << "Clientes" << 2;
    QTest::newRow("blancos alrededor") << "  CLIENTES  " << 2;
    QTest::newRow("nombre guardado con blancos") << "rubros" << 1;
    QTest::newRow("nombre rellenado con NUL") << "PROVEEDORES" << 3;
    QTest::newRow("letras de la página de códigos") << QString::fromUtf8("AÑO€") << 4;
    QTest::newRow("prefijo no basta") << "CLIENTE" << 0;
    QTest::newRow("tabulador no es blanco") << "CLIENTES\t" << 0;
    QTest::newRow("NUL dentro del nombre") << "tareas" << 5;
    QTest::newRow("solo una parte") << "TAR" << 0;
    // From the random reader: a NUL among high bytes, a hard space in front.
    QTest::newRow("ÿ y Ÿ son una letra, el NUL no cuenta") << QStringLiteral("\u00A0\u0178 \u0081|") << 6;
    QTest::newRow("espacio duro no es relleno") << QStringLiteral("\u0178 \u0081|") << 0;
    QTest::newRow("vacío") << "" << 0;
}

void TstArchivoConsultas::buscarPorNombre()
{
    QFETCH(QString, nombre);
    QFETCH(int, indice);

    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);
    QVERIFY(EscribirArchivo(ruta, registro("  RUBROS") + registro("CLIENTES")
                                      + registro(campo("PROVEEDORES", 100, '\0'))
                                      + registro("A\xD1O\x80") + registro(QByteArray("TAR\0EAS", 7))
                                      + registro(QByteArray("\xA0\xFF\0 \x81|", 6))));

    qint16 encontrado = -1;
    QCOMPARE(ExisteEnAuxiliar(ruta, nombre, encontrado), indice != 0);
    if (indice != 0) {
        QCOMPARE(encontrado, qint16(indice));
        QCOMPARE(gRegConsulta.Nombre.trimmed().remove(QChar(0)).compare(nombre.trimmed(), Qt::CaseInsensitive), 0);
    }
}

void TstArchivoConsultas::elPrimeroGana()
{
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);
    const QByteArray segundo = registro("CLIENTES", "VT_OTRA", "|OTRA|", "X = 2");
    QVERIFY(EscribirArchivo(ruta, registro("ARTICULOS") + registro("clientes", "VT_CLIENTES", "|CODIGO|", "X = 1")
                                      + segundo));

    const DefinicionCargada cargada = CargarDefinicion(ruta, QStringLiteral("Clientes"));
    QVERIFY(cargada.existe);
    QCOMPARE(cargada.columnas, QStringList{QStringLiteral("CODIGO")});
    QCOMPARE(cargada.condicion.trimmed(), QStringLiteral("X = 1"));

    QCOMPARE(GuardarDefinicion(ruta, QStringLiteral("CLIENTES"), QStringLiteral("VT_CLIENTES"),
                               {QStringLiteral("RAZON_SOCIAL")}, {}),
             qint16(2));
    const QByteArray despues = LeerArchivo(ruta);
    QCOMPARE(despues.size(), 3 * L);
    QCOMPARE(registroEn(despues, 2), registro("CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|"));
    QCOMPARE(registroEn(despues, 3), segundo);
}

void TstArchivoConsultas::cargarListaDeCampos_data()
{
    QTest::addColumn<QByteArray>("campos");
    QTest::addColumn<QStringList>("columnas");
    QTest::addColumn<bool>("conCondicion");

    // A list that fills the whole field and lost its closing bar.
    QByteArray cortada = "|PRIMERA|";
    QStringList antesDelCorte{"PRIMERA"};
    while (cortada.size() + 14 <= 500) {
        cortada += "COLUMNA_LARGA|";
        antesDelCorte << "COLUMNA_LARGA";
    }
    cortada = (cortada + "COLUMNA_LARGA|").left(500);
    QVERIFY(!cortada.endsWith('|'));

    QTest::newRow("en orden") << QByteArray("|RAZON_SOCIAL|CODIGO|") << QStringList{"RAZON_SOCIAL", "CODIGO"} << true;
    QTest::newRow("nombre vacío en medio") << QByteArray("|A||B|") << QStringList{"A", "B"} << true;
    QTest::newRow("solo la barra") << QByteArray("|") << QStringList{} << false;
    QTest::newRow("en blanco") << QByteArray() << QStringList{} << false;
    QTest::newRow("barra rellenada con NUL") << campo(" |", 500, '\0') << QStringList{} << false;
    QTest::newRow("solo barras") << QByteArray("||||") << QStringList{} << true;
    QTest::newRow("rellenada con NUL") << campo("|A|B|", 500, '\0') << QStringList{"A", "B"} << true;
    QTest::newRow("NUL dentro de un nombre") << QByteArray("|CO\0DIGO|", 9) << QStringList{"CODIGO"} << true;
    QTest::newRow("nombres como están") << QByteArray("  | A |\tB|") << QStringList{" A ", "\tB"} << true;
    QTest::newRow("primer carácter se descarta") << QByteArray("A|B|C|") << QStringList{"B", "C"} << true;
    QTest::newRow("cortada en el ancho") << cortada << antesDelCorte << true;
    QTest::newRow("un solo nombre sin cierre") << QByteArray("|CODIGO") << QStringList{} << true;
}

void TstArchivoConsultas::cargarListaDeCampos()
{
    QFETCH(QByteArray, campos);
    QFETCH(QStringList, columnas);
    QFETCH(bool, conCondicion);

    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);
    QVERIFY(EscribirArchivo(ruta, registro("CLIENTES", "VT_CLIENTES", campos, "X = 1")));

    const DefinicionCargada cargada = CargarDefinicion(ruta, QStringLiteral("CLIENTES"));
    QVERIFY(cargada.existe);
    QCOMPARE(cargada.columnas, columnas);
    // A record without columns brings no condition either; otherwise the
    // condition comes at its full width.
    QCOMPARE(cargada.condicion, conCondicion ? QStringLiteral("X = 1").leftJustified(500, u' ') : QString());
}

void TstArchivoConsultas::valoresLargosSeCortan()
{
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);
    QString condicion;
    for (int i = 0; condicion.size() < 600; ++i)
        condicion += QStringLiteral("C%1 = %1 AND ").arg(i);
    condicion.truncate(600);
    // 15 characters and a bar each: 31 fit after the leading bar, the 32nd is cut.
    QStringList columnas;
    for (int i = 0; i < 40; ++i)
        columnas << QStringLiteral("COLUMNA_NUM_%1").arg(i, 3, 10, QChar(u'0'));

    GuardarDefinicion(ruta, QString(150, u'N'), QString(120, u'T'), columnas, condicion);

    const QByteArray bytes = LeerArchivo(ruta);
    QCOMPARE(bytes.size(), L);
    QCOMPARE(bytes.mid(0, 100), QByteArray(100, 'N'));
    QCOMPARE(bytes.mid(100, 100), QByteArray(100, 'T'));
    QCOMPARE(bytes.mid(700, 500), condicion.left(500).toLatin1());
    QCOMPARE(bytes.mid(1200), QByteArray("\r\n"));
    const QByteArray lista = bytes.mid(200, 500);
    QCOMPARE(lista, ArmarListaCampos(columnas).left(500).toLatin1());
    QVERIFY(!lista.endsWith('|'));

    // The cut list loads with the complete names; the one that lost its end is left out.
    const DefinicionCargada cargada = CargarDefinicion(ruta, QString(100, u'N'));
    QVERIFY(cargada.existe);
    QCOMPARE(cargada.columnas, columnas.first(31));
    QCOMPARE(cargada.condicion, condicion.left(500));
}

void TstArchivoConsultas::bytesFueraDelJuegoDeCaracteres()
{
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);
    // 0x81 and 0x9D have no character in the code page; 0xD1 is Ñ, 0x80 the euro.
    const QByteArray ajeno = registro("RARO\x81", "V_\x9D", "|A\x81|\xD1U|\x8D|", "X\x90");
    QVERIFY(EscribirArchivo(ruta, ajeno));

    const DefinicionCargada cargada = CargarDefinicion(ruta, QStringLiteral("raro\u0081"));
    QVERIFY(cargada.existe);
    QCOMPARE(cargada.columnas, (QStringList{QStringLiteral("A\u0081"), QStringLiteral("ÑU"), QStringLiteral("\u008D")}));
    QCOMPARE(cargada.condicion.trimmed(), QStringLiteral("X\u0090"));

    // Written back unchanged, the record keeps its bytes.
    GuardarDefinicion(ruta, gRegConsulta.Nombre, gRegConsulta.Tabla, cargada.columnas, cargada.condicion);
    QCOMPARE(LeerArchivo(ruta), ajeno);

    // Characters the code page lacks become "?"; its own high ones take one byte each.
    GuardarDefinicion(ruta, QStringLiteral("AÑO€"), QStringLiteral("V_年"), {QStringLiteral("Ω")}, {});
    QCOMPARE(registroEn(LeerArchivo(ruta), 2), registro("A\xD1O\x80", "V_?", "|?|"));
}

void TstArchivoConsultas::definicionesPredeterminadas()
{
    EntornoPrueba entorno;
    // The start-up names the file in lower case.
    const QString ruta = entorno.ruta(QStringLiteral("consultas.kvd"));
    CrearDefinicionesDefault(ruta);

    QByteArray esperado;
    for (const Esperada &e : kPredeterminadas)
        esperado += registro(e.nombre, e.tabla, e.campos);
    QCOMPARE(LeerArchivo(ruta), esperado);
    QCOMPARE(gRegConsulta.Nombre.trimmed(), QStringLiteral("DEPOSITO"));

    // The editor's upper-case name reaches the same file.
    const DefinicionCargada clientes = CargarDefinicion(entorno.ruta(kNombreArchivo), QStringLiteral("clientes"));
    QVERIFY(clientes.existe);
    QCOMPARE(clientes.columnas, (QStringList{"RAZON_SOCIAL", "CODIGO", "CONTACTO"}));
    QCOMPARE(clientes.condicion, QString(500, u' '));
    QCOMPARE(buscar(ruta, QStringLiteral("UNIDADNEGOCIO")), qint16(10));

    // On a file that holds records it appends all eleven again, the first over
    // a trailing piece.
    QVERIFY(EscribirArchivo(ruta, esperado + QByteArray(300, '\0')));
    CrearDefinicionesDefault(ruta);
    QCOMPARE(LeerArchivo(ruta), esperado + esperado);
    QCOMPARE(QDir(entorno.carpeta()).entryList(QDir::Files), QStringList{"consultas.kvd"});
}

void TstArchivoConsultas::nombreDeArchivoSinImportarMayusculas()
{
    EntornoPrueba entorno;
    const QString minusculas = entorno.ruta(QStringLiteral("consultas.kvd"));
    QVERIFY(EscribirArchivo(minusculas, registro("CLIENTES", "VT_CLIENTES", "|CODIGO|")));

    const QString ruta = entorno.ruta(kNombreArchivo);
    QCOMPARE(buscar(ruta, QStringLiteral("CLIENTES")), qint16(1));
    QCOMPARE(GuardarDefinicion(ruta, QStringLiteral("RUBROS"), QStringLiteral("V_TA_RUBROS"), {}, {}), qint16(2));
    QCOMPARE(CargarDefinicion(ruta, QStringLiteral("CLIENTES")).columnas, QStringList{"CODIGO"});

    QCOMPARE(QDir(entorno.carpeta()).entryList(QDir::Files), QStringList{"consultas.kvd"});
    QCOMPARE(LeerArchivo(minusculas).size(), 2 * L);
}

void TstArchivoConsultas::archivoFaltanteSeCreaVacio()
{
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);

    QCOMPARE(buscar(ruta, QStringLiteral("CLIENTES")), qint16(0));
    QVERIFY(QFile::exists(ruta));
    QCOMPARE(QFileInfo(ruta).size(), 0);
    const DefinicionCargada cargada = CargarDefinicion(ruta, QStringLiteral("CLIENTES"));
    QVERIFY(!cargada.existe);
    QVERIFY(cargada.columnas.isEmpty());
    QVERIFY(cargada.condicion.isEmpty());
}

void TstArchivoConsultas::archivoQueNoSeDejaEscribir()
{
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);
    const QByteArray previo = registro("CLIENTES", "VT_CLIENTES", "|CODIGO|") + QByteArray(10, 'x');
    QVERIFY(EscribirArchivo(ruta, previo));

    const auto permisos = QFile::permissions(ruta);
    QVERIFY(QFile::setPermissions(ruta, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    bool inmutable = false;
    auto restaurar = qScopeGuard([&] {
        if (inmutable)
            FijarInmutable(ruta, false);
        QFile::setPermissions(ruta, permisos);
    });
    if (seDejaEscribir(ruta))
        inmutable = FijarInmutable(ruta, true);
    if (seDejaEscribir(ruta))
        QSKIP("this account writes read-only files");

    QCOMPARE(numeroDeError([&] { GuardarDefinicion(ruta, QStringLiteral("CLIENTES"), QStringLiteral("T"), {}, {}); }),
             Errores::ErrorAccesoArchivo);
    QCOMPARE(numeroDeError([&] { GuardarDefinicion(ruta, QStringLiteral("NUEVA"), QStringLiteral("T"), {}, {}); }),
             Errores::ErrorAccesoArchivo);
    QCOMPARE(numeroDeError([&] { CrearDefinicionesDefault(ruta); }), Errores::ErrorAccesoArchivo);
    QCOMPARE(LeerArchivo(ruta), previo);

    // Reading still works.
    QCOMPARE(buscar(ruta, QStringLiteral("clientes")), qint16(1));
    QCOMPARE(CargarDefinicion(ruta, QStringLiteral("CLIENTES")).columnas, QStringList{"CODIGO"});
}

void TstArchivoConsultas::rutaQueNoEsArchivo()
{
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);
    QVERIFY(QDir().mkpath(ruta));
    qint16 indice = 0;

    QCOMPARE(numeroDeError([&] { ExisteEnAuxiliar(ruta, QStringLiteral("A"), indice); }), Errores::ErrorAccesoArchivo);
    QCOMPARE(numeroDeError([&] { CargarDefinicion(ruta, QStringLiteral("A")); }), Errores::ErrorAccesoArchivo);
    QCOMPARE(numeroDeError([&] { GuardarDefinicion(ruta, QStringLiteral("A"), {}, {}, {}); }),
             Errores::ErrorAccesoArchivo);
    QCOMPARE(numeroDeError([&] { CrearDefinicionesDefault(entorno.ruta(QStringLiteral("falta/consultas.kvd"))); }),
             Errores::ErrorAccesoArchivo);
}

void TstArchivoConsultas::limiteDeRegistros()
{
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);
    const qint64 completo = qint64(kRegistrosMaximos) * L;

    // 32,767 records: the last one is found, but there is no number for a new one.
    {
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(completo + 100));
        QVERIFY(f.seek(completo - L));
        QVERIFY(f.write(registro("ULTIMA", "T", "|A|")) == L);
    }
    QCOMPARE(buscar(ruta, QStringLiteral("ULTIMA")), qint16(kRegistrosMaximos));
    QCOMPARE(numeroDeError([&] { GuardarDefinicion(ruta, QStringLiteral("ULTIMA"), QStringLiteral("T"), {"B"}, {}); }),
             0);
    QCOMPARE(numeroDeError([&] { GuardarDefinicion(ruta, QStringLiteral("NUEVA"), QStringLiteral("T"), {}, {}); }),
             Errores::Desbordamiento);
    QCOMPARE(numeroDeError([&] { CrearDefinicionesDefault(ruta); }), Errores::Desbordamiento);
    QCOMPARE(QFileInfo(ruta).size(), completo + 100);

    // One more record and the file cannot be walked at all.
    QVERIFY(QFile::resize(ruta, completo + L));
    qint16 indice = 0;
    QCOMPARE(numeroDeError([&] { ExisteEnAuxiliar(ruta, QStringLiteral("ULTIMA"), indice); }),
             Errores::Desbordamiento);
    QCOMPARE(numeroDeError([&] { CargarDefinicion(ruta, QStringLiteral("ULTIMA")); }), Errores::Desbordamiento);
    QCOMPARE(numeroDeError([&] { GuardarDefinicion(ruta, QStringLiteral("ULTIMA"), QStringLiteral("T"), {}, {}); }),
             Errores::Desbordamiento);
    QCOMPARE(QFileInfo(ruta).size(), completo + L);
}

void TstArchivoConsultas::archivosDeBasura_data()
{
    QTest::addColumn<QByteArray>("contenido");

    QByteArray altos;
    for (int i = 0; i < 3 * L; ++i)
        altos += char(0x80 + i % 128);
    QByteArray barras(2 * L, '|');

    QTest::newRow("un byte menos que un registro") << registro("CLIENTES").left(L - 1);
    QTest::newRow("solo NUL") << QByteArray(2 * L + 7, '\0');
    QTest::newRow("bytes altos") << altos;
    QTest::newRow("solo barras") << barras;
    QTest::newRow("registros corridos un byte") << (QByteArray(" ") + registro("CLIENTES", "T", "|A|") + registro("X"));
    QTest::newRow("sin fin de registro") << (registro("CLIENTES", "T", "|A|B|").left(1200) + QByteArray("\0\xFF", 2));
}

// Garbage loads without failing; the only thing it can do is not match. A new
// definition then goes after the complete records and reads back as stored.
void TstArchivoConsultas::archivosDeBasura()
{
    QFETCH(QByteArray, contenido);

    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);
    QVERIFY(EscribirArchivo(ruta, contenido));
    const qint16 cantidad = qint16(contenido.size() / L);

    for (const QString &nombre : {QStringLiteral("CLIENTES"), QStringLiteral(""), QStringLiteral("|")}) {
        qint16 indice = 0;
        ExisteEnAuxiliar(ruta, nombre, indice);
        QVERIFY(indice <= cantidad);
        const DefinicionCargada cargada = CargarDefinicion(ruta, nombre);
        for (const QString &c : cargada.columnas)
            QVERIFY(!c.contains(u'|') && !enBlanco(c));
    }

    const qint16 numero =
        GuardarDefinicion(ruta, QStringLiteral("NUEVA"), QStringLiteral("V_NUEVA"), {"A", "B"}, QStringLiteral("X"));
    QCOMPARE(numero, qint16(cantidad + 1));
    const QByteArray despues = LeerArchivo(ruta);
    QCOMPARE(despues.left(cantidad * L), contenido.left(cantidad * L));
    QCOMPARE(registroEn(despues, numero), registro("NUEVA", "V_NUEVA", "|A|B|", "X"));
    QCOMPARE(CargarDefinicion(ruta, QStringLiteral("nueva")).columnas, (QStringList{"A", "B"}));
}

// Random files, names and lists, from a fixed seed so a failure repeats. Loading,
// finding and storing must neither crash nor fail, and what is found must be
// what is there. DC_AZAR_ITERACIONES runs it longer, DC_AZAR_SEMILLA elsewhere.
void TstArchivoConsultas::lectorAleatorio()
{
    EntornoPrueba entorno;
    const QString ruta = entorno.ruta(kNombreArchivo);
    QRandomGenerator azar(qEnvironmentVariableIsSet("DC_AZAR_SEMILLA")
                              ? quint32(qEnvironmentVariableIntValue("DC_AZAR_SEMILLA"))
                              : 20261210u);
    const int iteraciones = qEnvironmentVariableIsSet("DC_AZAR_ITERACIONES")
        ? qEnvironmentVariableIntValue("DC_AZAR_ITERACIONES")
        : 1500;

    // Bytes that matter to the reader: padding, NUL, bars, code-page gaps,
    // letters whose case folds, and anything else.
    static const char kAlfabeto[] = "  \0\0||AaBb\x81\x8D\x8F\x90\x9D\xFF\x9F\xD1\xF1\r\n\t\xA0";
    const QByteArray alfabeto(kAlfabeto, sizeof(kAlfabeto) - 1);
    auto byteAlAzar = [&]() -> char {
        return azar.bounded(3) == 0 ? char(azar.bounded(256)) : alfabeto.at(azar.bounded(alfabeto.size()));
    };
    auto textoAlAzar = [&](int largo) {
        QByteArray t;
        for (int i = 0; i < largo; ++i)
            t += byteAlAzar();
        return t;
    };

    QElapsedTimer reloj;
    reloj.start();
    for (int vuelta = 0; vuelta < iteraciones; ++vuelta) {
        QByteArray contenido;
        const int registros = azar.bounded(5);
        for (int r = 0; r < registros; ++r) {
            QByteArray reg = registro(textoAlAzar(azar.bounded(12)), textoAlAzar(azar.bounded(8)),
                                      "|" + textoAlAzar(azar.bounded(520)), textoAlAzar(azar.bounded(20)));
            for (int m = azar.bounded(6); m > 0; --m)
                reg[azar.bounded(int(L))] = byteAlAzar();
            contenido += reg;
        }
        contenido += textoAlAzar(azar.bounded(3) == 0 ? azar.bounded(int(L)) : 0);
        if (azar.bounded(8) == 0)
            contenido = textoAlAzar(azar.bounded(int(3 * L)));
        QVERIFY(EscribirArchivo(ruta, contenido));
        const qint16 cantidad = qint16(contenido.size() / L);

        // Every complete record is found by its own name: at its number or at an
        // earlier one with the same name.
        for (qint16 n = 1; n <= cantidad; ++n) {
            RegistroConsulta leido;
            leido.Leer(QByteArrayView(contenido).sliced((n - 1) * L, L));
            const QString nombre = QString(leido.Nombre).remove(QChar(0));
            qint16 indice = 0;
            QVERIFY2(ExisteEnAuxiliar(ruta, nombre, indice), qPrintable(contenido.toHex()));
            QVERIFY(indice >= 1 && indice <= n);
            const DefinicionCargada cargada = CargarDefinicion(ruta, nombre);
            QVERIFY(cargada.existe);
            for (const QString &c : cargada.columnas)
                QVERIFY2(!c.contains(u'|') && !enBlanco(c), qPrintable(contenido.toHex()));
            QVERIFY(cargada.condicion.isEmpty() || cargada.condicion.size() == 500);
        }
        const QString ajeno = Windows1252::Decodificar(textoAlAzar(azar.bounded(10)));
        qint16 indice = 0;
        ExisteEnAuxiliar(ruta, ajeno, indice);
        QVERIFY(indice >= 0 && indice <= cantidad);

        // The split alone, on raw text.
        for (const QString &c : SepararListaCampos(Windows1252::Decodificar(textoAlAzar(azar.bounded(40)))))
            QVERIFY(!c.contains(u'|') && !enBlanco(c));

        // Storing over whatever is there leaves the rest of the file alone.
        if (vuelta % 4 == 0) {
            const QStringList columnas = Windows1252::Decodificar(textoAlAzar(azar.bounded(30))).split(u'|');
            const qint16 numero = GuardarDefinicion(ruta, QStringLiteral("FIJA"), QStringLiteral("T"), columnas, {});
            QVERIFY(numero >= 1 && numero <= cantidad + 1);
            const QByteArray despues = LeerArchivo(ruta);
            QCOMPARE(despues.size(), qMax(contenido.size(), qsizetype(numero) * L));
            QCOMPARE(despues.left((numero - 1) * L), contenido.left((numero - 1) * L));
            QCOMPARE(despues.mid(numero * L), contenido.mid(numero * L));
            QCOMPARE(despues.mid((numero - 1) * L + 1200, 2), QByteArray("\r\n"));
        }
    }
    qInfo("%d random files in %lld ms", iteraciones, reloj.elapsed());
}

QTEST_GUILESS_MAIN(TstArchivoConsultas)
#include "tst_archivo_consultas.moc"
