#pragma once

#include "data/DB_Dll.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

// The suite's settings, key/value rows of TA_CONFIGURACION in the company
// database and in the statistics database. A reader returns a single blank when
// the key has no row and an empty text when the read could not be made.

inline const QString kGrupoDatos = QStringLiteral("DATOS");

// Name of the configuration table read by Cfg, CfgAux and GrabaDfg.
inline QString gTablaConfiguracion;
// Statement time-out in seconds, from the statistics database.
inline qint16 gTimeOut = 45;

// The second data-access object, on the statistics database KV_ESTADISTICAS.
DB_Dll &gDBEstadisticas();

QString Cfg(const QString &Clave, QString &ValorAux, const QString &Grupo = kGrupoDatos);
QString Cfg(const QString &Clave, const QString &Grupo = kGrupoDatos);
QString CfgAux(const QString &Clave, const QString &Valor = {});
void GrabaDfg(const QString &Clave, const QVariant &Valor, const QString &ValorAux = {}, bool PoliticaNegocio = false,
              const QString &Grupo = kGrupoDatos, bool Recortar = true);
QString CfgKV(const QString &Clave, QString &ValorAux);
void GrabaCfgKV(const QString &Clave, const QVariant &Valor, const QString &ValorAux = {},
                bool PoliticaNegocio = false, const QString &Grupo = kGrupoDatos, bool Recortar = true);

// The definition editor's own one-key reader (its Cfg).
QString CfgDefConsultas(const QString &Campo);

// Connects the statistics database and reads the statement time-out into gTimeOut.
void CargarTimeOut();

// The database server's current date and time.
QDateTime FechaServidor();

// The statements of the readers and writers, as they are sent.
namespace SentenciasConfiguracion {
QString Cfg(const QString &Clave, const QString &Grupo);
QString CfgAux(const QString &Clave, const QString &Valor);
QString CfgKV(const QString &Clave);
QString GrabaDfg(const QString &Clave, const QString &Grupo);
QString GrabaCfgKV(const QString &Clave);
QString CfgDefConsultas(const QString &Campo);
}
