#include "data/model/Cassette.h"

#include "data/model/CassetteRecording.h"

#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CCassette::CCassette()
    : CAudioRecTape(true)
{
}

CCassette::CCassette(const CCassette& source)
    : CAudioRecTape(source)
    , m_tapeType(source.m_tapeType)
{
    CopyDynamicData(source);
}

CCassette& CCassette::operator=(const CCassette& source)
{
    if (this != &source) {
        CAudioRecTape::operator=(source);
        m_tapeType = source.m_tapeType;
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CCassette::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CCassette*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CCassette::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CCassette*>(&other);
    if (!same || same == this)
        return false;
    // Recorded media are told apart by their library IDs first.
    return CStringUtils::EqualsNoCase(GetLibraryID(), same->GetLibraryID())
        && CStringUtils::EqualsNoCase(GetArtist(), same->GetArtist())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle());
}

void CCassette::GetData(CMapStringToString& data) const
{
    CAudioRecTape::GetData(data);
    CPropMapUtils::Answer(data, CMediaUtils::MEDIA_PROP_TYPE, m_tapeType);
}

void CCassette::SetData(const CMapStringToString& data, bool applyCategory)
{
    CAudioRecTape::SetData(data, applyCategory);
    CPropMapUtils::TakeText(data, CMediaUtils::MEDIA_PROP_TYPE, m_tapeType, applyCategory);
}

void CCassette::Serialize(CArchive& ar)
{
    CAudioRecTape::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_tapeType);
}

CMediaSubItem* CCassette::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* recording = dynamic_cast<const CCassetteRecording*>(source))
        return new CCassetteRecording(*recording);
    return new CCassetteRecording();
}

CMediaItem* CCassette::Clone() const
{
    return new CCassette(*this);
}

int CCassette::GetMediaType() const
{
    return CMediaUtils::MEDIA_CASSETTE;
}

int CCassette::GetMaxContentSize() const
{
    return 120 * 60;
}

void CCassette::GetTapeTypeList(CStringList& list)
{
    for (const char* type : { "Type I (normal)", "Type II (chrome)", "Type III (ferrichrome)", "Type IV (metal)" })
        list.AddTail(type);
}
