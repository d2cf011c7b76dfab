#pragma once

#include <QFrame>
#include <QList>
#include <QPixmap>

class QLabel;
class QPushButton;
class QTimer;

// The progress sign's window: a small, frameless, semi-transparent panel kept
// above the other windows, with a turning wheel, three lines of text and an
// optional cancel button.
class Lbf_CtrlDisplay final : public QFrame
{
    Q_OBJECT

public:
    explicit Lbf_CtrlDisplay(QWidget *parent = nullptr);

    // The caption the cancel button takes when the operator presses it; the
    // controller reads it back to tell that the work was cancelled.
    static QString TextoAbortado() { return QStringLiteral("Abortado"); }
    static constexpr int kCuadros = 12;
    static constexpr int kIntervalo = 100; // ms between frames
    static constexpr int kOpacidad = 200;  // of 255

    QList<QLabel *> LblCtrol; // the three lines, indexes 0 to 2
    QLabel *Image1;
    QList<QPixmap> ImageList1; // frames 1 to 12 at indexes 0 to 11
    QTimer *Timer1;
    QPushButton *CmdDisplayCancelar;

    // The frame counter: the number of the frame on show, 0 before the first
    // tick and again after frame 12.
    qint16 Contador() const { return m_Contador; }

    void Timer1_Timer();
    void CmdDisplayCancelar_Click();

    // Draws frame `numero` (1 to 12) of the wheel: twelve spokes, the one of
    // that number darkest and the ones behind it fading.
    static QPixmap DibujarCuadro(int numero, int lado);

protected:
    // A dialog that needs the operator blocks the sign's window: the sign
    // steps aside while it is open, so it never covers what must be read.
    bool event(QEvent *evento) override;

private:
    void MostrarCuadro(int numero);
    void Form_Load();

    qint16 m_Contador = 0;
    bool m_apartado = false;
};
