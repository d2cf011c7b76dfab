#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class ModeloDefiniciones;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The definition editor, the program's main window: the operator picks a lookup
// definition, chooses and orders the columns its lookup shows, sets its
// condition, the row limit and the suite's lookup switches, sees the SELECT it
// amounts to and saves. Closing it ends the program.
class FrmDefConsultas final : public QWidget
{
    Q_OBJECT

public:
    explicit FrmDefConsultas(QWidget *parent = nullptr);
    ~FrmDefConsultas() override;

    QLabel *Label1;
    QComboBox *CmbDefinicion;
    QLabel *lblAll;
    QListWidget *lstTodos;
    QLabel *lblSelected;
    QListWidget *lstSeleccionado;
    QPushButton *cmdAgregar;
    QPushButton *cmdAgregarTodos;
    QPushButton *cmdQuitar;
    QPushButton *cmdQuitartodos;
    QPushButton *cmdSubir;
    QPushButton *cmdBajar;
    QLabel *Label2;
    QPlainTextEdit *TxtWhere;
    QLabel *lblTop;
    QLineEdit *txtFields; // its "Tag" property names the configuration key of the row limit
    QPlainTextEdit *TxtSql;
    QPushButton *CmdVerSql;
    QGroupBox *frmArticulos;
    QCheckBox *chkImagen;
    QList<QRadioButton *> optTam; // image sizes, indexes 0 to 4
    QCheckBox *chkPantalla;
    QCheckBox *ChkNoBusquedaCodigo;
    QCheckBox *ChkNoBusquedaCodigoArt;
    QPushButton *cmdVer;
    QPushButton *CmdAceptar;
    QPushButton *CmdCancelar;

    // Window state.
    QString RutaConsultas;
    QString DefinicionActual;
    QString TablaActual;
    qint16 CantidadCampos = 0;
    bool Modificado = false;

    // Runs once, when the window is first shown or when the start-up calls it.
    void Form_Load();
    void Form_Unload();

    void Cargar_ListaDefiniciones();
    void CmbDefinicion_Click();
    void CmbDefinicion_KeyDown(int KeyCode, int Shift);
    bool ExisteEnCombo(qint16 &Indice) const;
    void Obtener_Campos(const QString &Definicion);
    QString Cfg(const QString &Campo) const;

    void cmdAgregar_Click();
    void cmdAgregarTodos_Click();
    void cmdQuitar_Click();
    void cmdQuitartodos_Click();
    void cmdSubir_Click();
    void cmdBajar_Click();
    void lstTodos_DblClick() { cmdAgregar_Click(); }
    void lstSeleccionado_DblClick() { cmdQuitar_Click(); }

    // Stores the definition's record and the row limit; false, after telling the
    // operator, when the record could not be written (nothing else is stored then).
    bool Guardar_Campos(const QString &Definicion, const QString &Tabla);
    void CmdAceptar_Click();
    void cmdCancelar_Click();
    void CmdVerSql_Click();

    // The chosen entry (padded display name and table); empty when none is chosen.
    QString EntradaElegida() const;
    ModeloDefiniciones *Definiciones() const { return m_definiciones; }

    static QString TituloMensajes() { return QStringLiteral("Definición de Consultas"); }

protected:
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void ArmarControles();
    void ArmarDisposicion();
    void Conectar();
    void OpcionesArticulos(const QString &entrada);
    QString TamanoImagen() const;
    QStringList Elegidas() const;
    void GrabarSwitch(const QString &clave, const QCheckBox *casilla, const QString &valorAux = {});

    ModeloDefiniciones *m_definiciones;
    bool m_cargada = false;
};
