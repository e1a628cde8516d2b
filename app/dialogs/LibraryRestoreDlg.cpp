#include "app/dialogs/LibraryRestoreDlg.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/VemoLibrarySettings.h"
#include "app/dialogs/BuddyLabel.h"
#include "platform/appcfg/DataFileMgmt.h"
#include "platform/util/StringUtils.h"

namespace {
QString Q(const CString& text)
{
    return QString::fromStdString(text);
}
} // namespace

CLibraryRestoreDlg::CLibraryRestoreDlg(
    const CDataFileMgmt& fileMgmt, const CString& loadedName, const COleDateTime& now, QWidget* parent)
    : QDialog(parent)
    , m_loadedName(loadedName)
    , m_lines(BuildLines(fileMgmt, loadedName, now))
    , m_list(new QListWidget(this))
{
    setWindowTitle("Restore Library");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuddyLabel("&Choose the backup copy to restore:", m_list, this));
    int widest = 0;
    QFontMetrics metrics(m_list->font());
    for (const Line& line : m_lines) {
        m_list->addItem(line.text);
        widest = std::max(widest, metrics.horizontalAdvance(line.text));
    }
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setMinimumWidth(std::min(widest * 102 / 100 + 24, 900));
    m_list->setCurrentRow(-1);
    m_list->clearSelection();
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLibraryRestoreDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
        [this] { m_ok->setEnabled(!m_list->selectedItems().isEmpty()); });
    layout->addWidget(buttons);
}

QList<CLibraryRestoreDlg::Line> CLibraryRestoreDlg::BuildLines(
    const CDataFileMgmt& fileMgmt, const CString& loadedName, const COleDateTime& now)
{
    QList<Line> lines;
    CStringList archives;
    fileMgmt.GetRestoreCandidates(loadedName, CVemoLibrarySettings::LIBRARY_EXT, archives);
    for (const CString& archive : archives) {
        // The shared data file's copies are restored by other means.
        if (CStringUtils::MatchFirstChars(archive, "VemoLibrary2", false))
            continue;
        CString title = CDataFileMgmt::GetDataFileTitle(archive);
        QString outcome = title == loadedName ? "will REPLACE current Library" : "will add new Library";
        QString text = QString("%1 (%2), %3, %4: %5")
                           .arg(Q(title), Q(CDataFileMgmt::GetArchiveSequenceText(archive)),
                               Q(fileMgmt.GetArchiveAgeText(archive, now)),
                               Q(CDataFileMgmt::FormatByteCount(fileMgmt.GetArchiveSize(archive))), outcome);
        lines.append({ archive, text });
    }
    return lines;
}

void CLibraryRestoreDlg::accept()
{
    int row = m_list->currentRow();
    if (m_list->selectedItems().isEmpty() || row < 0 || row >= m_lines.size())
        return;
    const CString& archive = m_lines[row].archiveFile;
    if (CDataFileMgmt::IsArchiveFileMatch(m_loadedName, archive)
        && !CMessageBox::Confirm(this, "Restore Library", CONFIRM_TEXT))
        return;
    m_chosen = archive;
    QDialog::accept();
}
