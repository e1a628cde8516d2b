#pragma once
// What the item pages share: text and date conversions between the data
// core and Qt, and the message shown when a typed value had to be changed.

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

#include "app/QtText.h"
#include "platform/util/OleDateTime.h"
#include "platform/util/VemoTypes.h"

class QComboBox;
class QWidget;

namespace PageSupport {

inline CString CText(const QString& text)
{
    return text.toStdString();
}

// Local date and time; an invalid QDateTime for a date that is not valid.
QDateTime ToQDateTime(const COleDateTime& date);
// Null for an invalid QDateTime.
COleDateTime FromQDateTime(const QDateTime& dateTime);

// Fills a chooser of shared records: an empty entry (id 0) for none, then
// the names sorted ignoring case, each carrying its id.
void FillChooser(QComboBox* combo, QList<QPair<QString, int>> entries);

// The "Data Modified" notice after a value was corrected; nothing for "".
void ShowDataModified(QWidget* parent, const CString& message);

} // namespace PageSupport
