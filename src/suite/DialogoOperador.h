#pragma once

#include <QString>

// Everything the system asks or tells the operator goes through this interface:
// message boxes, input boxes and the open-file dialog. The program installs the
// Qt dialogs; tests install a scripted operator that answers from a queue.
class DialogoOperador
{
public:
    // Message-box style: a sum of one button set, one icon and a default button.
    enum Estilo : int {
        vbOKOnly = 0,
        vbOKCancel = 1,
        vbAbortRetryIgnore = 2,
        vbYesNoCancel = 3,
        vbYesNo = 4,
        vbRetryCancel = 5,
        vbCritical = 16,
        vbQuestion = 32,
        vbExclamation = 48,
        vbInformation = 64,
        vbDefaultButton2 = 256,
        vbDefaultButton3 = 512,
    };
    // The operator's answer codes.
    enum Respuesta : int {
        vbOK = 1,
        vbCancel = 2,
        vbAbort = 3,
        vbRetry = 4,
        vbIgnore = 5,
        vbYes = 6,
        vbNo = 7,
    };

    static int Botones(int estilo) { return estilo & 0x0F; }
    static int Icono(int estilo) { return estilo & 0xF0; }

    virtual ~DialogoOperador() = default;

    // Shows a message box and returns the answer code.
    virtual int MsgBox(const QString &texto, int estilo = vbOKOnly, const QString &titulo = {}) = 0;

    // Asks for a text. `aceptado` is false when the operator cancels (the text is then empty).
    virtual QString InputBox(const QString &pregunta, const QString &titulo = {},
                             const QString &valorInicial = {}, bool *aceptado = nullptr) = 0;

    // Lets the operator pick an existing file; empty when nothing was chosen.
    // `filtro` has the form "Descripcion |*.EXT" (several pairs separated by "|").
    virtual QString AbrirArchivo(const QString &titulo, const QString &filtro,
                                 const QString &carpetaInicial = {}) = 0;
};

// The operator of this process. Until the program or a test installs one, a
// silent operator answers every box with its first button and cancels inputs.
DialogoOperador &Operador();
void EstablecerOperador(DialogoOperador *operador);
