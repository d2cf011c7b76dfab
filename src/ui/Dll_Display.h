#pragma once

#include "Lbf_CtrlDisplay.h"

#include <QPointer>
#include <QString>
#include <optional>

// The progress sign's controller: opens the sign, writes its three lines, tells
// whether the operator cancelled and closes it. One shared instance holds at
// most one sign window, created when an operation needs it.
class Dll_Display
{
public:
    static Dll_Display &Compartido();

    // Shows the sign modeless with `Titulo` as its caption; the cancel button
    // shows only when `PermiteCancelar`.
    void CartelInicio(const QString &Titulo, bool PermiteCancelar);

    // Writes the lines given (a null text shows as empty, an absent one leaves
    // its line as it was), repaints, lets pending window events run once so the
    // wheel turns and the cancel button answers, and sets `Cancelado` when the
    // operator pressed cancel.
    void CartelMostrar(bool &Cancelado, const std::optional<QString> &L1 = std::nullopt,
                       const std::optional<QString> &L2 = std::nullopt,
                       const std::optional<QString> &L3 = std::nullopt);

    // Stops the wheel, hides and drops the window. Nothing happens when no sign
    // is open.
    void CartelCerrar();

    // The window on show, or null.
    Lbf_CtrlDisplay *Ventana() const { return m_ventana; }

private:
    Lbf_CtrlDisplay &VentanaCargada();

    QPointer<Lbf_CtrlDisplay> m_ventana;
};
