#include "app/dialogs/LibraryDeleteDlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

CLibraryDeleteDlg::CLibraryDeleteDlg(const CString& name, int archiveCount, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Delete Library");
    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(QuestionText(name), this);
    question->setWordWrap(true);
    layout->addWidget(question);
    if (archiveCount != 0) {
        auto* group = new QGroupBox("What would you like to do with the backup copies?", this);
        auto* groupLayout = new QVBoxLayout(group);
        m_preserve = new QRadioButton("&Preserve", group);
        m_delete = new QRadioButton("&Delete", group);
        m_preserve->setChecked(true);
        auto* note = new QLabel("Backup copies of the Library data file are preserved in the Archives directory "
                                "where VemoLibrary was installed. They can be restored via the \"Library | "
                                "Restore\" menu.",
            group);
        note->setWordWrap(true);
        groupLayout->addWidget(m_preserve);
        groupLayout->addWidget(m_delete);
        groupLayout->addWidget(note);
        layout->addWidget(group);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

QString CLibraryDeleteDlg::QuestionText(const CString& name)
{
    return QString("VemoLibrary is about to permanently delete the Library \"%1\". All data in this Library will "
                   "be lost! Continue?")
        .arg(QString::fromStdString(name));
}

bool CLibraryDeleteDlg::GetPreserve() const
{
    return m_preserve && m_preserve->isChecked();
}

bool CLibraryDeleteDlg::GetDeleteArchives() const
{
    return m_delete && m_delete->isChecked();
}
