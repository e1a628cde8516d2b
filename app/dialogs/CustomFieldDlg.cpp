#include "app/dialogs/CustomFieldDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/EditorModels.h"
#include "data/store/CustomFieldsEditor.h"

namespace {

// The pages of what new items start with, by data type.
enum Page { TextPage, DatePage, TrueFalsePage, ChoicesPage, NonePage };

Page PageOf(int dataType)
{
    switch (dataType) {
    case CF_DATE:
        return DatePage;
    case CF_TRUEFALSE:
        return TrueFalsePage;
    case CF_SELECTIONLIST:
        return ChoicesPage;
    case CF_WEBADDRESS:
        return NonePage;
    default:
        return TextPage;
    }
}

} // namespace

CCustomFieldDlg::CCustomFieldDlg(
    const CCustomField& field, bool isNew, const QString& defaultFolder, Check check, QWidget* parent)
    : QDialog(parent)
    , m_original(field)
    , m_defaultFolder(defaultFolder)
    , m_check(std::move(check))
    , m_tagEdited(!isNew)
    , m_name(new QLineEdit(Q(field.GetName()), this))
    , m_type(new QComboBox(this))
    , m_tag(new QLineEdit(Q(field.GetCustomWebReportTag()), this))
    , m_pages(new QStackedWidget(this))
    , m_initial(new QLineEdit(this))
    , m_today(new QCheckBox("New items get &today's date", this))
    , m_on(new QCheckBox("New items start as t&rue", this))
    , m_choices(new QPlainTextEdit(this))
{
    setWindowTitle(isNew ? "New Custom Field" : "Custom Field");
    for (int type = CF_TEXT; type <= CF_WEBADDRESS; ++type)
        m_type->addItem(CCustomFieldsModel::TypeName(type), type);
    m_type->setCurrentIndex(m_type->findData(static_cast<int>(field.GetDataType())));
    m_tag->setToolTip("The templates of web reports name the field {CUSTOMFIELD_tag} and its value "
                      "{CUSTOMVALUE_tag}; no tag, no template tags.");
    m_name->setObjectName("fieldName");

    if (field.GetDataType() != CF_SELECTIONLIST)
        m_initial->setText(Q(field.GetInitialValue()));
    m_today->setChecked(field.GetInitialValueDateToday());
    m_on->setChecked(field.GetInitialValueBooleanOn());
    QStringList choices;
    for (int i = 0; i < field.GetSelectionListCount(); ++i)
        choices << Q(field.GetSelectionListItem(i));
    m_choices->setPlainText(choices.join("\n"));

    // Text and local file name: a text, for a file with a Browse button.
    auto* textPage = new QWidget(m_pages);
    auto* browse = new QPushButton("&Browse...", textPage);
    m_browse = browse;
    auto* textRow = new QHBoxLayout;
    textRow->addWidget(m_initial, 1);
    textRow->addWidget(browse);
    auto* textForm = new QFormLayout(textPage);
    textForm->setContentsMargins(0, 0, 0, 0);
    textForm->addRow(BuddyLabel("&Initial value:", m_initial, textPage), textRow);
    auto* datePage = new QWidget(m_pages);
    (new QVBoxLayout(datePage))->addWidget(m_today);
    datePage->layout()->setContentsMargins(0, 0, 0, 0);
    auto* onPage = new QWidget(m_pages);
    (new QVBoxLayout(onPage))->addWidget(m_on);
    onPage->layout()->setContentsMargins(0, 0, 0, 0);
    auto* choicesPage = new QWidget(m_pages);
    auto* choicesLayout = new QVBoxLayout(choicesPage);
    choicesLayout->setContentsMargins(0, 0, 0, 0);
    choicesLayout->addWidget(BuddyLabel("C&hoices, one per line:", m_choices, choicesPage));
    choicesLayout->addWidget(m_choices, 1);
    auto* nonePage = new QLabel("Web address fields start empty.", m_pages);
    for (QWidget* page :
        { textPage, datePage, static_cast<QWidget*>(onPage), choicesPage, static_cast<QWidget*>(nonePage) })
        m_pages->addWidget(page);

    auto* form = new QFormLayout;
    form->addRow("&Name:", m_name);
    form->addRow("&Data type:", m_type);
    form->addRow("&Web report tag:", m_tag);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCustomFieldDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pages, 1);
    layout->addWidget(buttons);
    resize(460, 340);

    connect(m_type, &QComboBox::currentIndexChanged, this, &CCustomFieldDlg::ShowTypePage);
    connect(browse, &QPushButton::clicked, this, &CCustomFieldDlg::BrowseInitialFile);
    connect(m_tag, &QLineEdit::textEdited, this, [this] { m_tagEdited = true; });
    // A new field's tag follows its name until the user types one.
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& name) {
        if (!m_tagEdited)
            m_tag->setText(Q(CCustomFieldsEditor::SuggestTag(name.toStdString())));
    });
    ShowTypePage();
    m_name->setFocus();
}

void CCustomFieldDlg::ShowTypePage()
{
    const int type = m_type->currentData().toInt();
    m_pages->setCurrentIndex(PageOf(type));
    m_browse->setVisible(type == CF_LOCALFILENAME);
}

void CCustomFieldDlg::BrowseInitialFile()
{
    const QString start = m_initial->text().isEmpty() ? m_defaultFolder : m_initial->text();
    const QString path = QFileDialog::getOpenFileName(this, "Initial File", start);
    if (!path.isEmpty())
        m_initial->setText(path);
}

CCustomField CCustomFieldDlg::GetField() const
{
    CCustomField field = m_original;
    field.SetName(m_name->text().trimmed().toStdString());
    field.SetCustomWebReportTag(m_tag->text().trimmed().toStdString());
    const auto type = static_cast<CFDataType>(m_type->currentData().toInt());
    field.SetDataType(type);
    // Each setter clears what belongs to the other kinds of initial value.
    field.SetInitialValueDateToday(type == CF_DATE && m_today->isChecked());
    field.SetInitialValueBooleanOn(type == CF_TRUEFALSE && m_on->isChecked());
    if (type == CF_TEXT || type == CF_LOCALFILENAME)
        field.SetInitialValue(m_initial->text().toStdString());
    if (type == CF_SELECTIONLIST)
        for (const QString& line : m_choices->toPlainText().split('\n'))
            if (!line.trimmed().isEmpty())
                field.AddSelectionListItem(line.trimmed().toStdString());
    return field;
}

void CCustomFieldDlg::accept()
{
    const QString problem = m_check ? m_check(GetField()) : QString();
    if (!problem.isEmpty()) {
        CMessageBox::Warn(this, windowTitle(), problem);
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}
