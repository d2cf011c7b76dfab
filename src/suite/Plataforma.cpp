#include "Plataforma.h"

#include <QLocale>
#include <QRegularExpression>
#include <cstdlib>
#include <unistd.h>

namespace {

struct Estado
{
    std::function<QDateTime()> reloj;
    std::function<void()> terminar;
    Regional regional = Plataforma::RegionalDelSistema();
};

Estado &estado()
{
    static Estado e;
    return e;
}

} // namespace

QString Regional::FechaCorta(const QDate &fecha) const
{
    const QString d = QStringLiteral("%1").arg(fecha.day(), 2, 10, QLatin1Char('0'));
    const QString m = QStringLiteral("%1").arg(fecha.month(), 2, 10, QLatin1Char('0'));
    const QString a = QStringLiteral("%1").arg(fecha.year(), 4, 10, QLatin1Char('0'));
    const QString s(separadorFecha);
    if (ordenFecha == u"mdy")
        return m + s + d + s + a;
    if (ordenFecha == u"ymd")
        return a + s + m + s + d;
    return d + s + m + s + a;
}

QDate Regional::LeerFechaCorta(const QString &texto) const
{
    static const QRegularExpression partes(QStringLiteral("^\\s*(\\d{1,4})\\D(\\d{1,2})\\D(\\d{1,4})"));
    const auto m = partes.match(texto);
    if (!m.hasMatch())
        return {};
    const int a = m.captured(1).toInt(), b = m.captured(2).toInt(), c = m.captured(3).toInt();
    auto anio = [](int y) { return y < 100 ? (y < 30 ? 2000 + y : 1900 + y) : y; };
    if (ordenFecha == u"mdy")
        return QDate(anio(c), a, b);
    if (ordenFecha == u"ymd")
        return QDate(anio(a), b, c);
    return QDate(anio(c), b, a);
}

QString Regional::HoraLarga(const QTime &hora) const
{
    auto dos = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    return dos(hora.hour()) + separadorHora + dos(hora.minute()) + separadorHora + dos(hora.second());
}

Regional Plataforma::RegionalDelSistema()
{
    Regional r;
    const QLocale local = QLocale::system();
    // A machine without a configured locale ("C") gets the suite's own
    // Spanish defaults: day/month/year with "/" and a decimal comma.
    if (local.language() == QLocale::C)
        return r;
    r.separadorDecimal = local.decimalPoint().isEmpty() ? u',' : local.decimalPoint().at(0);
    r.separadorMiles = local.groupSeparator().isEmpty() ? u'.' : local.groupSeparator().at(0);
    const QString formato = local.dateFormat(QLocale::ShortFormat).toLower();
    const qsizetype pd = formato.indexOf(u'd'), pm = formato.indexOf(u'm'), py = formato.indexOf(u'y');
    if (pd >= 0 && pm >= 0 && py >= 0)
        r.ordenFecha = py < pm ? QStringLiteral("ymd") : (pm < pd ? QStringLiteral("mdy") : QStringLiteral("dmy"));
    for (QChar c : formato) {
        if (!c.isLetter()) {
            r.separadorFecha = c;
            break;
        }
    }
    return r;
}

QDateTime Plataforma::Ahora()
{
    const auto &reloj = estado().reloj;
    return reloj ? reloj() : QDateTime::currentDateTime();
}

const Regional &Plataforma::Configuracion()
{
    return estado().regional;
}

void Plataforma::TerminarPrograma()
{
    if (const auto &terminar = estado().terminar)
        terminar();
    // Nothing else may run: no window closes, no unload handler, no exit handler.
    ::_exit(0);
}

void Plataforma::EstablecerReloj(std::function<QDateTime()> reloj)
{
    estado().reloj = std::move(reloj);
}

void Plataforma::EstablecerRegional(const Regional &regional)
{
    estado().regional = regional;
}

void Plataforma::EstablecerTerminacion(std::function<void()> terminar)
{
    estado().terminar = std::move(terminar);
}

void Plataforma::Restablecer()
{
    estado() = Estado{};
}
