#include "FrmDefConsultas.h"

#include "ArchivoConsultas.h"
#include "ListaDefiniciones.h"
#include "ModeloDefiniciones.h"
#include "app/ModSesion.h"
#include "app/Sesion.h"
#include "config/ModConfiguracion.h"
#include "data/DB_Dll.h"
#include "suite/DialogoOperador.h"
#include "suite/LibreriaSuite.h"
#include "suite/Pasos.h"
#include "suite/Plataforma.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>

using namespace ListaDefiniciones;

namespace {

const QString kClaveImagen = QStringLiteral("ConsultaArticuloConImagen");
const QString kClavePantalla = QStringLiteral("ConsultaArtPCompleta");
const QString kClaveSinBusqueda = QStringLiteral("DeshabilitaBusquedaCodigo");
const QString kClaveSinBusquedaArt = QStringLiteral("DeshabilitaBusquedaCodigoArt");

bool EsSi(const QString &valor)
{
    return valor.compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
}

template <typename T>
T *Control(QWidget *padre, const char *nombre, const QString &texto = {})
{
    auto *control = new T(texto, padre);
    control->setObjectName(QLatin1String(nombre));
    return control;
}

QPushButton *BotonMover(QWidget *padre, const char *nombre, const QString &texto, const QString &ayuda)
{
    auto *boton = Control<QPushButton>(padre, nombre, texto);
    boton->setToolTip(ayuda);
    boton->setFixedWidth(boton->fontMetrics().horizontalAdvance(QStringLiteral(">>")) + 36);
    return boton;
}

// The VB-style shift mask of a key event: 1 shift, 2 control, 4 alt.
int Mayusculas(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

}

FrmDefConsultas::FrmDefConsultas(QWidget *parent)
    : QWidget(parent), m_definiciones(new ModeloDefiniciones(this))
{
    setObjectName(QStringLiteral("FrmDefConsultas"));
    setWindowTitle(QStringLiteral("Definición de Consultas del Sistema"));
    ArmarControles();
    ArmarDisposicion();
    Conectar();
    resize(880, 660);
}

FrmDefConsultas::~FrmDefConsultas() = default;

void FrmDefConsultas::ArmarControles()
{
    Label1 = Control<QLabel>(this, "Label1", QStringLiteral("Nombre "));
    CmbDefinicion = new QComboBox(this);
    CmbDefinicion->setObjectName(QStringLiteral("CmbDefinicion"));
    CmbDefinicion->setModel(m_definiciones);
    CmbDefinicion->setPlaceholderText(QStringLiteral("Elija una definición"));
    // Thousands of entries: the width comes from a typical name, not from
    // measuring every entry, and the drop-down list lays out rows of one height.
    CmbDefinicion->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CmbDefinicion->setMinimumContentsLength(32);
    CmbDefinicion->setMaxVisibleItems(20);
    CmbDefinicion->setFocusPolicy(Qt::StrongFocus);
    if (auto *vista = qobject_cast<QListView *>(CmbDefinicion->view()))
        vista->setUniformItemSizes(true);

    lblAll = Control<QLabel>(this, "lblAll", QStringLiteral("Todos los campos"));
    lstTodos = new QListWidget(this);
    lstTodos->setObjectName(QStringLiteral("lstTodos"));
    lblSelected = Control<QLabel>(this, "lblSelected", QStringLiteral("Campos Seleccionados"));
    lstSeleccionado = new QListWidget(this);
    lstSeleccionado->setObjectName(QStringLiteral("lstSeleccionado"));

    cmdAgregar = BotonMover(this, "cmdAgregar", QStringLiteral(">"), QStringLiteral("Agregar el campo elegido"));
    cmdAgregarTodos = BotonMover(this, "cmdAgregarTodos", QStringLiteral(">>"), QStringLiteral("Agregar todos los campos"));
    cmdQuitar = BotonMover(this, "cmdQuitar", QStringLiteral("<"), QStringLiteral("Quitar el campo elegido"));
    cmdQuitartodos = BotonMover(this, "cmdQuitartodos", QStringLiteral("<<"), QStringLiteral("Quitar todos los campos"));
    cmdSubir = BotonMover(this, "cmdSubir", {}, QStringLiteral("Subir el campo elegido"));
    cmdSubir->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmdBajar = BotonMover(this, "cmdBajar", {}, QStringLiteral("Bajar el campo elegido"));
    cmdBajar->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    for (QPushButton *flecha : {cmdSubir, cmdBajar})
        flecha->setFixedWidth(flecha->sizeHint().height() + 12);

    Label2 = Control<QLabel>(this, "Label2", QStringLiteral("Cuando... (Condicion)"));
    TxtWhere = new QPlainTextEdit(this);
    TxtWhere->setObjectName(QStringLiteral("TxtWhere"));
    TxtWhere->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TxtWhere->setTabChangesFocus(true);

    lblTop = Control<QLabel>(this, "lblTop", QStringLiteral("Top de Consulta:"));
    txtFields = new QLineEdit(this);
    txtFields->setObjectName(QStringLiteral("txtFields"));
    txtFields->setProperty("Tag", QStringLiteral("TopConsArt"));
    txtFields->setMaximumWidth(txtFields->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    // Shown once a definition is chosen; the place stays so nothing jumps.
    for (QWidget *w : {static_cast<QWidget *>(lblTop), static_cast<QWidget *>(txtFields)}) {
        QSizePolicy politica = w->sizePolicy();
        politica.setRetainSizeWhenHidden(true);
        w->setSizePolicy(politica);
        w->setVisible(false);
    }

    TxtSql = new QPlainTextEdit(this);
    TxtSql->setObjectName(QStringLiteral("TxtSql"));
    TxtSql->setReadOnly(true);
    TxtSql->setTabChangesFocus(true);
    CmdVerSql = Control<QPushButton>(this, "CmdVerSql", QStringLiteral("Ver Instruccion SQL"));

    frmArticulos = Control<QGroupBox>(this, "frmArticulos", QStringLiteral("SOLO Articulos"));
    chkImagen = Control<QCheckBox>(frmArticulos, "chkImagen", QStringLiteral("Mostrar imagen en consultas"));
    const QStringList tamanos{QStringLiteral("20x40"), QStringLiteral("60x80"), QStringLiteral("100x120"),
                              QStringLiteral("200x240"), QStringLiteral("300x360")};
    for (int i = 0; i < tamanos.size(); ++i) {
        auto *opcion = new QRadioButton(tamanos.at(i), frmArticulos);
        opcion->setObjectName(QStringLiteral("optTam_%1").arg(i));
        optTam.append(opcion);
    }
    chkPantalla = Control<QCheckBox>(frmArticulos, "chkPantalla", QStringLiteral("Mostrar pantalla completa"));
    QSizePolicy politica = frmArticulos->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    frmArticulos->setSizePolicy(politica);
    frmArticulos->setVisible(false);

    ChkNoBusquedaCodigo = Control<QCheckBox>(this, "ChkNoBusquedaCodigo",
                                             QStringLiteral("Deshabilitar list de consulta rapida  TODAS"));
    ChkNoBusquedaCodigoArt = Control<QCheckBox>(this, "ChkNoBusquedaCodigoArt",
                                                QStringLiteral("Deshabilitar list de consulta rapida  ARTICULOS"));

    cmdVer = Control<QPushButton>(this, "cmdVer", QStringLiteral("&Vista Previa"));
    cmdVer->setEnabled(false);
    cmdVer->setToolTip(QStringLiteral("La vista previa llegará con la ventana de consultas."));
    CmdAceptar = Control<QPushButton>(this, "CmdAceptar", QStringLiteral("&Aceptar"));
    CmdCancelar = Control<QPushButton>(this, "CmdCancelar", QStringLiteral("&Salir"));

    Label1->setBuddy(CmbDefinicion);
    lblAll->setBuddy(lstTodos);
    lblSelected->setBuddy(lstSeleccionado);
    Label2->setBuddy(TxtWhere);
    lblTop->setBuddy(txtFields);
}

void FrmDefConsultas::ArmarDisposicion()
{
    auto *raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(12, 12, 12, 12);
    raiz->setSpacing(10);

    auto *filaNombre = new QHBoxLayout;
    filaNombre->addWidget(Label1);
    filaNombre->addWidget(CmbDefinicion, 1);
    raiz->addLayout(filaNombre);

    // The two lists side by side, the move buttons between them and the order
    // buttons beside the chosen list.
    auto *columnas = new QGridLayout;
    columnas->setHorizontalSpacing(8);
    columnas->addWidget(lblAll, 0, 0);
    columnas->addWidget(lblSelected, 0, 2);
    columnas->addWidget(lstTodos, 1, 0);
    auto *mover = new QVBoxLayout;
    mover->addStretch();
    for (QPushButton *b : {cmdAgregar, cmdAgregarTodos, cmdQuitar, cmdQuitartodos})
        mover->addWidget(b);
    mover->addStretch();
    columnas->addLayout(mover, 1, 1);
    columnas->addWidget(lstSeleccionado, 1, 2);
    auto *ordenar = new QVBoxLayout;
    ordenar->addStretch();
    ordenar->addWidget(cmdSubir);
    ordenar->addWidget(cmdBajar);
    ordenar->addStretch();
    columnas->addLayout(ordenar, 1, 3);
    columnas->setColumnStretch(0, 1);
    columnas->setColumnStretch(2, 1);
    columnas->setRowStretch(1, 1);
    raiz->addLayout(columnas, 3);

    const int alturaLinea = TxtWhere->fontMetrics().lineSpacing();
    TxtWhere->setMinimumHeight(alturaLinea * 3 + 12);
    TxtWhere->setMaximumHeight(alturaLinea * 6 + 12);
    raiz->addWidget(Label2);
    raiz->addWidget(TxtWhere, 1);

    auto *opciones = new QHBoxLayout;
    auto *generales = new QVBoxLayout;
    auto *filaTop = new QHBoxLayout;
    filaTop->addWidget(lblTop);
    filaTop->addWidget(txtFields);
    filaTop->addStretch();
    generales->addLayout(filaTop);
    generales->addWidget(ChkNoBusquedaCodigo);
    generales->addWidget(ChkNoBusquedaCodigoArt);
    generales->addStretch();
    opciones->addLayout(generales, 1);

    auto *articulos = new QVBoxLayout(frmArticulos);
    articulos->addWidget(chkImagen);
    auto *tamanos = new QHBoxLayout;
    tamanos->setContentsMargins(20, 0, 0, 0);
    for (QRadioButton *o : std::as_const(optTam))
        tamanos->addWidget(o);
    tamanos->addStretch();
    articulos->addLayout(tamanos);
    articulos->addWidget(chkPantalla);
    opciones->addWidget(frmArticulos, 1);
    raiz->addLayout(opciones);

    auto *sql = new QHBoxLayout;
    auto *botonSql = new QVBoxLayout;
    botonSql->addWidget(CmdVerSql);
    botonSql->addStretch();
    sql->addLayout(botonSql);
    TxtSql->setMinimumHeight(alturaLinea * 2 + 12);
    TxtSql->setMaximumHeight(alturaLinea * 4 + 12);
    sql->addWidget(TxtSql, 1);
    raiz->addLayout(sql);

    auto *botones = new QHBoxLayout;
    botones->addStretch();
    for (QPushButton *b : {cmdVer, CmdAceptar, CmdCancelar}) {
        b->setMinimumWidth(110);
        botones->addWidget(b);
    }
    raiz->addLayout(botones);

    QWidget *orden[] = {CmbDefinicion, lstTodos, cmdAgregar, cmdAgregarTodos, cmdQuitar, cmdQuitartodos,
                        lstSeleccionado, cmdSubir, cmdBajar, TxtWhere, txtFields, ChkNoBusquedaCodigo,
                        ChkNoBusquedaCodigoArt, chkImagen, optTam.at(0), chkPantalla, CmdVerSql, TxtSql,
                        cmdVer, CmdAceptar, CmdCancelar};
    for (size_t i = 1; i < std::size(orden); ++i)
        setTabOrder(orden[i - 1], orden[i]);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(640, 520)));
}

