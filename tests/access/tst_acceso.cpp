#include "access/RegistroBases.h"
#include "access/frmAcceso.h"
#include "app/Sesion.h"
#include "data/DB_Dll.h"
#include "suite/LibreriaSuite.h"
#include "support/EntornoPrueba.h"
#include "support/OperadorGuionado.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

// The access window: its controls, hints and keys, choosing a registered
// connection, connecting and cancelling, registering, and the desktop launcher.
class TstAcceso : public QObject
{
    Q_OBJECT

public slots:
    void abrirUrl(const QUrl &url) { m_urlAbierta = url; }

private slots:
    void initTestCase();
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    void init();
    void cleanup();

    void controles_data();
    void controles();
    void cajasEnElMarcoYOrdenDeTabulacion();
    void ayudasIniciales();
    void ayudaVuelveAlVaciarYSeReemplazaAlEscribir();
    void enterRecorreLasCajasSinConectar();
    void elegirConexionRegistrada();
    void dobleClicEligeYConecta();
    void conectarConUsuarioSinTocarPasaLaAyuda();
    void cancelarEscapeYCierre_data();
    void cancelarEscapeYCierre();
    void registrarConexionExistente();
    void registrarSinConexionPosible_data();
    void registrarSinConexionPosible();
    void registrarConLaConvencion();
    void registrarConElUsuarioEscrito();
    void conectarSinBasesRegistraPrimero();
    void registrarIniciaOdbcCuandoEsta();
    void registrarInformaFallaYSigue();
    void accesoDirecto_data();
    void accesoDirecto();
    void accesoDirectoDosVeces();
    void accesoDirectoSinEscritorioPosible();
    void enlaceAbreLaPaginaDelFabricante();
    void ventanaDeLaCapaDeDatos();

private:
    std::unique_ptr<frmAcceso> abrir();
    QString escritorio() const { return m_casa->path() + QStringLiteral("/Desktop"); }

    std::unique_ptr<EntornoPrueba> m_entorno;
    std::unique_ptr<QTemporaryDir> m_casa;
    QByteArray m_casaOriginal;
    QUrl m_urlAbierta;
};

namespace {

// The arguments a launcher runs from an Exec value as the desktop entry file
// holds it: general escapes first, then the quoting of the command line.
QStringList argumentosExec(const QString &valor)
{
    QString linea;
    for (qsizetype i = 0; i < valor.size(); ++i) {
        if (valor[i] == u'\\' && i + 1 < valor.size()) {
            const QChar s = valor[++i];
            linea += s == u's' ? QChar(u' ') : s == u'n' ? QChar(u'\n') : s == u't' ? QChar(u'\t')
                   : s == u'r' ? QChar(u'\r') : s;
        } else {
            linea += valor[i];
        }
    }
    QStringList argumentos;
    QString actual;
    bool comillas = false, hay = false;
    for (qsizetype i = 0; i < linea.size(); ++i) {
        const QChar c = linea[i];
        if (comillas && c == u'\\' && i + 1 < linea.size()) {
            actual += linea[++i];
        } else if (c == u'"') {
            comillas = !comillas;
            hay = true;
        } else if (c == u' ' && !comillas) {
            if (hay)
                argumentos << actual;
            actual.clear();
            hay = false;
        } else if (c == u'%' && i + 1 < linea.size() && linea[i + 1] == u'%') {
            actual += c;
            ++i;
            hay = true;
        } else {
            actual += c;
            hay = true;
        }
    }
    if (hay)
        argumentos << actual;
    return argumentos;
}

QMap<QString, QString> claves(const QByteArray &entrada)
{
    QMap<QString, QString> r;
    for (const QString &linea : QString::fromUtf8(entrada).split(u'\n')) {
        const qsizetype igual = linea.indexOf(u'=');
        if (igual > 0)
            r.insert(linea.left(igual), linea.mid(igual + 1));
    }
    return r;
}

const QByteArray kDosBases = "VENTAS / SRV01,VENTAS,VENTAS,x,srv01 :1500\r\n"
                             "COMPRAS / SRV02,COMPRAS,COMPRAS,y,srv02\r\n";

} // namespace

void TstAcceso::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setApplicationName(QStringLiteral("DefConsultas"));
    m_casaOriginal = qgetenv("HOME");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "abrirUrl");
}

