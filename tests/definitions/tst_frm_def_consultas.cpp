#include "app/Sesion.h"
#include "data/BasePrueba.h"
#include "data/DB_Dll.h"
#include "definitions/ArchivoConsultas.h"
#include "definitions/FrmDefConsultas.h"
#include "definitions/ListaDefiniciones.h"
#include "definitions/ModeloDefiniciones.h"
#include "support/EntornoPrueba.h"
#include "support/OperadorGuionado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>
#include <unistd.h>

using ListaDefiniciones::ArmarEntrada;
using ListaDefiniciones::NombreDeEntrada;
using ListaDefiniciones::TablaDeEntrada;

namespace {

const QString kTodosClientes = QStringLiteral("CUIT,DIRECCION,LOCALIDAD,TELEFONO,SALDO,Dada_De_Baja");
const QString kColumnasArticulos = QStringLiteral(
    "IDARTICULO,DESCRIPCION,Stock,PUNTOPEDIDO,PRECIO1,PRECIO2,PRECIO3,PRECIO4,PRECIO5,PRECIO6,PRECIO7,PRECIO8,"
    "CODIGOBARRA,IdFamilia,FAMILIA,IdUnidad,IdRubro,PROVEEDOR,COSTO,SUSPENDIDO");

// One record as the file must hold it, built here byte by byte.
QByteArray Registro(const char *nombre, const char *tabla, const char *campos, const char *condicion = "")
{
    const auto campo = [](const char *texto, int ancho) { return QByteArray(texto).leftJustified(ancho, ' ', true); };
    return campo(nombre, 100) + campo(tabla, 100) + campo(campos, 500) + campo(condicion, 500) + "\r\n";
}

QString Textos(const QListWidget *lista)
{
    QStringList textos;
    for (int i = 0; i < lista->count(); ++i)
        textos.append(lista->item(i)->text());
    return textos.join(u',');
}


}

// The definition editor on the demo company database: the chooser, the column
// lists, saving to CONSULTAS.KVD and TA_CONFIGURACION, the SQL view, and files
// that cannot be written or read.
class TstFrmDefConsultas : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sinParametroOfreceEsquemaYFijas();
    void entradasDelEsquema_data();
    void entradasDelEsquema();
    void lanzadoParaUnaDefinicion_data();
    void lanzadoParaUnaDefinicion();
    void botonesDeColumnas_data();
    void botonesDeColumnas();
    void guardarYRecargar_data();
    void guardarYRecargar();
    void cambiarDeDefinicionGuardaSoloSiSeMovieron_data();
    void cambiarDeDefinicionGuardaSoloSiSeMovieron();
    void cuentasCompartenElRegistro();
    void opcionesDeArticulos_data();
    void opcionesDeArticulos();
    void aceptarSinDefinicionElegida();
    void limiteSinGuardarSeGuardaVacio();
    void ventanaDeUnaDefinicionTermina_data();
    void ventanaDeUnaDefinicionTermina();
    void teclaAceptarEnElElegidor();
    void instruccionSql_data();
    void instruccionSql();
    void columnasQueLaTablaYaNoTiene();
    void archivoQueNoSeDejaEscribir();
    void archivoTruncadoOConBasura_data();
    void archivoTruncadoOConBasura();
    void archivoQueNoSeDejaLeer();

private:
    QString rutaConsultas() const { return m_entorno->ruta(ArchivoConsultas::kNombreArchivo); }
    std::unique_ptr<FrmDefConsultas> abrir(const QString &parametro = {});
    // Picks the entry of that table as the operator does.
    void elegir(FrmDefConsultas &w, const QString &tabla);
    // Runs a script of operator actions: "T2" / "S1" make that row of lstTodos /
    // lstSeleccionado current; ">", ">>", "<", "<<", "^", "v" press the buttons;
    // "dT" / "dS" double-click the current entry of a list.
    void aplicar(FrmDefConsultas &w, const QString &acciones);
    // "VALOR|valoraux" of a configuration key, "-" when it has no row.
    QString configuracion(const QString &clave);
    void ejecutar(const QString &sql);

    QTemporaryDir m_plantilla;
    std::optional<EntornoPrueba> m_entorno;
    QByteArray m_archivoInicial;
};

void TstFrmDefConsultas::initTestCase()
{
    QVERIFY(m_plantilla.isValid());
    QProcess demo;
    demo.start(QStringLiteral(CREAR_DEMO), {m_plantilla.path(), QStringLiteral("40")});
    QVERIFY(demo.waitForFinished(120000));
    QVERIFY2(demo.exitCode() == 0, demo.readAllStandardError().constData());
    // A few objects beyond the demo's: a personnel table the suite never looks
    // up, and a small table for the column buttons.
    QVERIFY(prueba::EjecutarSqlite(m_plantilla.filePath(QStringLiteral("EMPRESA.db")), QStringLiteral(
        "CREATE TABLE P_MA_OTROS (LEGAJO VARCHAR(10));"
        "CREATE TABLE MA_PRUEBA (A INT, B INT, C INT, D INT);"
        "CREATE TABLE mv_remitos (Numero INT);")));
}

