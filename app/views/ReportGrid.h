#pragma once
// The one grid every report is shown in: a title, read-only rows under
// column headings (numbers aligned right, a total row in bold) or the text
// that says there are none, and the report's notes where it wants them.

#include <QWidget>

#include "app/reports/ReportTable.h"

class QLabel;
class QTableWidget;

class CReportGrid : public QWidget {
    Q_OBJECT

public:
    explicit CReportGrid(QWidget* parent = nullptr);

    void SetTable(const CReportTable& table);
    const CReportTable& GetTable() const { return m_data; }

    int RowCount() const;
    int ColumnCount() const;
    QString HeaderText(int column) const;
    QString CellText(int row, int column) const;
    // What is said in place of the rows; "" while rows are shown.
    QString EmptyText() const;
    QTableWidget* GetTableWidget() const { return m_table; }

private:
    CReportTable m_data;
    QLabel* m_title;
    QTableWidget* m_table;
    QLabel* m_topNotes;
    QLabel* m_empty;
    QLabel* m_notes;
};
