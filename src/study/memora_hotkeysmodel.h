#pragma once

#include "study/hotkeys.h"

#include <QAbstractTableModel>

// The rows of one hotkey set for the hotkey page: action name, key text, description and
// state (HotkeyState) in columns 0 to 3. Only the display role is answered.
class Memora_HotkeysModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit Memora_HotkeysModel(QObject *parent = nullptr);

    void setLists(const QStringList &names, const QStringList &keys,
                  const QStringList &descriptions, const QList<int> &states);
    void setLists(const HotkeyLists &lists);
    void clearLists();
    // Row index.row() gets the key and state when role is Qt::EditRole; false otherwise.
    bool setHotkey(const QModelIndex &index, const QString &key, int state,
                   int role = Qt::EditRole);
    QString keyAt(int row) const;
    int stateAt(int row) const;
    QString nameAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList m_names;
    QStringList m_keys;
    QStringList m_descriptions;
    QList<int> m_states;
};
