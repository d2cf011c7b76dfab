#include "DialogoOperador.h"

namespace {

// Answers like a keyboard that only ever presses Enter: the first button of a
// box, cancel on an input box, nothing chosen in a file dialog.
class OperadorSilencioso final : public DialogoOperador
{
public:
    int MsgBox(const QString &, int estilo, const QString &) override
    {
        switch (Botones(estilo)) {
        case vbAbortRetryIgnore: return vbAbort;
        case vbYesNoCancel:
        case vbYesNo: return vbYes;
        case vbRetryCancel: return vbRetry;
        default: return vbOK;
        }
    }
    QString InputBox(const QString &, const QString &, const QString &, bool *aceptado) override
    {
        if (aceptado)
            *aceptado = false;
        return {};
    }
    QString AbrirArchivo(const QString &, const QString &, const QString &) override { return {}; }
};

DialogoOperador *&actual()
{
    static OperadorSilencioso silencioso;
    static DialogoOperador *operador = &silencioso;
    return operador;
}

} // namespace

DialogoOperador &Operador()
{
    return *actual();
}

void EstablecerOperador(DialogoOperador *operador)
{
    static DialogoOperador *const silencioso = actual();
    actual() = operador ? operador : silencioso;
}
