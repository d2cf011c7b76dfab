#include "Valores.h"

#include "Motor.h"

namespace db {

namespace {
bool digitos(const char *p, int n, int &valor)
{
    valor = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return false;
        valor = valor * 10 + (p[i] - '0');
    }
    return true;
}
}

bool LeerFechaIso(const char *p, qsizetype n, QDateTime &fecha)
{
    int a, m, d, hh = 0, mi = 0, ss = 0, ms = 0;
    if (n < 10 || p[4] != '-' || p[7] != '-' || !digitos(p, 4, a) || !digitos(p + 5, 2, m)
        || !digitos(p + 8, 2, d))
        return false;
    if (n > 10) {
        if (n < 16 || (p[10] != ' ' && p[10] != 'T') || p[13] != ':' || !digitos(p + 11, 2, hh)
            || !digitos(p + 14, 2, mi))
            return false;
        if (n > 16) {
            if (n < 19 || p[16] != ':' || !digitos(p + 17, 2, ss))
                return false;
            if (n > 19) {
                if (p[19] != '.')
                    return false;
                int cifras = int(qMin<qsizetype>(n - 20, 3));
                if (cifras <= 0 || !digitos(p + 20, cifras, ms))
                    return false;
                for (int i = cifras; i < 3; ++i)
                    ms *= 10;
            }
        }
    }
    const QDate dia(a, m, d);
    const QTime hora(hh, mi, ss, ms);
    if (!dia.isValid() || !hora.isValid())
        return false;
    fecha = QDateTime(dia, hora);
    return true;
}

bool LeerFechaIso(const QString &texto, QDateTime &fecha)
{
    const QByteArray b = texto.toLatin1();
    return LeerFechaIso(b.constData(), b.size(), fecha);
}

QVariant ValorDesdeTexto(const QString &texto, Naturaleza naturaleza)
{
    bool ok = false;
    switch (naturaleza) {
    case Naturaleza::Texto:
    case Naturaleza::Binario:
        return texto;
    case Naturaleza::Entero: {
        const qlonglong v = texto.trimmed().toLongLong(&ok);
        return ok ? QVariant(v) : QVariant(texto);
    }
    case Naturaleza::Real: {
        const double v = texto.trimmed().toDouble(&ok);
        return ok ? QVariant(v) : QVariant(texto);
    }
    case Naturaleza::Logico: {
        const QString t = texto.trimmed();
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
        const qlonglong v = t.toLongLong(&ok);
        return ok ? QVariant(v != 0) : QVariant(texto);
    }
    case Naturaleza::Fecha: {
        QDateTime f;
        return LeerFechaIso(texto, f) ? QVariant(f) : QVariant(texto);
    }
    }
    return texto;
}

QVariant ValorParaBase(const QVariant &valor)
{
    if (valor.isNull())
        return {};
    switch (valor.metaType().id()) {
    case QMetaType::QDateTime:
        return valor.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QDate:
        return valor.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QTime:
        return valor.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::Bool:
        return valor.toBool() ? 1 : 0;
    default:
        return valor;
    }
}

namespace {
constexpr size_t kBloquesGuardados = 512; // 32 MB of cells

std::vector<std::vector<QVariant>> &bloquesLibres()
{
    thread_local std::vector<std::vector<QVariant>> libres;
    return libres;
}
}

std::vector<QVariant> Celdas::BloqueLibre()
{
    auto &libres = bloquesLibres();
    if (libres.empty()) {
        std::vector<QVariant> b;
        b.reserve(kBloque);
        return b;
    }
    std::vector<QVariant> b = std::move(libres.back());
    libres.pop_back();
    return b;
}

void Celdas::Devolver(std::vector<QVariant> &&bloque)
{
    bloque.clear();
    auto &libres = bloquesLibres();
    if (bloque.capacity() == kBloque && libres.size() < kBloquesGuardados)
        libres.push_back(std::move(bloque));
}

}
