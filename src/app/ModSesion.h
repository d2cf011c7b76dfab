#pragma once

#include <QString>

// The date texts of the session records, in the regional date and time
// separators: "dd/mm/yy hh:mm", "dd/mm/yy" and "hh:mm" (24-hour).
QString FormatoFechaHora();
QString FormatoFecha();
QString FormatoHora();