void FrmDefConsultas::Conectar()
{
    connect(CmbDefinicion, &QComboBox::activated, this, &FrmDefConsultas::CmbDefinicion_Click);
    CmbDefinicion->installEventFilter(this);
    connect(cmdAgregar, &QPushButton::clicked, this, &FrmDefConsultas::cmdAgregar_Click);
    connect(cmdAgregarTodos, &QPushButton::clicked, this, &FrmDefConsultas::cmdAgregarTodos_Click);
    connect(cmdQuitar, &QPushButton::clicked, this, &FrmDefConsultas::cmdQuitar_Click);
    connect(cmdQuitartodos, &QPushButton::clicked, this, &FrmDefConsultas::cmdQuitartodos_Click);
    connect(cmdSubir, &QPushButton::clicked, this, &FrmDefConsultas::cmdSubir_Click);
    connect(cmdBajar, &QPushButton::clicked, this, &FrmDefConsultas::cmdBajar_Click);
    connect(lstTodos, &QListWidget::itemDoubleClicked, this, &FrmDefConsultas::lstTodos_DblClick);
    connect(lstSeleccionado, &QListWidget::itemDoubleClicked, this, &FrmDefConsultas::lstSeleccionado_DblClick);
    connect(CmdVerSql, &QPushButton::clicked, this, &FrmDefConsultas::CmdVerSql_Click);
    connect(CmdAceptar, &QPushButton::clicked, this, &FrmDefConsultas::CmdAceptar_Click);
    connect(CmdCancelar, &QPushButton::clicked, this, &FrmDefConsultas::cmdCancelar_Click);
}

