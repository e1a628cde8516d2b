#pragma once
// One field of a media view's form: its row of the form table, its label
// and its editor. It moves texts between the editor and the item's property
// map (check boxes as "Y"/"N", choices by their stored values) and tells
// the view when the user changed the text and when the user left the field.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

#include "app/views/FieldDesc.h"

class QComboBox;
class QLabel;
class QWidget;

class CFormField : public QObject {
    Q_OBJECT

public:
    // label may be null (a check box carries its own text).
    CFormField(const CFieldDesc& desc, QWidget* editor, QLabel* label, QObject* parent = nullptr);

    const CFieldDesc& Desc() const { return m_desc; }
    QWidget* Editor() const { return m_editor; }
    QLabel* Label() const { return m_label; }
    // The label without its mnemonic marker: also the editor's accessible name.
    QString Name() const;

    // The text for the property map.
    QString Text() const;
    // Shows a property map text; the user has not edited it.
    void SetText(const QString& text);
    // For choice fields: the entries shown and the texts stored for them
    // (values may be empty: each entry is stored as shown).
    void SetChoices(const QStringList& shown, const QStringList& values = {});
    // For fields with suggestions: the names, or where they come from when
    // first needed.
    void SetNames(const QStringList& names);
    void SetNamesSource(std::function<QStringList()> source);
    void SetEnabled(bool enabled);

    // Whether the widget is this field's editor or inside it.
    bool Holds(const QWidget* widget) const;

signals:
    // The user changed the text.
    void Edited();
    // The user left the field, pressed Enter, or made a choice.
    void Finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Connect();
    QComboBox* Combo() const;

    CFieldDesc m_desc;
    QPointer<QWidget> m_editor;
    QPointer<QLabel> m_label;
    QStringList m_shown;
    QStringList m_values;
    bool m_loading = false;
};
