#include "study/memora_hotkeysmodel.h"

Memora_HotkeysModel::Memora_HotkeysModel(QObject *parent) : QAbstractTableModel(parent) {}

void Memora_HotkeysModel::setLists(const QStringList &names, const QStringList &keys,
                                   const QStringList &descriptions, const QList<int> &states)
{
    beginResetModel();
    m_names = names;
    m_keys = keys;
    m_descriptions = descriptions;
    m_states = states;
    // The lists are parallel; a short one would make rows unreadable.
    const qsizetype rows = m_names.size();
    while (m_keys.size() < rows)
        m_keys << QString();
    while (m_descriptions.size() < rows)
        m_descriptions << QString();
    while (m_states.size() < rows)
        m_states << HOTKEY_DEFAULT;
    endResetModel();
}

void Memora_HotkeysModel::setLists(const HotkeyLists &lists)
{
    setLists(lists.names, lists.keys, lists.descriptions, lists.states);
}

void Memora_HotkeysModel::clearLists()
{
    beginResetModel();
    m_names.clear();
    m_keys.clear();
    m_descriptions.clear();
    m_states.clear();
    endResetModel();
}

bool Memora_HotkeysModel::setHotkey(const QModelIndex &index, const QString &key, int state,
                                    int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_names.size())
        return false;
    m_keys[index.row()] = key;
    m_states[index.row()] = state;
    emit dataChanged(index, index);
    return true;
}

QString Memora_HotkeysModel::keyAt(int row) const
{
    return m_keys.value(row);
}

int Memora_HotkeysModel::stateAt(int row) const
{
    return m_states.value(row, HOTKEY_NONE);
}

QString Memora_HotkeysModel::nameAt(int row) const
{
    return m_names.value(row);
}

int Memora_HotkeysModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

int Memora_HotkeysModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant Memora_HotkeysModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole || index.row() >= m_names.size())
        return QVariant();
    switch (index.column()) {
    case 0:
        return m_names.at(index.row());
    case 1:
        return m_keys.at(index.row());
    case 2:
        return m_descriptions.at(index.row());
    case 3:
        return m_states.at(index.row());
    default:
        return QVariant();
    }
}

QVariant Memora_HotkeysModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return QString::number(section);
    switch (section) {
    case 0:
        return tr("动作");
    case 1:
        return tr("快捷键");
    case 2:
        return tr("描述");
    case 3:
        return tr("类型");
    default:
        return QVariant();
    }
}
