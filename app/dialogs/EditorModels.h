#pragma once
// The list models of the editing windows. Each shows the working copy a
// dialog edits (the Qt-free editors of data/), and every change to a list
// goes through its model so that views stay in step.

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QStringList>
#include <functional>
#include <vector>

#include "data/store/SharedListEditor.h"

class CCustomFieldsEditor;
class CCustomPrintReportEditor;
class CCustomField;

// Checkable entries (media types, categories), each with an id.
class CCheckListModel : public QAbstractListModel {
    Q_OBJECT

public:
    struct CEntry {
        int id = 0;
        QString text;
        bool checked = false;
    };

    explicit CCheckListModel(QObject* parent = nullptr);

    void SetEntries(std::vector<CEntry> entries);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    bool IsChecked(int id) const;
    // False for an id not listed.
    bool SetChecked(int id, bool checked);
    void SetAllChecked(bool checked);
    std::vector<int> CheckedIDs() const;

signals:
    void CheckChanged(int id, bool checked);

private:
    std::vector<CEntry> m_entries;
};

// The columns of a printed report, in order.
class CReportColumnsModel : public QAbstractListModel {
    Q_OBJECT

public:
    CReportColumnsModel(CCustomPrintReportEditor& editor, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    bool AddColumn(const QString& prop);
    bool RemoveColumn(int row);
    bool MoveColumn(int from, int to);
    // After the editor's columns were replaced as a whole.
    void Reload();

private:
    CCustomPrintReportEditor& m_editor;
};

// The custom fields of a media type: name, data type, initial value.
class CCustomFieldsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NameColumn, TypeColumn, InitialColumn, COLUMN_COUNT };

    CCustomFieldsModel(CCustomFieldsEditor& editor, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Each fails (with the reason) as the editor does.
    bool AddField(const CCustomField& field, QString& error);
    bool ReplaceField(int row, const CCustomField& field, QString& error);
    bool DeleteField(int row);
    bool MoveUp(int row);
    bool MoveDown(int row);

    // "Text", "Date", ...
    static QString TypeName(int dataType);
    // What a new item gets: the text, "today", "on"; a list's choices.
    static QString InitialText(const CCustomField& field);

private:
    CCustomFieldsEditor& m_editor;
};

// A shared list (persons, publishers, magazine titles) in a manager window:
// its columns are given as a heading and a text per record, the last one
// usually the count of uses.
template <class TRecord> class CSharedListModel : public QAbstractTableModel {
public:
    struct CColumn {
        QString heading;
        std::function<QString(const TRecord& record, int id)> text;
    };

    CSharedListModel(CSharedListEditor<TRecord>& editor, std::vector<CColumn> columns, QObject* parent = nullptr)
        : QAbstractTableModel(parent)
        , m_editor(editor)
        , m_columns(std::move(columns))
    {
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_editor.GetCount();
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
    }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override
    {
        if (!index.isValid() || index.row() >= m_editor.GetCount() || role != Qt::DisplayRole)
            return QVariant();
        return m_columns[static_cast<std::size_t>(index.column())].text(
            m_editor.GetAt(index.row()), m_editor.GetIDAt(index.row()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
            || section >= static_cast<int>(m_columns.size()))
            return QVariant();
        return m_columns[static_cast<std::size_t>(section)].heading;
    }

    bool Add(const TRecord& record)
    {
        if (m_editor.FindEqual(record) >= 0)
            return false;
        beginInsertRows(QModelIndex(), m_editor.GetCount(), m_editor.GetCount());
        m_editor.Add(record);
        endInsertRows();
        return true;
    }
    bool Replace(int row, const TRecord& record)
    {
        if (!m_editor.Replace(row, record))
            return false;
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        return true;
    }
    bool Remove(int row)
    {
        if (row < 0 || row >= m_editor.GetCount())
            return false;
        beginRemoveRows(QModelIndex(), row, row);
        m_editor.Remove(row);
        endRemoveRows();
        return true;
    }

private:
    CSharedListEditor<TRecord>& m_editor;
    std::vector<CColumn> m_columns;
};