void TstFrmDefConsultas::init()
{
    m_entorno.emplace();
    DB_Dll::Compartido() = DB_Dll{};
    gParametroAdicional.clear();
    gUsuarioLogeado = QStringLiteral("ADMIN");
    gIdControlAcceso = 0;
    const QString datos = m_entorno->carpeta() + QStringLiteral("datos");
    QVERIFY(QDir().mkpath(datos));
    for (const char *base : {"EMPRESA.db", "KV_ESTADISTICAS.db"})
        QVERIFY(QFile::copy(m_plantilla.filePath(QLatin1String(base)), datos + u'/' + QLatin1String(base)));

    DB_Dll &db = DB_Dll::Compartido();
    db.gServidor = QStringLiteral("LOCAL");
    db.gDBName = db.gUsuario = db.gUserPassWord = QStringLiteral("EMPRESA");
    db.OpenServerADODB(false, 3, {}, true, true);
    QVERIFY(db.gOpenFlag);

    ArchivoConsultas::CrearDefinicionesDefault(rutaConsultas());
    ArchivoConsultas::GuardarDefinicion(rutaConsultas(), QStringLiteral("PRUEBA"), QStringLiteral("MA_PRUEBA"),
                                        {QStringLiteral("B"), QStringLiteral("C")}, {});
    m_archivoInicial = LeerArchivo(rutaConsultas());
    QCOMPARE(m_archivoInicial.size(), 12 * RegistroConsulta::kLargo);
}

void TstFrmDefConsultas::cleanup()
{
    DB_Dll::Compartido() = DB_Dll{};
    gParametroAdicional.clear();
    m_entorno.reset();
}

std::unique_ptr<FrmDefConsultas> TstFrmDefConsultas::abrir(const QString &parametro)
{
    gParametroAdicional = parametro;
    auto w = std::make_unique<FrmDefConsultas>();
    w->Form_Load();
    return w;
}

