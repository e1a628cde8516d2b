#include "data/model/Bluray.h"

#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CBluray::CBluray()
    : CVideoMedia(CString())
{
}

CBluray::CBluray(const CBluray& source)
    : CVideoMedia(source)
{
    CopyDynamicData(source);
}

CBluray& CBluray::operator=(const CBluray& source)
{
    if (this != &source) {
        CVideoMedia::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CBluray::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CBluray*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CBluray::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CBluray*>(&other);
    if (!same || same == this)
        return false;
    return CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle())
        && CStringUtils::EqualsNoCase(GetSubTitle(), same->GetSubTitle())
        && CStringUtils::EqualsNoCase(GetSeriesNumber(), same->GetSeriesNumber());
}

void CBluray::Serialize(CArchive& ar)
{
    CVideoMedia::Serialize(ar);
    ar.SerializeVersion(1);
}

CString CBluray::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    return CVideoMedia::GetUniqueDescription(withMediaName, sortProp)
        + CItemTextUtils::VideoText(
            GetTitle(), GetSubTitle(), GetSeriesNumber(), GetLeadActor(), GetDirector(), sortProp);
}

CMediaSubItem* CBluray::CreateSubItem(CMediaSubItem* /*source*/) const
{
    return nullptr;
}

CMediaItem* CBluray::Clone() const
{
    return new CBluray(*this);
}

int CBluray::GetMediaType() const
{
    return CMediaUtils::MEDIA_BLURAY;
}
