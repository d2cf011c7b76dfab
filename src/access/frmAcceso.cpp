#include "frmAcceso.h"

#include "AccesoDirecto.h"
#include "RegistroBases.h"
#include "app/Sesion.h"
#include "data/DB_Dll.h"
#include "suite/Archivos.h"
#include "suite/DialogoOperador.h"
#include "suite/ErrorEjecucion.h"
#include "suite/LibreriaSuite.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#include <functional>

namespace {

QString recortar(QStringView texto)
{
    return Cadenas::Compartida().Recortar(texto);
}

constexpr int kTeclaEnter = 13;


// The server as a registered connection is named after it: upper-cased and
// without the port.
QString parteServidor(const QString &servidor)
{
    QString parte = recortar(servidor).toUpper();
    const qsizetype dosPuntos = parte.indexOf(u':');
    return dosPuntos < 0 ? parte : parte.left(dosPuntos);
}

// Failures the registration passes over: closing a connection that is already
// closed, and the answers of a database service that is already running.
bool fallaIgnoradaAlRegistrar(qint32 numero)
{
    return numero == Errores::ObjetoCerrado || numero == 440 || numero == 1056
        || numero == static_cast<qint32>(0x80070420u) || numero == 20480;
}

QLineEdit *nuevaCaja(QWidget *padre, const char *nombre, const QString &ayudaFlotante)
{
    auto *caja = new QLineEdit(padre);
    caja->setObjectName(QLatin1String(nombre));
    caja->setToolTip(ayudaFlotante);
    return caja;
}

QLabel *nuevaEtiqueta(QWidget *padre, const char *nombre, const QString &texto)
{
    auto *etiqueta = new QLabel(texto, padre);
    etiqueta->setObjectName(QLatin1String(nombre));
    return etiqueta;
}

QPushButton *nuevoBoton(QWidget *padre, const char *nombre, const QString &texto)
{
    auto *boton = new QPushButton(texto, padre);
    boton->setObjectName(QLatin1String(nombre));
    return boton;
}

} // namespace

frmAcceso::frmAcceso(QWidget *parent)
    : QDialog(parent)
{
    ConstruirControles();
    Disponer();

    connect(lstBases, &QListWidget::currentRowChanged, this, &frmAcceso::lstBases_Click);
    connect(lstBases, &QListWidget::itemClicked, this, [this] {
        // A click on the connection already chosen shows its data again.
        if (lstBases->currentRow() == m_filaAntesDelClic)
            lstBases_Click();
    });
    connect(lstBases, &QListWidget::itemDoubleClicked, this, &frmAcceso::lstBases_DblClick);
    connect(TxtUserPassword, &QLineEdit::textChanged, this, &frmAcceso::TxtUserPassword_Change);
    connect(TxtDbName, &QLineEdit::textChanged, this, &frmAcceso::TxtDbName_Change);
    connect(TxtServidor, &QLineEdit::textChanged, this, &frmAcceso::TxtServidor_Change);
    connect(bcAceptar, &QPushButton::clicked, this, &frmAcceso::bcAceptar_Click);
    connect(bcCancelar, &QPushButton::clicked, this, &frmAcceso::bcCancelar_Click);
    connect(CmdRegistrar, &QPushButton::clicked, this, &frmAcceso::CmdRegistrar_Click);
    connect(CmdLineaComando, &QPushButton::clicked, this, &frmAcceso::CmdLineaComando_Click);
    connect(Label8, &QLabel::linkActivated, this, &frmAcceso::Label8_Click);
    for (QObject *control : {static_cast<QObject *>(TxtUserId), static_cast<QObject *>(TxtUserPassword),
                             static_cast<QObject *>(TxtDbName), static_cast<QObject *>(TxtServidor),
                             static_cast<QObject *>(lstBases), static_cast<QObject *>(lstBases->viewport())})
        control->installEventFilter(this);

    Form_Load();
}