// ---- Loading and choosing a definition ----

void FrmDefConsultas::showEvent(QShowEvent *evento)
{
    Form_Load();
    QWidget::showEvent(evento);
}

void FrmDefConsultas::Form_Load()
{
    if (m_cargada)
        return;
    m_cargada = true;
    RutaConsultas = Cadenas::Compartida().CarpetaConBarra(ContextoAplicacion::Compartido().CarpetaAplicacion())
        + ArchivoConsultas::kNombreArchivo;

    ChkNoBusquedaCodigo->setChecked(false);
    ChkNoBusquedaCodigoArt->setChecked(false);
    ChkNoBusquedaCodigo->setChecked(EsSi(Cfg(kClaveSinBusqueda)));
    ChkNoBusquedaCodigoArt->setChecked(EsSi(Cfg(kClaveSinBusquedaArt)));

    if (gParametroAdicional.isEmpty()) {
        Cargar_ListaDefiniciones();
        return;
    }
    // Opened for one definition: the chooser offers only that one, already chosen.
    const std::optional<QString> entrada = EntradaDelParametro(gParametroAdicional);
    m_definiciones->Asignar(entrada ? QStringList{*entrada} : QStringList{});
    if (CmbDefinicion->count() == 0)
        return;
    CmbDefinicion->setCurrentIndex(0);
    CmbDefinicion_Click();
    // The second choice finds the same definition: it only refreshes the row
    // limit and the articles options.
    CmbDefinicion_Click();
}