void TstAcceso::init()
{
    m_entorno = std::make_unique<EntornoPrueba>();
    // The launcher goes to the desktop of a home of the test's own.
    m_casa = std::make_unique<QTemporaryDir>();
    qputenv("HOME", QFile::encodeName(m_casa->path()));
    gUsuarioLogeado.clear();
    gPassword.clear();
    m_urlAbierta.clear();
    DB_Dll &datos = DB_Dll::Compartido();
    datos.gOpenFlag = false;
    datos.gServidor = datos.gDBName = datos.gUsuario = datos.gUserPassWord = QString();
}

void TstAcceso::cleanup()
{
    if (DB_Dll::Compartido().gCnn().State() == db::adStateOpen)
        DB_Dll::Compartido().gCnn().Close();
    qputenv("HOME", m_casaOriginal);
    m_casa.reset();
    m_entorno.reset();
}

std::unique_ptr<frmAcceso> TstAcceso::abrir()
{
    auto ventana = std::make_unique<frmAcceso>();
    ventana->show();
    QApplication::setActiveWindow(ventana.get());
    if (!QTest::qWaitForWindowActive(ventana.get()))
        qWarning("la ventana de acceso no quedó activa");
    return ventana;
}

void TstAcceso::controles_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("ayudaFlotante");
    QTest::newRow("usuario") << "TxtUserId" << "Ingrese el usuario" << "Ingrese el nombre de usuario";
    QTest::newRow("contraseña") << "TxtUserPassword" << "" << "Ingrese la contraseña";
    QTest::newRow("base de datos") << "TxtDbName" << "ingrese el nombre de la base de datos"
                                   << "ingrese el nombre de la base de datos";
    QTest::newRow("servidor") << "TxtServidor" << "ingrese el nombre del servidor e instancia"
                              << "ingrese el nombre del servidor e instancia";
    QTest::newRow("puerto") << "TxtPuerto" << "1433" << "Ingrese el Puerto ";
    QTest::newRow("conectar") << "bcAceptar" << "Conectar" << "";
    QTest::newRow("cancelar") << "bcCancelar" << "Cancelar" << "";
    QTest::newRow("registrar") << "CmdRegistrar" << "Registrar" << "";
    QTest::newRow("acceso directo") << "CmdLineaComando" << "Crear Acceso Directo" << "";
    QTest::newRow("etiqueta usuario") << "lblUsuario" << "Usuario" << "";
    QTest::newRow("etiqueta contraseña") << "lblContrasena" << "Contraseña" << "";
    QTest::newRow("etiqueta base") << "lblBaseDatos" << "Base de datos" << "";
    QTest::newRow("etiqueta servidor") << "lblServidor" << "Servidor" << "";
    QTest::newRow("etiqueta plataforma") << "lblPlataforma" << "Plataforma" << "";
    QTest::newRow("etiqueta de la lista") << "lblConexiones" << "Conexiones registradas" << "";
    QTest::newRow("título") << "lblTitulo" << "Control de Acceso" << "";
    QTest::newRow("autenticación") << "lblAutenticacion" << "AUTENTICACION" << "";
}

void TstAcceso::controles()
{
    QFETCH(QString, control);
    QFETCH(QString, texto);
    QFETCH(QString, ayudaFlotante);
    OperadorGuionado operador;
    frmAcceso ventana;
    QWidget *w = ventana.findChild<QWidget *>(control);
    QVERIFY2(w, qPrintable(control));
    QString visto;
    if (auto *caja = qobject_cast<QLineEdit *>(w))
        visto = caja->text();
    else if (auto *boton = qobject_cast<QPushButton *>(w))
        visto = boton->text();
    else if (auto *etiqueta = qobject_cast<QLabel *>(w))
        visto = etiqueta->text();
    QCOMPARE(visto, texto);
    QCOMPARE(w->toolTip(), ayudaFlotante);
}

