#include "app/views/ReportGrid.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

CReportGrid::CReportGrid(QWidget* parent)
    : QWidget(parent)
    , m_title(new QLabel(this))
    , m_table(new QTableWidget(this))
    , m_topNotes(new QLabel(this))
    , m_empty(new QLabel(this))
    , m_notes(new QLabel(this))
{
    m_title->setObjectName("reportTitle");
    m_topNotes->setObjectName("reportTopNotes");
    m_topNotes->setWordWrap(true);
    m_empty->setObjectName("reportEmpty");
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setWordWrap(true);
    m_notes->setObjectName("reportNotes");
    m_notes->setWordWrap(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addWidget(m_topNotes);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_empty, 1);
    layout->addWidget(m_notes);
}

void CReportGrid::SetTable(const CReportTable& table)
{
    m_data = table;
    m_title->setText(QString("<b>%1</b>").arg(table.title.toHtmlEscaped()));
    m_table->clear();
    m_table->setColumnCount(static_cast<int>(table.columns.size()));
    m_table->setHorizontalHeaderLabels(table.columns);
    m_table->setRowCount(static_cast<int>(table.rows.size()));
    for (int row = 0; row < table.rows.size(); ++row) {
        const bool total = table.hasTotalRow && row == table.rows.size() - 1;
        for (int column = 0; column < table.columns.size(); ++column) {
            auto* cell = new QTableWidgetItem(table.rows[row].value(column));
            if (table.numericColumns.contains(column))
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (total) {
                QFont font = cell->font();
                font.setBold(true);
                cell->setFont(font);
            }
            m_table->setItem(row, column, cell);
        }
    }
    m_table->resizeColumnsToContents();
    const bool empty = table.rows.isEmpty() && !table.emptyText.isEmpty();
    m_table->setVisible(!empty);
    m_empty->setText(empty ? table.emptyText : QString());
    m_empty->setVisible(empty);
    const QStringList top = table.notesAtTop ? table.notes : QStringList();
    m_topNotes->setText(top.join("\n\n"));
    m_topNotes->setVisible(!top.isEmpty());
    QStringList notes = table.notesAtTop ? QStringList() : table.notes;
    if (table.signatureLine)
        notes << CReportTable::SIGNATURE_LINE;
    m_notes->setText(notes.join("\n\n"));
    m_notes->setVisible(!notes.isEmpty());
}

int CReportGrid::RowCount() const
{
    return m_table->rowCount();
}

int CReportGrid::ColumnCount() const
{
    return m_table->columnCount();
}

QString CReportGrid::HeaderText(int column) const
{
    const QTableWidgetItem* header = m_table->horizontalHeaderItem(column);
    return header ? header->text() : QString();
}

QString CReportGrid::CellText(int row, int column) const
{
    const QTableWidgetItem* cell = m_table->item(row, column);
    return cell ? cell->text() : QString();
}

QString CReportGrid::EmptyText() const
{
    return m_empty->isVisibleTo(this) ? m_empty->text() : QString();
}