void FrmDefConsultas::Cargar_ListaDefiniciones()
{
    m_definiciones->Vaciar();
    DB_Dll &datos = DB_Dll::Compartido();
    try {
        db::Recordset tablas = datos.gCnn().OpenSchema(db::adSchemaTables);
        QStringList entradas = EntradasDelEsquema(tablas);
        datos.CierraRecordset(tablas);
        entradas += EntradasFijas();
        Ordenar(entradas);
        m_definiciones->Asignar(std::move(entradas));
    } catch (const ErrorEjecucion &) {
        // A schema that cannot be read leaves the chooser empty; the window opens all the same.
    }
    CmbDefinicion->setCurrentIndex(-1);
}

QString FrmDefConsultas::EntradaElegida() const
{
    return CmbDefinicion->currentData(ModeloDefiniciones::kRolEntrada).toString();
}

void FrmDefConsultas::CmbDefinicion_Click()
{
    lblTop->setVisible(true);
    txtFields->setVisible(true);
    txtFields->setText(Cfg(txtFields->property("Tag").toString()));
    frmArticulos->setVisible(false);

    const QString entrada = EntradaElegida();
    const QString nombre = NombreDeEntrada(entrada);
    const QString tabla = TablaDeEntrada(entrada);
    if (TablaActual.isEmpty()) {
        TablaActual = tabla;
        DefinicionActual = nombre;
        Obtener_Campos(DefinicionActual);
    } else if (nombre.compare(DefinicionActual, Qt::CaseInsensitive) != 0) {
        // Columns moved between the lists are kept before another definition
        // replaces them; a mere reordering is not.
        if (Modificado)
            Guardar_Campos(DefinicionActual, TablaActual);
        DefinicionActual = nombre;
        TablaActual = tabla;
        Obtener_Campos(DefinicionActual);
    }
    OpcionesArticulos(entrada);
}