void frmAcceso::ConstruirControles()
{
    setObjectName(QStringLiteral("frmAcceso"));
    setWindowTitle(QStringLiteral("Control de Acceso"));

    lblTitulo = nuevaEtiqueta(this, "lblTitulo", QStringLiteral("Control de Acceso"));
    lblProducto = nuevaEtiqueta(this, "lblProducto",
                                QStringLiteral("DefConsultas · Definición de las consultas del sistema de gestión"));
    lblAutenticacion = nuevaEtiqueta(this, "lblAutenticacion", QStringLiteral("AUTENTICACION"));
    lblConexiones = nuevaEtiqueta(this, "lblConexiones", QStringLiteral("Conexiones registradas"));

    lstBases = new QListWidget(this);
    lstBases->setObjectName(QStringLiteral("lstBases"));
    lblConexiones->setBuddy(lstBases);

    fraDatos = new QFrame(this);
    fraDatos->setObjectName(QStringLiteral("fraDatos"));
    fraDatos->setFrameShape(QFrame::StyledPanel);
    fraDatos->setFrameShadow(QFrame::Sunken);

    lblUsuario = nuevaEtiqueta(fraDatos, "lblUsuario", QStringLiteral("Usuario"));
    TxtUserId = nuevaCaja(fraDatos, "TxtUserId", QStringLiteral("Ingrese el nombre de usuario"));
    lblContrasena = nuevaEtiqueta(fraDatos, "lblContrasena", QStringLiteral("Contraseña"));
    TxtUserPassword = nuevaCaja(fraDatos, "TxtUserPassword", QStringLiteral("Ingrese la contraseña"));
    TxtUserPassword->setEchoMode(QLineEdit::Password);
    TxtUserPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    lblBaseDatos = nuevaEtiqueta(fraDatos, "lblBaseDatos", QStringLiteral("Base de datos"));
    TxtDbName = nuevaCaja(fraDatos, "TxtDbName", QStringLiteral("ingrese el nombre de la base de datos"));
    lblServidor = nuevaEtiqueta(fraDatos, "lblServidor", QStringLiteral("Servidor"));
    TxtServidor = nuevaCaja(fraDatos, "TxtServidor", QStringLiteral("ingrese el nombre del servidor e instancia"));
    lblPuerto = nuevaEtiqueta(fraDatos, "lblPuerto", QStringLiteral("Puerto"));
    TxtPuerto = nuevaCaja(fraDatos, "TxtPuerto", QStringLiteral("Ingrese el Puerto "));
    TxtPuerto->setText(QStringLiteral("1433"));
    TxtPuerto->setMaximumWidth(TxtPuerto->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    lblPlataforma = nuevaEtiqueta(fraDatos, "lblPlataforma", QStringLiteral("Plataforma"));
    CboPlataformaDB = new QComboBox(fraDatos);
    CboPlataformaDB->setObjectName(QStringLiteral("CboPlataformaDB"));
    CboPlataformaDB->addItems({QStringLiteral("SQL Server"), QStringLiteral("ORACLE")});
    lblUsuario->setBuddy(TxtUserId);
    lblContrasena->setBuddy(TxtUserPassword);
    lblBaseDatos->setBuddy(TxtDbName);
    lblServidor->setBuddy(TxtServidor);
    lblPuerto->setBuddy(TxtPuerto);
    lblPlataforma->setBuddy(CboPlataformaDB);

    bcAceptar = nuevoBoton(this, "bcAceptar", QStringLiteral("Conectar"));
    bcCancelar = nuevoBoton(this, "bcCancelar", QStringLiteral("Cancelar"));
    CmdRegistrar = nuevoBoton(this, "CmdRegistrar", QStringLiteral("Registrar"));
    CmdLineaComando = nuevoBoton(this, "CmdLineaComando", QStringLiteral("Crear Acceso Directo"));
    // Enter belongs to the boxes (it moves to the next one); a button answers
    // it only while it has the focus.
    for (QPushButton *boton : {bcAceptar, bcCancelar, CmdRegistrar, CmdLineaComando})
        boton->setAutoDefault(true);

    Label8 = nuevaEtiqueta(this, "Label8", {});
    Label8->setTextFormat(Qt::RichText);
    Label8->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(DireccionWeb(), QUrl(DireccionWeb()).host()));
    Label8->setToolTip(DireccionWeb());
    Label8->setOpenExternalLinks(false);
    Label8->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
}

