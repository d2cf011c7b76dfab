#pragma once

#include "suite/DialogoOperador.h"

// The operator dialogs of the running program: Qt message boxes, input boxes
// and file dialogs with Spanish button texts.
class DialogoOperadorQt final : public DialogoOperador
{
public:
    int MsgBox(const QString &texto, int estilo, const QString &titulo) override;
    QString InputBox(const QString &pregunta, const QString &titulo, const QString &valorInicial,
                     bool *aceptado) override;
    QString AbrirArchivo(const QString &titulo, const QString &filtro, const QString &carpetaInicial) override;
};