void FrmDefConsultas::OpcionesArticulos(const QString &entrada)
{
    if (!EsArticulos(entrada)) {
        chkImagen->setChecked(false);
        chkPantalla->setChecked(false);
        return;
    }
    frmArticulos->setVisible(true);
    frmArticulos->setEnabled(true);
    QString tamano = CfgAux(kClaveImagen, {});
    chkImagen->setChecked(EsSi(Cfg(kClaveImagen)));
    chkPantalla->setChecked(EsSi(Cfg(kClavePantalla)));
    if (tamano.isEmpty())
        tamano = QStringLiteral("0");
    // Rounded half to even, as the stored size was always read; a size outside
    // the five options sets none of them.
    const double elegido = std::nearbyint(Cadenas::Compartida().ValorNumerico(tamano));
    for (int i = 0; i < optTam.size(); ++i) {
        optTam[i]->setAutoExclusive(false);
        optTam[i]->setChecked(elegido == i);
        optTam[i]->setAutoExclusive(true);
    }
}

void FrmDefConsultas::CmbDefinicion_KeyDown(int KeyCode, int)
{
    if (!Teclado::Compartido().TeclaAceptar(KeyCode) || CmbDefinicion->count() == 0)
        return;
    qint16 Indice = 0;
    if (!ExisteEnCombo(Indice))
        Indice = 0;
    const bool sinEleccion = CmbDefinicion->currentIndex() < 0;
    CmbDefinicion->setCurrentIndex(Indice);
    if (sinEleccion)
        CmbDefinicion_Click();
    // Reloads what the file holds: changes not yet saved are dropped.
    Obtener_Campos(EntradaElegida().trimmed().left(kAnchoNombre));
}

bool FrmDefConsultas::ExisteEnCombo(qint16 &Indice) const
{
    const QString texto = EntradaElegida();
    if (texto.trimmed().isEmpty())
        return false;
    const QStringList &entradas = m_definiciones->Entradas();
    for (qsizetype i = 0; i < entradas.size(); ++i) {
        if (entradas.at(i).compare(texto, Qt::CaseInsensitive) == 0) {
            Indice = qint16(i);
            return true;
        }
    }
    return false;
}

bool FrmDefConsultas::eventFilter(QObject *objeto, QEvent *evento)
{
    // A wheel turned over the chooser on the way to the lists must not switch
    // definitions (and store the one on screen); it scrolls only once focused.
    if (objeto == CmbDefinicion && evento->type() == QEvent::Wheel && !CmbDefinicion->hasFocus())
        return true;
    if (objeto == CmbDefinicion && evento->type() == QEvent::KeyPress) {
        const auto *tecla = static_cast<QKeyEvent *>(evento);
        CmbDefinicion_KeyDown(tecla->key(), Mayusculas(tecla->modifiers()));
        return Teclado::Compartido().TeclaAceptar(tecla->key());
    }
    return QWidget::eventFilter(objeto, evento);
}