void TstAcceso::cajasEnElMarcoYOrdenDeTabulacion()
{
    OperadorGuionado operador;
    frmAcceso ventana;
    QCOMPARE(ventana.windowTitle(), QStringLiteral("Control de Acceso"));
    QVERIFY(!ventana.Aceptar);
    QCOMPARE(ventana.TxtUserPassword->echoMode(), QLineEdit::Password);
    QCOMPARE(ventana.CboPlataformaDB->count(), 2);
    QCOMPARE(ventana.CboPlataformaDB->itemText(0), QStringLiteral("SQL Server"));
    QCOMPARE(ventana.CboPlataformaDB->itemText(1), QStringLiteral("ORACLE"));
    QCOMPARE(ventana.CboPlataformaDB->currentIndex(), 0);
    for (QWidget *w : {static_cast<QWidget *>(ventana.TxtUserId), static_cast<QWidget *>(ventana.TxtUserPassword),
                       static_cast<QWidget *>(ventana.TxtDbName), static_cast<QWidget *>(ventana.TxtServidor),
                       static_cast<QWidget *>(ventana.TxtPuerto), static_cast<QWidget *>(ventana.CboPlataformaDB)})
        QCOMPARE(w->parentWidget(), static_cast<QWidget *>(ventana.fraDatos));
    QVERIFY(ventana.Label8->text().contains(frmAcceso::DireccionWeb()));
    QVERIFY(ventana.minimumSize() != ventana.maximumSize()); // resizable

    // Tab walks the boxes in reading order, then the buttons that act on them.
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    QVERIFY(QTest::qWaitForWindowActive(&ventana));
    ventana.TxtUserId->setFocus();
    const QList<QWidget *> orden{ventana.TxtUserPassword, ventana.TxtDbName, ventana.TxtServidor,
                                 ventana.TxtPuerto, ventana.CboPlataformaDB, ventana.bcAceptar, ventana.bcCancelar,
                                 ventana.lstBases, ventana.CmdRegistrar, ventana.CmdLineaComando};
    for (QWidget *siguiente : orden) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), siguiente);
    }
}

void TstAcceso::ayudasIniciales()
{
    OperadorGuionado operador;
    frmAcceso ventana;
    QCOMPARE(frmAcceso::TextoAyuda(QStringLiteral("TxtUserId")), QStringLiteral("Ingrese el usuario"));
    QCOMPARE(frmAcceso::TextoAyuda(QStringLiteral("TxtPuerto")), QString());
    QCOMPARE(ventana.TxtServidor->palette().color(QPalette::Text), QColor(2, 0, 0));

    // The user box gets its hint back, selected, whenever it takes the focus empty.
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    QVERIFY(QTest::qWaitForWindowActive(&ventana));
    ventana.TxtPuerto->setFocus();
    ventana.TxtUserId->setText(QStringLiteral("   "));
    ventana.TxtUserId->setFocus();
    QCOMPARE(ventana.TxtUserId->text(), QStringLiteral("Ingrese el usuario"));
    QCOMPARE(ventana.TxtUserId->selectedText(), QStringLiteral("Ingrese el usuario"));
}

void TstAcceso::ayudaVuelveAlVaciarYSeReemplazaAlEscribir()
{
    OperadorGuionado operador;
    auto ventana = abrir();
    QLineEdit *base = ventana->TxtDbName;
    base->setFocus();
    base->setText(QStringLiteral("VENTAS"));
    base->selectAll();
    QTest::keyClick(base, Qt::Key_Backspace);
    QCOMPARE(base->text(), QStringLiteral("ingrese el nombre de la base de datos"));
    QCOMPARE(base->selectedText(), base->text());
    QTest::keyClicks(base, QStringLiteral("COMPRAS"));
    QCOMPARE(base->text(), QStringLiteral("COMPRAS"));

    // A password box has no hint: emptied, it stays empty.
    ventana->TxtUserPassword->setText(QStringLiteral("clave"));
    ventana->TxtUserPassword->clear();
    QCOMPARE(ventana->TxtUserPassword->text(), QString());
}

void TstAcceso::enterRecorreLasCajasSinConectar()
{
    QVERIFY(EscribirArchivo(m_entorno->ruta(QStringLiteral("BASES.TXT")), kDosBases));
    OperadorGuionado operador;
    auto ventana = abrir();
    ventana->TxtUserId->setFocus();
    const QList<QWidget *> orden{ventana->TxtUserPassword, ventana->TxtDbName, ventana->TxtServidor,
                                 ventana->bcAceptar};
    for (QWidget *siguiente : orden) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), siguiente);
        QVERIFY(ventana->isVisible());
        QVERIFY(!ventana->Aceptar);
    }
    // The keypad's Enter does the same.
    ventana->TxtDbName->setFocus();
    QTest::keyClick(ventana->TxtDbName, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ventana->TxtServidor));

    // Enter on the focused button does press it.
    ventana->bcAceptar->setFocus();
    QTest::keyClick(ventana->bcAceptar, Qt::Key_Return);
    QVERIFY(ventana->Aceptar);
    QVERIFY(!ventana->isVisible());
}

