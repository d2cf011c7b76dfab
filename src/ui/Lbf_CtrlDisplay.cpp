#include "Lbf_CtrlDisplay.h"

#include <QEvent>

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QtMath>

namespace {
constexpr int kLadoCuadro = 48;
}

Lbf_CtrlDisplay::Lbf_CtrlDisplay(QWidget *parent)
    : QFrame(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , Image1(new QLabel(this))
    , Timer1(new QTimer(this))
    , CmdDisplayCancelar(new QPushButton(this))
{
    setObjectName(QStringLiteral("Lbf_CtrlDisplay"));
    setWindowTitle(QStringLiteral("Procesando Datos"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(kLadoCuadro, kLadoCuadro);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    CmdDisplayCancelar->setObjectName(QStringLiteral("CmdDisplayCancelar"));
    for (int i = 1; i <= kCuadros; ++i)
        ImageList1.append(DibujarCuadro(i, kLadoCuadro));

    auto *lineas = new QVBoxLayout;
    lineas->setSpacing(4);
    for (int i = 0; i < 3; ++i) {
        auto *linea = new QLabel(this);
        linea->setObjectName(QStringLiteral("LblCtrol_%1").arg(i));
        linea->setMinimumWidth(240);
        LblCtrol.append(linea);
        lineas->addWidget(linea);
    }
    QFont destacada = LblCtrol[0]->font();
    destacada.setBold(true);
    LblCtrol[0]->setFont(destacada);

    auto *cuerpo = new QHBoxLayout;
    cuerpo->setSpacing(14);
    cuerpo->addWidget(Image1, 0, Qt::AlignTop);
    cuerpo->addLayout(lineas, 1);

    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(CmdDisplayCancelar);

    auto *disposicion = new QVBoxLayout(this);
    disposicion->setContentsMargins(16, 14, 16, 12);
    disposicion->setSpacing(10);
    disposicion->addLayout(cuerpo);
    disposicion->addLayout(botones);

    connect(Timer1, &QTimer::timeout, this, &Lbf_CtrlDisplay::Timer1_Timer);
    connect(CmdDisplayCancelar, &QPushButton::clicked, this, &Lbf_CtrlDisplay::CmdDisplayCancelar_Click);

    Form_Load();
}

void Lbf_CtrlDisplay::Form_Load()
{
    CmdDisplayCancelar->setText(QStringLiteral("&Cancelar"));
    MostrarCuadro(1);
    // A frameless window's outer rectangle already is its client area, so
    // centring the laid-out size is all the placing it needs.
    adjustSize();
    if (const QScreen *pantalla = QApplication::primaryScreen()) {
        const QRect r = pantalla->availableGeometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
    setWindowOpacity(kOpacidad / 255.0);
}

void Lbf_CtrlDisplay::MostrarCuadro(int numero)
{
    if (numero >= 1 && numero <= ImageList1.size())
        Image1->setPixmap(ImageList1[numero - 1]);
}

void Lbf_CtrlDisplay::Timer1_Timer()
{
    ++m_Contador;
    MostrarCuadro(m_Contador);
    if (m_Contador == kCuadros)
        m_Contador = 0;
}

void Lbf_CtrlDisplay::CmdDisplayCancelar_Click()
{
    CmdDisplayCancelar->setText(TextoAbortado());
}

QPixmap Lbf_CtrlDisplay::DibujarCuadro(int numero, int lado)
{
    QPixmap cuadro(lado, lado);
    cuadro.fill(Qt::transparent);
    QPainter pintor(&cuadro);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.translate(lado / 2.0, lado / 2.0);
    const qreal interior = lado * 0.20, exterior = lado * 0.44;
    const QColor base(24, 86, 160);
    for (int rayo = 1; rayo <= kCuadros; ++rayo) {
        // How many steps this spoke lies behind the leading one, 0 to 11.
        const int atraso = (numero - rayo + kCuadros) % kCuadros;
        QColor color = base;
        color.setAlphaF(qMax(0.12, 1.0 - atraso * 0.11));
        QPen pluma(color, lado * 0.085, Qt::SolidLine, Qt::RoundCap);
        pintor.setPen(pluma);
        const qreal angulo = qDegreesToRadians(rayo * 360.0 / kCuadros - 90.0);
        pintor.drawLine(QPointF(qCos(angulo) * interior, qSin(angulo) * interior),
                        QPointF(qCos(angulo) * exterior, qSin(angulo) * exterior));
    }
    return cuadro;
}

bool Lbf_CtrlDisplay::event(QEvent *evento)
{
    if (evento->type() == QEvent::WindowBlocked && isVisible()) {
        m_apartado = true;
        hide();
    } else if (evento->type() == QEvent::WindowUnblocked && m_apartado) {
        m_apartado = false;
        show();
    }
    return QFrame::event(evento);
}
