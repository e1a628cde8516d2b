#include "app/views/FormBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/views/FormField.h"
#include "app/views/SuggestLineEdit.h"

namespace {

// Columns: label, editor, gap, label, editor.
constexpr int LEFT_LABEL = 0;
constexpr int RIGHT_LABEL = 3;
constexpr int GAP_COLUMN = 2;
constexpr int COLUMNS = 5;

} // namespace

bool CFormBuilder::IsEditableChoice(CChoiceSource source)
{
    switch (source) {
    case CChoiceSource::magazines:
    case CChoiceSource::cassetteTypes:
    case CChoiceSource::tapeWidths:
    case CChoiceSource::recordSpeeds:
        return true;
    default:
        return false;
    }
}

QWidget* CFormBuilder::MakeEditor(const CFieldDesc& desc, QWidget* parent)
{
    QWidget* editor = nullptr;
    switch (desc.kind) {
    case CFieldKind::multiLine: {
        auto* text = new QPlainTextEdit(parent);
        text->setTabChangesFocus(true);
        const int lines = QFontMetrics(text->font()).lineSpacing();
        // Four lines where there is room, two when the pages below need it.
        text->setMinimumHeight(lines * 2 + 12);
        text->setMaximumHeight(lines * 4 + 12);
        editor = text;
        break;
    }
    case CFieldKind::yesNo:
        editor = new QCheckBox(desc.label, parent);
        break;
    case CFieldKind::choice: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(IsEditableChoice(desc.choices));
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(8);
        if (QLineEdit* line = combo->lineEdit())
            line->setAccessibleName(desc.label);
        editor = combo;
        break;
    }
    default: {
        QLineEdit* line = desc.names != CNameSource::none ? new CSuggestLineEdit(parent) : new QLineEdit(parent);
        if (desc.kind == CFieldKind::number || desc.kind == CFieldKind::money)
            line->setAlignment(Qt::AlignRight);
        if (desc.kind == CFieldKind::date)
            line->setPlaceholderText("YYYY-MM-DD");
        if (desc.kind == CFieldKind::time)
            line->setPlaceholderText(desc.check == CFieldValidation::mediaLength ? "h:mm" : "mm:ss");
        editor = line;
        break;
    }
    }
    editor->setObjectName(QString::fromStdString(desc.prop));
    return editor;
}

QList<CFormField*> CFormBuilder::Build(const CFieldList& fields, QGridLayout* grid, QWidget* parent, QObject* owner)
{
    QList<CFormField*> built;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setColumnMinimumWidth(GAP_COLUMN, 16);
    int row = grid->rowCount();
    bool right = false;
    for (const CFieldDesc& desc : fields) {
        QWidget* editor = MakeEditor(desc, parent);
        QLabel* label = nullptr;
        if (desc.kind != CFieldKind::yesNo) {
            label = new QLabel(desc.label + ":", parent);
            label->setBuddy(editor);
        }
        auto* field = new CFormField(desc, editor, label, owner);
        editor->setAccessibleName(field->Name());
        if (QComboBox* combo = qobject_cast<QComboBox*>(editor); combo && combo->lineEdit())
            combo->lineEdit()->setAccessibleName(field->Name());

        if (desc.wide && right) {
            ++row;
            right = false;
        }
        const int labelColumn = right ? RIGHT_LABEL : LEFT_LABEL;
        const Qt::Alignment labelAlign
            = desc.kind == CFieldKind::multiLine ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignLeft | Qt::AlignVCenter;
        if (label)
            grid->addWidget(label, row, labelColumn, labelAlign);
        grid->addWidget(editor, row, labelColumn + 1, 1, desc.wide ? COLUMNS - 1 : 1);
        if (desc.wide || right) {
            ++row;
            right = false;
        } else {
            right = true;
        }

        built << field;
    }
    return built;
}
