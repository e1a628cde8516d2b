#include "app/dialogs/LibraryCopyDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/dialogs/LibraryNameCheck.h"

CLibraryCopyDlg::CLibraryCopyDlg(const CString& currentName, const CStringArray& existing, QWidget* parent)
    : QDialog(parent)
    , m_existing(existing)
    , m_newName(new QLineEdit(QString::fromStdString("copy of " + currentName), this))
    , m_stay(new QRadioButton("Continue to work in current Library", this))
    , m_loadCopy(new QRadioButton("Load the copied Library", this))
{
    setWindowTitle("Copy Library");
    m_stay->setChecked(true);
    auto* form = new QFormLayout;
    form->addRow("&Name of the copy:", m_newName);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLibraryCopyDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_stay);
    layout->addWidget(m_loadCopy);
    layout->addWidget(buttons);
    m_newName->selectAll();
    m_newName->setFocus();
}

CString CLibraryCopyDlg::GetNewName() const
{
    return m_newName->text().toStdString();
}

bool CLibraryCopyDlg::GetLoadCopy() const
{
    return m_loadCopy->isChecked();
}

void CLibraryCopyDlg::accept()
{
    QString problem = CLibraryNameCheck::Check(GetNewName(), m_existing, CLibraryNameCheck::Copy);
    if (!problem.isEmpty()) {
        CMessageBox::Warn(this, "Copy Library", problem);
        m_newName->setFocus();
        return;
    }
    QDialog::accept();
}
