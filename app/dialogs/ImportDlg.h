#pragma once
// Library, Import...: reads a delimited text file into a grid whose first
// row says which property each column carries, lets the user pick the rows,
// marks those the library holds already, and imports the chosen rows all at
// once or not at all.

#include <QColor>
#include <QDialog>
#include <memory>

#include "app/dialogs/ImportProgressJob.h"
#include "data/store/ImportJob.h"
#include "platform/util/VemoTypes.h"

class CLibrary;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

class CImportDlg : public QDialog {
    Q_OBJECT

public:
    static inline const QColor EXISTING_ROW_COLOR { 255, 208, 216 };
    // Grid columns before the file's columns.
    static constexpr int ROW_NUMBER_COLUMN = 0;
    static constexpr int IMPORT_COLUMN = 1;
    static constexpr int FIRST_DATA_COLUMN = 2;
    // The grid row of the column properties; file rows follow it.
    static constexpr int PROPERTY_ROW = 0;

    // importPath: the folder the file chooser starts in. mediaType: the
    // type proposed (1..24).
    CImportDlg(CLibrary& library, const CString& importPath, int mediaType, QWidget* parent = nullptr);
    ~CImportDlg() override;

    void SetMediaType(int mediaType);
    int GetMediaType() const;
    // One of the delimiter names ("tab", "comma", ...); false for others.
    bool SetDelimiter(const QString& name);
    // Reads the file into the grid; false (and said) when it cannot be read.
    bool LoadFile(const QString& path);
    // The folder of the file last chosen (the path given at first).
    const CString& GetImportPath() const { return m_importPath; }

    // The property a file column carries, as its combo box shows it.
    QString GetColumnProperty(int fileColumn) const;
    bool SetColumnProperty(int fileColumn, const QString& prop);
    // The "Import?" mark of file row index (0-based).
    bool IsRowChecked(int fileRow) const;
    void SetRowChecked(int fileRow, bool checked);
    bool IsRowMarkedExisting(int fileRow) const;
    void SetFirstRowIsHeader(bool header);

    QTableWidget* GetGrid() const { return m_grid; }
    QCheckBox* GetHeaderBox() const { return m_header; }
    // Columns left at "<ignore>" whose heading names nothing become new
    // text custom fields of that name when the import runs.
    QCheckBox* GetNewFieldsBox() const { return m_newFields; }
    QLabel* GetExistingNote() const { return m_existingNote; }
    // What the import did (after OK), or the trial would do (after Try).
    const CImportOutcome& GetOutcome() const { return m_outcome; }
    // Whether the library was put back from a copy (after a trial or an
    // import that did not finish): the items are new objects since.
    bool WasLibraryReloaded() const { return m_reloaded; }

    // Imports the chosen rows as a trial: says what an import would do and
    // which cells it could not read, and keeps nothing.
    void Try();
    void accept() override;

private:
    void Browse();
    void Reload();
    void FillGrid();
    void FillPropertyCombos();
    void OnPropertyChosen(int fileColumn, const QString& prop);
    void OnCellChanged(int row, int column);
    // Marks the rows the library holds (only onlyRow when given) in rose.
    void MarkExisting(int onlyRow = -1);
    QStringList OfferedProperties() const;
    char Delimiter() const;
    // Runs the import (new fields first when asked); a trial, or an import
    // that does not finish, leaves the library and the columns as they were.
    // The custom fields made are appended to made.
    CImportOutcome RunImport(bool trial, CStringArray& made);
    // There are rows and a column to import; false after saying why not.
    bool CanRun();
    // The counts, the fields made and the cells not read: in a message, or
    // in a list when cells were not read.
    void ShowOutcome(bool trial, const CStringArray& made);

    CLibrary& m_library;
    CString m_importPath;
    QString m_filePath;
    std::unique_ptr<CImportProgressJob> m_job;
    CImportOutcome m_outcome;
    bool m_filling = false;
    bool m_reloaded = false;

    QComboBox* m_mediaType;
    QLineEdit* m_file;
    QComboBox* m_delimiter;
    QCheckBox* m_header;
    QCheckBox* m_newFields;
    QTableWidget* m_grid;
    QLabel* m_existingNote;
};
