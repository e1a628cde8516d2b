#pragma once
// What an import (or a trial import) came to, when some cells could not be
// read: the counts, and every such cell with its row, column, text and the
// reason, in a read-only grid (an import of a large file may have many).

#include <QAbstractTableModel>
#include <QDialog>
#include <vector>

#include "data/store/ImportJob.h"

class QTableView;

// The cells an import could not read, one per row of the grid.
class CUnreadCellsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { RowColumn, CellColumn, TextColumn, ReasonColumn, ColumnCount };

    // The cells of outcome; job gives their texts (the grid's row numbers
    // count from 0, as the import window's do).
    CUnreadCellsModel(const CImportOutcome& outcome, const CImportJob& job, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct CCell {
        int row;
        QString column;
        QString text;
        QString reason;
    };
    std::vector<CCell> m_cells;
};

class CImportResultDlg : public QDialog {
    Q_OBJECT

public:
    CImportResultDlg(
        const QString& summary, const CImportOutcome& outcome, const CImportJob& job, QWidget* parent = nullptr);

    const QString& GetSummary() const { return m_summary; }
    QTableView* GetCells() const { return m_cells; }

private:
    QString m_summary;
    QTableView* m_cells;
};
