#include "ModSesion.h"

#include "suite/Plataforma.h"

QString FormatoFecha()
{
    const QDate hoy = Plataforma::Ahora().date();
    const QString s(Plataforma::Configuracion().separadorFecha);
    return hoy.toString(QStringLiteral("dd")) + s + hoy.toString(QStringLiteral("MM")) + s
        + hoy.toString(QStringLiteral("yy"));
}

QString FormatoHora()
{
    return Plataforma::Ahora().time().toString(QStringLiteral("HH")) + Plataforma::Configuracion().separadorHora
        + Plataforma::Ahora().time().toString(QStringLiteral("mm"));
}

QString FormatoFechaHora()
{
    return FormatoFecha() + u' ' + FormatoHora();
}
