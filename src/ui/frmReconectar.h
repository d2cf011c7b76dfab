#pragma once

#include "data/VentanasDatos.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The window shown while the program keeps trying to reach the database again:
// a message, the progress of the current series of attempts, "Reintentar" to
// start the next series at once and "Cerrar Sistema" to give up.
class frmReconectar final : public QDialog, public VentanaReconexion
{
    Q_OBJECT

public:
    explicit frmReconectar(QWidget *parent = nullptr);

    bool m_Cancelar = false;
    bool m_Reintentar = false;

    QLabel *lblMensaje;
    QProgressBar *prgIntentos;
    QPushButton *CmdReintentar;
    QPushButton *cmdCancelar;

    // VentanaReconexion
    void Mostrar(const QString &mensaje) override;
    void Progreso(int valor) override;
    void HabilitarReintentar(bool habilitado) override;
    bool Cancelar() const override { return m_Cancelar; }
    bool Reintentar() const override { return m_Reintentar; }
    void LimpiarPedidos() override;
    void ProcesarEventos(int milisegundos) override;
    void Cerrar() override;

    void CmdReintentar_Click();
    void cmdCancelar_Click();

protected:
    void closeEvent(QCloseEvent *evento) override;
};
