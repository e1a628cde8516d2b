#include "app/dialogs/LibraryRenameDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/dialogs/LibraryNameCheck.h"
#include "platform/util/StringUtils.h"

CLibraryRenameDlg::CLibraryRenameDlg(const CString& currentName, const CStringArray& existing, QWidget* parent)
    : QDialog(parent)
    , m_currentName(currentName)
    , m_existing(existing)
    , m_newName(new QLineEdit(this))
{
    setWindowTitle("Rename Library");
    auto* current = new QLineEdit(QString::fromStdString(currentName), this);
    current->setReadOnly(true);
    auto* form = new QFormLayout;
    form->addRow("Current name:", current);
    form->addRow("&New name:", m_newName);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLibraryRenameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_newName, &QLineEdit::textChanged, this, [this] { UpdateOk(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    UpdateOk();
    m_newName->setFocus();
}

CString CLibraryRenameDlg::GetNewName() const
{
    return m_newName->text().toStdString();
}

void CLibraryRenameDlg::UpdateOk()
{
    CString name = GetNewName();
    m_ok->setEnabled(!name.empty() && !CStringUtils::EqualsNoCase(name, m_currentName));
}

void CLibraryRenameDlg::accept()
{
    QString problem = CLibraryNameCheck::Check(GetNewName(), m_existing, CLibraryNameCheck::Rename);
    if (!problem.isEmpty()) {
        CMessageBox::Warn(this, "Rename Library", problem);
        m_newName->setFocus();
        return;
    }
    QDialog::accept();
}
