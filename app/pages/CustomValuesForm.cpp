#include "app/pages/CustomValuesForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

#include "app/BrowserLauncher.h"
#include "app/MessageBox.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/pages/PageSupport.h"
#include "data/model/Item.h"
#include "data/model/MediaUtils.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/CustomValueEdit.h"
#include "data/store/Library.h"

using namespace PageSupport;

CCustomValuesForm::CCustomValuesForm(CVemoLibraryDoc* doc, int mediaType, QWidget* parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_mediaType(mediaType)
    , m_empty(new QLabel(this))
    , m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_empty->setWordWrap(true);
    m_empty->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_empty->setText(QString("No custom fields are defined for %1. Custom fields are added with the Custom Fields "
                             "command of the view.")
                         .arg(Q(CMediaUtils::GetMediaNamePlural(mediaType))));
    m_layout->addWidget(m_empty);
    Rebuild();
}

QWidget* CCustomValuesForm::GetEditor(int index) const
{
    return index >= 0 && index < GetFieldCount() ? m_editors[index] : nullptr;
}

const CCustomField* CCustomValuesForm::Field(int index) const
{
    const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const CCustomFieldMgr* fields = library ? library->GetCustomFieldMgr(m_mediaType) : nullptr;
    if (!fields || fields->GetFieldCount() != GetFieldCount())
        return nullptr;
    return fields->GetFieldAt(index);
}

void CCustomValuesForm::SetItem(CItem* item)
{
    TakeOver();
    m_item = item;
    ShowValues();
}

void CCustomValuesForm::TakeOver()
{
    bool changed = false;
    for (int index = 0; index < GetFieldCount(); ++index)
        if (qobject_cast<QLineEdit*>(m_editors[index]))
            changed = Store(index) || changed;
    if (changed && m_item) {
        // Text values are part of the item's search texts.
        if (m_doc)
            m_doc->MarkItemModified(m_item);
        emit ValuesChanged();
    }
}

void CCustomValuesForm::StoreAndNotify(int index)
{
    if (!Store(index))
        return;
    if (m_doc)
        m_doc->MarkItemModified(m_item);
    emit ValuesChanged();
}

void CCustomValuesForm::Rebuild()
{
    m_editors.clear();
    delete m_form;
    m_form = nullptr;
    const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
    const CCustomFieldMgr* fields = library ? library->GetCustomFieldMgr(m_mediaType) : nullptr;
    const int count = fields ? fields->GetFieldCount() : 0;
    m_empty->setVisible(count == 0);
    if (count > 0) {
        auto* scroll = new QScrollArea(this);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The page's own background, as if the fields sat on it directly.
        scroll->viewport()->setAutoFillBackground(false);
        auto* content = new QWidget(scroll);
        auto* form = new QFormLayout(content);
        for (int index = 0; index < count; ++index) {
            const CCustomField* field = fields->GetFieldAt(index);
            auto* row = new QWidget(content);
            QWidget* editor = MakeEditor(index, *field, row);
            editor->setAccessibleName(Q(field->GetName()));
            m_editors.push_back(editor);
            auto* label = new QLabel(Q(field->GetName()) + ":", content);
            label->setBuddy(editor);
            form->addRow(label, row);
        }
        scroll->setWidget(content);
        content->setAutoFillBackground(false);
        m_form = scroll;
        m_layout->addWidget(scroll);
    }
    ShowValues();
}