void TstAcceso::elegirConexionRegistrada()
{
    QVERIFY(EscribirArchivo(m_entorno->ruta(QStringLiteral("BASES.TXT")), kDosBases));
    OperadorGuionado operador;
    auto ventana = abrir();
    QCOMPARE(ventana->lstBases->count(), 2);
    QCOMPARE(ventana->RutaBases(), m_entorno->ruta(QStringLiteral("BASES.TXT")));

    // Loading chose the first: server upper-cased without the port, which goes to its box.
    QCOMPARE(ventana->lstBases->currentRow(), 0);
    QCOMPARE(ventana->TxtServidor->text(), QStringLiteral("SRV01"));
    QCOMPARE(ventana->TxtPuerto->text(), QStringLiteral("1500"));
    QCOMPARE(ventana->TxtDbName->text(), QStringLiteral("VENTAS"));
    QCOMPARE(ventana->TxtUserId->text(), QStringLiteral("Ingrese el usuario"));

    ventana->TxtUserPassword->setText(QStringLiteral("clave"));
    const QRect segunda = ventana->lstBases->visualItemRect(ventana->lstBases->item(1));
    QTest::mouseClick(ventana->lstBases->viewport(), Qt::LeftButton, {}, segunda.center());
    QCOMPARE(ventana->TxtServidor->text(), QStringLiteral("srv02")); // no port: as registered
    QCOMPARE(ventana->TxtPuerto->text(), QStringLiteral("1500"));   // the port value stays
    QCOMPARE(ventana->TxtDbName->text(), QStringLiteral("COMPRAS"));
    QCOMPARE(ventana->TxtUserId->text(), QString());
    QCOMPARE(ventana->TxtUserPassword->text(), QString());

    // A click on the chosen one, or a key in the list, shows its data again.
    ventana->TxtDbName->setText(QStringLiteral("OTRA"));
    QTest::mouseClick(ventana->lstBases->viewport(), Qt::LeftButton, {}, segunda.center());
    QCOMPARE(ventana->TxtDbName->text(), QStringLiteral("COMPRAS"));
    ventana->TxtDbName->setText(QStringLiteral("OTRA"));
    QTest::keyClick(ventana->lstBases, Qt::Key_Space);
    QCOMPARE(ventana->TxtDbName->text(), QStringLiteral("COMPRAS"));

    ventana->lstBases->setFocus();
    QTest::keyClick(ventana->lstBases, Qt::Key_Up);
    QCOMPARE(ventana->TxtDbName->text(), QStringLiteral("VENTAS"));
    QCOMPARE(ventana->Servidor(), QStringLiteral("SRV01"));
    QCOMPARE(ventana->DbName(), QStringLiteral("VENTAS"));
    QVERIFY(ventana->isVisible());
    QCOMPARE(operador.mostrados().size(), 0);
}

void TstAcceso::dobleClicEligeYConecta()
{
    QVERIFY(EscribirArchivo(m_entorno->ruta(QStringLiteral("BASES.TXT")), kDosBases));
    OperadorGuionado operador;
    auto ventana = abrir();
    const QPoint segunda = ventana->lstBases->visualItemRect(ventana->lstBases->item(1)).center();
    QTest::mouseClick(ventana->lstBases->viewport(), Qt::LeftButton, {}, segunda);
    QTest::mouseDClick(ventana->lstBases->viewport(), Qt::LeftButton, {}, segunda);
    QVERIFY(ventana->Aceptar);
    QVERIFY(!ventana->isVisible());
    QCOMPARE(ventana->TxtDbName->text(), QStringLiteral("COMPRAS"));
    QCOMPARE(gUsuarioLogeado, QString());
    QCOMPARE(operador.mostrados().size(), 0);
}

void TstAcceso::conectarConUsuarioSinTocarPasaLaAyuda()
{
    QVERIFY(EscribirArchivo(m_entorno->ruta(QStringLiteral("BASES.TXT")), kDosBases));
    OperadorGuionado operador;
    auto ventana = abrir();
    ventana->TxtUserId->setText(QStringLiteral("Ingrese el usuario"));
    ventana->TxtUserPassword->setText(QStringLiteral("secreto"));
    QTest::mouseClick(ventana->bcAceptar, Qt::LeftButton);
    QCOMPARE(gUsuarioLogeado, QStringLiteral("Ingrese el usuario"));
    QCOMPARE(gPassword, QStringLiteral("secreto"));
    QVERIFY(ventana->Aceptar);
    QVERIFY(ventana->isHidden());
    QCOMPARE(LeerArchivo(m_entorno->ruta(QStringLiteral("BASES.TXT"))), kDosBases);
    QCOMPARE(operador.mostrados().size(), 0);

    // Shown again for a further attempt, it keeps what it had.
    ventana->show();
    QCOMPARE(ventana->TxtUserPassword->text(), QStringLiteral("secreto"));
    QVERIFY(ventana->Aceptar);
}