void TstFrmDefConsultas::elegir(FrmDefConsultas &w, const QString &tabla)
{
    const QStringList &entradas = w.Definiciones()->Entradas();
    for (int i = 0; i < entradas.size(); ++i) {
        if (TablaDeEntrada(entradas.at(i)) == tabla) {
            w.CmbDefinicion->setCurrentIndex(i);
            emit w.CmbDefinicion->activated(i);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no entry shows ") + tabla));
}

void TstFrmDefConsultas::aplicar(FrmDefConsultas &w, const QString &acciones)
{
    for (const QString &a : acciones.split(u' ', Qt::SkipEmptyParts)) {
        if (a == u">")
            w.cmdAgregar->click();
        else if (a == u">>")
            w.cmdAgregarTodos->click();
        else if (a == u"<")
            w.cmdQuitar->click();
        else if (a == u"<<")
            w.cmdQuitartodos->click();
        else if (a == u"^")
            w.cmdSubir->click();
        else if (a == u"v")
            w.cmdBajar->click();
        else if (a == u"dT")
            emit w.lstTodos->itemDoubleClicked(w.lstTodos->currentItem());
        else if (a == u"dS")
            emit w.lstSeleccionado->itemDoubleClicked(w.lstSeleccionado->currentItem());
        else if (a.startsWith(u'T'))
            w.lstTodos->setCurrentRow(a.mid(1).toInt());
        else if (a.startsWith(u'S'))
            w.lstSeleccionado->setCurrentRow(a.mid(1).toInt());
        else
            QFAIL(qPrintable(QStringLiteral("unknown action ") + a));
    }
}

QString TstFrmDefConsultas::configuracion(const QString &clave)
{
    db::Connection cn;
    cn.Open(prueba::CadenaSqlServer(QStringLiteral("LOCAL"), QStringLiteral("EMPRESA")));
    db::Recordset rs = cn.Execute(QStringLiteral("SELECT VALOR, valoraux FROM TA_CONFIGURACION WHERE CLAVE = '%1'")
                                      .arg(clave.toUpper()));
    if (rs.Eof())
        return QStringLiteral("-");
    return rs.Fields(0).Value().toString() + u'|' + rs.Fields(1).Value().toString();
}

void TstFrmDefConsultas::ejecutar(const QString &sql)
{
    db::Connection cn;
    cn.Open(prueba::CadenaSqlServer(QStringLiteral("LOCAL"), QStringLiteral("EMPRESA")));
    QVERIFY_DB(cn, cn.Execute(sql));
}

// ---- The chooser ----

void TstFrmDefConsultas::sinParametroOfreceEsquemaYFijas()
{
    OperadorGuionado operador;
    auto w = abrir();
    const QStringList &entradas = w->Definiciones()->Entradas();
    QCOMPARE(w->CmbDefinicion->count(), entradas.size());
    QVERIFY(entradas.size() > 40);
    for (const char *fija : {"CLIENTES|VT_CLIENTES", "CLIENTESVS|VT_CLIENTESVS", "PROVEEDORES|VT_PROVEEDORES",
                             "ARTICULOS|V_MA_ARTICULOS", "FORM_PEDIDOS|VT_V_MV_FORMPEDIDOS",
                             "FORM_STOCK|VT_V_MV_FORMTOMASTOCK", "MANTENIMIENTOS|VT_MANTENIMIENTOS"}) {
        const QStringList partes = QString::fromLatin1(fija).split(u'|');
        QVERIFY2(entradas.contains(QString(partes.at(0)).leftJustified(200) + partes.at(1)), fija);
    }
    for (int i = 1; i < entradas.size(); ++i)
        QVERIFY2(entradas.at(i - 1).compare(entradas.at(i), Qt::CaseInsensitive) <= 0,
                 qPrintable(entradas.at(i - 1).trimmed() + QStringLiteral(" / ") + entradas.at(i).trimmed()));
    // The chooser shows the display name; the table is kept with it.
    const int cuentas = int(entradas.indexOf(ArmarEntrada(QStringLiteral("CUENTAS"), QStringLiteral("MA_CUENTAS"))));
    QVERIFY(cuentas >= 0);
    QCOMPARE(w->CmbDefinicion->itemText(cuentas), QStringLiteral("CUENTAS"));

    QCOMPARE(w->CmbDefinicion->currentIndex(), -1);
    QVERIFY(w->EntradaElegida().isEmpty());
    QCOMPARE(w->lstTodos->count(), 0);
    QCOMPARE(w->lstSeleccionado->count(), 0);
    QVERIFY(w->TablaActual.isEmpty());
    QVERIFY(w->frmArticulos->isHidden());
    QVERIFY(w->txtFields->isHidden());
    QVERIFY(!w->ChkNoBusquedaCodigo->isChecked());
    QVERIFY(operador.mostrados().isEmpty());
}

void TstFrmDefConsultas::entradasDelEsquema_data()
{
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<QStringList>("esperadas"); // display name, then table
    const auto fila = [](const char *nombre, const char *tabla, QStringList esperadas) {
        QTest::newRow(nombre) << QString::fromLatin1(tabla) << esperadas;
    };
    fila("table MA_ named without prefix", "MA_CUENTAS", {"CUENTAS", "MA_CUENTAS"});
    fila("view V_MA_ shares the name", "V_MA_CUENTAS", {"CUENTAS", "V_MA_CUENTAS"});
    fila("letter case kept", "v_ta_unidadNegocio", {"unidadNegocio", "v_ta_unidadNegocio"});
    fila("lower-case MV_ prefix", "mv_remitos", {"remitos", "mv_remitos"});
    fila("AC_ prefix", "AC_CUENTASDIARIO", {"CUENTASDIARIO", "AC_CUENTASDIARIO"});
    fila("AUX_ prefix", "AUX_LOTES", {"LOTES", "AUX_LOTES"});
    fila("AUX_ARTICULOS left to the fixed entry", "AUX_ARTICULOS", {});
    fila("V_MA_ARTICULOS only once, as the fixed entry", "V_MA_ARTICULOS", {"ARTICULOS", "V_MA_ARTICULOS"});
    fila("maintenance view left to the fixed entry", "v_ma_mantenimientos", {});
    fila("MA_ARTICULOS is ARTICULOS too", "MA_ARTICULOS", {"ARTICULOS", "MA_ARTICULOS"});
    fila("personnel copy of the customers", "P_MA_CLIENTES", {"CLIENTES_RRHH", "P_MA_CLIENTES"});
    fila("other P_MA_ table not offered", "P_MA_OTROS", {});
    fila("lookup view VT_ not offered", "VT_MA_ARTICULOS", {});
    fila("lookup view VT_ only as fixed entry", "VT_PROVEEDORES", {"PROVEEDORES", "VT_PROVEEDORES"});
    fila("synonym view not offered", "SS_MA_CUENTAS", {});
    fila("system table not offered", "sqlite_sequence", {});
}

void TstFrmDefConsultas::entradasDelEsquema()
{
    QFETCH(QString, tabla);
    QFETCH(QStringList, esperadas);
    auto w = abrir();
    QStringList halladas;
    for (const QString &entrada : w->Definiciones()->Entradas())
        if (TablaDeEntrada(entrada).compare(tabla, Qt::CaseInsensitive) == 0)
            halladas << entrada;
    QStringList previstas;
    for (int i = 0; i < esperadas.size(); i += 2)
        previstas << esperadas.at(i).leftJustified(200) + esperadas.at(i + 1);
    QCOMPARE(halladas, previstas);
}

void TstFrmDefConsultas::lanzadoParaUnaDefinicion_data()
{
    QTest::addColumn<QString>("parametro");
    QTest::addColumn<QString>("entrada"); // display name|table, empty for none
    QTest::addColumn<QString>("todos");
    QTest::addColumn<QString>("elegidos");
    QTest::addColumn<int>("cantidad");
    QTest::addColumn<bool>("articulos");

    QTest::newRow("clientes") << "clientes" << "CLIENTES|VT_CLIENTES" << kTodosClientes
                              << "RAZON_SOCIAL,CODIGO,CONTACTO" << 9 << false;
    QTest::newRow("view given with its name") << "*V_TA_RUBROS" << "RUBROS|V_TA_RUBROS" << "IdRubro,Descripcion" << ""
                                              << 2 << false;
    QTest::newRow("lower-case name finds CUENTAS") << "*v_ma_cuentas" << "cuentas|v_ma_cuentas" << "IMPUTABLE"
                                                   << "DESCRIPCION,CODIGO" << 3 << false;
    QTest::newRow("articles from the wider view")
        << "Articulos" << "ARTICULOS|V_MA_ARTICULOS"
        << QString(kColumnasArticulos).remove(QStringLiteral("IDARTICULO,DESCRIPCION,"))
        << "DESCRIPCION,IDARTICULO" << 20 << true;
    QTest::newRow("unknown name") << "FOO" << "" << "" << "" << 0 << false;
}

void TstFrmDefConsultas::lanzadoParaUnaDefinicion()
{
    QFETCH(QString, parametro);
    QFETCH(QString, entrada);
    QFETCH(QString, todos);
    QFETCH(QString, elegidos);
    QFETCH(int, cantidad);
    QFETCH(bool, articulos);
    OperadorGuionado operador;
    auto w = abrir(parametro);

    if (entrada.isEmpty()) {
        QCOMPARE(w->CmbDefinicion->count(), 0);
        QVERIFY(w->txtFields->isHidden());
    } else {
        const QStringList partes = entrada.split(u'|');
        QCOMPARE(w->Definiciones()->Entradas(), QStringList{partes.at(0).leftJustified(200) + partes.at(1)});
        QCOMPARE(w->CmbDefinicion->currentIndex(), 0);
        QCOMPARE(w->DefinicionActual, partes.at(0));
        QCOMPARE(w->TablaActual, partes.at(1));
        QCOMPARE(w->txtFields->text(), QStringLiteral("1000"));
        QVERIFY(!w->txtFields->isHidden());
    }
    QCOMPARE(Textos(w->lstTodos), todos);
    QCOMPARE(Textos(w->lstSeleccionado), elegidos);
    QCOMPARE(int(w->CantidadCampos), cantidad);
    QCOMPARE(w->frmArticulos->isHidden(), !articulos);
    QVERIFY(!w->Modificado);
    QVERIFY(operador.mostrados().isEmpty());
}

// ---- Columns ----

void TstFrmDefConsultas::botonesDeColumnas_data()
{
    QTest::addColumn<QString>("acciones");
    QTest::addColumn<QString>("todos");
    QTest::addColumn<int>("actualTodos");
    QTest::addColumn<QString>("elegidos");
    QTest::addColumn<int>("actualElegidos");
    QTest::addColumn<bool>("modificado");

    // PRUEBA shows the table A, B, C, D with B and C chosen.
    QTest::newRow("as loaded") << "" << "A,D" << -1 << "B,C" << -1 << false;
    QTest::newRow("> without a current entry") << ">" << "A,D" << -1 << "B,C" << -1 << false;
    QTest::newRow("> first: the next one becomes current") << "T0 >" << "D" << 0 << "B,C,A" << 2 << true;
    QTest::newRow("> last: the one before becomes current") << "T1 >" << "A" << 0 << "B,C,D" << 2 << true;
    QTest::newRow("> the only one empties the list") << "T0 > T0 >" << "" << -1 << "B,C,A,D" << 3 << true;
    QTest::newRow("double click on all columns") << "T1 dT" << "A" << 0 << "B,C,D" << 2 << true;
    QTest::newRow("< goes to the end of all columns") << "S0 <" << "A,D,B" << 2 << "C" << 0 << true;
    QTest::newRow("< last: the one before becomes current") << "S1 <" << "A,D,C" << 2 << "B" << 0 << true;
    QTest::newRow("double click on chosen columns") << "S0 dS" << "A,D,B" << 2 << "C" << 0 << true;
    QTest::newRow("< without a current entry") << "<" << "A,D" << -1 << "B,C" << -1 << false;
    QTest::newRow(">> in table order") << ">>" << "" << -1 << "B,C,A,D" << 0 << true;
    QTest::newRow("<< appends in chosen order") << "<<" << "A,D,B,C" << 3 << "" << -1 << true;
    QTest::newRow("up") << "S1 ^" << "A,D" << -1 << "C,B" << 0 << false;
    QTest::newRow("up on the first") << "S0 ^" << "A,D" << -1 << "B,C" << 0 << false;
    QTest::newRow("up without a current entry") << "^" << "A,D" << -1 << "B,C" << -1 << false;
    QTest::newRow("down") << "S0 v" << "A,D" << -1 << "C,B" << 1 << false;
    QTest::newRow("down on the last") << "S1 v" << "A,D" << -1 << "B,C" << 1 << false;
    QTest::newRow("down across the list") << "T0 > T0 > S0 v v v" << "" << -1 << "C,A,D,B" << 3 << true;
}

void TstFrmDefConsultas::botonesDeColumnas()
{
    QFETCH(QString, acciones);
    QFETCH(QString, todos);
    QFETCH(int, actualTodos);
    QFETCH(QString, elegidos);
    QFETCH(int, actualElegidos);
    QFETCH(bool, modificado);
    auto w = abrir();
    elegir(*w, QStringLiteral("MA_PRUEBA"));
    aplicar(*w, acciones);
    QCOMPARE(Textos(w->lstTodos), todos);
    QCOMPARE(Textos(w->lstSeleccionado), elegidos);
    QCOMPARE(w->lstTodos->currentRow(), actualTodos);
    QCOMPARE(w->lstSeleccionado->currentRow(), actualElegidos);
    QCOMPARE(w->Modificado, modificado);
    QCOMPARE(LeerArchivo(rutaConsultas()), m_archivoInicial);
}

void TstFrmDefConsultas::guardarYRecargar_data()
{
    QTest::addColumn<QString>("acciones");
    QTest::addColumn<QString>("campos");
    QTest::newRow("moved up and one added") << "S1 ^ T0 >" << "|CODIGO|RAZON_SOCIAL|CONTACTO|CUIT|";
    QTest::newRow("all columns in table order")
        << ">>" << "|RAZON_SOCIAL|CODIGO|CONTACTO|CUIT|DIRECCION|LOCALIDAD|TELEFONO|SALDO|Dada_De_Baja|";
    QTest::newRow("none") << "<<" << "|";
}

void TstFrmDefConsultas::guardarYRecargar()
{
    QFETCH(QString, acciones);
    QFETCH(QString, campos);
    OperadorGuionado operador;
    {
        auto w = abrir();
        elegir(*w, QStringLiteral("VT_CLIENTES"));
        aplicar(*w, acciones);
        w->TxtWhere->setPlainText(QStringLiteral("  ACTIVO = 1  "));
        w->txtFields->setText(QStringLiteral(" 50 "));
        w->CmdAceptar->click();
    }
    // The CLIENTES record (the second) is rewritten in place; every other byte stays.
    QByteArray esperado = m_archivoInicial;
    esperado.replace(RegistroConsulta::kLargo, RegistroConsulta::kLargo,
                     Registro("CLIENTES", "VT_CLIENTES", campos.toLatin1().constData(), "ACTIVO = 1"));
    QCOMPARE(LeerArchivo(rutaConsultas()), esperado);
    QCOMPARE(configuracion(QStringLiteral("TopConsArt")), QStringLiteral("50|"));
    QCOMPARE(configuracion(QStringLiteral("DeshabilitaBusquedaCodigo")), QStringLiteral("NO|"));
    QCOMPARE(configuracion(QStringLiteral("ConsultaArticuloConImagen")), QStringLiteral("NO|1"));

    auto w = abrir();
    elegir(*w, QStringLiteral("VT_CLIENTES"));
    const QStringList elegidas = ArchivoConsultas::SepararListaCampos(campos);
    QCOMPARE(Textos(w->lstSeleccionado), elegidas.join(u','));
    QCOMPARE(w->lstTodos->count() + w->lstSeleccionado->count(), 9);
    // The condition comes back at its stored width; a record without columns
    // gives no condition either.
    QCOMPARE(w->TxtWhere->toPlainText(), elegidas.isEmpty() ? QString() : QStringLiteral("ACTIVO = 1").leftJustified(500));
    QCOMPARE(w->txtFields->text(), QStringLiteral("50"));
    QVERIFY2(operador.mostrados().isEmpty(), qPrintable(operador.describir()));
}

void TstFrmDefConsultas::cambiarDeDefinicionGuardaSoloSiSeMovieron_data()
{
    QTest::addColumn<QString>("acciones");
    QTest::addColumn<QString>("guardado"); // field list of PRUEBA afterwards
    QTest::newRow("a column added") << "T0 >" << "|B|C|A|";
    QTest::newRow("a column given back") << "S0 <" << "|C|";
    QTest::newRow("all given back") << "<<" << "|";
    QTest::newRow("only reordered") << "S1 ^" << "|B|C|";
    QTest::newRow("untouched") << "" << "|B|C|";
}

void TstFrmDefConsultas::cambiarDeDefinicionGuardaSoloSiSeMovieron()
{
    QFETCH(QString, acciones);
    QFETCH(QString, guardado);
    auto w = abrir();
    elegir(*w, QStringLiteral("MA_PRUEBA"));
    aplicar(*w, acciones);
    w->TxtWhere->setPlainText(QStringLiteral("A > 0"));
    const QString todos = Textos(w->lstTodos), elegidos = Textos(w->lstSeleccionado);

    // Choosing the same definition again leaves the lists as they are.
    elegir(*w, QStringLiteral("MA_PRUEBA"));
    QCOMPARE(Textos(w->lstTodos), todos);
    QCOMPARE(Textos(w->lstSeleccionado), elegidos);

    elegir(*w, QStringLiteral("MA_CUENTAS"));
    QCOMPARE(w->DefinicionActual, QStringLiteral("CUENTAS"));
    QCOMPARE(Textos(w->lstSeleccionado), QStringLiteral("DESCRIPCION,CODIGO"));
    QVERIFY(!w->Modificado);

    QByteArray esperado = m_archivoInicial;
    if (guardado != u"|B|C|")
        esperado.replace(11 * RegistroConsulta::kLargo, RegistroConsulta::kLargo,
                         Registro("PRUEBA", "MA_PRUEBA", guardado.toLatin1().constData(), "A > 0"));
    QCOMPARE(LeerArchivo(rutaConsultas()), esperado);
}

void TstFrmDefConsultas::cuentasCompartenElRegistro()
{
    auto w = abrir();
    elegir(*w, QStringLiteral("MA_CUENTAS"));
    QCOMPARE(Textos(w->lstSeleccionado), QStringLiteral("DESCRIPCION,CODIGO"));
    aplicar(*w, QStringLiteral("T0 >"));
    // The view is the same definition: nothing is stored and nothing reloaded.
    elegir(*w, QStringLiteral("V_MA_CUENTAS"));
    QCOMPARE(Textos(w->lstSeleccionado), QStringLiteral("DESCRIPCION,CODIGO,IMPUTABLE"));
    QCOMPARE(LeerArchivo(rutaConsultas()), m_archivoInicial);
    w->CmdAceptar->click();

    QByteArray esperado = m_archivoInicial;
    esperado.replace(7 * RegistroConsulta::kLargo, RegistroConsulta::kLargo,
                     Registro("CUENTAS", "V_MA_CUENTAS", "|DESCRIPCION|CODIGO|IMPUTABLE|"));
    QCOMPARE(LeerArchivo(rutaConsultas()), esperado);
    w.reset();

    w = abrir();
    elegir(*w, QStringLiteral("MA_CUENTAS"));
    QCOMPARE(Textos(w->lstSeleccionado), QStringLiteral("DESCRIPCION,CODIGO,IMPUTABLE"));
}

// ---- Switches ----

void TstFrmDefConsultas::opcionesDeArticulos_data()
{
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<QString>("guardado"); // VALOR|valoraux before the load; "-" no row
    QTest::addColumn<int>("opcionCargada"); // -1 none set
    QTest::addColumn<bool>("imagenCargada");
    QTest::addColumn<int>("opcionElegida"); // -1 untouched
    QTest::addColumn<bool>("pantalla");
    QTest::addColumn<QString>("imagen"); // written VALOR|valoraux

    QTest::newRow("100x120 set") << "V_MA_ARTICULOS" << "NO|1" << 1 << false << 2 << true << "NO|2";
    QTest::newRow("stored size rounds to 200x240") << "V_MA_ARTICULOS" << "SI|2.6" << 3 << true << -1 << false
                                                   << "SI|3";
    QTest::newRow("stored size out of range sets none") << "V_MA_ARTICULOS" << "si|9" << -1 << true << -1 << false
                                                        << "SI|0";
    QTest::newRow("no stored key") << "V_MA_ARTICULOS" << "-" << 0 << false << 4 << true << "NO|4";
    QTest::newRow("MA_ARTICULOS is the articles definition too") << "MA_ARTICULOS" << "NO|4" << 4 << false << 0
                                                                 << false << "NO|0";
}

void TstFrmDefConsultas::opcionesDeArticulos()
{
    QFETCH(QString, tabla);
    QFETCH(QString, guardado);
    QFETCH(int, opcionCargada);
    QFETCH(bool, imagenCargada);
    QFETCH(int, opcionElegida);
    QFETCH(bool, pantalla);
    QFETCH(QString, imagen);
    if (guardado == u"-") {
        ejecutar(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'CONSULTAARTICULOCONIMAGEN'"));
    } else {
        const QStringList partes = guardado.split(u'|');
        ejecutar(QStringLiteral("UPDATE TA_CONFIGURACION SET VALOR = '%1', valoraux = '%2' "
                                "WHERE CLAVE = 'CONSULTAARTICULOCONIMAGEN'").arg(partes.at(0), partes.at(1)));
    }
    auto w = abrir();
    elegir(*w, QStringLiteral("VT_CLIENTES"));
    QVERIFY(w->frmArticulos->isHidden());

    elegir(*w, tabla);
    QVERIFY(!w->frmArticulos->isHidden());
    QCOMPARE(w->chkImagen->isChecked(), imagenCargada);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(w->optTam.at(i)->isChecked(), i == opcionCargada);
    QCOMPARE(w->optTam.at(2)->objectName(), QStringLiteral("optTam_2"));
    QCOMPARE(w->optTam.at(2)->text(), QStringLiteral("100x120"));

    if (opcionElegida >= 0)
        w->optTam.at(opcionElegida)->setChecked(true);
    w->chkPantalla->setChecked(pantalla);
    w->CmdAceptar->click();
    QCOMPARE(configuracion(QStringLiteral("ConsultaArticuloConImagen")), imagen);
    QCOMPARE(configuracion(QStringLiteral("ConsultaArtPCompleta")), pantalla ? QStringLiteral("SI|") : QStringLiteral("NO|"));

    // Another definition hides the options and clears them.
    elegir(*w, QStringLiteral("VT_CLIENTES"));
    QVERIFY(w->frmArticulos->isHidden());
    QVERIFY(!w->chkImagen->isChecked() && !w->chkPantalla->isChecked());
}

void TstFrmDefConsultas::aceptarSinDefinicionElegida()
{
    ejecutar(QStringLiteral("UPDATE TA_CONFIGURACION SET VALOR = 'si' WHERE CLAVE = 'DESHABILITABUSQUEDACODIGOART'"));
    auto w = abrir();
    QVERIFY(!w->ChkNoBusquedaCodigo->isChecked());
    QVERIFY(w->ChkNoBusquedaCodigoArt->isChecked());
    w->ChkNoBusquedaCodigo->setChecked(true);
    w->ChkNoBusquedaCodigoArt->setChecked(false);
    w->txtFields->setText(QStringLiteral("5"));
    w->CmdAceptar->click();

    QCOMPARE(configuracion(QStringLiteral("DeshabilitaBusquedaCodigo")), QStringLiteral("SI|"));
    QCOMPARE(configuracion(QStringLiteral("DeshabilitaBusquedaCodigoArt")), QStringLiteral("NO|"));
    QCOMPARE(configuracion(QStringLiteral("TopConsArt")), QStringLiteral("1000|"));
    QCOMPARE(configuracion(QStringLiteral("ConsultaArtPCompleta")), QStringLiteral("NO|"));
    QCOMPARE(LeerArchivo(rutaConsultas()), m_archivoInicial);
}

void TstFrmDefConsultas::limiteSinGuardarSeGuardaVacio()
{
    ejecutar(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'TOPCONSART'"));
    auto w = abrir();
    elegir(*w, QStringLiteral("VT_CLIENTES"));
    // A missing key reads as one blank, and the blank is stored trimmed.
    QCOMPARE(w->txtFields->text(), QStringLiteral(" "));
    w->CmdAceptar->click();
    QCOMPARE(configuracion(QStringLiteral("TopConsArt")), QStringLiteral("|"));
}

void TstFrmDefConsultas::ventanaDeUnaDefinicionTermina_data()
{
    QTest::addColumn<int>("como"); // 0 "&Aceptar", 1 "&Salir", 2 closed from the title bar
    QTest::addColumn<bool>("guarda");
    QTest::newRow("accept saves, then ends") << 0 << true;
    QTest::newRow("leave ends without saving") << 1 << false;
    QTest::newRow("title bar close ends without saving") << 2 << false;
}

void TstFrmDefConsultas::ventanaDeUnaDefinicionTermina()
{
    QFETCH(int, como);
    QFETCH(bool, guarda);
    ejecutar(QStringLiteral("INSERT INTO Control_Acceso (Maquina, Usuario, Ingreso) VALUES ('PC1', 'ADMIN', 'x')"));
    gIdControlAcceso = 1;
    auto w = abrir(QStringLiteral("CLIENTES"));
    QCOMPARE(w->CmdAceptar->text(), QStringLiteral("&Aceptar"));
    QCOMPARE(w->CmdCancelar->text(), QStringLiteral("&Salir"));
    aplicar(*w, QStringLiteral("S1 ^"));
    if (como == 0)
        QVERIFY_THROWS_EXCEPTION(ProgramaTerminado, w->CmdAceptar->click());
    else if (como == 1)
        QVERIFY_THROWS_EXCEPTION(ProgramaTerminado, w->CmdCancelar->click());
    else
        QVERIFY_THROWS_EXCEPTION(ProgramaTerminado, w->close());
    QCOMPARE(m_entorno->terminaciones(), 1);

    QByteArray esperado = m_archivoInicial;
    if (guarda)
        esperado.replace(RegistroConsulta::kLargo, RegistroConsulta::kLargo,
                         Registro("CLIENTES", "VT_CLIENTES", "|CODIGO|RAZON_SOCIAL|CONTACTO|"));
    QCOMPARE(LeerArchivo(rutaConsultas()), esperado);

    db::Connection cn;
    cn.Open(prueba::CadenaSqlServer(QStringLiteral("LOCAL"), QStringLiteral("EMPRESA")));
    db::Recordset rs = cn.Execute(QStringLiteral("SELECT EGRESO FROM Control_Acceso WHERE id = 1"));
    QCOMPARE(rs.Fields(0).Value().toString(), QStringLiteral("25/03/24 14:07"));
}

void TstFrmDefConsultas::teclaAceptarEnElElegidor()
{
    auto w = abrir();
    // Nothing chosen yet: Enter chooses the first entry.
    QTest::keyClick(w->CmbDefinicion, Qt::Key_F2);
    QCOMPARE(w->CmbDefinicion->currentIndex(), -1);
    QTest::keyClick(w->CmbDefinicion, Qt::Key_Return);
    QCOMPARE(w->CmbDefinicion->currentIndex(), 0);
    const QString primera = w->Definiciones()->Entradas().constFirst();
    QCOMPARE(w->DefinicionActual, NombreDeEntrada(primera));
    QCOMPARE(w->TablaActual, TablaDeEntrada(primera));
    QVERIFY(w->lstTodos->count() + w->lstSeleccionado->count() > 0);

    // Enter reloads the definition from the file and drops what was moved.
    elegir(*w, QStringLiteral("MA_PRUEBA"));
    aplicar(*w, QStringLiteral("T0 > S0 <"));
    QTest::keyClick(w->CmbDefinicion, Qt::Key_Enter);
    QCOMPARE(Textos(w->lstTodos), QStringLiteral("A,D"));
    QCOMPARE(Textos(w->lstSeleccionado), QStringLiteral("B,C"));
    QVERIFY(!w->Modificado);
    QCOMPARE(LeerArchivo(rutaConsultas()), m_archivoInicial);
}

// ---- SQL view ----

void TstFrmDefConsultas::instruccionSql_data()
{
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<QString>("acciones");
    QTest::addColumn<QString>("condicion");
    QTest::addColumn<QString>("sql");
    QTest::newRow("chosen columns and a condition")
        << "VT_CLIENTES" << "S2 < S1 ^" << " ACTIVO = 1 " << "SELECT CODIGO, RAZON_SOCIAL FROM VT_CLIENTES WHERE ACTIVO = 1";
    QTest::newRow("every column") << "VT_CLIENTES" << ">>" << "" << "SELECT * FROM VT_CLIENTES";
    QTest::newRow("no column") << "VT_CLIENTES" << "<<" << "" << "SELECT  FROM VT_CLIENTES";
    QTest::newRow("blank condition adds no WHERE") << "VT_CLIENTES" << "" << "  \n  "
                                                   << "SELECT RAZON_SOCIAL, CODIGO, CONTACTO FROM VT_CLIENTES";
    QTest::newRow("articles: every column of the wider view") << "V_MA_ARTICULOS" << ">>" << ""
                                                              << "SELECT * FROM V_MA_ARTICULOS";
    QTest::newRow("names as shown") << "V_TA_Unidad" << "T0 >" << "" << "SELECT Descripcion FROM V_TA_Unidad";
}

void TstFrmDefConsultas::instruccionSql()
{
    QFETCH(QString, tabla);
    QFETCH(QString, acciones);
    QFETCH(QString, condicion);
    QFETCH(QString, sql);
    auto w = abrir();
    elegir(*w, tabla);
    aplicar(*w, acciones);
    w->TxtWhere->setPlainText(condicion);
    w->CmdVerSql->click();
    QCOMPARE(w->TxtSql->toPlainText(), sql);
    QCOMPARE(LeerArchivo(rutaConsultas()), m_archivoInicial);
}

// ---- Bad input ----

void TstFrmDefConsultas::columnasQueLaTablaYaNoTiene()
{
    ArchivoConsultas::GuardarDefinicion(rutaConsultas(), QStringLiteral("PRUEBA"), QStringLiteral("MA_PRUEBA"),
                                        {QStringLiteral("b"), QStringLiteral("ZZ"), QStringLiteral("C")},
                                        QStringLiteral("ZZ = 1"));
    OperadorGuionado operador;
    auto w = abrir();
    elegir(*w, QStringLiteral("MA_PRUEBA"));
    QCOMPARE(Textos(w->lstSeleccionado), QStringLiteral("b,ZZ,C"));
    QCOMPARE(Textos(w->lstTodos), QStringLiteral("A,D"));
    QCOMPARE(int(w->CantidadCampos), 4);
    // Four names chosen of a four-column table, but not the table's four.
    aplicar(*w, QStringLiteral("T0 >"));
    w->CmdVerSql->click();
    QCOMPARE(w->TxtSql->toPlainText(), QStringLiteral("SELECT * FROM MA_PRUEBA WHERE ZZ = 1"));
    aplicar(*w, QStringLiteral("T0 >"));
    w->CmdVerSql->click();
    QCOMPARE(w->TxtSql->toPlainText(), QStringLiteral("SELECT b, ZZ, C, A, D FROM MA_PRUEBA WHERE ZZ = 1"));
    w->CmdAceptar->click();
    QCOMPARE(ArchivoConsultas::CargarDefinicion(rutaConsultas(), QStringLiteral("PRUEBA")).columnas,
             (QStringList{"b", "ZZ", "C", "A", "D"}));
    QVERIFY(operador.mostrados().isEmpty());
}

void TstFrmDefConsultas::archivoQueNoSeDejaEscribir()
{
    const QString ruta = rutaConsultas();
    bool inmutable = false;
    auto restaurar = qScopeGuard([&] {
        if (inmutable)
            FijarInmutable(ruta, false);
    });
    inmutable = FijarInmutable(ruta, true);
    if (QFile f(ruta); f.open(QIODevice::ReadWrite))
        QSKIP("this file system or account writes immutable files");

    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbOK).responder(DialogoOperador::vbOK);
    auto w = abrir();
    elegir(*w, QStringLiteral("VT_CLIENTES"));
    QCOMPARE(Textos(w->lstSeleccionado), QStringLiteral("RAZON_SOCIAL,CODIGO,CONTACTO"));
    aplicar(*w, QStringLiteral("T0 >"));
    w->ChkNoBusquedaCodigo->setChecked(true);
    w->txtFields->setText(QStringLiteral("5"));
    w->CmdAceptar->click();

    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), qsizetype(1));
    const auto &aviso = operador.ultimo();
    QCOMPARE(aviso.titulo, QStringLiteral("Definición de Consultas"));
    QCOMPARE(aviso.icono(), int(DialogoOperador::vbCritical));
    QVERIFY2(aviso.texto.contains(ruta) && aviso.texto.contains(QLatin1String("CLIENTES")), qPrintable(aviso.texto));
    // The save stopped at the record: no switch and no row limit were written.
    QCOMPARE(configuracion(QStringLiteral("DeshabilitaBusquedaCodigo")), QStringLiteral("NO|"));
    QCOMPARE(configuracion(QStringLiteral("TopConsArt")), QStringLiteral("1000|"));

    // Leaving the changed definition tells the operator too, and the next one loads.
    elegir(*w, QStringLiteral("MA_PRUEBA"));
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), qsizetype(2));
    QCOMPARE(Textos(w->lstSeleccionado), QStringLiteral("B,C"));
    QCOMPARE(LeerArchivo(ruta), m_archivoInicial);
}