void frmAcceso::Disponer()
{
    QFont fuenteTitulo = lblTitulo->font();
    fuenteTitulo.setPointSizeF(fuenteTitulo.pointSizeF() * 1.6);
    fuenteTitulo.setBold(true);
    lblTitulo->setFont(fuenteTitulo);
    QFont fuenteSeccion = lblAutenticacion->font();
    fuenteSeccion.setBold(true);
    lblAutenticacion->setFont(fuenteSeccion);
    lblConexiones->setFont(fuenteSeccion);
    QPalette tenue = lblProducto->palette();
    tenue.setColor(QPalette::WindowText, tenue.color(QPalette::PlaceholderText));
    lblProducto->setPalette(tenue);

    auto *datos = new QGridLayout(fraDatos);
    datos->setContentsMargins(14, 14, 14, 14);
    datos->setHorizontalSpacing(10);
    datos->setVerticalSpacing(8);
    datos->addWidget(lblUsuario, 0, 0);
    datos->addWidget(TxtUserId, 0, 1, 1, 3);
    datos->addWidget(lblContrasena, 1, 0);
    datos->addWidget(TxtUserPassword, 1, 1, 1, 3);
    datos->addWidget(lblBaseDatos, 2, 0);
    datos->addWidget(TxtDbName, 2, 1, 1, 3);
    datos->addWidget(lblServidor, 3, 0);
    datos->addWidget(TxtServidor, 3, 1);
    datos->addWidget(lblPuerto, 3, 2);
    datos->addWidget(TxtPuerto, 3, 3);
    datos->addWidget(lblPlataforma, 4, 0);
    datos->addWidget(CboPlataformaDB, 4, 1, 1, 3);
    datos->setColumnStretch(1, 1);
    datos->setRowStretch(5, 1);

    auto *izquierda = new QVBoxLayout;
    izquierda->setSpacing(6);
    izquierda->addWidget(lblConexiones);
    izquierda->addWidget(lstBases, 1);
    auto *registro = new QHBoxLayout;
    registro->addWidget(CmdRegistrar);
    registro->addWidget(CmdLineaComando);
    registro->addStretch();
    izquierda->addLayout(registro);

    auto *derecha = new QVBoxLayout;
    derecha->setSpacing(6);
    derecha->addWidget(lblAutenticacion);
    derecha->addWidget(fraDatos, 1);

    auto *cuerpo = new QHBoxLayout;
    cuerpo->setSpacing(18);
    cuerpo->addLayout(izquierda, 2);
    cuerpo->addLayout(derecha, 3);

    auto *separador = new QFrame(this);
    separador->setFrameShape(QFrame::HLine);
    separador->setFrameShadow(QFrame::Sunken);

    auto *pie = new QHBoxLayout;
    pie->addWidget(Label8);
    pie->addStretch();
    pie->addWidget(bcAceptar);
    pie->addWidget(bcCancelar);

    auto *disposicion = new QVBoxLayout(this);
    disposicion->setContentsMargins(20, 16, 20, 16);
    disposicion->setSpacing(10);
    disposicion->addWidget(lblTitulo);
    disposicion->addWidget(lblProducto);
    disposicion->addWidget(separador);
    disposicion->addLayout(cuerpo, 1);
    disposicion->addLayout(pie);

    lstBases->setMinimumWidth(220);
    fraDatos->setMinimumWidth(340);

    setTabOrder(TxtUserId, TxtUserPassword);
    setTabOrder(TxtUserPassword, TxtDbName);
    setTabOrder(TxtDbName, TxtServidor);
    setTabOrder(TxtServidor, TxtPuerto);
    setTabOrder(TxtPuerto, CboPlataformaDB);
    setTabOrder(CboPlataformaDB, bcAceptar);
    setTabOrder(bcAceptar, bcCancelar);
    setTabOrder(bcCancelar, lstBases);
    setTabOrder(lstBases, CmdRegistrar);
    setTabOrder(CmdRegistrar, CmdLineaComando);
    setTabOrder(CmdLineaComando, Label8);
}

QString frmAcceso::TextoAyuda(const QString &nombreControl)
{
    if (nombreControl == u"TxtUserId")
        return QStringLiteral("Ingrese el usuario");
    if (nombreControl == u"TxtDbName")
        return QStringLiteral("ingrese el nombre de la base de datos");
    if (nombreControl == u"TxtServidor")
        return QStringLiteral("ingrese el nombre del servidor e instancia");
    return {};
}

