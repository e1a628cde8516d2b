#include "app/dialogs/CustomWebReportDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/ReportScopeWidget.h"
#include "data/store/Library.h"

namespace {

const char* const kLevelTitles[] = { "Level one: the home page", "Level two", "Level three" };

} // namespace

CCustomWebReportDlg::CCustomWebReportDlg(const CLibrary& library, const CCustomWebReportEditor& editor,
    std::vector<CString> otherNames, std::vector<CString> otherHomePages, bool isNew, QWidget* parent)
    : QDialog(parent)
    , m_library(library)
    , m_editor(editor)
    , m_otherNames(std::move(otherNames))
    , m_otherHomePages(std::move(otherHomePages))
    , m_templateFolder(Q(library.GetPathUserCustomWebReportTemplate()))
    , m_outputFolder(Q(library.GetPathCustomWebReportOutput()))
    , m_homePageEdited(!isNew)
    , m_name(new QLineEdit(Q(editor.GetName()), this))
    , m_homePage(new QLineEdit(Q(editor.GetHomePage()), this))
    , m_duplicates(new QCheckBox("&List items that are duplicates of another", this))
    , m_levelCount(new QSpinBox(this))
    , m_scope(new CReportScopeWidget(library, m_editor, this))
{
    setWindowTitle(isNew ? "New Web Report" : "Web Report");
    m_duplicates->setChecked(editor.GetIncludeDuplicates());
    m_levelCount->setRange(1, CCustomWebReportEditor::MAX_LEVELS);
    m_levelCount->setValue(editor.GetLevelCount());
    m_levelCount->setToolTip("Level one is the home page; each group of its list leads to a page of level two, "
                             "and so on.");

    auto* browseHome = new QPushButton("&Browse...", this);
    auto* homeRow = new QHBoxLayout;
    homeRow->addWidget(m_homePage, 1);
    homeRow->addWidget(browseHome);
    auto* form = new QFormLayout;
    form->addRow("&Name:", m_name);
    form->addRow(BuddyLabel("&Home page:", m_homePage, this), homeRow);
    form->addRow(QString(), m_duplicates);
    auto* levelRow = new QHBoxLayout;
    levelRow->addWidget(m_levelCount);
    levelRow->addStretch();
    form->addRow(BuddyLabel("Page le&vels:", m_levelCount, this), levelRow);

    CStringArray templates;
    CCustomWebReportEditor::ListTemplates(m_templateFolder.toStdString(), templates);
    auto* levels = new QVBoxLayout;
    const char* const templateLabels[] = { "&Template:", "T&emplate:", "Tem&plate:" };
    const char* const sortLabels[] = { "&Sort by:", "So&rt by:", "Sor&t by:" };
    for (int i = 0; i < CCustomWebReportEditor::MAX_LEVELS; ++i) {
        CLevelWidgets& widgets = m_levels[i];
        widgets.box = new QGroupBox(kLevelTitles[i], this);
        widgets.templateFile = new QComboBox(widgets.box);
        widgets.templateFile->setMinimumContentsLength(24);
        for (const CString& name : templates)
            widgets.templateFile->addItem(Q(name), QDir(m_templateFolder).filePath(Q(name)));
        // A level not set yet has no template: none is proposed.
        widgets.templateFile->setCurrentIndex(-1);
        widgets.templateFile->setPlaceholderText("(choose a template)");
        widgets.sort1 = new QComboBox(widgets.box);
        widgets.sort2 = new QComboBox(widgets.box);
        widgets.sort2->setAccessibleName(QString("then by, level %1").arg(i + 1));
        auto* browse = new QPushButton("Bro&wse...", widgets.box);
        browse->setText(i == 0 ? "Bro&wse..." : "Browse...");
        auto* grid = new QGridLayout(widgets.box);
        grid->addWidget(BuddyLabel(templateLabels[i], widgets.templateFile, widgets.box), 0, 0);
        grid->addWidget(widgets.templateFile, 0, 1, 1, 3);
        grid->addWidget(browse, 0, 4);
        grid->addWidget(BuddyLabel(sortLabels[i], widgets.sort1, widgets.box), 1, 0);
        grid->addWidget(widgets.sort1, 1, 1);
        grid->addWidget(new QLabel("then by", widgets.box), 1, 2);
        grid->addWidget(widgets.sort2, 1, 3);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(3, 1);
        levels->addWidget(widgets.box);
        connect(browse, &QPushButton::clicked, this, [this, i] { BrowseTemplate(i + 1); });
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_scope, 1);
    layout->addLayout(levels);
    layout->addWidget(buttons);
    resize(680, 780);

    FillSortCombos();
    for (int level = 1; level <= editor.GetLevelCount(); ++level) {
        const CCustomWebReportEditor::CLevel& settings = editor.GetLevel(level);
        SetLevel(level, Q(settings.templateFile), Q(settings.sortProp1), Q(settings.sortProp2));
    }
    ShowLevels();

    connect(browseHome, &QPushButton::clicked, this, &CCustomWebReportDlg::BrowseHomePage);
    connect(m_homePage, &QLineEdit::textEdited, this, [this] { m_homePageEdited = true; });
    // A new report's home page follows its name until the user sets one.
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& name) {
        if (!m_homePageEdited)
            m_homePage->setText(
                Q(CCustomWebReportEditor::SuggestHomePage(m_outputFolder.toStdString(), name.toStdString())));
    });
    connect(m_levelCount, &QSpinBox::valueChanged, this, &CCustomWebReportDlg::ShowLevels);
    connect(m_scope, &CReportScopeWidget::MediaTypesChanged, this, &CCustomWebReportDlg::FillSortCombos);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCustomWebReportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_name->setFocus();
}

