#include "Dll_Display.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

Dll_Display &Dll_Display::Compartido()
{
    static Dll_Display controlador;
    return controlador;
}

Lbf_CtrlDisplay &Dll_Display::VentanaCargada()
{
    if (!m_ventana)
        m_ventana = new Lbf_CtrlDisplay;
    return *m_ventana;
}

void Dll_Display::CartelInicio(const QString &Titulo, bool PermiteCancelar)
{
    Lbf_CtrlDisplay &ventana = VentanaCargada();
    ventana.Timer1->start(Lbf_CtrlDisplay::kIntervalo);
    ventana.setWindowTitle(Titulo);
    ventana.CmdDisplayCancelar->setVisible(PermiteCancelar);
    ventana.show();
    ventana.raise();
}

void Dll_Display::CartelMostrar(bool &Cancelado, const std::optional<QString> &L1, const std::optional<QString> &L2,
                                const std::optional<QString> &L3)
{
    Lbf_CtrlDisplay &ventana = VentanaCargada();
    const std::optional<QString> *lineas[] = {&L1, &L2, &L3};
    for (int i = 0; i < 3; ++i)
        if (lineas[i]->has_value())
            ventana.LblCtrol[i]->setText(**lineas[i]);
    ventana.repaint();
    Cancelado = ventana.CmdDisplayCancelar->text() == Lbf_CtrlDisplay::TextoAbortado();
    QCoreApplication::processEvents();
}

void Dll_Display::CartelCerrar()
{
    if (!m_ventana)
        return;
    m_ventana->Timer1->setInterval(0);
    m_ventana->Timer1->stop();
    m_ventana->hide();
    delete m_ventana;
}