void TstAcceso::cancelarEscapeYCierre_data()
{
    QTest::addColumn<int>("como");
    QTest::newRow("botón Cancelar") << 0;
    QTest::newRow("tecla Escape") << 1;
    QTest::newRow("cierre de la ventana") << 2;
}

void TstAcceso::cancelarEscapeYCierre()
{
    QFETCH(int, como);
    QVERIFY(EscribirArchivo(m_entorno->ruta(QStringLiteral("BASES.TXT")), kDosBases));
    OperadorGuionado operador;
    auto ventana = abrir();
    ventana->Aceptar = true;
    if (como == 0)
        QTest::mouseClick(ventana->bcCancelar, Qt::LeftButton);
    else if (como == 1)
        QTest::keyClick(ventana->TxtDbName, Qt::Key_Escape);
    else
        ventana->close();
    QVERIFY(!ventana->Aceptar);
    QVERIFY(ventana->isHidden());
    QCOMPARE(operador.mostrados().size(), 0);
}

void TstAcceso::registrarConexionExistente()
{
    const QString ruta = m_entorno->ruta(QStringLiteral("BASES.TXT"));
    QVERIFY(EscribirArchivo(ruta, kDosBases));
    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbOK);
    auto ventana = abrir();
    ventana->TxtDbName->setText(QStringLiteral("  ventas "));
    ventana->TxtServidor->setText(QStringLiteral(" srv01:1433"));
    QTest::mouseClick(ventana->CmdRegistrar, Qt::LeftButton);
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 1);
    QCOMPARE(operador.ultimo().texto, QStringLiteral("La conexion que intenta registrar ya existe "));
    QCOMPARE(operador.ultimo().titulo, QStringLiteral("Atencion"));
    QCOMPARE(operador.ultimo().icono(), int(DialogoOperador::vbInformation));
    QCOMPARE(LeerArchivo(ruta), kDosBases);
    // Stopped before touching the boxes.
    QCOMPARE(ventana->TxtDbName->text(), QStringLiteral("  ventas "));
}

void TstAcceso::registrarSinConexionPosible_data()
{
    QTest::addColumn<QString>("puerto");
    QTest::addColumn<QString>("puertoValor");
    QTest::newRow("puerto numérico") << "1500" << "1500";
    QTest::newRow("puerto no numérico") << "abc" << "1433";
    QTest::newRow("puerto cero") << "0" << "1433";
    QTest::newRow("puerto vacío") << "" << "1433";
}

void TstAcceso::registrarSinConexionPosible()
{
    QFETCH(QString, puerto);
    QFETCH(QString, puertoValor);
    const QString ruta = m_entorno->ruta(QStringLiteral("BASES.TXT"));
    QVERIFY(EscribirArchivo(ruta, kDosBases));
    OperadorGuionado operador;
    // The data layer asks whether to try again with the typed user; then the
    // registration gives up.
    operador.responder(DialogoOperador::vbNo).responder(DialogoOperador::vbOK);
    auto ventana = abrir();
    ventana->TxtDbName->setText(QStringLiteral(" STOCK "));
    ventana->TxtServidor->setText(QStringLiteral(" local "));
    ventana->TxtUserId->setText(QStringLiteral(" ana "));
    ventana->TxtPuerto->setText(puerto);
    ventana->CmdRegistrar_Click();

    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 2);
    QCOMPARE(operador.ultimo().texto,
             QStringLiteral("NO SE PUDO CONECTAR AL SERVIDOR local VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO"));
    QCOMPARE(operador.ultimo().titulo, QStringLiteral("AVISO AL OPERADOR"));
    QCOMPARE(operador.ultimo().icono(), int(DialogoOperador::vbInformation));
    QCOMPARE(ventana->Puerto(), puertoValor);
    QCOMPARE(ventana->TxtDbName->text(), QStringLiteral("STOCK"));
    QCOMPARE(ventana->TxtServidor->text(), QStringLiteral("local"));
    QCOMPARE(ventana->TxtUserId->text(), QStringLiteral("ana"));
    // The typed user was tried on the data layer's connection.
    QCOMPARE(DB_Dll::Compartido().gUsuario, QStringLiteral("ana"));
    QCOMPARE(DB_Dll::Compartido().gServidor, QStringLiteral("local"));
    QCOMPARE(DB_Dll::Compartido().gDBName, QStringLiteral("STOCK"));
    QCOMPARE(LeerArchivo(ruta), kDosBases);
}

