#include "app/dialogs/SharedListDlgs.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/MagazineDlg.h"
#include "app/dialogs/PersonDlg.h"
#include "data/model/MagazineMgr.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "platform/util/CountText.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

namespace {

QString Count(int n)
{
    return n > 0 ? QString::number(n) : QString();
}

QString PublisherName(int id)
{
    const CPublisherMgr* publishers = CPublisherMgr::GetInstance();
    const CPerson* publisher = publishers && id > 0 ? publishers->GetPublisher(id) : nullptr;
    return publisher ? Q(publisher->GetLastName()) : QString();
}

} // namespace

// ---------------------------------------------------------------------------

CSharedListDlg::CSharedListDlg(const QString& title, const QString& listLabel, const QString& note, QWidget* parent)
    : QDialog(parent)
    , m_view(new QTableView(this))
    , m_edit(new QPushButton("&Edit...", this))
    , m_delete(new QPushButton("&Delete", this))
{
    setWindowTitle(title);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    auto* add = new QPushButton("&Add...", this);
    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(m_edit);
    side->addWidget(m_delete);
    side->addStretch();
    auto* list = new QHBoxLayout;
    list->addWidget(m_view, 1);
    list->addLayout(side);
    auto* noteLabel = new QLabel(note, this);
    noteLabel->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuddyLabel(listLabel, m_view, this));
    layout->addLayout(list, 1);
    layout->addWidget(noteLabel);
    layout->addWidget(buttons);
    resize(620, 420);
    connect(add, &QPushButton::clicked, this, [this] { AddRecord(); });
    connect(m_edit, &QPushButton::clicked, this, [this] { EditSelected(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    connect(m_view, &QTableView::doubleClicked, this, [this] { EditSelected(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CSharedListDlg::SetModel(QAbstractItemModel* model)
{
    m_view->setModel(model);
    // The name takes the room; the count at the end needs little.
    m_view->horizontalHeader()->setStretchLastSection(false);
    m_view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < model->columnCount(); ++column)
        m_view->setColumnWidth(column, column + 1 < model->columnCount() ? 150 : 70);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CSharedListDlg::UpdateButtons);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &CSharedListDlg::UpdateButtons);
    SelectRow(-1);
}

int CSharedListDlg::SelectedRow() const
{
    const QModelIndexList rows
        = m_view->selectionModel() ? m_view->selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CSharedListDlg::SelectRow(int row)
{
    if (row < 0 || !m_view->model() || row >= m_view->model()->rowCount())
        m_view->clearSelection();
    else {
        m_view->selectRow(row);
        m_view->scrollTo(m_view->model()->index(row, 0));
    }
    UpdateButtons();
}

void CSharedListDlg::UpdateButtons()
{
    const bool selected = SelectedRow() >= 0;
    m_edit->setEnabled(selected);
    m_delete->setEnabled(selected);
}

bool CSharedListDlg::ConfirmDelete(const QString& what, int uses)
{
    QString question = QString("Delete %1?").arg(what);
    if (uses > 0)
        question += QString(" It is used by %1 of this Library, which will then show none.")
                        .arg(Q(CCountText::Of(uses, "item")));
    return CMessageBox::Confirm(this, windowTitle(), question);
}

// ---------------------------------------------------------------------------

namespace {

CSharedListEditor<CPerson> LoadPersons(CPersonsMgrDlg::Kind kind)
{
    if (kind == CPersonsMgrDlg::Persons)
        return CSharedListEditor<CPerson>(CPersonMgr::GetInstance());
    return CSharedListEditor<CPerson>(CPublisherMgr::GetInstance());
}

} // namespace

CPersonsMgrDlg::CPersonsMgrDlg(Kind kind, const CLibrary* library, QWidget* parent)
    : CSharedListDlg(kind == Persons ? "Persons" : "Publishers",
        kind == Persons ? "&Persons (borrowers):" : "&Publishers:",
        kind == Persons ? "Persons are shared by all Libraries; \"Used by\" counts the items of this Library "
                          "that were lent to or reserved for them."
                        : "Publishers are shared by all Libraries; \"Used by\" counts the items of this Library "
                          "they published.",
        parent)
    , m_kind(kind)
    , m_usage(library)
    , m_editor(LoadPersons(kind))
{
    std::vector<CSharedListModel<CPerson>::CColumn> columns;
    if (kind == Persons) {
        columns.push_back({ "Name", [](const CPerson& p, int) { return Q(p.FormName(false)); } });
        columns.push_back({ "Phone", [](const CPerson& p, int) { return Q(p.GetPhoneNumbers()); } });
        columns.push_back({ "E-mail", [](const CPerson& p, int) { return Q(p.GetEmail()); } });
    } else {
        columns.push_back({ "Name", [](const CPerson& p, int) { return Q(p.GetLastName()); } });
        columns.push_back({ "Phone", [](const CPerson& p, int) { return Q(p.GetPhoneNumbers()); } });
        columns.push_back({ "Web Address", [](const CPerson& p, int) { return Q(p.GetURL()); } });
    }
    columns.push_back({ "Used by", [this](const CPerson&, int id) { return Count(Uses(id)); } });
    m_model = std::make_unique<CSharedListModel<CPerson>>(m_editor, std::move(columns));
    SetModel(m_model.get());
}

int CPersonsMgrDlg::Uses(int id) const
{
    return m_kind == Persons ? m_usage.GetPersonUses(id) : m_usage.GetPublisherUses(id);
}

QString CPersonsMgrDlg::Check(const CPerson& record, int row) const
{
    if (m_kind == Publishers && CStringUtils::IsEffectivelyEmpty(record.GetLastName()))
        return "A publisher needs a name.";
    if (m_kind == Persons && record.FormName(true).empty())
        return "A person needs a first, middle or last name.";
    const int other = m_editor.FindEqual(record, row);
    if (other >= 0)
        return QString("\"%1\" is listed already.")
            .arg(Q(m_kind == Persons ? m_editor.GetAt(other).FormName(true) : m_editor.GetAt(other).GetLastName()));
    return QString();
}

bool CPersonsMgrDlg::AddPerson(const CPerson& record, QString& error)
{
    error = Check(record, -1);
    if (!error.isEmpty() || !m_model->Add(record))
        return false;
    SelectRow(m_editor.GetCount() - 1);
    return true;
}

bool CPersonsMgrDlg::ReplacePerson(int row, const CPerson& record, QString& error)
{
    error = Check(record, row);
    return error.isEmpty() && m_model->Replace(row, record);
}

void CPersonsMgrDlg::AddRecord()
{
    auto check = [this](const CPerson& record) { return Check(record, -1); };
    std::unique_ptr<CPersonRecordDlg> dlg;
    if (m_kind == Persons)
        dlg = std::make_unique<CPersonDlg>(CPerson(), true, check, this);
    else
        dlg = std::make_unique<CPublisherDlg>(CPerson(), true, check, this);
    QString error;
    if (dlg->exec() == QDialog::Accepted && !AddPerson(dlg->GetRecord(), error))
        CMessageBox::Warn(this, windowTitle(), error);
}

void CPersonsMgrDlg::EditSelected()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    auto check = [this, row](const CPerson& record) { return Check(record, row); };
    std::unique_ptr<CPersonRecordDlg> dlg;
    if (m_kind == Persons)
        dlg = std::make_unique<CPersonDlg>(m_editor.GetAt(row), false, check, this);
    else
        dlg = std::make_unique<CPublisherDlg>(m_editor.GetAt(row), false, check, this);
    QString error;
    if (dlg->exec() == QDialog::Accepted && !ReplacePerson(row, dlg->GetRecord(), error))
        CMessageBox::Warn(this, windowTitle(), error);
}

void CPersonsMgrDlg::DeleteSelected()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const CPerson& record = m_editor.GetAt(row);
    const QString name = Q(m_kind == Persons ? record.FormName(true) : record.GetLastName());
    if (!ConfirmDelete(QString("\"%1\"").arg(name), Uses(m_editor.GetIDAt(row))))
        return;
    m_model->Remove(row);
    SelectRow(std::min(row, m_editor.GetCount() - 1));
}

void CPersonsMgrDlg::Apply() const
{
    std::vector<int> ids;
    if (m_kind == Persons) {
        if (CPersonMgr* persons = CPersonMgr::GetInstance())
            m_editor.Apply(
                *persons, [](CPersonMgr& mgr, int id) { return mgr.GetPerson(id); }, ids);
    } else if (CPublisherMgr* publishers = CPublisherMgr::GetInstance()) {
        m_editor.Apply(
            *publishers, [](CPublisherMgr& mgr, int id) { return mgr.GetPublisher(id); }, ids);
    }
}

// ---------------------------------------------------------------------------

CMagazinesMgrDlg::CMagazinesMgrDlg(const CLibrary* library, int selectedTitleID, QWidget* parent)
    : CSharedListDlg("Magazine Titles", "&Magazine titles:",
        "Magazine titles are shared by all Libraries; \"Used by\" counts the issues of this Library.", parent)
    , m_usage(library)
    , m_editor(CMagazineMgr::GetInstance())
{
    std::vector<CSharedListModel<CMagazine>::CColumn> columns;
    columns.push_back({ "Title", [](const CMagazine& m, int) { return Q(m.GetName()); } });
    columns.push_back({ "Publisher", [](const CMagazine& m, int) { return PublisherName(m.GetPublisherID()); } });
    columns.push_back({ "Subscription", [](const CMagazine& m, int) {
                           if (!m.GetSubscription())
                               return QString();
                           return m.GetSubscriptionExp().empty() ? QString("yes")
                                                                 : "until " + Q(m.GetSubscriptionExp());
                       } });
    columns.push_back({ "Used by", [this](const CMagazine&, int id) { return Count(m_usage.GetMagazineUses(id)); } });
    m_model = std::make_unique<CSharedListModel<CMagazine>>(m_editor, std::move(columns));
    SetModel(m_model.get());
    SelectRow(m_editor.IndexOfID(selectedTitleID));
}

QString CMagazinesMgrDlg::Check(const CMagazine& title, int row) const
{
    if (CStringUtils::IsEffectivelyEmpty(title.GetName()))
        return "A magazine title needs a name.";
    const int other = m_editor.FindEqual(title, row);
    if (other >= 0)
        return QString("The magazine title \"%1\" is listed already. Titles are not case-sensitive.")
            .arg(Q(m_editor.GetAt(other).GetName()));
    return QString();
}

bool CMagazinesMgrDlg::AddTitle(const CMagazine& title, QString& error)
{
    error = Check(title, -1);
    if (!error.isEmpty() || !m_model->Add(title))
        return false;
    SelectRow(m_editor.GetCount() - 1);
    return true;
}

bool CMagazinesMgrDlg::ReplaceTitle(int row, const CMagazine& title, QString& error)
{
    error = Check(title, row);
    return error.isEmpty() && m_model->Replace(row, title);
}

void CMagazinesMgrDlg::AddRecord()
{
    CMagazineDlg dlg(
        CMagazine(), true, [this](const CMagazine& title) { return Check(title, -1); }, this);
    QString error;
    if (dlg.exec() == QDialog::Accepted && !AddTitle(dlg.GetTitle(), error))
        CMessageBox::Warn(this, windowTitle(), error);
}

void CMagazinesMgrDlg::EditSelected()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    CMagazineDlg dlg(
        m_editor.GetAt(row), false, [this, row](const CMagazine& title) { return Check(title, row); }, this);
    QString error;
    if (dlg.exec() == QDialog::Accepted && !ReplaceTitle(row, dlg.GetTitle(), error))
        CMessageBox::Warn(this, windowTitle(), error);
}

void CMagazinesMgrDlg::DeleteSelected()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const QString what = QString("the magazine title \"%1\"").arg(Q(m_editor.GetAt(row).GetName()));
    if (!ConfirmDelete(what, m_usage.GetMagazineUses(m_editor.GetIDAt(row))))
        return;
    m_model->Remove(row);
    SelectRow(std::min(row, m_editor.GetCount() - 1));
}

int CMagazinesMgrDlg::Apply() const
{
    CMagazineMgr* titles = CMagazineMgr::GetInstance();
    if (!titles)
        return 0;
    std::vector<int> ids;
    m_editor.Apply(
        *titles, [](CMagazineMgr& mgr, int id) { return mgr.GetMagazine(id); }, ids);
    const int row = SelectedRow();
    return row >= 0 && row < static_cast<int>(ids.size()) ? ids[static_cast<std::size_t>(row)] : 0;
}
