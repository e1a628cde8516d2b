#pragma once
// One custom field, new or to be changed: its name, data type, web report
// tag and what new items start with (a text, today's date, true, or for a
// selection list its choices). OK is refused while check finds a problem.

#include <QDialog>
#include <functional>

#include "data/store/CustomField.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;

class CCustomFieldDlg : public QDialog {
    Q_OBJECT

public:
    // check: "" when the field may be kept, else the reason.
    using Check = std::function<QString(const CCustomField& field)>;

    // defaultFolder: where browsing for a local file starts.
    CCustomFieldDlg(
        const CCustomField& field, bool isNew, const QString& defaultFolder, Check check, QWidget* parent = nullptr);

    CCustomField GetField() const;

    QLineEdit* GetNameEdit() const { return m_name; }
    QComboBox* GetTypeCombo() const { return m_type; }
    QLineEdit* GetTagEdit() const { return m_tag; }
    QLineEdit* GetInitialEdit() const { return m_initial; }
    QCheckBox* GetTodayBox() const { return m_today; }
    QCheckBox* GetOnBox() const { return m_on; }
    QPlainTextEdit* GetChoicesEdit() const { return m_choices; }

    void accept() override;

private:
    void ShowTypePage();
    void BrowseInitialFile();

    CCustomField m_original;
    QString m_defaultFolder;
    Check m_check;
    bool m_tagEdited = false;
    QLineEdit* m_name;
    QComboBox* m_type;
    QLineEdit* m_tag;
    QStackedWidget* m_pages;
    QLineEdit* m_initial;
    QWidget* m_browse;
    QCheckBox* m_today;
    QCheckBox* m_on;
    QPlainTextEdit* m_choices;
};
