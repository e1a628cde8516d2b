#pragma once
// Turns a form table into widgets: an editor per row by its kind, a label
// with mnemonic as the editor's buddy, the label without "&" as the
// editor's accessible name, two fields a line (wide ones alone). The fields
// are created in the order of the rows, which the tab order follows.

#include <QList>

#include "app/views/FieldDesc.h"

class CFormField;
class QGridLayout;
class QObject;
class QWidget;

class CFormBuilder {
public:
    // The fields, in table order; each editor is a child of parent, each
    // CFormField a child of owner.
    static QList<CFormField*> Build(const CFieldList& fields, QGridLayout* grid, QWidget* parent, QObject* owner);
    static QWidget* MakeEditor(const CFieldDesc& desc, QWidget* parent);
    // Whether a choice field takes free text besides its entries.
    static bool IsEditableChoice(CChoiceSource source);
};
