#pragma once

#include <QAbstractTableModel>
#include <QList>

// The forgetting points of a course (seconds, in schedule order) as a one-column table whose
// rows read "1天6小时", "5分" and the like. Values change only through the operations below.
class Memora_ForgottenPointModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit Memora_ForgottenPointModel(QObject *parent = nullptr);

    // The display text of a point: days, hours and minutes; seconds below a minute are not
    // shown, and a point under a minute shows as an empty text.
    static QString pointText(int seconds);

    void setPoints(const QList<int> &points);
    QList<int> points() const { return m_points; }
    int point(int row) const;
    // Inserts before row; a negative row inserts at the front, one at or past the end appends.
    void insertPoint(int row, int seconds);
    void setPoint(const QModelIndex &index, int seconds);
    // Rows outside the list are ignored.
    void removePoint(int row);
    // Swaps the row with its neighbour above (up) or below; false at the ends.
    bool movePoint(int row, bool up);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QList<int> m_points;
};
