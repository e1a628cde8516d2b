#include "app/dialogs/ImportDlg.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/ImportResultDlg.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaUtils.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/DelimitedTextReader.h"
#include "data/store/Library.h"
#include "data/store/LibrarySnapshot.h"
#include "platform/util/CountText.h"

namespace {

const char* const kTitle = "Import";

class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

CImportDlg::CImportDlg(CLibrary& library, const CString& importPath, int mediaType, QWidget* parent)
    : QDialog(parent)
    , m_library(library)
    , m_importPath(importPath)
    , m_mediaType(new QComboBox(this))
    , m_file(new QLineEdit(this))
    , m_delimiter(new QComboBox(this))
    , m_header(new QCheckBox("&First row holds the column names", this))
    , m_newFields(
          new QCheckBox("&New text custom field for each column left at <ignore>, named after its heading", this))
    , m_grid(new QTableWidget(this))
    , m_existingNote(new QLabel(Q(CImportJob::EXISTING_ROW_NOTE), this))
{
    setWindowTitle(kTitle);
    CUIntArray ids;
    CMediaUtils::GetAlphaOrderedMediaIDs(ids);
    for (UINT id : ids)
        m_mediaType->addItem(Q(CMediaUtils::GetMediaNamePlural(static_cast<int>(id))), static_cast<int>(id));
    for (const CString& name : CDelimitedTextReader::GetDelimiterNames())
        m_delimiter->addItem(Q(name));
    m_delimiter->setCurrentText("comma");
    m_file->setReadOnly(true);
    m_header->setEnabled(false);
    m_newFields->setEnabled(false);
    m_newFields->setToolTip("Needs a first row that holds the column names.");

    auto* browse = new QPushButton("&Browse...", this);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow("&Media type:", m_mediaType);
    form->addRow(BuddyLabel("&File:", m_file, this), fileRow);
    form->addRow("&Delimiter:", m_delimiter);

    m_grid->verticalHeader()->hide();
    m_existingNote->setWordWrap(true);
    m_existingNote->setAutoFillBackground(true);
    QPalette palette = m_existingNote->palette();
    palette.setColor(QPalette::Window, EXISTING_ROW_COLOR);
    m_existingNote->setPalette(palette);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("&Import");
    QPushButton* trial = buttons->addButton("&Try", QDialogButtonBox::ActionRole);
    trial->setToolTip("Says what the import would do, and which cells it could not read, without importing.");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_header);
    layout->addWidget(m_newFields);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_existingNote);
    layout->addWidget(buttons);
    resize(760, 520);

    SetMediaType(mediaType);
    connect(browse, &QPushButton::clicked, this, &CImportDlg::Browse);
    connect(m_mediaType, &QComboBox::currentIndexChanged, this, &CImportDlg::Reload);
    connect(m_delimiter, &QComboBox::currentIndexChanged, this, &CImportDlg::Reload);
    connect(m_header, &QCheckBox::toggled, this, &CImportDlg::SetFirstRowIsHeader);
    connect(m_grid, &QTableWidget::cellChanged, this, &CImportDlg::OnCellChanged);
    connect(trial, &QPushButton::clicked, this, &CImportDlg::Try);
    connect(buttons, &QDialogButtonBox::accepted, this, &CImportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CImportDlg::reject);
}

CImportDlg::~CImportDlg() = default;

void CImportDlg::SetMediaType(int mediaType)
{
    int index = m_mediaType->findData(mediaType);
    m_mediaType->setCurrentIndex(index >= 0 ? index : m_mediaType->findData(CMediaUtils::MEDIA_BOOK));
}

int CImportDlg::GetMediaType() const
{
    return m_mediaType->currentData().toInt();
}

bool CImportDlg::SetDelimiter(const QString& name)
{
    int index = m_delimiter->findText(name, Qt::MatchFixedString);
    if (index < 0)
        return false;
    m_delimiter->setCurrentIndex(index);
    return true;
}

char CImportDlg::Delimiter() const
{
    char delimiter = ',';
    CDelimitedTextReader::DelimiterFromName(m_delimiter->currentText().toStdString(), delimiter);
    return delimiter;
}

