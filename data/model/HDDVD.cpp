#include "data/model/HDDVD.h"

#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CHDDVD::CHDDVD()
    : CVideoMedia(CString())
{
}

CHDDVD::CHDDVD(const CHDDVD& source)
    : CVideoMedia(source)
{
    CopyDynamicData(source);
}

CHDDVD& CHDDVD::operator=(const CHDDVD& source)
{
    if (this != &source) {
        CVideoMedia::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CHDDVD::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CHDDVD*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CHDDVD::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CHDDVD*>(&other);
    if (!same || same == this)
        return false;
    return CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle())
        && CStringUtils::EqualsNoCase(GetSubTitle(), same->GetSubTitle())
        && CStringUtils::EqualsNoCase(GetSeriesNumber(), same->GetSeriesNumber());
}

void CHDDVD::Serialize(CArchive& ar)
{
    CVideoMedia::Serialize(ar);
    ar.SerializeVersion(1);
}

CString CHDDVD::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    return CVideoMedia::GetUniqueDescription(withMediaName, sortProp)
        + CItemTextUtils::VideoText(
            GetTitle(), GetSubTitle(), GetSeriesNumber(), GetLeadActor(), GetDirector(), sortProp);
}

CMediaSubItem* CHDDVD::CreateSubItem(CMediaSubItem* /*source*/) const
{
    return nullptr;
}

CMediaItem* CHDDVD::Clone() const
{
    return new CHDDVD(*this);
}

int CHDDVD::GetMediaType() const
{
    return CMediaUtils::MEDIA_HDDVD;
}