QString frmAcceso::DireccionWeb()
{
    return QStringLiteral("https://www.kvsistemas.example/");
}

void frmAcceso::Form_Load()
{
    adjustSize();
    resize(qMax(width(), 680), qMax(height(), 380));
    if (const QScreen *pantalla = QApplication::primaryScreen()) {
        const QRect r = pantalla->availableGeometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
    llenarlist();
    for (QLineEdit *caja : {TxtUserId, TxtUserPassword, TxtDbName, TxtServidor})
        MensajeInicial(caja);
    CboPlataformaDB->setCurrentIndex(0);
    TxtUserId->setFocus();
}

void frmAcceso::MensajeInicial(QLineEdit *ObjTxt)
{
    const QString ayuda = TextoAyuda(ObjTxt->objectName());
    if (!recortar(ObjTxt->text()).isEmpty() && ObjTxt->text() != ayuda)
        return;
    // Changing the text calls this again through the box's change handler;
    // the second call finds the hint already there.
    if (ObjTxt->text() != ayuda)
        ObjTxt->setText(ayuda);
    QPalette paleta = ObjTxt->palette();
    paleta.setColor(QPalette::Text, QColor(2, 0, 0));
    ObjTxt->setPalette(paleta);
    ObjTxt->setSelection(0, int(recortar(ObjTxt->text()).size()));
}

void frmAcceso::llenarlist()
{
    m_RutaBases = RegistroBases::Ruta();
    lstBases->clear();
    if (!ExisteArchivo(m_RutaBases))
        return;
    lstBases->addItems(RegistroBases::ListarNombres(m_RutaBases));
    if (lstBases->count() > 0)
        lstBases->setCurrentRow(0);
}

void frmAcceso::DatosBase(const QString &Nombre)
{
    RegistroBases::BuscarBase(RegistroBases::Ruta(), Nombre, m_Servidor, m_DbName);
}

void frmAcceso::MostrarConexionElegida()
{
    const QListWidgetItem *elegido = lstBases->currentItem();
    if (!elegido)
        return;
    DatosBase(recortar(elegido->text()));
    const qsizetype dosPuntos = m_Servidor.indexOf(u':');
    if (dosPuntos >= 0) {
        m_Puerto = m_Servidor.mid(dosPuntos + 1);
        m_Servidor = recortar(m_Servidor.left(dosPuntos)).toUpper();
    }
    TxtServidor->setText(m_Servidor);
    TxtUserId->setText(QString());
    TxtUserPassword->setText(QString());
    TxtDbName->setText(m_DbName);
    TxtPuerto->setText(m_Puerto);
}

void frmAcceso::lstBases_Click()
{
    MostrarConexionElegida();
}

void frmAcceso::lstBases_DblClick()
{
    MostrarConexionElegida();
    bcAceptar_Click();
}

void frmAcceso::lstBases_KeyPress(int)
{
    MostrarConexionElegida();
}

void frmAcceso::TxtUserId_GotFocus()
{
    MensajeInicial(TxtUserId);
}

void frmAcceso::TxtUserId_KeyPress(int KeyAscii)
{
    if (Teclado::Compartido().TeclaAceptar(KeyAscii))
        TxtUserPassword->setFocus();
}

void frmAcceso::TxtUserPassword_KeyPress(int KeyAscii)
{
    if (Teclado::Compartido().TeclaAceptar(KeyAscii))
        TxtDbName->setFocus();
}

void frmAcceso::TxtDbName_KeyPress(int KeyAscii)
{
    if (Teclado::Compartido().TeclaAceptar(KeyAscii))
        TxtServidor->setFocus();
}

void frmAcceso::TxtServidor_KeyPress(int KeyAscii)
{
    if (Teclado::Compartido().TeclaAceptar(KeyAscii))
        bcAceptar->setFocus();
}

void frmAcceso::TxtUserPassword_Change()
{
    MensajeInicial(TxtUserPassword);
}

void frmAcceso::TxtDbName_Change()
{
    MensajeInicial(TxtDbName);
}

void frmAcceso::TxtServidor_Change()
{
    MensajeInicial(TxtServidor);
}

bool frmAcceso::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::FocusIn && objeto == TxtUserId) {
        TxtUserId_GotFocus();
    } else if (evento->type() == QEvent::MouseButtonPress && objeto == lstBases->viewport()) {
        m_filaAntesDelClic = lstBases->currentRow();
    } else if (evento->type() == QEvent::KeyPress) {
        const auto *tecla = static_cast<QKeyEvent *>(evento);
        if (objeto == lstBases) {
            // Keys that move the selection are served by the change of row;
            // any other key shows the chosen connection again.
            if (!tecla->text().isEmpty() && tecla->text().at(0) != QChar(0x1B))
                lstBases_KeyPress(tecla->text().at(0).unicode());
            return QDialog::eventFilter(objeto, evento);
        }
        if (!Teclado::Compartido().TeclaAceptar(tecla->key()))
            return QDialog::eventFilter(objeto, evento);
        // Enter only moves the focus along the boxes; it must not reach the
        // dialog, which would press a button.
        if (objeto == TxtUserId)
            TxtUserId_KeyPress(kTeclaEnter);
        else if (objeto == TxtUserPassword)
            TxtUserPassword_KeyPress(kTeclaEnter);
        else if (objeto == TxtDbName)
            TxtDbName_KeyPress(kTeclaEnter);
        else if (objeto == TxtServidor)
            TxtServidor_KeyPress(kTeclaEnter);
        else
            return QDialog::eventFilter(objeto, evento);
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void frmAcceso::bcAceptar_Click()
{
    Conectar();
}

void frmAcceso::Conectar()
{
    gUsuarioLogeado = TxtUserId->text();
    gPassword = TxtUserPassword->text();
    Aceptar = true;
    RegistrarBases();
    // Hidden, not dropped: between login attempts the caller shows it again
    // with the values it keeps.
    QDialog::accept();
}

void frmAcceso::bcCancelar_Click()
{
    Aceptar = false;
    QDialog::reject();
}

void frmAcceso::reject()
{
    bcCancelar_Click();
}

void frmAcceso::RegistrarBases()
{
    if (!ExisteArchivo(RegistroBases::Ruta()))
        RegistrarConexion();
}

void frmAcceso::CmdRegistrar_Click()
{
    RegistrarConexion();
}

void frmAcceso::RegistrarConexion()
{
    const QString nombre = recortar(TxtDbName->text()).toUpper() + QStringLiteral(" / ") + parteServidor(TxtServidor->text());
    m_Servidor.clear();
    DatosBase(nombre);
    if (!m_Servidor.isEmpty()) {
        Operador().MsgBox(QStringLiteral("La conexion que intenta registrar ya existe "), DialogoOperador::vbInformation,
                          QStringLiteral("Atencion"));
        return;
    }
    const double puerto = Cadenas::Compartida().ValorNumerico(TxtPuerto->text());
    m_Puerto = QString::number(puerto == 0 ? 1433 : puerto);
    for (QLineEdit *caja : {TxtServidor, TxtUserId, TxtUserPassword, TxtDbName})
        caja->setText(recortar(caja->text()));
    const QString servidor = TxtServidor->text();
    const QString base = TxtDbName->text();

    // Each step returns false to end the registration. After a failure the
    // registration still starts the ODBC set-up, closes the shared connection
    // and refreshes the list.
    const std::function<bool()> pasos[] = {
        [&] {
            // The suite's convention first: the database's own login, named and
            // keyed like the database.
            const QString convencion = base.toUpper();
            if (!ExisteBaseDeDatos(servidor, convencion, convencion, convencion, DB_Dll::pSQLOLEDB())
                && !ConectarConUsuario(servidor, base)) {
                Operador().MsgBox(QStringLiteral("NO SE PUDO CONECTAR AL SERVIDOR ") + servidor
                                      + QStringLiteral(" VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO"),
                                  DialogoOperador::vbInformation, QStringLiteral("AVISO AL OPERADOR"));
                return false;
            }
            RegistroBases::AgregarBase(nombre, base, base, base, servidor);
            return true;
        },
        [&] { IniciarOdbc(servidor); return true; },
        [&] { CerrarConexionCompartida(); return true; },
        [&] { llenarlist(); return true; },
    };
    for (const auto &paso : pasos) {
        try {
            if (!paso())
                return;
        } catch (const ErrorEjecucion &e) {
            if (!fallaIgnoradaAlRegistrar(e.Number))
                Operador().MsgBox(QStringLiteral("SQL Server start failed.  ") + u'\r' + QStringLiteral("SQL-DMO error:  ")
                                      + QString::number(e.Number) + u' ' + e.Description,
                                  DialogoOperador::vbOKOnly, AccesoDirecto::TituloPrograma());
        }
    }
}

void frmAcceso::IniciarOdbc(const QString &servidor)
{
    const QString programa = Archivos::Ubicar(ContextoAplicacion::Compartido().CarpetaAplicacion(),
                                              QStringLiteral("ODBC.exe"));
    if (!ExisteArchivo(programa))
        return;
    const QString argumentos =
        QStringLiteral("Server=") + servidor + QStringLiteral(";DB=") + DB_Dll::Compartido().gDBName + u';';
    // Started on its own; the registration does not wait for it.
    if (!QProcess::startDetached(programa, {argumentos}))
        ErrorEjecucion::Lanzar(Errores::ArchivoNoEncontrado, QStringLiteral("No se pudo ejecutar ") + programa);
}

bool frmAcceso::ExisteBaseDeDatos(const QString &Servidor, const QString &DbName, const QString &Login,
                                  const QString &Password, const QString &Proveedor)
{
    DB_Dll &datos = DB_Dll::Compartido();
    // Every step runs whatever became of the one before; a failure only means
    // the database cannot be reached this way.
    if (datos.gOpenFlag) {
        try {
            datos.gCnn().Close();
        } catch (const ErrorEjecucion &) {
        }
    }
    const QString cadena = QStringLiteral("PROVIDER=") + Proveedor + QStringLiteral(";Server=") + Servidor
        + QStringLiteral(";Database =") + DbName + QStringLiteral(";UId=") + Login + QStringLiteral(";Pwd=")
        + Password + u';';
    try {
        datos.gCnn().Open(cadena);
        datos.gCnn().Close();
        return true;
    } catch (const ErrorEjecucion &) {
        return false;
    }
}

bool frmAcceso::ConectarConUsuario(const QString &servidor, const QString &base)
{
    DB_Dll &datos = DB_Dll::Compartido();
    if (datos.gCnn().State() == db::adStateOpen)
        datos.gCnn().Close();
    datos.gServidor = servidor;
    datos.gUsuario = TxtUserId->text();
    datos.gUserPassWord = TxtUserPassword->text();
    datos.gDBName = base;
    datos.OpenServerADODB(false, db::adUseClient, QString(), true, true);
    return datos.gCnn().State() == db::adStateOpen;
}

void frmAcceso::CerrarConexionCompartida()
{
    DB_Dll::Compartido().gCnn().Close();
}

void frmAcceso::CmdLineaComando_Click()
{
    AccesoDirecto::Crear(TxtServidor->text(), TxtDbName->text(), TxtUserId->text());
}

void frmAcceso::Label8_Click()
{
    Equipo::Compartido().AbrirDocumento(0, QStringLiteral("open"), DireccionWeb(), {}, {}, 6);
}

bool VentanaAccesoQt::Pedir(DatosAcceso &datos)
{
    frmAcceso ventana(QApplication::activeWindow());
    ventana.TxtDbName->setText(datos.TxtDbName);
    ventana.TxtServidor->setText(datos.TxtServidor);
    ventana.TxtUserId->setText(datos.TxtUserId);
    ventana.TxtUserPassword->setText(datos.TxtUserPassword);
    ventana.CboPlataformaDB->setCurrentIndex(datos.CboPlataformaDB > 0 ? 1 : 0);
    ventana.exec();
    datos.TxtDbName = ventana.TxtDbName->text();
    datos.TxtServidor = ventana.TxtServidor->text();
    datos.TxtUserId = ventana.TxtUserId->text();
    datos.TxtUserPassword = ventana.TxtUserPassword->text();
    datos.CboPlataformaDB = ventana.CboPlataformaDB->currentIndex();
    return ventana.Aceptar;
}