void TstAcceso::registrarConLaConvencion()
{
    // The database's own login opens it: the record is written at once and the
    // typed user is never tried.
    QVERIFY(EscribirArchivo(m_entorno->ruta(QStringLiteral("datos/STOCK.db")), {}));
    const QString ruta = m_entorno->ruta(QStringLiteral("BASES.TXT"));
    QVERIFY(EscribirArchivo(ruta, kDosBases));
    OperadorGuionado operador;
    auto ventana = abrir();
    DB_Dll::Compartido().gUsuario = QStringLiteral("sin tocar");
    ventana->TxtDbName->setText(QStringLiteral(" stock"));
    ventana->TxtServidor->setText(QStringLiteral("local "));
    ventana->TxtUserId->setText(QStringLiteral("ana"));
    QTest::mouseClick(ventana->CmdRegistrar, Qt::LeftButton);

    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 0);
    const QString clave = Cadenas::Compartida().Codificar(QStringLiteral("stock"));
    QVERIFY(!clave.contains(u',') && !clave.startsWith(u'"') && clave.trimmed() == clave);
    QCOMPARE(LeerArchivo(ruta), kDosBases + "STOCK / LOCAL,stock,stock," + clave.toLatin1() + ",local\r\n");
    QCOMPARE(DB_Dll::Compartido().gUsuario, QStringLiteral("sin tocar"));
    QCOMPARE(DB_Dll::Compartido().gCnn().State(), int(db::adStateClosed));
    // The list was filled again; its first entry is chosen.
    QCOMPARE(ventana->lstBases->count(), 3);
    QCOMPARE(ventana->lstBases->item(2)->text(), QStringLiteral("STOCK / LOCAL"));
    QCOMPARE(ventana->lstBases->currentRow(), 0);
}

void TstAcceso::registrarConElUsuarioEscrito()
{
    // A server whose database file is named after the login: the database's
    // own login finds nothing, the typed user's does.
    if (!LeerArchivo(QStringLiteral("/etc/odbcinst.ini")).contains("[SQLite3]"))
        QSKIP("El controlador ODBC de SQLite (libsqliteodbc) no está instalado");
    QVERIFY(EscribirArchivo(m_entorno->ruta(QStringLiteral("MX200ps.INI")),
                            "[Servidores]\nPORUSUARIO=odbc:Driver=SQLite3;Database={carpeta}datos/{usuario}.db;"
                            "Dialecto=sqlite\n"));
    QVERIFY(EscribirArchivo(m_entorno->ruta(QStringLiteral("datos/ana.db")), {}));
    const QString ruta = m_entorno->ruta(QStringLiteral("BASES.TXT"));
    OperadorGuionado operador;
    auto ventana = abrir();
    ventana->TxtDbName->setText(QStringLiteral("EMPRESA"));
    ventana->TxtServidor->setText(QStringLiteral("PORUSUARIO"));
    ventana->TxtUserId->setText(QStringLiteral("ana"));
    ventana->TxtUserPassword->setText(QStringLiteral("clave"));
    ventana->CmdRegistrar_Click();

    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 0);
    QCOMPARE(DB_Dll::Compartido().gUsuario, QStringLiteral("ana"));
    QCOMPARE(DB_Dll::Compartido().gUserPassWord, QStringLiteral("clave"));
    QCOMPARE(RegistroBases::ListarNombres(ruta), QStringList{"EMPRESA / PORUSUARIO"});
    QCOMPARE(DB_Dll::Compartido().gCnn().State(), int(db::adStateClosed));
}

void TstAcceso::conectarSinBasesRegistraPrimero()
{
    QVERIFY(EscribirArchivo(m_entorno->ruta(QStringLiteral("datos/EMPRESA.db")), {}));
    OperadorGuionado operador;
    auto ventana = abrir();
    QCOMPARE(ventana->lstBases->count(), 0);
    ventana->TxtDbName->setText(QStringLiteral("EMPRESA"));
    ventana->TxtServidor->setText(QStringLiteral("LOCAL"));
    ventana->TxtUserId->setText(QStringLiteral("ADMIN"));
    ventana->bcAceptar_Click();
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 0);
    QCOMPARE(RegistroBases::ListarNombres(m_entorno->ruta(QStringLiteral("BASES.TXT"))),
             QStringList{"EMPRESA / LOCAL"});
    QCOMPARE(gUsuarioLogeado, QStringLiteral("ADMIN"));
    QVERIFY(ventana->Aceptar);
    QVERIFY(ventana->isHidden());

    // With the file there, "Conectar" registers nothing more.
    ventana->show();
    ventana->TxtDbName->setText(QStringLiteral("OTRA"));
    ventana->bcAceptar_Click();
    QCOMPARE(RegistroBases::ListarNombres(m_entorno->ruta(QStringLiteral("BASES.TXT"))),
             QStringList{"EMPRESA / LOCAL"});
}

