#include "app/pages/PageSupport.h"

#include <QComboBox>
#include <algorithm>

#include "app/MessageBox.h"

namespace PageSupport {

QDateTime ToQDateTime(const COleDateTime& date)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!date.IsValid() || !date.GetParts(year, month, day, hour, minute, second))
        return QDateTime();
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

COleDateTime FromQDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return COleDateTime::Null();
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    return COleDateTime(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
}

void FillChooser(QComboBox* combo, QList<QPair<QString, int>> entries)
{
    std::sort(entries.begin(), entries.end(), [](const QPair<QString, int>& a, const QPair<QString, int>& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    combo->clear();
    combo->addItem(QString(), 0);
    for (const auto& [name, id] : entries)
        combo->addItem(name, id);
}

void ShowDataModified(QWidget* parent, const CString& message)
{
    if (!message.empty())
        CMessageBox::Inform(parent, "Data Modified", Q(message));
}

} // namespace PageSupport
