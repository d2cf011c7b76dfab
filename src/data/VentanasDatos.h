#pragma once

#include <QString>

// The windows that the data-access class opens from inside its operations: the
// access window that asks for connection data and the reconnect window. The
// program installs the real windows; tests install scripted ones. Without one
// installed, the access window is cancelled and the reconnect window gives up.

// What the access window shows and what the operator typed.
struct DatosAcceso
{
    QString TxtDbName;
    QString TxtServidor;
    QString TxtUserId;
    QString TxtUserPassword;
    int CboPlataformaDB = 0; // 0 SQL Server, above 0 Oracle
};

class VentanaAccesoDatos
{
public:
    virtual ~VentanaAccesoDatos() = default;
    // Shows the window modally with `datos` filled in; true when the operator
    // accepted ("Conectar"), with `datos` holding what was typed. The window
    // has stored the typed user and password as the session's.
    virtual bool Pedir(DatosAcceso &datos) = 0;
};

// The reconnect window as its driver sees it.
class VentanaReconexion
{
public:
    virtual ~VentanaReconexion() = default;
    virtual void Mostrar(const QString &mensaje) = 0; // modeless; resets Cancelar and Reintentar
    virtual void Progreso(int valor) = 0;              // 0 to 100
    virtual void HabilitarReintentar(bool habilitado) = 0;
    virtual bool Cancelar() const = 0;   // "Cerrar Sistema" was pressed
    virtual bool Reintentar() const = 0; // "Reintentar" was pressed
    virtual void LimpiarPedidos() = 0;   // Cancelar and Reintentar back to false
    // Lets pending window events run, waiting at most `milisegundos`.
    virtual void ProcesarEventos(int milisegundos = 0) = 0;
    virtual void Cerrar() = 0;
};

namespace VentanasDatos {
VentanaAccesoDatos *Acceso();
void EstablecerAcceso(VentanaAccesoDatos *ventana);
VentanaReconexion *Reconexion();
void EstablecerReconexion(VentanaReconexion *ventana);
}
