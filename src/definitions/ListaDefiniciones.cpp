#include "ListaDefiniciones.h"

#include "data/db/Recordset.h"
#include "suite/LibreriaSuite.h"

#include <algorithm>
#include <vector>

namespace ListaDefiniciones {

namespace {

bool empiezaCon(const QString &texto, QLatin1StringView prefijo)
{
    return texto.startsWith(prefijo, Qt::CaseInsensitive);
}

bool iguales(const QString &a, QLatin1StringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}

QString ArmarEntrada(const QString &nombre, const QString &tabla)
{
    return Cadenas::Compartida().Rellenar(nombre, kAnchoNombre) + tabla;
}

QString NombreDeEntrada(const QString &entrada)
{
    return entrada.left(kAnchoNombre).trimmed();
}

QString TablaDeEntrada(const QString &entrada)
{
    return entrada.mid(kAnchoNombre).trimmed();
}

QString NombreVisible(const QString &tabla)
{
    // The prefixes are tried in this order: a P_MA_ or V_MA_ name must not be
    // taken for a master table, and the personnel copy of the customers is the
    // only P_MA_ table the suite looks up.
    for (const char *p : {"MA_", "TA_", "MV_", "AC_"})
        if (empiezaCon(tabla, QLatin1StringView(p)))
            return tabla.mid(3);
    if (empiezaCon(tabla, QLatin1StringView("AUX_")))
        return tabla.mid(4);
    if (empiezaCon(tabla, QLatin1StringView("P_MA_")))
        return iguales(tabla.trimmed(), QLatin1StringView("P_MA_CLIENTES")) ? QStringLiteral("CLIENTES_RRHH")
                                                                            : QString();
    for (const char *p : {"P_TA_", "P_MV_", "P_AC_", "V_MA_", "V_TA_", "V_MV_", "V_AC_"})
        if (empiezaCon(tabla, QLatin1StringView(p)))
            return tabla.mid(5);
    return {};
}

bool SeOfrece(const QString &tabla, const QString &tipo)
{
    if (!iguales(tipo, QLatin1StringView("TABLE")) && !iguales(tipo, QLatin1StringView("VIEW")))
        return false;
    if (tabla.isEmpty() || NombreVisible(tabla).isEmpty())
        return false;
    const QString nombre = tabla.trimmed();
    return !iguales(nombre, QLatin1StringView("V_MA_ARTICULOS")) && !iguales(nombre, QLatin1StringView("Aux_Articulos"))
        && !iguales(nombre, QLatin1StringView("v_ma_mantenimientos"));
}

QStringList EntradasDelEsquema(db::Recordset &tablas)
{
    const Cadenas &cadenas = Cadenas::Compartida();
    db::Field &campoTabla = tablas.Fields(QStringLiteral("TABLE_NAME"));
    db::Field &campoTipo = tablas.Fields(QStringLiteral("Table_Type"));
    QStringList entradas;
    for (; !tablas.Eof(); tablas.MoveNext()) {
        const QString tabla = cadenas.ValorCampo(campoTabla.Value()).toString();
        if (SeOfrece(tabla, cadenas.ValorCampo(campoTipo.Value()).toString()))
            entradas.append(ArmarEntrada(NombreVisible(tabla), tabla));
    }
    return entradas;
}

QStringList EntradasFijas()
{
    // V_MA_ARTICULOS, AUX_ARTICULOS and v_ma_mantenimientos are left out of the
    // schema entries because these stand for them.
    static const char *const kFijas[][2] = {
        {"Clientes", "VT_Clientes"},
        {"ClientesVs", "VT_ClientesVs"},
        {"Proveedores", "VT_Proveedores"},
        {"ARTICULOS", "V_MA_ARTICULOS"},
        {"FORM_PEDIDOS", "VT_V_MV_FORMPEDIDOS"},
        {"FORM_STOCK", "VT_V_MV_FORMTOMASTOCK"},
        {"Mantenimientos", "VT_Mantenimientos"},
    };
    QStringList entradas;
    for (const auto &f : kFijas)
        entradas.append(ArmarEntrada(QLatin1StringView(f[0]), QLatin1StringView(f[1])).toUpper());
    return entradas;
}

void Ordenar(QStringList &entradas)
{
    // Folding each entry once keeps the sort of thousands of 200-character
    // entries from folding the same text at every comparison.
    std::vector<std::pair<QString, qsizetype>> claves;
    claves.reserve(size_t(entradas.size()));
    for (qsizetype i = 0; i < entradas.size(); ++i)
        claves.emplace_back(entradas.at(i).toCaseFolded(), i);
    std::stable_sort(claves.begin(), claves.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList ordenadas;
    ordenadas.reserve(entradas.size());
    for (const auto &c : claves)
        ordenadas.append(entradas.at(c.second));
    entradas = std::move(ordenadas);
}

std::optional<QString> EntradaDelParametro(const QString &parametro)
{
    static const char *const kConocidas[][3] = {
        {"CLIENTES", "Clientes", "VT_Clientes"},
        {"PROVEEDORES", "Proveedores", "VT_Proveedores"},
        {"ARTICULOS", "ARTICULOS", "V_MA_ARTICULOS"},
        {"CONTACTOS", "CONTACTOS", "MA_CONTACTOS"},
        {"VEHICULOS", "VEHICULOS", "MA_VEHICULOS"},
    };
    for (const auto &c : kConocidas)
        if (iguales(parametro, QLatin1StringView(c[0])))
            return ArmarEntrada(QLatin1StringView(c[1]), QLatin1StringView(c[2])).toUpper();
    if (parametro.startsWith(u'*') && parametro.size() > 1) {
        const QString tabla = parametro.mid(1);
        QString nombre = tabla;
        for (const char *p : {"V_MA_", "V_TA_", "MA_", "TA_", "VT_"})
            nombre.remove(QLatin1StringView(p), Qt::CaseInsensitive);
        return ArmarEntrada(nombre, tabla);
    }
    return std::nullopt;
}

QString TablaDeColumnas(const QString &tabla)
{
    // The articles and maintenance lookups show the columns of their lookup
    // views, which join the descriptions the plain views lack.
    if (iguales(tabla, QLatin1StringView("v_ma_articulos")))
        return QStringLiteral("vt_ma_articulos");
    if (iguales(tabla, QLatin1StringView("v_ma_MANTENIMIENTOS")))
        return QStringLiteral("vt_MANTENIMIENTOS");
    return tabla;
}

bool EsArticulos(const QString &entrada)
{
    return iguales(entrada.left(20).trimmed(), QLatin1StringView("ARTICULOS"));
}

QString InstruccionSql(const QStringList &elegidas, int cantidadCampos, const QString &tabla,
                       const QString &condicion)
{
    const QString columnas = !elegidas.isEmpty() && elegidas.size() == cantidadCampos
        ? QStringLiteral("*")
        : elegidas.join(QStringLiteral(", "));
    const QString donde = condicion.trimmed();
    return QStringLiteral("SELECT ") + columnas + QStringLiteral(" FROM ") + tabla
        + (donde.isEmpty() ? QString() : QStringLiteral(" WHERE ") + donde);
}

}
