#include "app/dialogs/ImportResultDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"

CUnreadCellsModel::CUnreadCellsModel(const CImportOutcome& outcome, const CImportJob& job, QObject* parent)
    : QAbstractTableModel(parent)
{
    m_cells.reserve(outcome.unread.size());
    for (const CImportOutcome::CUnread& cell : outcome.unread) {
        const int row = cell.rowNumber - 1;
        QString text;
        if (row >= 0 && row < job.GetRowCount()) {
            const CImportCells& cells = job.GetRow(row).cells;
            if (cell.column >= 1 && cell.column <= cells.GetSize())
                text = Q(cells.GetAt(cell.column - 1));
        }
        m_cells.push_back({ row, QString("%1 (%2)").arg(cell.column).arg(Q(cell.property)), text, Q(cell.problem) });
    }
}

int CUnreadCellsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_cells.size());
}

int CUnreadCellsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CUnreadCellsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    const CCell& cell = m_cells[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case RowColumn:
        return role == Qt::DisplayRole ? QVariant(cell.row) : QVariant();
    case CellColumn:
        return cell.column;
    case TextColumn:
        return cell.text;
    default:
        return cell.reason;
    }
}

QVariant CUnreadCellsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const kHeadings[ColumnCount] = { "Row", "Column", "Text", "Why" };
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QVariant();
    return QString(kHeadings[section]);
}

CImportResultDlg::CImportResultDlg(
    const QString& summary, const CImportOutcome& outcome, const CImportJob& job, QWidget* parent)
    : QDialog(parent)
    , m_summary(summary)
    , m_cells(new QTableView(this))
{
    setWindowTitle("Import");
    auto* text = new QLabel(summary, this);
    text->setWordWrap(true);
    m_cells->setObjectName("unreadCells");
    m_cells->setModel(new CUnreadCellsModel(outcome, job, m_cells));
    m_cells->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_cells->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_cells->setWordWrap(false);
    m_cells->verticalHeader()->hide();
    m_cells->horizontalHeader()->setStretchLastSection(true);
    m_cells->resizeColumnsToContents();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(BuddyLabel(
        QString("&Cells that could not be read, left empty (%1):").arg(outcome.unread.size()), m_cells, this));
    layout->addWidget(m_cells, 1);
    layout->addWidget(buttons);
    resize(640, 420);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}