void TstAcceso::registrarIniciaOdbcCuandoEsta()
{
    QVERIFY(EscribirArchivo(m_entorno->ruta(QStringLiteral("datos/EMPRESA.db")), {}));
    const QString salida = m_entorno->ruta(QStringLiteral("odbc-recibio.txt"));
    const QString programa = m_entorno->ruta(QStringLiteral("odbc.EXE"));
    QVERIFY(EscribirArchivo(programa, "#!/bin/sh\nprintf '%s' \"$1\" > \"" + QFile::encodeName(salida) + "\"\n"));
    QFile::setPermissions(programa, QFile::permissions(programa) | QFileDevice::ExeOwner);
    OperadorGuionado operador;
    auto ventana = abrir();
    DB_Dll::Compartido().gDBName = QStringLiteral("EMPRESA");
    ventana->TxtDbName->setText(QStringLiteral("EMPRESA"));
    ventana->TxtServidor->setText(QStringLiteral("LOCAL"));
    ventana->CmdRegistrar_Click();
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 0);
    QTRY_COMPARE(LeerArchivo(salida), QByteArray("Server=LOCAL;DB=EMPRESA;"));
}

void TstAcceso::registrarInformaFallaYSigue()
{
    // BASES.TXT cannot be written (a folder has its name): the failure is told
    // and the registration goes on; closing the already closed connection
    // afterwards is passed over without a word.
    QVERIFY(EscribirArchivo(m_entorno->ruta(QStringLiteral("datos/EMPRESA.db")), {}));
    QVERIFY(QDir().mkpath(m_entorno->ruta(QStringLiteral("BASES.TXT"))));
    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbOK);
    auto ventana = abrir();
    ventana->TxtDbName->setText(QStringLiteral("EMPRESA"));
    ventana->TxtServidor->setText(QStringLiteral("LOCAL"));
    ventana->CmdRegistrar_Click();
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 1);
    QVERIFY2(operador.ultimo().texto.startsWith(QStringLiteral("SQL Server start failed.  \rSQL-DMO error:  75 ")),
             qPrintable(operador.ultimo().texto));
    QCOMPARE(operador.ultimo().titulo, QStringLiteral("DefConsultas"));
    QCOMPARE(operador.ultimo().estilo, int(DialogoOperador::vbOKOnly));
    QCOMPARE(ventana->lstBases->count(), 0);
}

void TstAcceso::accesoDirecto_data()
{
    QTest::addColumn<QString>("servidor");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("usuario");
    QTest::newRow("datos comunes") << "SRV01" << "VENTAS" << "ADMIN";
    QTest::newRow("instancia con barra invertida y puerto") << "SRV01\\SQL2019:1433" << "VENTAS" << "ana";
    QTest::newRow("caracteres que el lanzador interpreta")
        << "srv \"$HOME\"" << "50% `ventas`" << u"José;%f"_qs;
}

void TstAcceso::accesoDirecto()
{
    QFETCH(QString, servidor);
    QFETCH(QString, base);
    QFETCH(QString, usuario);
    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbOK);
    auto ventana = abrir();
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), escritorio());
    QVERIFY(!QFileInfo::exists(escritorio())); // created when missing
    ventana->TxtServidor->setText(servidor);
    ventana->TxtDbName->setText(base);
    ventana->TxtUserId->setText(usuario);
    QTest::mouseClick(ventana->CmdLineaComando, Qt::LeftButton);

    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 1);
    QCOMPARE(operador.ultimo().texto, QStringLiteral("Acceso directo creado correctamente en el escritorio."));
    QCOMPARE(operador.ultimo().titulo, QStringLiteral("Acceso Directo"));
    QCOMPARE(operador.ultimo().icono(), int(DialogoOperador::vbInformation));

    const QString ruta = escritorio() + QStringLiteral("/DefConsultas.desktop");
    QVERIFY(QFileInfo(ruta).isExecutable());
    const QMap<QString, QString> entrada = claves(LeerArchivo(ruta));
    QCOMPARE(entrada.value("Type"), QStringLiteral("Application"));
    QCOMPARE(entrada.value("Name"), QStringLiteral("DefConsultas"));
    const QStringList esperados{m_entorno->carpeta() + QStringLiteral("DefConsultas"),
                                QStringLiteral(" ; @server=") + servidor + QStringLiteral("; @dbname=") + base
                                    + QStringLiteral("; @usuario=") + usuario
                                    + QStringLiteral("; @Password=; @ParametroAdicional=; vexa@ ; @UsuarioLogeado = ; @Caja=;")};
    QCOMPARE(argumentosExec(entrada.value("Exec")), esperados);

    const QString validador = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validador.isEmpty())
        QSKIP("desktop-file-validate no está instalado");
    QProcess validar;
    validar.start(validador, {ruta});
    QVERIFY(validar.waitForFinished());
    const QByteArray salida = validar.readAllStandardOutput() + validar.readAllStandardError();
    QVERIFY2(validar.exitCode() == 0 && !salida.contains("error"), salida.constData());
}