void TstFrmDefConsultas::archivoTruncadoOConBasura_data()
{
    QTest::addColumn<bool>("basura"); // otherwise the file is cut inside its third record
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<QString>("elegidos"); // after loading
    QTest::addColumn<int>("registro"); // where the save writes

    QTest::newRow("cut: CLIENTES still found") << false << "VT_CLIENTES" << "RAZON_SOCIAL,CODIGO,CONTACTO" << 2;
    QTest::newRow("cut: PROVEEDORES written over the piece") << false << "VT_PROVEEDORES" << "" << 3;
    QTest::newRow("garbage") << true << "VT_CLIENTES" << "" << 5;
}

void TstFrmDefConsultas::archivoTruncadoOConBasura()
{
    QFETCH(bool, basura);
    QFETCH(QString, tabla);
    QFETCH(QString, elegidos);
    QFETCH(int, registro);
    QByteArray contenido = m_archivoInicial.left(2 * RegistroConsulta::kLargo + 600);
    if (basura) {
        contenido = QByteArray(4 * RegistroConsulta::kLargo + 700, Qt::Uninitialized);
        QRandomGenerator azar(7);
        for (char &c : contenido)
            c = char(azar.bounded(256));
    }
    QVERIFY(EscribirArchivo(rutaConsultas(), contenido));
    OperadorGuionado operador;
    auto w = abrir();
    elegir(*w, tabla);
    QCOMPARE(Textos(w->lstSeleccionado), elegidos);
    QVERIFY(w->lstTodos->count() > 0);
    w->lstTodos->setCurrentRow(0);
    const QString agregada = w->lstTodos->currentItem()->text();
    w->cmdAgregar->click();
    w->CmdAceptar->click();

    const QByteArray archivo = LeerArchivo(rutaConsultas());
    const qsizetype inicio = (registro - 1) * RegistroConsulta::kLargo;
    QCOMPARE(archivo.left(inicio), contenido.left(inicio));
    QCOMPARE(archivo.size(), qMax(contenido.size(), inicio + RegistroConsulta::kLargo));
    const QStringList partes = w->EntradaElegida().split(u' ', Qt::SkipEmptyParts);
    const QString campos = elegidos.isEmpty() ? u'|' + agregada + u'|'
                                              : u'|' + QString(elegidos).replace(u',', u'|') + u'|' + agregada + u'|';
    QCOMPARE(archivo.mid(inicio, RegistroConsulta::kLargo),
             Registro(qPrintable(partes.at(0)), qPrintable(partes.at(1)), qPrintable(campos)));
    QVERIFY2(operador.mostrados().isEmpty(), qPrintable(operador.describir()));
}

