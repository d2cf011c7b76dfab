#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

// The regional settings that the routines read when they turn dates, times and
// numbers into text or back.
struct Regional
{
    QChar separadorFecha = u'/';
    QChar separadorHora = u':';
    QChar separadorDecimal = u',';
    QChar separadorMiles = u'.';
    // Order of the short date: "dmy", "mdy" or "ymd".
    QString ordenFecha = QStringLiteral("dmy");

    // The short date text in this order and separator, four-digit year.
    QString FechaCorta(const QDate &fecha) const;
    // A short date text read back in this order; invalid when it does not parse.
    QDate LeerFechaCorta(const QString &texto) const;
    // Hours, minutes and seconds, 24-hour, two digits each.
    QString HoraLarga(const QTime &hora) const;
};

// The process-wide platform pieces that tests replace: the clock, the regional
// settings and "ending the program at once".
class Plataforma
{
public:
    static QDateTime Ahora();
    static const Regional &Configuracion();

    // Ends the process at once: no further window, no unload handler runs.
    [[noreturn]] static void TerminarPrograma();

    // Seams for tests and for the start-up.
    static void EstablecerReloj(std::function<QDateTime()> reloj);
    static void EstablecerRegional(const Regional &regional);
    // The handler must not return: a test's handler throws to unwind the routine
    // that ended the program, the way the process would have stopped there.
    static void EstablecerTerminacion(std::function<void()> terminar);
    static void Restablecer();
    // Reads the regional settings of the machine's locale.
    static Regional RegionalDelSistema();
};

// Thrown by the terminating handler that tests install, so a test can see that a
// routine ended the program and where. Routines never catch it.
struct ProgramaTerminado
{
};