void TstAcceso::accesoDirectoDosVeces()
{
    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbOK).responder(DialogoOperador::vbOK);
    auto ventana = abrir();
    ventana->TxtServidor->setText(QStringLiteral("SRV01"));
    ventana->CmdLineaComando_Click();
    const QByteArray primero = LeerArchivo(escritorio() + QStringLiteral("/DefConsultas.desktop"));
    ventana->TxtServidor->setText(QStringLiteral("SRV02"));
    ventana->CmdLineaComando_Click();
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 2);
    QCOMPARE(operador.ultimo().texto, QStringLiteral("El acceso directo ya existe."));
    QCOMPARE(operador.ultimo().titulo, QStringLiteral("Acceso Directo"));
    QCOMPARE(operador.ultimo().icono(), int(DialogoOperador::vbInformation));
    QCOMPARE(LeerArchivo(escritorio() + QStringLiteral("/DefConsultas.desktop")), primero);
}

void TstAcceso::accesoDirectoSinEscritorioPosible()
{
    // A plain file where the desktop folder should be: every failing step is
    // told, and the steps after it still run.
    QVERIFY(EscribirArchivo(escritorio(), "no es una carpeta"));
    OperadorGuionado operador;
    operador.responder(DialogoOperador::vbOK).responder(DialogoOperador::vbOK).responder(DialogoOperador::vbOK);
    auto ventana = abrir();
    ventana->CmdLineaComando_Click();
    QCOMPARE_OPERADOR(operador, operador.mostrados().size(), 3);
    for (int i : {0, 1}) {
        QVERIFY(operador.mostrados()[i].texto.startsWith(QStringLiteral("Se ha producido un error: ")));
        QCOMPARE(operador.mostrados()[i].titulo, QStringLiteral("Error"));
        QCOMPARE(operador.mostrados()[i].icono(), int(DialogoOperador::vbCritical));
    }
    QCOMPARE(operador.ultimo().texto, QStringLiteral("Acceso directo creado correctamente en el escritorio."));
}

void TstAcceso::enlaceAbreLaPaginaDelFabricante()
{
    OperadorGuionado operador;
    frmAcceso ventana;
    emit ventana.Label8->linkActivated(frmAcceso::DireccionWeb());
    QCOMPARE(m_urlAbierta, QUrl(frmAcceso::DireccionWeb()));
}

void TstAcceso::ventanaDeLaCapaDeDatos()
{
    QVERIFY(EscribirArchivo(m_entorno->ruta(QStringLiteral("BASES.TXT")), kDosBases));
    OperadorGuionado operador;
    DatosAcceso datos;
    datos.TxtDbName = QStringLiteral("VENTAS");
    datos.TxtServidor = QStringLiteral("SRV01");
    datos.TxtUserId = QStringLiteral("ana");
    datos.CboPlataformaDB = 1;
    int plataformaVista = -1;
    QTimer::singleShot(0, [&] {
        auto *ventana = qobject_cast<frmAcceso *>(QApplication::activeModalWidget());
        QVERIFY(ventana);
        plataformaVista = ventana->CboPlataformaDB->currentIndex();
        ventana->TxtUserPassword->setText(QStringLiteral("clave"));
        ventana->bcAceptar->click();
    });
    VentanaAccesoQt acceso;
    QVERIFY(acceso.Pedir(datos));
    QCOMPARE(plataformaVista, 1);
    QCOMPARE(datos.TxtUserId, QStringLiteral("ana"));
    QCOMPARE(datos.TxtUserPassword, QStringLiteral("clave"));
    QCOMPARE(gUsuarioLogeado, QStringLiteral("ana"));
    QCOMPARE(gPassword, QStringLiteral("clave"));
}

QTEST_MAIN(TstAcceso)
#include "tst_acceso.moc"
