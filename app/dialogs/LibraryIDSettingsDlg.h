#pragma once
// How a media type's library IDs are made (for video tapes: each tape
// format's): prefix, postfix, digit count and automatic numbering, with the
// one-shot options to renumber all items by a chosen property, reformat all
// IDs or clear them, and a preview of the next ID as the user types. It
// edits a working copy; the library changes only through Apply after OK.

#include <QDialog>

#include "data/store/LibraryIDFormatEditor.h"

class CLibrary;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

class CLibraryIDSettingsDlg : public QDialog {
    Q_OBJECT

public:
    CLibraryIDSettingsDlg(const CLibrary& library, int mediaType, QWidget* parent = nullptr);

    const CLibraryIDFormatEditor& GetEditor() const { return m_editor; }
    // The target shown (the media type, or a tape format 116..125).
    int GetTargetID() const { return m_targetID; }
    void ShowTarget(int id);
    // The preview as shown.
    QString GetPreviewText() const;

    QLineEdit* GetPrefixEdit() const { return m_prefix; }
    QLineEdit* GetPostfixEdit() const { return m_postfix; }
    QSpinBox* GetDigitsBox() const { return m_digits; }
    QCheckBox* GetAutoBox() const { return m_auto; }
    QCheckBox* GetRenumberBox() const { return m_renumber; }
    QComboBox* GetRenumberOrderCombo() const { return m_renumberOrder; }
    QCheckBox* GetApplyAllBox() const { return m_applyAll; }
    QCheckBox* GetClearAllBox() const { return m_clearAll; }

    // See CLibraryIDFormatEditor::Apply.
    void Apply(CLibrary& library, std::vector<int>& touchedIDs, bool& itemsChanged) const;

private:
    // The one place the widgets become the editor's settings, and back.
    void StoreWidgets();
    void LoadWidgets();
    void UpdatePreview();

    CLibraryIDFormatEditor m_editor;
    int m_targetID = 0;
    bool m_loading = false;
    QComboBox* m_format = nullptr;
    QLineEdit* m_prefix;
    QLineEdit* m_postfix;
    QSpinBox* m_digits;
    QCheckBox* m_auto;
    QCheckBox* m_renumber;
    QComboBox* m_renumberOrder;
    QCheckBox* m_applyAll;
    QCheckBox* m_clearAll;
    QLabel* m_items;
    QLabel* m_preview;
};
