#include "app/dialogs/LibraryRestoreDlg.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"
#include "data/session/LibraryNames.h"
#include "platform/appcfg/DataFileMgmt.h"
#include "platform/util/DataFolder.h"
#include "platform/util/StringUtils.h"

CLibraryRestoreDlg::CLibraryRestoreDlg(const CDataFileMgmt& fileMgmt, const CString& loadedName,
    const COleDateTime& now, const CStringArray& existing, QWidget* parent)
    : QDialog(parent)
    , m_loadedName(loadedName)
    , m_existing(existing)
    , m_lines(BuildLines(fileMgmt, loadedName, now, existing))
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

CString CLibraryRestoreDlg::Target(const CString& archive, const CString& loadedName, const CStringArray& existing)
{
    const CString title = CDataFileMgmt::GetDataFileTitle(archive);
    const CString target = CLibraryNames::FindNoCase(existing, title);
    return target.empty() && title == loadedName ? loadedName : target;
}

QList<CLibraryRestoreDlg::Line> CLibraryRestoreDlg::BuildLines(
    const CDataFileMgmt& fileMgmt, const CString& loadedName, const COleDateTime& now, const CStringArray& existing)
{
    QList<Line> lines;
    CStringList archives;
    fileMgmt.GetRestoreCandidates(loadedName, CDataFolder::LIBRARY_EXT, archives);
    for (const CString& archive : archives) {
        CString title = CDataFileMgmt::GetDataFileTitle(archive);
        // The shared data file's copies are restored by other means.
        if (CStringUtils::EqualsNoCase(title, CDataFolder::SHARED_DATA_TITLE))
            continue;
        const CString target = Target(archive, loadedName, existing);
        QString outcome = target.empty() ? QString("will add new Library")
            : target == loadedName       ? QString("will REPLACE current Library")
                                         : QString("will REPLACE Library \"%1\"").arg(Q(target));
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
    if (Target(archive, m_loadedName, m_existing) == m_loadedName
        && !CMessageBox::Confirm(this, "Restore Library", CONFIRM_TEXT))
        return;
    m_chosen = archive;
    QDialog::accept();
}
