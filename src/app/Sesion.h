#pragma once

#include <QString>
#include <QtGlobal>

// The session values: written by the start-up, read by the whole program.
// The password marker "* *" stands for the user's stored password.
inline QString gUsuarioLogeado;
inline QString gPassword;
inline QString gParametroAdicional;
inline QString gCaja;
inline quint32 gColorFondo = 0;
inline quint32 gColorLetra = 0;
inline qint32 gIdControlAcceso = 0;
// True when the configuration key SS_CONFIDENCIALIDAD holds "SI": accounting
// entries are then read through their synonym view.
inline bool gConfidencialidad = false;
// True when the key UTILIZARFECHADIA holds "SI": the operating date, not the
// server's, is the date of record when the server gives none.
inline bool gUtilizarFechaDia = false;

inline const QString kMarcaPasswordGuardada = QStringLiteral("* *");
