#pragma once

#include "suite/DialogoOperador.h"

#include <QList>
#include <QString>
#include <deque>
#include <functional>

// An operator for tests: answers every dialog from a queue, in order, and keeps
// what was shown. A dialog with no answer waiting, or of another kind than the
// next answer, fails the running test and is answered as a silent operator would.
// Installed on construction, removed on destruction.
class OperadorGuionado final : public DialogoOperador
{
public:
    enum class Tipo { Mensaje, Entrada, Archivo };

    struct Mostrado
    {
        Tipo tipo;
        QString texto; // message, input prompt, or file-dialog filter
        QString titulo;
        int estilo = 0; // message box only
        int botones() const { return Botones(estilo); }
        int icono() const { return Icono(estilo); }
    };

    OperadorGuionado();
    ~OperadorGuionado() override;

    // The next answers, in the order the dialogs will appear.
    OperadorGuionado &responder(int respuesta);
    // Answers and then runs `alResponder` (what the world does meanwhile).
    OperadorGuionado &responder(int respuesta, std::function<void()> alResponder);
    OperadorGuionado &escribir(const QString &texto);
    OperadorGuionado &cancelarEntrada();
    OperadorGuionado &elegirArchivo(const QString &ruta); // empty: cancelled

    const QList<Mostrado> &mostrados() const { return m_mostrados; }
    const Mostrado &ultimo() const { return m_mostrados.constLast(); }
    qsizetype pendientes() const { return qsizetype(m_respuestas.size()); }
    // Everything shown so far, one line each, for failure messages.
    QString describir() const;
    void limpiar();

    int MsgBox(const QString &texto, int estilo, const QString &titulo) override;
    QString InputBox(const QString &pregunta, const QString &titulo, const QString &valorInicial,
                     bool *aceptado) override;
    QString AbrirArchivo(const QString &titulo, const QString &filtro, const QString &carpetaInicial) override;

private:
    struct Respuesta
    {
        Tipo tipo;
        int codigo = 0;
        QString texto;
        bool aceptado = true;
        std::function<void()> alResponder;
    };
    bool tomar(Tipo tipo, Respuesta &respuesta);

    std::deque<Respuesta> m_respuestas;
    QList<Mostrado> m_mostrados;
};

// Compares with what the operator saw and prints it all when it fails.
#define QCOMPARE_OPERADOR(operador, actual, esperado)                                       \
    do {                                                                                    \
        if (!QTest::qCompare(actual, esperado, #actual, #esperado, __FILE__, __LINE__)) {   \
            qWarning().noquote() << "El operador vio:\n" + (operador).describir();          \
            return;                                                                         \
        }                                                                                   \
    } while (false)
