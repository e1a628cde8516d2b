#include "app/dialogs/VemoLibraryNotesDlg.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CVemoLibraryNotesDlg::CVemoLibraryNotesDlg(const CString& notes, QWidget* parent)
    : QDialog(parent)
    , m_edit(new QPlainTextEdit(this))
{
    setWindowTitle("Library Notes");
    m_edit->setPlainText(QString::fromStdString(notes));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    resize(420, 260);
}

CString CVemoLibraryNotesDlg::GetNotes() const
{
    return m_edit->toPlainText().toStdString();
}
