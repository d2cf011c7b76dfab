#include "frmReconectar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

frmReconectar::frmReconectar(QWidget *parent)
    : QDialog(parent)
    , lblMensaje(new QLabel(this))
    , prgIntentos(new QProgressBar(this))
    , CmdReintentar(new QPushButton(QStringLiteral("Reintentar"), this))
    , cmdCancelar(new QPushButton(QStringLiteral("Cerrar Sistema"), this))
{
    setObjectName(QStringLiteral("frmReconectar"));
    setWindowTitle(QStringLiteral("Intentando reconectar con el servidor") + QChar(0x2026));
    QFont fuente(QStringLiteral("Segoe UI"));
    fuente.setPointSize(10);
    setFont(fuente);
    lblMensaje->setObjectName(QStringLiteral("lblMensaje"));
    lblMensaje->setWordWrap(true);
    lblMensaje->setMinimumWidth(360);
    prgIntentos->setObjectName(QStringLiteral("prgIntentos"));
    prgIntentos->setRange(0, 100);
    prgIntentos->setValue(0);
    CmdReintentar->setObjectName(QStringLiteral("CmdReintentar"));
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));

    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(CmdReintentar);
    botones->addWidget(cmdCancelar);
    auto *disposicion = new QVBoxLayout(this);
    disposicion->setContentsMargins(18, 18, 18, 14);
    disposicion->setSpacing(12);
    disposicion->addWidget(lblMensaje);
    disposicion->addWidget(prgIntentos);
    disposicion->addLayout(botones);

    connect(CmdReintentar, &QPushButton::clicked, this, &frmReconectar::CmdReintentar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmReconectar::cmdCancelar_Click);
}

void frmReconectar::Mostrar(const QString &mensaje)
{
    LimpiarPedidos();
    lblMensaje->setText(mensaje);
    prgIntentos->setValue(0);
    adjustSize();
    if (const QScreen *pantalla = QApplication::primaryScreen()) {
        const QRect r = pantalla->availableGeometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
    show();
    raise();
    ProcesarEventos(0);
}

void frmReconectar::Progreso(int valor)
{
    prgIntentos->setValue(qBound(0, valor, 100));
}

void frmReconectar::HabilitarReintentar(bool habilitado)
{
    CmdReintentar->setEnabled(habilitado);
}

void frmReconectar::LimpiarPedidos()
{
    m_Cancelar = false;
    m_Reintentar = false;
}

void frmReconectar::ProcesarEventos(int milisegundos)
{
    // The wait is spent serving the window, so it stays responsive.
    QDeadlineTimer plazo(milisegundos);
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, qMax(1, int(plazo.remainingTime())));
    } while (!plazo.hasExpired() && !m_Cancelar && !m_Reintentar);
}

void frmReconectar::Cerrar()
{
    hide();
}

void frmReconectar::CmdReintentar_Click()
{
    m_Reintentar = true;
}

void frmReconectar::cmdCancelar_Click()
{
    m_Cancelar = true;
}

void frmReconectar::closeEvent(QCloseEvent *evento)
{
    // Closing the window by its frame means giving up, like "Cerrar Sistema".
    m_Cancelar = true;
    evento->accept();
}