void CCustomWebReportDlg::SetLevel(int level, const QString& templateFile, const QString& sort1, const QString& sort2)
{
    if (level < 1 || level > CCustomWebReportEditor::MAX_LEVELS)
        return;
    CLevelWidgets& widgets = m_levels[level - 1];
    // A bare file name is one of the Templates folder.
    QString path = templateFile;
    if (!path.isEmpty() && QFileInfo(path).isRelative())
        path = QDir(m_templateFolder).filePath(path);
    if (!path.isEmpty() && widgets.templateFile->findData(path) < 0)
        widgets.templateFile->addItem(
            QFileInfo(path).dir() == QDir(m_templateFolder) ? QFileInfo(path).fileName() : path, path);
    widgets.templateFile->setCurrentIndex(path.isEmpty() ? -1 : widgets.templateFile->findData(path));
    CReportScopeWidget::ChooseProp(widgets.sort1, sort1);
    CReportScopeWidget::ChooseProp(widgets.sort2, sort2);
    if (level > m_levelCount->value())
        m_levelCount->setValue(level);
}

void CCustomWebReportDlg::FillSortCombos()
{
    TakeWidgets();
    const QStringList props = CReportScopeWidget::SortedProps(m_library, m_editor);
    for (CLevelWidgets& widgets : m_levels) {
        CReportScopeWidget::FillPropCombo(widgets.sort1, props);
        CReportScopeWidget::FillPropCombo(widgets.sort2, props);
    }
}

void CCustomWebReportDlg::ShowLevels()
{
    for (int i = 0; i < CCustomWebReportEditor::MAX_LEVELS; ++i)
        m_levels[i].box->setEnabled(i < m_levelCount->value());
}

void CCustomWebReportDlg::TakeWidgets()
{
    m_editor.SetName(m_name->text().trimmed().toStdString());
    m_editor.SetHomePage(m_homePage->text().trimmed().toStdString());
    m_editor.SetIncludeDuplicates(m_duplicates->isChecked());
    m_scope->Store(m_editor);
    m_editor.SetLevelCount(m_levelCount->value());
    for (int level = 1; level <= m_editor.GetLevelCount(); ++level) {
        const CLevelWidgets& widgets = m_levels[level - 1];
        m_editor.SetLevel(level,
            { widgets.templateFile->currentData().toString().toStdString(),
                widgets.sort1->currentData().toString().toStdString(),
                widgets.sort2->currentData().toString().toStdString() });
    }
}

const CCustomWebReportEditor& CCustomWebReportDlg::GetEditor()
{
    TakeWidgets();
    return m_editor;
}

void CCustomWebReportDlg::BrowseHomePage()
{
    const QString start = m_homePage->text().isEmpty() ? m_outputFolder : m_homePage->text();
    const QString path = QFileDialog::getSaveFileName(
        this, "Home Page", start, "Web pages (*.htm *.html)", nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return;
    m_homePage->setText(path);
    m_homePageEdited = true;
}

void CCustomWebReportDlg::BrowseTemplate(int level)
{
    const QString path = QFileDialog::getOpenFileName(
        this, "HTML Template", m_templateFolder, "HTML templates (*.htm *.html);;All files (*)");
    if (!path.isEmpty())
        SetLevel(level, path, m_levels[level - 1].sort1->currentData().toString(),
            m_levels[level - 1].sort2->currentData().toString());
}

void CCustomWebReportDlg::accept()
{
    TakeWidgets();
    const CString problem = m_editor.Check(m_otherNames, m_otherHomePages);
    if (!problem.empty()) {
        CMessageBox::Warn(this, windowTitle(), Q(problem));
        return;
    }
    QDialog::accept();
}
