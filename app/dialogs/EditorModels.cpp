#include "app/dialogs/EditorModels.h"

#include <algorithm>

#include "app/QtText.h"
#include "data/reports/CustomReportEditor.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldsEditor.h"

// ---------------------------------------------------------------------------

CCheckListModel::CCheckListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void CCheckListModel::SetEntries(std::vector<CEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

int CCheckListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

QVariant CCheckListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const CEntry& entry = m_entries[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole)
        return entry.text;
    if (role == Qt::CheckStateRole)
        return entry.checked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::UserRole)
        return entry.id;
    return QVariant();
}

bool CCheckListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::CheckStateRole)
        return false;
    CEntry& entry = m_entries[static_cast<std::size_t>(index.row())];
    const bool checked = value.value<Qt::CheckState>() == Qt::Checked;
    if (entry.checked == checked)
        return true;
    entry.checked = checked;
    emit dataChanged(index, index, { Qt::CheckStateRole });
    emit CheckChanged(entry.id, checked);
    return true;
}

Qt::ItemFlags CCheckListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

bool CCheckListModel::IsChecked(int id) const
{
    for (const CEntry& entry : m_entries)
        if (entry.id == id)
            return entry.checked;
    return false;
}

bool CCheckListModel::SetChecked(int id, bool checked)
{
    for (int row = 0; row < rowCount(); ++row)
        if (m_entries[static_cast<std::size_t>(row)].id == id)
            return setData(index(row), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    return false;
}

void CCheckListModel::SetAllChecked(bool checked)
{
    for (int row = 0; row < rowCount(); ++row)
        setData(index(row), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

std::vector<int> CCheckListModel::CheckedIDs() const
{
    std::vector<int> ids;
    for (const CEntry& entry : m_entries)
        if (entry.checked)
            ids.push_back(entry.id);
    return ids;
}

// ---------------------------------------------------------------------------

CReportColumnsModel::CReportColumnsModel(CCustomPrintReportEditor& editor, QObject* parent)
    : QAbstractListModel(parent)
    , m_editor(editor)
{
}

int CReportColumnsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_editor.GetColumnCount();
}

QVariant CReportColumnsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return QVariant();
    return Q(m_editor.GetColumnAt(index.row()));
}

bool CReportColumnsModel::AddColumn(const QString& prop)
{
    const std::vector<CString>& columns = m_editor.GetColumns();
    if (prop.isEmpty() || std::find(columns.begin(), columns.end(), prop.toStdString()) != columns.end())
        return false;
    beginInsertRows(QModelIndex(), rowCount(), rowCount());
    m_editor.AddColumn(prop.toStdString());
    endInsertRows();
    return true;
}

bool CReportColumnsModel::RemoveColumn(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    m_editor.RemoveColumn(row);
    endRemoveRows();
    return true;
}

bool CReportColumnsModel::MoveColumn(int from, int to)
{
    if (from < 0 || from >= rowCount() || to < 0 || to >= rowCount() || from == to)
        return false;
    // Qt counts the destination before the move.
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
    m_editor.MoveColumn(from, to);
    endMoveRows();
    return true;
}

void CReportColumnsModel::Reload()
{
    beginResetModel();
    endResetModel();
}

// ---------------------------------------------------------------------------

CCustomFieldsModel::CCustomFieldsModel(CCustomFieldsEditor& editor, QObject* parent)
    : QAbstractTableModel(parent)
    , m_editor(editor)
{
}

int CCustomFieldsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_editor.GetCount();
}

int CCustomFieldsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : COLUMN_COUNT;
}

QString CCustomFieldsModel::TypeName(int dataType)
{
    switch (dataType) {
    case CF_DATE:
        return "Date";
    case CF_TRUEFALSE:
        return "True/False";
    case CF_SELECTIONLIST:
        return "Selection List";
    case CF_LOCALFILENAME:
        return "Local File Name";
    case CF_WEBADDRESS:
        return "Web Address";
    default:
        return "Text";
    }
}

QString CCustomFieldsModel::InitialText(const CCustomField& field)
{
    switch (field.GetDataType()) {
    case CF_DATE:
        return field.GetInitialValueDateToday() ? "today" : QString();
    case CF_TRUEFALSE:
        return field.GetInitialValueBooleanOn() ? "on" : "off";
    case CF_SELECTIONLIST: {
        QStringList choices;
        for (int i = 0; i < field.GetSelectionListCount(); ++i)
            choices << Q(field.GetSelectionListItem(i));
        return "choices: " + choices.join(", ");
    }
    case CF_WEBADDRESS:
        return QString();
    default:
        return Q(field.GetInitialValue());
    }
}

QVariant CCustomFieldsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return QVariant();
    const CCustomField& field = m_editor.GetAt(index.row());
    switch (index.column()) {
    case NameColumn:
        return Q(field.GetName());
    case TypeColumn:
        return TypeName(field.GetDataType());
    case InitialColumn:
        return InitialText(field);
    default:
        return QVariant();
    }
}

QVariant CCustomFieldsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case NameColumn:
        return "Name";
    case TypeColumn:
        return "Data Type";
    case InitialColumn:
        return "Initial Value";
    default:
        return QVariant();
    }
}

bool CCustomFieldsModel::AddField(const CCustomField& field, QString& error)
{
    const CString problem = m_editor.CheckField(field, -1);
    if (!problem.empty()) {
        error = Q(problem);
        return false;
    }
    CString unused;
    beginInsertRows(QModelIndex(), rowCount(), rowCount());
    m_editor.Add(field, unused);
    endInsertRows();
    return true;
}

bool CCustomFieldsModel::ReplaceField(int row, const CCustomField& field, QString& error)
{
    CString problem;
    if (!m_editor.Replace(row, field, problem)) {
        error = Q(problem);
        return false;
    }
    emit dataChanged(index(row, 0), index(row, COLUMN_COUNT - 1));
    return true;
}

bool CCustomFieldsModel::DeleteField(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    m_editor.Delete(row);
    endRemoveRows();
    return true;
}

bool CCustomFieldsModel::MoveUp(int row)
{
    if (row < 1 || row >= rowCount())
        return false;
    beginMoveRows(QModelIndex(), row, row, QModelIndex(), row - 1);
    m_editor.MoveUp(row);
    endMoveRows();
    return true;
}

bool CCustomFieldsModel::MoveDown(int row)
{
    return MoveUp(row + 1);
}
