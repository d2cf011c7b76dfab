#pragma once

#include "data/VentanasDatos.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The login and connection window: the operator types or picks a registered
// connection and a user and presses "Conectar"; the caller then reads the text
// boxes and `Aceptar`. It also registers the typed connection in BASES.TXT and
// creates a desktop launcher that starts the program with it.
class frmAcceso final : public QDialog
{
    Q_OBJECT

public:
    explicit frmAcceso(QWidget *parent = nullptr);

    // True when the window was closed with "Conectar".
    bool Aceptar = false;

    QLabel *lblTitulo;
    QLabel *lblProducto;
    QLabel *lblAutenticacion;
    QLabel *lblConexiones;
    QListWidget *lstBases;
    QFrame *fraDatos;
    QLabel *lblUsuario;
    QLineEdit *TxtUserId;
    QLabel *lblContrasena;
    QLineEdit *TxtUserPassword;
    QLabel *lblBaseDatos;
    QLineEdit *TxtDbName;
    QLabel *lblServidor;
    QLineEdit *TxtServidor;
    QLabel *lblPuerto;
    QLineEdit *TxtPuerto;
    QLabel *lblPlataforma;
    QComboBox *CboPlataformaDB;
    QPushButton *bcAceptar;
    QPushButton *bcCancelar;
    QPushButton *CmdRegistrar;
    QPushButton *CmdLineaComando;
    QLabel *Label8;

    // The window values: server and database of the connection last looked up
    // in BASES.TXT, and the port.
    QString Servidor() const { return m_Servidor; }
    QString DbName() const { return m_DbName; }
    QString Puerto() const { return m_Puerto; }
    // The path of BASES.TXT the list was last filled from.
    QString RutaBases() const { return m_RutaBases; }

    // The text a box shows while the operator has typed nothing in it.
    static QString TextoAyuda(const QString &nombreControl);
    static QString DireccionWeb();

    // Puts the box's hint in it when it is empty or still shows the hint, and
    // selects it so that typing replaces it.
    void MensajeInicial(QLineEdit *ObjTxt);
    void llenarlist();
    void DatosBase(const QString &Nombre);
    // Registers the typed connection when this workstation has no BASES.TXT yet.
    void RegistrarBases();
    // Whether a connection with these data can be opened on the shared
    // connection object (closed again at once).
    bool ExisteBaseDeDatos(const QString &Servidor, const QString &DbName, const QString &Login,
                           const QString &Password, const QString &Proveedor);

    void Form_Load();
    void lstBases_Click();
    void lstBases_DblClick();
    void lstBases_KeyPress(int KeyAscii);
    void TxtUserId_GotFocus();
    void TxtUserId_KeyPress(int KeyAscii);
    void TxtUserPassword_KeyPress(int KeyAscii);
    void TxtDbName_KeyPress(int KeyAscii);
    void TxtServidor_KeyPress(int KeyAscii);
    void TxtUserPassword_Change();
    void TxtDbName_Change();
    void TxtServidor_Change();
    void bcAceptar_Click();
    void bcCancelar_Click();
    void CmdRegistrar_Click();
    void CmdLineaComando_Click();
    void Label8_Click();

    // Escape and the window's close box leave like "Cancelar".
    void reject() override;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void ConstruirControles();
    void Disponer();
    void Conectar();
    void MostrarConexionElegida();
    void RegistrarConexion();
    bool ConectarConUsuario(const QString &servidor, const QString &base);
    void CerrarConexionCompartida();
    void IniciarOdbc(const QString &servidor);

    QString m_Servidor;
    QString m_DbName;
    QString m_Puerto = QStringLiteral("1433");
    QString m_RutaBases;
    int m_filaAntesDelClic = -1;
};

// The access window as the data-access class asks for connection data: a
// fresh window, filled, shown modally and dropped after use.
class VentanaAccesoQt final : public VentanaAccesoDatos
{
public:
    bool Pedir(DatosAcceso &datos) override;
};
