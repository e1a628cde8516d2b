#include "data/model/AudioTapeRecording.h"

#include "data/model/DataMapUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CAudioTapeRecording::CAudioTapeRecording(bool usesCategory, bool usesTrackNumbers)
    : CRecordingTrack(usesCategory, usesTrackNumbers)
{
}

CAudioTapeRecording::CAudioTapeRecording(const CAudioTapeRecording& source)
    : CRecordingTrack(source)
    , m_sideA(source.m_sideA)
    , m_start(source.m_start)
{
}

CAudioTapeRecording& CAudioTapeRecording::operator=(const CAudioTapeRecording& source)
{
    if (this == &source)
        return *this;
    CRecordingTrack::operator=(source);
    m_sideA = source.m_sideA;
    m_start = source.m_start;
    return *this;
}

void CAudioTapeRecording::GetData(CMapStringToString& data) const
{
    CRecordingTrack::GetData(data);
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_SIDE, [&] { return GetSideText(); });
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_COUNTER, [&] { return GetStartText(); });
}

void CAudioTapeRecording::SetData(const CMapStringToString& data, bool applyCategory)
{
    CRecordingTrack::SetData(data, applyCategory);
    // A side has no unset state, so only a full write changes it; text that
    // names neither side ("A"/"1", "B"/"2", any case) leaves it alone.
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_SIDE); text && applyCategory) {
        const CString side = CStringUtils::ToUpper(CStringUtils::Trim(*text));
        if (!side.empty() && (side[0] == 'A' || side[0] == '1'))
            m_sideA = true;
        else if (!side.empty() && (side[0] == 'B' || side[0] == '2'))
            m_sideA = false;
    }
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_COUNTER);
        text && (applyCategory || GetStart() == 0))
        SetStart(CMediaUtils::ConvertFromTime(*text));
}

void CAudioTapeRecording::Serialize(CArchive& ar)
{
    CRecordingTrack::Serialize(ar);
    ar.SerializeVersion(1);
    CMediaUtils::Serialize(ar, m_sideA);
    ar.Serialize(m_start);
}

CString CAudioTapeRecording::GetStartText() const
{
    return CMediaUtils::ConvertToMMSS(GetStart());
}
