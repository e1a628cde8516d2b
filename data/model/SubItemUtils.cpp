#include "data/model/SubItemUtils.h"

#include "data/model/AudioTapeRecording.h"
#include "data/model/AudioTrack.h"
#include "platform/util/Archive.h"
#include "platform/util/CompactText.h"
#include "platform/util/StringUtils.h"

bool CSubItemUtils::SameTrack(const CTrack& a, const CTrack& b)
{
    return a.GetTrack() == b.GetTrack() && CStringUtils::EqualsNoCase(a.GetTitle(), b.GetTitle());
}

bool CSubItemUtils::SameAudioTrack(const CAudioTrack& a, const CAudioTrack& b)
{
    return a.GetDisc() == b.GetDisc() && SameTrack(a, b);
}

bool CSubItemUtils::SameTapeRecording(const CAudioTapeRecording& a, const CAudioTapeRecording& b)
{
    return a.GetSideA() == b.GetSideA() && a.GetStart() == b.GetStart()
        && CStringUtils::EqualsNoCase(a.GetTitle(), b.GetTitle());
}

bool CSubItemUtils::TrackHasData(const CTrack& track)
{
    return !CStringUtils::IsEffectivelyEmpty(track.GetTitle()) || track.GetLength() > 0;
}

void CSubItemUtils::SerializeText(CArchive& ar, CCompactText& text)
{
    if (ar.IsStoring()) {
        ar.WriteString(CString(text.View()));
    } else {
        text = ar.ReadStringView();
    }
}
