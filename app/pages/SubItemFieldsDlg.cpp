#include "app/pages/SubItemFieldsDlg.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "app/doc/VemoLibraryDoc.h"
#include "app/pages/CustomValuesForm.h"
#include "app/pages/PageSupport.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/SubItemGrid.h"

using namespace PageSupport;

CSubItemFieldsDlg::CSubItemFieldsDlg(CVemoLibraryDoc* doc, CMediaSubItem* sub, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_sub(sub)
    , m_form(new CCustomValuesForm(doc, CMediaUtils::GetItemMediaID(sub), this))
{
    if (sub && sub->GetCustomValues())
        m_before = std::make_unique<CCustomValueMgr>(*sub->GetCustomValues());
    const QString title = sub ? Q(CSubItemGrid::GetText(*sub, CSubItemGrid::Field::Title)).trimmed() : QString();
    setWindowTitle(title.isEmpty() ? QString("Custom Fields") : "Custom Fields - " + title);
    connect(m_form, &CCustomValuesForm::ValuesChanged, this, [this] { m_changed = true; });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSubItemFieldsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSubItemFieldsDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_form, 1);
    layout->addWidget(buttons);
    resize(420, 300);
    m_form->SetItem(sub);
}

CSubItemFieldsDlg::~CSubItemFieldsDlg() = default;

void CSubItemFieldsDlg::accept()
{
    // The edit still open goes in; the form lets go of the sub-item so that
    // no late focus loss writes into it.
    m_form->SetItem(nullptr);
    QDialog::accept();
}

void CSubItemFieldsDlg::reject()
{
    m_form->SetItem(nullptr);
    if (m_changed && m_before && m_sub && m_sub->GetCustomValues()) {
        *m_sub->GetCustomValues() = *m_before;
        // The search texts hold the values taken back.
        if (m_doc)
            m_doc->MarkItemModified(m_sub);
    }
    m_changed = false;
    QDialog::reject();
}