void CImportDlg::Browse()
{
    QString path = QFileDialog::getOpenFileName(
        this, "Import File", Q(m_importPath), "Text files (*.txt *.csv *.tab *.tsv);;All files (*)");
    if (!path.isEmpty())
        LoadFile(path);
}

bool CImportDlg::LoadFile(const QString& path)
{
    m_filePath = path;
    m_file->setText(path);
    m_importPath = (QFileInfo(path).absolutePath() + "/").toStdString();
    Reload();
    return m_job != nullptr;
}

void CImportDlg::Reload()
{
    m_job.reset();
    if (!m_filePath.isEmpty()) {
        auto job = std::make_unique<CImportProgressJob>(m_library, GetMediaType());
        CString error;
        bool read = false;
        {
            CWaitCursor wait;
            read = job->ReadFile(m_filePath.toStdString(), Delimiter(), error);
        }
        if (read)
            m_job = std::move(job);
        else
            CMessageBox::Warn(this, kTitle, QString("VemoLibrary was unable to read %1: %2").arg(m_filePath, Q(error)));
    }
    const QSignalBlocker block(m_header);
    m_header->setChecked(m_job && m_job->HasHeader());
    m_header->setEnabled(m_job && m_job->GetRowCount() > 0);
    m_newFields->setEnabled(m_job && m_job->HasHeader());
    FillGrid();
}

QStringList CImportDlg::OfferedProperties() const
{
    QStringList props { Q(CDelimitedTextReader::IGNORE_COLUMN) };
    const int type = GetMediaType();
    if (CMediaRegistry::Find(type))
        for (const CString& prop : CMediaRegistry::GetDataProps(type))
            props << Q(prop);
    if (const CCustomFieldMgr* fields = m_library.GetCustomFieldMgr(type))
        for (int i = 0; i < fields->GetFieldCount(); ++i)
            props << Q(fields->GetFieldAt(i)->GetName());
    return props;
}

