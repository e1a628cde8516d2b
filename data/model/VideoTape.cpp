#include "data/model/VideoTape.h"

#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CVideoTape::CVideoTape()
    : CMediaItemT(true, true, CMediaUtils::MEDIA_PROP_TRACKNUMBER)
{
}

bool CVideoTape::operator==(const CItem& other) const
{
    const CVideoTape* same = OtherOfSameClass(other);
    return same && m_tapeType == same->m_tapeType && SameKeyFields(*same);
}

void CVideoTape::GetData(CMapStringToString& data) const
{
    CVideoRecordableMedia::GetData(data);
    CPropMapUtils::Answer(data, CMediaUtils::MEDIA_PROP_TYPE, GetTypeText(m_tapeType));
}

void CVideoTape::SetData(const CMapStringToString& data, bool applyCategory)
{
    CVideoRecordableMedia::SetData(data, applyCategory);
    // A tape always has a format, so only an applying caller changes it.
    const CString* text = data.PLookup(CMediaUtils::MEDIA_PROP_TYPE);
    int type = text && applyCategory ? ParseType(*text) : -1;
    if (type >= 0)
        SetTapeType(type);
}

void CVideoTape::Serialize(CArchive& ar)
{
    CVideoRecordableMedia::Serialize(ar);
    ar.SerializeVersion(1);
    WORD type = static_cast<WORD>(m_tapeType);
    ar.Serialize(type);
    SetTapeType(type);
}

CString CVideoTape::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    return CVideoRecordableMedia::GetUniqueDescription(withMediaName, sortProp) + GetVideoText(sortProp)
        + (CString(" [") + GetTypeText(m_tapeType) + "]");
}

int CVideoTape::GetMaxContentSize() const
{
    return GetMaxTapeLength(m_tapeType);
}

void CVideoTape::SortSubItems()
{
    if (GetSubItemSortOrder() == CMediaUtils::MEDIA_PROP_COUNTER)
        GetSubItems().Sort(SortRecordingsByCounter);
    else
        CVideoRecordableMedia::SortSubItems();
}

void CVideoTape::SetTapeType(int type)
{
    m_tapeType = type >= TAPETYPE_FIRST && type <= TAPETYPE_LAST ? static_cast<TapeType>(type) : typeVHS;
}

int CVideoTape::ConvertType(int formatID)
{
    return CMediaUtils::IsVideoTapeFormatID(formatID) ? formatID - CMediaUtils::MEDIA_VIDEOTAPEFORMAT_IDFIRST : -1;
}

int CVideoTape::ConvertTypeToID(int tapeType)
{
    return tapeType >= TAPETYPE_FIRST && tapeType <= TAPETYPE_LAST
        ? CMediaUtils::MEDIA_VIDEOTAPEFORMAT_IDFIRST + tapeType
        : 0;
}

namespace {

struct TapeFormat {
    const char* name;
    int maxMinutes;
};

// In tape type order.
constexpr TapeFormat TAPE_FORMATS[] = {
    { "VHS", 160 },
    { "8mm", 120 },
    { "DV", 180 },
    { "VHS-c", 45 },
    { "Beta", 180 },
    { "D-VHS", 240 },
    { "S-VHS", 160 },
    { "MiniDV", 80 },
    { "Digital-S", 124 },
    { "Digital8", 60 },
};

// Lower-case letters and digits only, so "S-VHS", "SVHS" and "s vhs" meet.
CString Folded(const CString& text)
{
    CString folded;
    for (char c : CStringUtils::ToLower(text))
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            folded += c;
    return folded;
}

} // namespace

CString CVideoTape::GetTypeText(int tapeType)
{
    return tapeType >= TAPETYPE_FIRST && tapeType <= TAPETYPE_LAST ? TAPE_FORMATS[tapeType].name : "";
}

CString CVideoTape::GetFormatName(int formatID)
{
    return GetTypeText(ConvertType(formatID));
}

int CVideoTape::ParseType(const CString& text)
{
    CString folded = Folded(text);
    if (folded == "betamax")
        return typeBeta;
    for (int type = TAPETYPE_FIRST; type <= TAPETYPE_LAST; ++type)
        if (!folded.empty() && folded == Folded(TAPE_FORMATS[type].name))
            return type;
    return -1;
}

void CVideoTape::GetTypeList(CStringList& list)
{
    for (const TapeFormat& format : TAPE_FORMATS)
        list.AddTail(format.name);
}

int CVideoTape::GetMaxTapeLength(int tapeType)
{
    return tapeType >= TAPETYPE_FIRST && tapeType <= TAPETYPE_LAST ? TAPE_FORMATS[tapeType].maxMinutes * 60 : 0;
}

int CVideoTape::SortRecordingsByCounter(const CMediaSubItem* a, const CMediaSubItem* b)
{
    const auto* recordingA = dynamic_cast<const CVideoTapeRecording*>(a);
    const auto* recordingB = dynamic_cast<const CVideoTapeRecording*>(b);
    if (!recordingA || !recordingB)
        return recordingA ? -1 : (recordingB ? 1 : 0);
    return CSubItemUtils::Sign(static_cast<long long>(recordingA->GetStart()) - recordingB->GetStart());
}

CVideoTapeRecording::CVideoTapeRecording()
    : CMediaSubItemT(false, true)
{
}

bool CVideoTapeRecording::operator==(const CItem& other) const
{
    const auto* recording = dynamic_cast<const CVideoTapeRecording*>(&other);
    return recording && CRecordingTrack::operator==(other) && CSubItemUtils::SameTrack(*this, *recording)
        && m_start == recording->m_start;
}

void CVideoTapeRecording::GetData(CMapStringToString& data) const
{
    CRecordingTrack::GetData(data);
    CPropMapUtils::Answer(data, CMediaUtils::MEDIA_PROP_COUNTER, GetStartText());
}

void CVideoTapeRecording::SetData(const CMapStringToString& data, bool applyCategory)
{
    CRecordingTrack::SetData(data, applyCategory);
    const CString* text = data.PLookup(CMediaUtils::MEDIA_PROP_COUNTER);
    if (text && (applyCategory || m_start == 0))
        SetStart(CMediaUtils::ConvertFromTime(*text));
}

CString CVideoTapeRecording::GetStartText() const
{
    return CMediaUtils::ConvertToHHMMSS(m_start);
}

void CVideoTapeRecording::Serialize(CArchive& ar)
{
    CRecordingTrack::Serialize(ar);
    ar.SerializeVersion(1);
    std::int32_t start = m_start;
    ar.Serialize(start);
    SetStart(start);
}

bool CVideoTapeRecording::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}
