#pragma once

#include <QString>

// The date texts of the session records, in the regional date and time
// separators: "dd/mm/yy hh:mm", "dd/mm/yy" and "hh:mm" (24-hour).
QString FormatoFechaHora();
QString FormatoFecha();
QString FormatoHora();

// The session's access record in Control_Acceso: written when the session
// begins, closed with the egress time when the editor unloads; and one audit
// row per action in V_MV_CPTEACCIONES.
void RegistrarIngreso(QString Proceso = {});
void RegistrarEgreso();
void RegistrarAccion(const QString &TipoComprobante, const QString &IdComprobante, QString IdComplemento, bool EsAlta,
                     bool EsModificacion, const QString &Accion, const QString &Cuenta, bool EsError);