QWidget* CCustomValuesForm::MakeEditor(int index, const CCustomField& field, QWidget* row)
{
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QWidget* editor = nullptr;
    switch (field.GetDataType()) {
    case CF_TRUEFALSE: {
        auto* box = new QCheckBox(row);
        connect(box, &QCheckBox::clicked, this, [this, index] { StoreAndNotify(index); });
        editor = box;
        break;
    }
    case CF_SELECTIONLIST: {
        auto* combo = new QComboBox(row);
        combo->addItem(QString());
        for (int choice = 0; choice < field.GetSelectionListCount(); ++choice)
            combo->addItem(Q(field.GetSelectionListItem(choice)));
        connect(combo, &QComboBox::activated, this, [this, index] { StoreAndNotify(index); });
        editor = combo;
        break;
    }
    default: {
        auto* edit = new QLineEdit(row);
        connect(edit, &QLineEdit::editingFinished, this, [this, index] { StoreAndNotify(index); });
        if (field.GetDataType() == CF_DATE)
            edit->setPlaceholderText("YYYY-MM-DD");
        editor = edit;
        break;
    }
    }
    layout->addWidget(editor, 1);
    if (field.GetDataType() == CF_LOCALFILENAME) {
        auto* browse = new QPushButton("Browse...", row);
        connect(browse, &QPushButton::clicked, this, [this, index] { BrowseFile(index); });
        layout->addWidget(browse);
    }
    if (field.GetDataType() == CF_LOCALFILENAME || field.GetDataType() == CF_WEBADDRESS) {
        auto* open = new QPushButton("Open", row);
        open->setToolTip(field.GetDataType() == CF_WEBADDRESS ? "Open the web address in the browser"
                                                              : "Open the file with its program");
        connect(open, &QPushButton::clicked, this, [this, index] { OpenValue(index); });
        layout->addWidget(open);
    }
    return editor;
}

void CCustomValuesForm::ShowValues()
{
    const bool hasValues = m_item && m_item->GetCustomValues();
    setEnabled(hasValues);
    m_showing = true;
    for (int index = 0; index < GetFieldCount(); ++index) {
        const CCustomField* field = Field(index);
        const QString text = hasValues && field ? Q(CCustomValueEdit::GetText(*m_item, index, *field)) : QString();
        QWidget* widget = m_editors[index];
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            box->setChecked(hasValues && CCustomValueEdit::GetBool(*m_item, index));
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            // A value that is no longer one of the choices is kept on show.
            if (combo->findText(text) < 0)
                combo->addItem(text);
            combo->setCurrentIndex(combo->findText(text));
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setText(text);
        }
    }
    m_showing = false;
}

bool CCustomValuesForm::Store(int index)
{
    const CCustomField* field = Field(index);
    if (m_showing || !m_item || !field)
        return false;
    QWidget* widget = m_editors[index];
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        return CCustomValueEdit::SetBool(*m_item, index, box->isChecked());
    QString text;
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        text = combo->currentText();
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        text = edit->text();
    CString message;
    const bool changed = CCustomValueEdit::SetText(*m_item, index, *field, CText(text), message);
    if (!message.empty()) {
        // The value stays as it was; the editor shows it again.
        ShowDataModified(this, message);
        m_showing = true;
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->setText(Q(CCustomValueEdit::GetText(*m_item, index, *field)));
        m_showing = false;
    } else if (field->GetDataType() == CF_DATE) {
        // Shown as stored: "3/4/2024" becomes "2024-03-04".
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->setText(Q(CCustomValueEdit::GetText(*m_item, index, *field)));
    }
    return changed;
}

void CCustomValuesForm::BrowseFile(int index)
{
    auto* edit = qobject_cast<QLineEdit*>(GetEditor(index));
    if (!edit || !m_item)
        return;
    QString dir = edit->text();
    if (dir.isEmpty()) {
        const CLibrary* library = m_doc ? m_doc->GetLibrary() : nullptr;
        dir = library ? Q(library->GetPathCustomFieldDefault()) : QString();
    }
    const QString path = QFileDialog::getOpenFileName(this, "Choose File", dir);
    if (path.isEmpty())
        return;
    edit->setText(path);
    StoreAndNotify(index);
}

void CCustomValuesForm::OpenValue(int index)
{
    auto* edit = qobject_cast<QLineEdit*>(GetEditor(index));
    const QString text = edit ? edit->text().trimmed() : QString();
    if (text.isEmpty())
        return;
    const CCustomField* field = Field(index);
    const bool isFile = field && field->GetDataType() == CF_LOCALFILENAME;
    QString reason;
    if (!CBrowserLauncher::Open(
            isFile ? QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath()).toString() : text, reason))
        CMessageBox::Warn(this, isFile ? "Open File" : "Open Web Address", reason);
}
