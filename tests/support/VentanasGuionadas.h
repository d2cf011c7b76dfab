#pragma once

#include "data/VentanasDatos.h"

#include <QList>
#include <functional>

// The access window as a test drives it: each call takes the next scripted
// answer (accept with these data, or cancel) and records what it was shown.
// Installed on construction, removed on destruction.
class AccesoGuionado final : public VentanaAccesoDatos
{
public:
    AccesoGuionado() { VentanasDatos::EstablecerAcceso(this); }
    ~AccesoGuionado() override { VentanasDatos::EstablecerAcceso(nullptr); }

    void aceptar(const DatosAcceso &datos) { m_respuestas.append(std::pair<bool, DatosAcceso>(true, datos)); }
    void cancelar() { m_respuestas.append(std::pair<bool, DatosAcceso>(false, DatosAcceso{})); }
    const QList<DatosAcceso> &mostrados() const { return m_mostrados; }

    bool Pedir(DatosAcceso &datos) override
    {
        m_mostrados.append(datos);
        if (m_respuestas.isEmpty())
            return false;
        const auto [acepta, tecleado] = m_respuestas.takeFirst();
        if (acepta)
            datos = tecleado;
        return acepta;
    }

private:
    QList<std::pair<bool, DatosAcceso>> m_respuestas;
    QList<DatosAcceso> m_mostrados;
};

// The reconnect window without a screen: every wait counts as one tick, and a
// test decides at which tick the world changes or the operator presses a button.
class ReconexionGuionada final : public VentanaReconexion
{
public:
    ReconexionGuionada() { VentanasDatos::EstablecerReconexion(this); }
    ~ReconexionGuionada() override { VentanasDatos::EstablecerReconexion(nullptr); }

    std::function<void(int tick)> alEsperar; // may call pulsarCerrar() or pulsarReintentar()
    int veces = 0;
    int esperas = 0;
    int progreso = -1;
    bool abierta = false;
    QString mensaje;

    void pulsarCerrar() { m_cancelar = true; }
    void pulsarReintentar() { m_reintentar = true; }

    void Mostrar(const QString &m) override
    {
        ++veces;
        abierta = true;
        mensaje = m;
        LimpiarPedidos();
    }
    void Progreso(int valor) override { progreso = valor; }
    void HabilitarReintentar(bool) override {}
    bool Cancelar() const override { return m_cancelar; }
    bool Reintentar() const override { return m_reintentar; }
    void LimpiarPedidos() override { m_cancelar = m_reintentar = false; }
    void ProcesarEventos(int milisegundos) override
    {
        if (milisegundos > 0 && alEsperar)
            alEsperar(++esperas);
    }
    void Cerrar() override { abierta = false; }

private:
    bool m_cancelar = false;
    bool m_reintentar = false;
};