void FrmDefConsultas::Obtener_Campos(const QString &Definicion)
{
    DB_Dll &datos = DB_Dll::Compartido();
    const Cadenas &cadenas = Cadenas::Compartida();
    QString tabla;
    db::Recordset columnas;
    ArchivoConsultas::DefinicionCargada cargada;
    Pasos::Ejecutar(
        {
            [&] {
                Modificado = false;
                lstSeleccionado->clear();
                lstTodos->clear();
                TxtSql->clear();
                TxtWhere->clear();
            },
            [&] { tabla = TablaDeColumnas(TablaDeEntrada(EntradaElegida())); },
            [&] { columnas = datos.gCnn().OpenSchema(db::adSchemaColumns, {datos.gDBName, QVariant(), tabla}); },
            [&] {
                QStringList nombres;
                for (; !columnas.Eof(); columnas.MoveNext())
                    nombres.append(cadenas.ValorCampo(columnas.Fields(QStringLiteral("COLUMN_NAME")).Value()).toString());
                lstTodos->addItems(nombres);
            },
            [&] { datos.CierraRecordset(columnas); },
            [&] { CantidadCampos = qint16(lstTodos->count()); },
            [&] {
                cargada = ArchivoConsultas::CargarDefinicion(RutaConsultas, Definicion);
                if (cargada.existe)
                    TxtWhere->setPlainText(cargada.condicion);
            },
            [&] {
                // A stored column the table no longer has stays chosen and removes nothing.
                lstSeleccionado->addItems(cargada.columnas);
                for (const QString &columna : std::as_const(cargada.columnas)) {
                    for (int i = 0; i < lstTodos->count(); ++i) {
                        if (lstTodos->item(i)->text().compare(columna, Qt::CaseInsensitive) == 0) {
                            delete lstTodos->takeItem(i);
                            break;
                        }
                    }
                }
            },
        },
        [&cadenas](const ErrorEjecucion &e) {
            return Pasos::SegunRespuesta(cadenas.ResponderError(e, -1, QStringLiteral("VerificaCampos")));
        });
}

QString FrmDefConsultas::Cfg(const QString &Campo) const
{
    return CfgDefConsultas(Campo);
}

// ---- Choosing and ordering the columns ----

void FrmDefConsultas::cmdAgregar_Click()
{
    const int p = lstTodos->currentRow();
    if (lstTodos->count() == 0 || p < 0 || lstTodos->item(p)->text().trimmed().isEmpty())
        return;
    lstSeleccionado->addItem(lstTodos->item(p)->text());
    delete lstTodos->takeItem(p);
    if (lstTodos->count() > 0)
        lstTodos->setCurrentRow(p < lstTodos->count() ? p : p - 1);
    lstSeleccionado->setCurrentRow(lstSeleccionado->count() - 1);
    Modificado = true;
}

void FrmDefConsultas::cmdQuitar_Click()
{
    const int p = lstSeleccionado->currentRow();
    if (lstSeleccionado->count() == 0 || p < 0 || lstSeleccionado->item(p)->text().trimmed().isEmpty())
        return;
    // A column given back goes to the end, not to its place in the table.
    lstTodos->addItem(lstSeleccionado->item(p)->text());
    lstTodos->setCurrentRow(lstTodos->count() - 1);
    delete lstSeleccionado->takeItem(p);
    if (lstSeleccionado->count() > 0)
        lstSeleccionado->setCurrentRow(p < lstSeleccionado->count() ? p : p - 1);
    Modificado = true;
}

void FrmDefConsultas::cmdAgregarTodos_Click()
{
    QStringList todos;
    for (int i = 0; i < lstTodos->count(); ++i)
        todos.append(lstTodos->item(i)->text());
    lstSeleccionado->addItems(todos);
    lstTodos->clear();
    lstSeleccionado->setCurrentRow(0);
    Modificado = true;
}

void FrmDefConsultas::cmdQuitartodos_Click()
{
    lstTodos->addItems(Elegidas());
    lstSeleccionado->clear();
    lstTodos->setCurrentRow(lstTodos->count() - 1);
    Modificado = true;
}

