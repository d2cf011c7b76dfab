#include "ModeloDefiniciones.h"

#include "ListaDefiniciones.h"

void ModeloDefiniciones::Asignar(QStringList entradas)
{
    beginResetModel();
    m_entradas = std::move(entradas);
    m_nombres.clear();
    m_nombres.reserve(m_entradas.size());
    for (const QString &entrada : std::as_const(m_entradas))
        m_nombres.append(ListaDefiniciones::NombreDeEntrada(entrada));
    endResetModel();
}

int ModeloDefiniciones::rowCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : int(m_entradas.size());
}

QVariant ModeloDefiniciones::data(const QModelIndex &indice, int rol) const
{
    if (!indice.isValid() || indice.row() >= m_entradas.size())
        return {};
    switch (rol) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_nombres.at(indice.row());
    case Qt::ToolTipRole:
        // Two objects can share a display name (MA_CUENTAS and V_MA_CUENTAS).
        return ListaDefiniciones::TablaDeEntrada(m_entradas.at(indice.row()));
    case kRolEntrada:
        return m_entradas.at(indice.row());
    default:
        return {};
    }
}
