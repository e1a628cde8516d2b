#include "data/model/ReelToReel.h"

#include <climits>

#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CReelToReel::CReelToReel()
    : CAudioRecTape(true)
{
}

CReelToReel::CReelToReel(const CReelToReel& source)
    : CAudioRecTape(source)
    , m_tapeWidth(source.m_tapeWidth)
    , m_tapeSize(source.m_tapeSize)
{
    CopyDynamicData(source);
}

CReelToReel& CReelToReel::operator=(const CReelToReel& source)
{
    if (this != &source) {
        CAudioRecTape::operator=(source);
        m_tapeWidth = source.m_tapeWidth;
        m_tapeSize = source.m_tapeSize;
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CReelToReel::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CReelToReel*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CReelToReel::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CReelToReel*>(&other);
    if (!same || same == this)
        return false;
    // Recorded media are told apart by their library IDs first.
    return CStringUtils::EqualsNoCase(GetLibraryID(), same->GetLibraryID())
        && CStringUtils::EqualsNoCase(GetArtist(), same->GetArtist())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle());
}

void CReelToReel::GetData(CMapStringToString& data) const
{
    CAudioRecTape::GetData(data);
    CPropMapUtils::Answer(data, CMediaUtils::MEDIA_PROP_TAPEWIDTH, m_tapeWidth);
    CPropMapUtils::AnswerInt(data, CMediaUtils::MEDIA_PROP_MEDIASIZE, m_tapeSize, true);
}

void CReelToReel::SetData(const CMapStringToString& data, bool applyCategory)
{
    // "Media Size" is feet here: keep it away from the recording time.
    CMapStringToString rest(data);
    rest.RemoveKey(CMediaUtils::MEDIA_PROP_MEDIASIZE);
    CAudioRecTape::SetData(rest, applyCategory);
    CPropMapUtils::TakeText(data, CMediaUtils::MEDIA_PROP_TAPEWIDTH, m_tapeWidth, applyCategory);
    CPropMapUtils::TakeInt(data, CMediaUtils::MEDIA_PROP_MEDIASIZE, m_tapeSize, applyCategory, 0, INT_MAX);
}

void CReelToReel::Serialize(CArchive& ar)
{
    CAudioRecTape::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_tapeWidth);
    std::int32_t feet = m_tapeSize;
    ar.Serialize(feet);
    SetTapeSize(feet);
}

CMediaSubItem* CReelToReel::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* recording = dynamic_cast<const CReelToReelRecording*>(source))
        return new CReelToReelRecording(*recording);
    return new CReelToReelRecording();
}

CMediaItem* CReelToReel::Clone() const
{
    return new CReelToReel(*this);
}

int CReelToReel::GetMediaType() const
{
    return CMediaUtils::MEDIA_REELTOREEL;
}

int CReelToReel::GetMaxContentSize() const
{
    return 2 * GetMaxTapeSize() * 12 * 8 / 15;
}

CString CReelToReel::GetMediaSizeText() const
{
    return CStringUtils::Format("%d", m_tapeSize);
}

int CReelToReel::GetMaxTapeSize()
{
    return 3600;
}

void CReelToReel::GetTapeWidthList(CStringList& list)
{
    for (const char* width : { "1/4\"", "1/2\"", "1\"", "2\"" })
        list.AddTail(width);
}

CReelToReelRecording::CReelToReelRecording()
    : CAudioTapeRecording(false, false)
{
}

CReelToReelRecording::CReelToReelRecording(const CReelToReelRecording& source)
    : CAudioTapeRecording(source)
{
}

CReelToReelRecording& CReelToReelRecording::operator=(const CReelToReelRecording& source)
{
    if (this != &source)
        CAudioTapeRecording::operator=(source);
    return *this;
}

bool CReelToReelRecording::operator==(const CItem& other) const
{
    const auto* recording = dynamic_cast<const CReelToReelRecording*>(&other);
    return recording && CAudioTapeRecording::operator==(other) && CSubItemUtils::SameTapeRecording(*this, *recording);
}

void CReelToReelRecording::Serialize(CArchive& ar)
{
    CAudioTapeRecording::Serialize(ar);
    ar.SerializeVersion(1);
}

bool CReelToReelRecording::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int CReelToReelRecording::GetMediaType() const
{
    return CMediaUtils::MEDIA_REELTOREEL;
}
