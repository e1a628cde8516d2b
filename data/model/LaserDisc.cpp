#include "data/model/LaserDisc.h"

#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CLaserDisc::CLaserDisc()
    : CVideoMedia(CString())
{
}

CLaserDisc::CLaserDisc(const CLaserDisc& source)
    : CVideoMedia(source)
{
    CopyDynamicData(source);
}

CLaserDisc& CLaserDisc::operator=(const CLaserDisc& source)
{
    if (this != &source) {
        CVideoMedia::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CLaserDisc::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CLaserDisc*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CLaserDisc::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CLaserDisc*>(&other);
    if (!same || same == this)
        return false;
    return CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle())
        && CStringUtils::EqualsNoCase(GetSubTitle(), same->GetSubTitle())
        && CStringUtils::EqualsNoCase(GetSeriesNumber(), same->GetSeriesNumber());
}

void CLaserDisc::Serialize(CArchive& ar)
{
    CVideoMedia::Serialize(ar);
    ar.SerializeVersion(1);
}

CString CLaserDisc::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    return CVideoMedia::GetUniqueDescription(withMediaName, sortProp)
        + CItemTextUtils::VideoText(
            GetTitle(), GetSubTitle(), GetSeriesNumber(), GetLeadActor(), GetDirector(), sortProp);
}

CMediaSubItem* CLaserDisc::CreateSubItem(CMediaSubItem* /*source*/) const
{
    return nullptr;
}

CMediaItem* CLaserDisc::Clone() const
{
    return new CLaserDisc(*this);
}

int CLaserDisc::GetMediaType() const
{
    return CMediaUtils::MEDIA_LASERDISC;
}