// Reordering does not count as a change: leaving the definition does not store it.
void FrmDefConsultas::cmdSubir_Click()
{
    const int i = lstSeleccionado->currentRow();
    if (i <= 0)
        return;
    lstSeleccionado->insertItem(i - 1, lstSeleccionado->item(i)->text());
    delete lstSeleccionado->takeItem(i + 1);
    lstSeleccionado->setCurrentRow(i - 1);
}

void FrmDefConsultas::cmdBajar_Click()
{
    const int i = lstSeleccionado->currentRow();
    if (i < 0 || i >= lstSeleccionado->count() - 1)
        return;
    lstSeleccionado->insertItem(i + 2, lstSeleccionado->item(i)->text());
    delete lstSeleccionado->takeItem(i);
    lstSeleccionado->setCurrentRow(i + 1);
}

QStringList FrmDefConsultas::Elegidas() const
{
    QStringList elegidas;
    for (int i = 0; i < lstSeleccionado->count(); ++i)
        elegidas.append(lstSeleccionado->item(i)->text());
    return elegidas;
}

// ---- Saving and closing ----

bool FrmDefConsultas::Guardar_Campos(const QString &Definicion, const QString &Tabla)
{
    const QString nombre = Definicion.trimmed();
    if (nombre.isEmpty())
        return true;
    try {
        ArchivoConsultas::GuardarDefinicion(RutaConsultas, nombre, Tabla, Elegidas(), TxtWhere->toPlainText());
    } catch (const ErrorEjecucion &e) {
        Operador().MsgBox(
            QStringLiteral("No se pudo guardar la definición %1 en el archivo\n%2\n\n%3 (error %4).\n\n"
                           "Verifique que el archivo exista y se pueda modificar. "
                           "La definición y las opciones no se guardaron.")
                .arg(nombre, RutaConsultas, e.Description.trimmed())
                .arg(e.Number),
            DialogoOperador::vbOKOnly | DialogoOperador::vbCritical, TituloMensajes());
        return false;
    }
    GrabaDfg(txtFields->property("Tag").toString(), txtFields->text());
    return true;
}

void FrmDefConsultas::GrabarSwitch(const QString &clave, const QCheckBox *casilla, const QString &valorAux)
{
    GrabaDfg(clave, casilla->isChecked() ? QStringLiteral("SI") : QStringLiteral("NO"), valorAux);
}

QString FrmDefConsultas::TamanoImagen() const
{
    for (int i = 0; i < optTam.size(); ++i)
        if (optTam.at(i)->isChecked())
            return QString::number(i);
    return QStringLiteral("0");
}

void FrmDefConsultas::CmdAceptar_Click()
{
    const QString entrada = EntradaElegida();
    if (!Guardar_Campos(NombreDeEntrada(entrada), TablaDeEntrada(entrada)))
        return;
    // The row limit and the switches belong to the whole suite, not to the definition.
    if (EsArticulos(entrada)) {
        GrabarSwitch(kClaveImagen, chkImagen, TamanoImagen());
        GrabarSwitch(kClavePantalla, chkPantalla);
    }
    GrabarSwitch(kClaveSinBusqueda, ChkNoBusquedaCodigo);
    GrabarSwitch(kClaveSinBusquedaArt, ChkNoBusquedaCodigoArt);
    // A window opened for one definition is done once it is saved.
    if (!gParametroAdicional.isEmpty())
        cmdCancelar_Click();
}

void FrmDefConsultas::cmdCancelar_Click()
{
    // Unloading ends the program at once, so nothing of the window outlives it.
    Form_Unload();
}

void FrmDefConsultas::closeEvent(QCloseEvent *)
{
    Form_Unload();
}

void FrmDefConsultas::Form_Unload()
{
    RegistrarEgreso();
    Plataforma::TerminarPrograma();
}

// ---- SQL view ----

void FrmDefConsultas::CmdVerSql_Click()
{
    TxtSql->setPlainText(
        InstruccionSql(Elegidas(), CantidadCampos, TablaDeEntrada(EntradaElegida()), TxtWhere->toPlainText()));
}
