#pragma once
// One row of a media view's form, as data: the property the field edits
// (the item's property map key), its label with mnemonic, its editor, its
// check, where its choices come from and which names it suggests. A view's
// form is the list of its rows; CFormBuilder turns it into widgets.

#include <QList>
#include <QString>

#include "data/model/FieldValidation.h"
#include "platform/util/VemoTypes.h"

enum class CFieldKind {
    line, // one line of text
    multiLine, // several lines (a description)
    date, // a date typed as text
    yesNo, // a check box; the label is its text
    choice, // a drop-down list
    number, // a whole number
    time, // a duration such as 1:02:05
    money, // an amount with the currency's fraction digits
};

// Where the entries of a choice field come from.
enum class CChoiceSource {
    none,
    categories, // the library's categories
    cover, // "Hardcover" or "Paperback", stored as yes/no
    magazines, // the shared magazine titles (a new name adds a title)
    cassetteTypes, // tape formulations; free text allowed
    tapeWidths, // reel-to-reel tape widths; free text allowed
    recordSpeeds, // record speeds in rpm; free text allowed
    videoTapeFormats, // the ten video tape formats
};

// The names a field suggests while the user types. The first six are the
// library's derived lists, which an edit of the field makes stale, in the
// order of their update hints (108..113).
enum class CNameSource {
    none,
    artists,
    actors,
    directors,
    authors,
    locations,
    manufacturers,
    composers,
    arrangers,
    wordsBy,
    musicBy,
    instrumentation,
};

struct CFieldDesc {
    CString prop;
    QString label;
    CFieldKind kind = CFieldKind::line;
    CFieldValidation::Kind check = CFieldValidation::none;
    CChoiceSource choices = CChoiceSource::none;
    CNameSource names = CNameSource::none;
    // Takes the whole width of the form.
    bool wide = false;
};

using CFieldList = QList<CFieldDesc>;