void TstFrmDefConsultas::archivoQueNoSeDejaLeer()
{
    // A folder where the file should be: neither reading nor writing works.
    QVERIFY(QFile::remove(rutaConsultas()));
    QVERIFY(QDir().mkpath(rutaConsultas()));
    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbIgnore).responder(DialogoOperador::vbOK);
    auto w = abrir();
    elegir(*w, QStringLiteral("VT_CLIENTES"));
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), qsizetype(1));
    QVERIFY2(operador.ultimo().texto.startsWith(QLatin1String("VerificaCampos")), qPrintable(operador.describir()));
    QCOMPARE(operador.ultimo().botones(), int(DialogoOperador::vbAbortRetryIgnore));
    // Ignored: the table's columns are all offered, none chosen.
    QCOMPARE(Textos(w->lstTodos), QStringLiteral("RAZON_SOCIAL,CODIGO,CONTACTO,") + kTodosClientes);
    QCOMPARE(w->lstSeleccionado->count(), 0);

    aplicar(*w, QStringLiteral("T0 >"));
    w->CmdAceptar->click();
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), qsizetype(2));
    QCOMPARE(operador.ultimo().titulo, QStringLiteral("Definición de Consultas"));
    QVERIFY(QFileInfo(rutaConsultas()).isDir());
}

QTEST_MAIN(TstFrmDefConsultas)
#include "tst_frm_def_consultas.moc"
