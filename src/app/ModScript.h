#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// Sends a list of statements as one batch inside a transaction, commits or
// rolls it back, tells the operator of the provider's errors and records them
// in AUX_ERR. Empty elements of the list are skipped.
void GActualizarDatoScript(QStringList &Sentencias, bool &HuboError, qint32 &ErrorNativo, bool ClaveDuplicada,
                           bool Restriccion, QString &Script, QString &MensajeError, bool MostrarMensaje);

// Writes one row into AUX_ERR; failures lose the row silently. An empty
// process name becomes the executable name (and is written back).
void RegistrarAuxErr(const QString &Sentencia, QString &Proceso, const QVariant &ErrorNativo, const QString &TextoError);
