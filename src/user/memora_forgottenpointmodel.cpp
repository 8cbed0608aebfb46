#include "user/memora_forgottenpointmodel.h"

Memora_ForgottenPointModel::Memora_ForgottenPointModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

QString Memora_ForgottenPointModel::pointText(int seconds)
{
    const int d = seconds / 86400;
    const int h = (seconds % 86400) / 3600;
    const int m = (seconds % 3600) / 60;
    if (d > 0) {
        if (h > 0 && m == 0)
            return tr("%1天%2小时").arg(d).arg(h);
        if (h == 0 && m == 0)
            return tr("%1天").arg(d);
        return tr("%1天%2小时%3分").arg(d).arg(h).arg(m);
    }
    if (h > 0)
        return m > 0 ? tr("%1小时%2分").arg(h).arg(m) : tr("%1小时").arg(h);
    if (m > 0)
        return tr("%1分").arg(m);
    return QString();
}

void Memora_ForgottenPointModel::setPoints(const QList<int> &points)
{
    beginResetModel();
    m_points = points;
    endResetModel();
}

int Memora_ForgottenPointModel::point(int row) const
{
    return m_points.value(row);
}

void Memora_ForgottenPointModel::insertPoint(int row, int seconds)
{
    beginResetModel();
    if (row < 0)
        m_points.prepend(seconds);
    else if (row >= m_points.size())
        m_points.append(seconds);
    else
        m_points.insert(row, seconds);
    endResetModel();
}

void Memora_ForgottenPointModel::setPoint(const QModelIndex &index, int seconds)
{
    if (!index.isValid() || index.row() >= m_points.size())
        return;
    m_points[index.row()] = seconds;
    emit dataChanged(index, index);
}

void Memora_ForgottenPointModel::removePoint(int row)
{
    if (row < 0 || row >= m_points.size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_points.removeAt(row);
    endRemoveRows();
}

bool Memora_ForgottenPointModel::movePoint(int row, bool up)
{
    const int other = up ? row - 1 : row + 1;
    if (row < 0 || row >= m_points.size() || other < 0 || other >= m_points.size())
        return false;
    beginResetModel();
    m_points.swapItemsAt(row, other);
    endResetModel();
    return true;
}

int Memora_ForgottenPointModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_points.size());
}

int Memora_ForgottenPointModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant Memora_ForgottenPointModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_points.size() || index.column() != 0)
        return QVariant();
    if (role == Qt::DisplayRole) {
        const QString text = pointText(m_points.at(index.row()));
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignHCenter | Qt::AlignVCenter);
    return QVariant();
}

QVariant Memora_ForgottenPointModel::headerData(int section, Qt::Orientation orientation,
                                                int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section == 0)
        return tr("遗忘点");
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags Memora_ForgottenPointModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}
