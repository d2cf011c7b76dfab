#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The entries of the definition chooser as a list model: the chooser shows each
// entry's display name, and the whole padded entry (display name and table)
// stays in the role kRolEntrada, from which name and table are taken. Holding
// plain texts lets a schema of thousands of tables fill the chooser at once.
class ModeloDefiniciones final : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int kRolEntrada = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;

    // Replaces every entry; `entradas` must already be in the chooser's order.
    void Asignar(QStringList entradas);
    void Vaciar() { Asignar({}); }
    const QStringList &Entradas() const { return m_entradas; }

    int rowCount(const QModelIndex &padre = QModelIndex()) const override;
    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;

private:
    QStringList m_entradas;
    QStringList m_nombres; // display names, derived once per fill
};
