#include "data/model/DVD.h"

#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CDVD::CDVD()
    : CVideoMedia(CString())
{
}

CDVD::CDVD(const CDVD& source)
    : CVideoMedia(source)
{
    CopyDynamicData(source);
}

CDVD& CDVD::operator=(const CDVD& source)
{
    if (this != &source) {
        CVideoMedia::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CDVD::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CDVD*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CDVD::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CDVD*>(&other);
    if (!same || same == this)
        return false;
    return CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle())
        && CStringUtils::EqualsNoCase(GetSubTitle(), same->GetSubTitle())
        && CStringUtils::EqualsNoCase(GetSeriesNumber(), same->GetSeriesNumber());
}

void CDVD::Serialize(CArchive& ar)
{
    CVideoMedia::Serialize(ar);
    ar.SerializeVersion(1);
}

CString CDVD::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    return CVideoMedia::GetUniqueDescription(withMediaName, sortProp)
        + CItemTextUtils::VideoText(
            GetTitle(), GetSubTitle(), GetSeriesNumber(), GetLeadActor(), GetDirector(), sortProp);
}

CMediaSubItem* CDVD::CreateSubItem(CMediaSubItem* /*source*/) const
{
    return nullptr;
}

CMediaItem* CDVD::Clone() const
{
    return new CDVD(*this);
}

int CDVD::GetMediaType() const
{
    return CMediaUtils::MEDIA_DVD;
}
