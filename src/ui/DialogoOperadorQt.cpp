#include "DialogoOperadorQt.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

struct Boton
{
    const char *texto;
    QMessageBox::ButtonRole rol;
    int respuesta;
};

QList<Boton> botonesDe(int estilo)
{
    const Boton ok{"&Aceptar", QMessageBox::AcceptRole, DialogoOperador::vbOK};
    const Boton cancelar{"&Cancelar", QMessageBox::RejectRole, DialogoOperador::vbCancel};
    const Boton anular{"&Anular", QMessageBox::RejectRole, DialogoOperador::vbAbort};
    const Boton reintentar{"&Reintentar", QMessageBox::AcceptRole, DialogoOperador::vbRetry};
    const Boton omitir{"&Omitir", QMessageBox::AcceptRole, DialogoOperador::vbIgnore};
    const Boton si{"&Sí", QMessageBox::YesRole, DialogoOperador::vbYes};
    const Boton no{"&No", QMessageBox::NoRole, DialogoOperador::vbNo};
    switch (DialogoOperador::Botones(estilo)) {
    case DialogoOperador::vbOKCancel: return {ok, cancelar};
    case DialogoOperador::vbAbortRetryIgnore: return {anular, reintentar, omitir};
    case DialogoOperador::vbYesNoCancel: return {si, no, cancelar};
    case DialogoOperador::vbYesNo: return {si, no};
    case DialogoOperador::vbRetryCancel: return {reintentar, cancelar};
    default: return {ok};
    }
}

QMessageBox::Icon iconoDe(int estilo)
{
    switch (DialogoOperador::Icono(estilo)) {
    case DialogoOperador::vbCritical: return QMessageBox::Critical;
    case DialogoOperador::vbQuestion: return QMessageBox::Question;
    case DialogoOperador::vbExclamation: return QMessageBox::Warning;
    case DialogoOperador::vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// "Base de Datos |*.MDB|Todos|*.*" becomes "Base de Datos (*.MDB);;Todos (*.*)".
QString filtroQt(const QString &filtro)
{
    const QStringList partes = filtro.split(u'|');
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2)
        filtros << partes[i].trimmed() + QStringLiteral(" (") + QString(partes[i + 1]).replace(u';', u' ') + u')';
    return filtros.join(QStringLiteral(";;"));
}

} // namespace

int DialogoOperadorQt::MsgBox(const QString &texto, int estilo, const QString &titulo)
{
    QMessageBox caja(iconoDe(estilo), titulo.isEmpty() ? QApplication::applicationName() : titulo,
                     QString(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n'),
                     QMessageBox::NoButton, QApplication::activeWindow());
    const QList<Boton> botones = botonesDe(estilo);
    QList<QPushButton *> creados;
    for (const Boton &b : botones)
        creados << caja.addButton(QString::fromUtf8(b.texto), b.rol);
    const int porDefecto = (estilo & DialogoOperador::vbDefaultButton3) ? 2
        : (estilo & DialogoOperador::vbDefaultButton2)                ? 1
                                                                       : 0;
    caja.setDefaultButton(creados.value(qMin<int>(porDefecto, creados.size() - 1)));
    // Escape answers like the window's close box: cancel, no or abort when offered.
    for (qsizetype i = 0; i < botones.size(); ++i)
        if (botones[i].rol == QMessageBox::RejectRole || botones[i].rol == QMessageBox::NoRole)
            caja.setEscapeButton(creados[i]);
    caja.exec();
    const qsizetype elegido = creados.indexOf(qobject_cast<QPushButton *>(caja.clickedButton()));
    if (elegido < 0)
        return botones.size() == 1 ? vbOK : vbCancel;
    return botones[elegido].respuesta;
}

QString DialogoOperadorQt::InputBox(const QString &pregunta, const QString &titulo,
                                    const QString &valorInicial, bool *aceptado)
{
    QInputDialog dialogo(QApplication::activeWindow());
    dialogo.setWindowTitle(titulo.isEmpty() ? QApplication::applicationName() : titulo);
    dialogo.setLabelText(pregunta);
    dialogo.setTextValue(valorInicial);
    dialogo.setOkButtonText(QStringLiteral("&Aceptar"));
    dialogo.setCancelButtonText(QStringLiteral("&Cancelar"));
    const bool ok = dialogo.exec() == QDialog::Accepted;
    if (aceptado)
        *aceptado = ok;
    return ok ? dialogo.textValue() : QString();
}

QString DialogoOperadorQt::AbrirArchivo(const QString &titulo, const QString &filtro,
                                        const QString &carpetaInicial)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), titulo, carpetaInicial, filtroQt(filtro));
}
