#include "app/dialogs/LibraryIDSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"

CLibraryIDSettingsDlg::CLibraryIDSettingsDlg(const CLibrary& library, int mediaType, QWidget* parent)
    : QDialog(parent)
    , m_editor(library, mediaType)
    , m_prefix(new QLineEdit(this))
    , m_postfix(new QLineEdit(this))
    , m_digits(new QSpinBox(this))
    , m_auto(new QCheckBox("&Number new items automatically", this))
    , m_renumber(new QCheckBox("&Renumber all items, in the order of:", this))
    , m_renumberOrder(new QComboBox(this))
    , m_applyAll(new QCheckBox("Give all IDs the new &format (their numbers stay)", this))
    , m_clearAll(new QCheckBox("&Clear all IDs", this))
    , m_items(new QLabel(this))
    , m_preview(new QLabel(this))
{
    setWindowTitle("Library ID Format of " + Q(CMediaUtils::GetMediaNamePlural(mediaType)));
    m_digits->setRange(1, 12);
    m_preview->setObjectName("nextIDPreview");
    m_preview->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_renumberOrder->addItem("List order", QString());
    if (CMediaRegistry::Find(mediaType))
        for (const CString& prop : CMediaRegistry::GetDataProps(mediaType))
            m_renumberOrder->addItem(Q(prop), Q(prop));

    auto* form = new QFormLayout;
    if (m_editor.GetTargetCount() > 1) {
        m_format = new QComboBox(this);
        for (int i = 0; i < m_editor.GetTargetCount(); ++i)
            m_format->addItem(
                Q(CLibraryIDFormatEditor::GetTargetName(m_editor.GetTargetID(i))), m_editor.GetTargetID(i));
        form->addRow("&Tape format:", m_format);
    }
    form->addRow("&Prefix:", m_prefix);
    auto* digitsRow = new QHBoxLayout;
    digitsRow->addWidget(m_digits);
    digitsRow->addStretch();
    form->addRow(BuddyLabel("&Digits (at least):", m_digits, this), digitsRow);
    form->addRow("P&ostfix:", m_postfix);
    form->addRow(QString(), m_auto);
    form->addRow("Next new item:", m_preview);
    form->addRow(QString(), m_items);

    auto* once = new QGroupBox("When OK is pressed, once", this);
    auto* renumberRow = new QHBoxLayout;
    renumberRow->addWidget(m_renumber);
    renumberRow->addWidget(m_renumberOrder, 1);
    auto* onceLayout = new QVBoxLayout(once);
    onceLayout->addLayout(renumberRow);
    onceLayout->addWidget(m_applyAll);
    onceLayout->addWidget(m_clearAll);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(once);
    layout->addStretch();
    layout->addWidget(buttons);
    resize(460, 0);

    if (m_editor.GetTargetCount() > 0)
        ShowTarget(m_editor.GetTargetID(0));
    if (m_format)
        connect(
            m_format, &QComboBox::currentIndexChanged, this, [this] { ShowTarget(m_format->currentData().toInt()); });
    for (QLineEdit* edit : { m_prefix, m_postfix })
        connect(edit, &QLineEdit::textChanged, this, &CLibraryIDSettingsDlg::StoreWidgets);
    connect(m_digits, &QSpinBox::valueChanged, this, &CLibraryIDSettingsDlg::StoreWidgets);
    for (QCheckBox* box : { m_auto, m_renumber, m_applyAll, m_clearAll })
        connect(box, &QCheckBox::toggled, this, &CLibraryIDSettingsDlg::StoreWidgets);
    connect(m_renumberOrder, &QComboBox::currentIndexChanged, this, &CLibraryIDSettingsDlg::StoreWidgets);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CLibraryIDSettingsDlg::ShowTarget(int id)
{
    if (!m_editor.GetSettings(id))
        return;
    m_targetID = id;
    if (m_format)
        m_format->setCurrentIndex(m_format->findData(id));
    LoadWidgets();
}

void CLibraryIDSettingsDlg::StoreWidgets()
{
    CLibraryIDSettings* settings = m_editor.GetSettings(m_targetID);
    if (m_loading || !settings)
        return;
    settings->SetPrefix(m_prefix->text().toStdString());
    settings->SetPostfix(m_postfix->text().toStdString());
    settings->SetDigitCount(m_digits->value());
    settings->SetAutoGenerate(m_auto->isChecked());
    settings->SetRenumberAll(m_renumber->isChecked());
    settings->SetRenumberSortOrder(m_renumberOrder->currentData().toString().toStdString());
    settings->SetApplyChangesToAll(m_applyAll->isChecked());
    settings->SetClearAll(m_clearAll->isChecked());
    m_renumberOrder->setEnabled(m_renumber->isChecked());
    UpdatePreview();
}

void CLibraryIDSettingsDlg::LoadWidgets()
{
    const CLibraryIDSettings* settings = m_editor.GetSettings(m_targetID);
    if (!settings)
        return;
    m_loading = true;
    m_prefix->setText(Q(settings->GetPrefix()));
    m_postfix->setText(Q(settings->GetPostfix()));
    m_digits->setValue(settings->GetDigitCount());
    m_auto->setChecked(settings->GetAutoGenerate());
    m_renumber->setChecked(settings->GetRenumberAll());
    const int order = m_renumberOrder->findData(Q(settings->GetRenumberSortOrder()));
    m_renumberOrder->setCurrentIndex(order >= 0 ? order : 0);
    m_renumberOrder->setEnabled(settings->GetRenumberAll());
    m_applyAll->setChecked(settings->GetApplyChangesToAll());
    m_clearAll->setChecked(settings->GetClearAll());
    m_loading = false;
    const int items = m_editor.GetItemCount(m_targetID);
    m_items->setText(QString("Items numbered with these settings: %1").arg(items));
    UpdatePreview();
}

void CLibraryIDSettingsDlg::UpdatePreview()
{
    const CString next = m_editor.PreviewNextID(m_targetID);
    m_preview->setText(
        next.empty() ? QString("no ID (automatic numbering is off)") : "<b>" + Q(next).toHtmlEscaped() + "</b>");
}

QString CLibraryIDSettingsDlg::GetPreviewText() const
{
    return Q(m_editor.PreviewNextID(m_targetID));
}

void CLibraryIDSettingsDlg::Apply(CLibrary& library, std::vector<int>& touchedIDs, bool& itemsChanged) const
{
    m_editor.Apply(library, touchedIDs, itemsChanged);
}
