#pragma once
// The item list as the filter box narrows it: the entries whose text holds
// the filter text, ignoring case. A new filter text lays the list out anew
// in one step instead of removing and inserting row by row, which with
// many entries scattered over the list takes far longer.

#include <QSortFilterProxyModel>

class CItemFilterModel : public QSortFilterProxyModel {
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetFilterText(const QString& text);
    const QString& FilterText() const { return m_text; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString m_text;
};