void CImportDlg::FillGrid()
{
    m_filling = true;
    m_grid->clear();
    const int columns = m_job ? m_job->GetColumnCount() : 0;
    const int rows = m_job ? m_job->GetRowCount() : 0;
    m_grid->setColumnCount(FIRST_DATA_COLUMN + columns);
    m_grid->setRowCount(PROPERTY_ROW + 1 + rows);
    QStringList headings { "Row", "Import?" };
    for (int c = 0; c < columns; ++c)
        headings << QString("Column %1").arg(c + 1);
    m_grid->setHorizontalHeaderLabels(headings);

    const QStringList offered = OfferedProperties();
    for (int c = 0; c < columns; ++c) {
        auto* combo = new QComboBox(m_grid);
        combo->addItems(offered);
        m_grid->setCellWidget(PROPERTY_ROW, FIRST_DATA_COLUMN + c, combo);
        connect(combo, &QComboBox::textActivated, this, [this, c](const QString& prop) { OnPropertyChosen(c, prop); });
    }
    for (int c = 0; c < FIRST_DATA_COLUMN; ++c) {
        auto* blank = new QTableWidgetItem;
        blank->setFlags(Qt::ItemIsEnabled);
        m_grid->setItem(PROPERTY_ROW, c, blank);
    }
    for (int r = 0; r < rows; ++r) {
        const CImportRow& row = m_job->GetRow(r);
        const int gridRow = PROPERTY_ROW + 1 + r;
        const bool header = r == 0 && m_job->HasHeader();
        auto* number = new QTableWidgetItem(QString::asprintf("%d", r));
        number->setFlags(Qt::ItemIsEnabled);
        m_grid->setItem(gridRow, ROW_NUMBER_COLUMN, number);
        auto* mark = new QTableWidgetItem;
        if (header) {
            mark->setFlags(Qt::NoItemFlags);
            mark->setToolTip("The column names are not imported.");
        } else {
            mark->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            mark->setCheckState(row.chosen ? Qt::Checked : Qt::Unchecked);
        }
        m_grid->setItem(gridRow, IMPORT_COLUMN, mark);
        for (int c = 0; c < columns; ++c) {
            auto* cell = new QTableWidgetItem(c < row.cells.GetSize() ? Q(row.cells.GetAt(c)) : QString());
            cell->setFlags(header ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            m_grid->setItem(gridRow, FIRST_DATA_COLUMN + c, cell);
        }
    }
    m_filling = false;
    FillPropertyCombos();
    MarkExisting();
    m_grid->resizeColumnsToContents();
}

void CImportDlg::FillPropertyCombos()
{
    if (!m_job)
        return;
    for (int c = 0; c < m_job->GetColumnCount(); ++c) {
        auto* combo = qobject_cast<QComboBox*>(m_grid->cellWidget(PROPERTY_ROW, FIRST_DATA_COLUMN + c));
        if (!combo)
            continue;
        const QString prop = Q(m_job->GetColumnProperty(c));
        // A heading may name a property the type does not list.
        if (combo->findText(prop) < 0)
            combo->addItem(prop);
        const QSignalBlocker block(combo);
        combo->setCurrentText(prop);
    }
}

void CImportDlg::OnPropertyChosen(int fileColumn, const QString& prop)
{
    if (!m_job)
        return;
    if (!m_job->SetColumnProperty(fileColumn, prop.toStdString()))
        return;
    // Another column that carried the property is ignored now.
    FillPropertyCombos();
    MarkExisting();
}

QString CImportDlg::GetColumnProperty(int fileColumn) const
{
    auto* combo = qobject_cast<QComboBox*>(m_grid->cellWidget(PROPERTY_ROW, FIRST_DATA_COLUMN + fileColumn));
    return combo ? combo->currentText() : QString();
}

bool CImportDlg::SetColumnProperty(int fileColumn, const QString& prop)
{
    auto* combo = qobject_cast<QComboBox*>(m_grid->cellWidget(PROPERTY_ROW, FIRST_DATA_COLUMN + fileColumn));
    if (!combo || combo->findText(prop) < 0)
        return false;
    combo->setCurrentText(prop);
    OnPropertyChosen(fileColumn, prop);
    return true;
}

bool CImportDlg::IsRowChecked(int fileRow) const
{
    QTableWidgetItem* mark = m_grid->item(PROPERTY_ROW + 1 + fileRow, IMPORT_COLUMN);
    return mark && (mark->flags() & Qt::ItemIsUserCheckable) && mark->checkState() == Qt::Checked;
}

void CImportDlg::SetRowChecked(int fileRow, bool checked)
{
    QTableWidgetItem* mark = m_grid->item(PROPERTY_ROW + 1 + fileRow, IMPORT_COLUMN);
    if (mark && (mark->flags() & Qt::ItemIsUserCheckable))
        mark->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool CImportDlg::IsRowMarkedExisting(int fileRow) const
{
    return m_job && fileRow >= 0 && fileRow < m_job->GetRowCount() && m_job->GetRow(fileRow).exists;
}

void CImportDlg::SetFirstRowIsHeader(bool header)
{
    if (!m_job || header == m_job->HasHeader())
        return;
    // The columns keep the properties the user gave them.
    m_job->SetFirstRowIsHeader(header);
    const QSignalBlocker block(m_header);
    m_header->setChecked(m_job->HasHeader());
    m_newFields->setEnabled(m_job->HasHeader());
    FillGrid();
}

void CImportDlg::OnCellChanged(int row, int column)
{
    if (m_filling || !m_job || column != IMPORT_COLUMN || row <= PROPERTY_ROW)
        return;
    const int fileRow = row - PROPERTY_ROW - 1;
    m_job->SetRowChosen(fileRow, IsRowChecked(fileRow));
    // Only this row's mark can change.
    MarkExisting(fileRow);
}

void CImportDlg::MarkExisting(int onlyRow)
{
    if (!m_job)
        return;
    try {
        CWaitCursor wait;
        if (onlyRow < 0)
            m_job->MarkExisting();
        else
            m_job->MarkExistingRow(onlyRow);
    } catch (...) {
        // Only the marks are lost; the import itself still compares.
    }
    m_filling = true;
    const int first = onlyRow < 0 ? 0 : onlyRow;
    const int end = onlyRow < 0 ? m_job->GetRowCount() : std::min(onlyRow + 1, m_job->GetRowCount());
    for (int r = first; r < end; ++r) {
        const QBrush brush = m_job->GetRow(r).exists ? QBrush(EXISTING_ROW_COLOR) : QBrush();
        for (int c = 0; c < m_grid->columnCount(); ++c)
            if (QTableWidgetItem* cell = m_grid->item(PROPERTY_ROW + 1 + r, c))
                cell->setBackground(brush);
    }
    m_filling = false;
}

bool CImportDlg::CanRun()
{
    if (!m_job || m_job->GetRowCount() == 0) {
        CMessageBox::Warn(this, kTitle, "Please choose a file with the rows to import.");
        return false;
    }
    if (m_job->IsAllIgnored() && !(m_newFields->isEnabled() && m_newFields->isChecked())) {
        // Yes: nothing was meant to be imported, as if Cancel was pressed.
        if (CMessageBox::Confirm(this, kTitle, Q(CImportJob::ALL_IGNORED_QUESTION)))
            reject();
        return false;
    }
    return true;
}

CImportOutcome CImportDlg::RunImport(bool trial, CStringArray& made)
{
    const bool newFields = m_newFields->isEnabled() && m_newFields->isChecked();
    CStringArray columns;
    for (int c = 0; c < m_job->GetColumnCount(); ++c)
        columns.Add(m_job->GetColumnProperty(c));
    // The job puts back what it imported when it does not finish, but not
    // the fields made before it started; a trial puts back everything.
    CLibrarySnapshot before;
    CImportOutcome outcome;
    if ((trial || newFields) && !before.Take(m_library, outcome.error))
        return outcome;
    if (newFields)
        m_job->AddFieldsForIgnoredColumns(made);
    outcome = m_job->RunWithProgress(this);
    m_reloaded = m_reloaded || trial || !outcome.Succeeded();
    if (before.IsTaken() && (trial || !outcome.Succeeded())) {
        CString error;
        if (!before.Restore(m_library, error) && outcome.Succeeded())
            outcome.error = error;
        for (int c = 0; c < columns.GetSize(); ++c)
            m_job->SetColumnProperty(c, columns.GetAt(c));
    }
    return outcome;
}

void CImportDlg::ShowOutcome(bool trial, const CStringArray& made)
{
    const QString skipped = Q(CCountText::Of(static_cast<std::int64_t>(m_outcome.skipped.size()), "row"));
    QString summary = trial
        ? QString("A trial, nothing was imported. The import would create %1, update %2 and skip %3.")
        : QString("Import finished: %1 created, %2 updated, %3 skipped.");
    summary = summary.arg(Q(CCountText::Of(m_outcome.created, "new item")),
        Q(CCountText::Of(m_outcome.merged + m_outcome.repeated, "existing item")), skipped);
    QStringList fields;
    for (const CString& name : made)
        fields << Q(name);
    if (!fields.isEmpty())
        summary += QString(trial ? " It would make these text custom fields: %1." : " New text custom fields: %1.")
                       .arg(fields.join(", "));
    if (m_outcome.unread.empty()) {
        CMessageBox::Inform(this, kTitle, summary);
        return;
    }
    CImportResultDlg result(summary, m_outcome, *m_job, this);
    result.exec();
}

void CImportDlg::Try()
{
    if (!CanRun())
        return;
    CStringArray made;
    m_outcome = RunImport(true, made);
    if (m_job->IsCancelled())
        CMessageBox::Inform(this, kTitle, "The trial was cancelled.");
    else if (!m_outcome.Succeeded())
        CMessageBox::Warn(this, kTitle, Q(m_outcome.error));
    else
        ShowOutcome(true, made);
}

void CImportDlg::accept()
{
    if (!CanRun())
        return;
    CStringArray made;
    m_outcome = RunImport(false, made);
    if (m_job->IsCancelled()) {
        CMessageBox::Inform(this, kTitle, "The import was cancelled; nothing was imported.");
        return;
    }
    if (!m_outcome.Succeeded()) {
        CMessageBox::Warn(this, kTitle, Q(m_outcome.error));
        return;
    }
    ShowOutcome(false, made);
    QDialog::accept();
}
