#include "app/views/MediaFamilyViews.h"

#include "data/model/MediaUtils.h"

using U = CMediaUtils;
using V = CFieldValidation;
using K = CFieldKind;
using C = CChoiceSource;
using N = CNameSource;

void CTrackMediaView::OnFieldTakenOver(const CFieldDesc& desc)
{
    if (desc.prop == U::MEDIA_PROP_MEDIASIZE || desc.prop == U::MEDIA_PROP_DISCS)
        OnMediaSizeChanged();
}

void CAudioTrackMediaView::DescribeFields(CFieldList& fields) const
{
    CTrackMediaView::DescribeFields(fields);
    fields << CFieldDesc { U::MEDIA_PROP_ARTIST, "&Artist", K::line, V::none, C::none, N::artists }
           << CFieldDesc { U::MEDIA_PROP_JACKETNUMBER, "&Jacket Number" }
           << CFieldDesc { U::MEDIA_PROP_DISCS, "N&umber of Discs", K::number, V::discs }
           << CFieldDesc { U::MEDIA_PROP_LENGTH, "Le&ngth", K::time, V::contentSize };
}

void CAudioTrackMediaView::DescribeSortOrders(QList<SortEntry>& entries) const
{
    CTrackMediaView::DescribeSortOrders(entries);
    entries << SortEntry { "&Artist", U::MEDIA_PROP_ARTIST };
}

CFieldDesc CRecordableMediaView::SizeField() const
{
    return { U::MEDIA_PROP_MEDIASIZE, "Disc Si&ze (minutes)", K::number, V::mediaSize };
}

void CRecordableMediaView::AppendMediaFields(CFieldList& fields, const QString& brandLabel) const
{
    fields << CFieldDesc { U::MEDIA_PROP_MANUFACTURER, brandLabel, K::line, V::none, C::none, N::manufacturers }
           << SizeField();
}

void CAudioRecordableMediaView::DescribeFields(CFieldList& fields) const
{
    CRecordableMediaView::DescribeFields(fields);
    fields << CFieldDesc { U::MEDIA_PROP_ARTIST, "&Artist", K::line, V::none, C::none, N::artists };
    AppendMediaFields(fields, "&Brand");
}

CFieldDesc CAudioRecTapeView::SizeField() const
{
    return { U::MEDIA_PROP_MEDIASIZE, "Tape Si&ze (minutes)", K::number, V::mediaSize };
}

namespace {

// The cast of video media, recordable or not.
void AppendCast(CFieldList& fields)
{
    fields << CFieldDesc { U::MEDIA_PROP_SUBTITLE, "Su&btitle" }
           << CFieldDesc { U::MEDIA_PROP_LEADACTOR, "Le&ad Actor", K::line, V::none, C::none, N::actors }
           << CFieldDesc { U::MEDIA_PROP_COSTAR, "C&o-Star", K::line, V::none, C::none, N::actors }
           << CFieldDesc { U::MEDIA_PROP_DIRECTOR, "Dir&ector", K::line, V::none, C::none, N::directors }
           << CFieldDesc { U::MEDIA_PROP_SERIESNUMBER, "Series N&umber" };
}

} // namespace

void CVideoMediaView::DescribeFields(CFieldList& fields) const
{
    CMediaView::DescribeFields(fields);
    AppendCast(fields);
    fields << CFieldDesc { U::MEDIA_PROP_LENGTH, "Le&ngth", K::time, V::mediaLength }
           << CFieldDesc { U::MEDIA_PROP_DISCS, "Di&scs", K::number }
           << CFieldDesc { U::MEDIA_PROP_REGION, "Re&gion", K::number, V::region };
}

void CVideoRecordableMediaView::DescribeFields(CFieldList& fields) const
{
    CRecordableMediaView::DescribeFields(fields);
    AppendCast(fields);
    AppendMediaFields(fields, "Bra&nd");
}
