#include "data/model/SubItemUtils.h"

#include "data/model/AudioTapeRecording.h"
#include "data/model/AudioTrack.h"
#include "data/model/PropMapUtils.h"
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

void CSubItemUtils::FillText(CMapStringToString& data, const CString& key, std::string_view value)
{
    if (CString* slot = CPropMapIndex::Find(data, key))
        slot->assign(value);
}

bool CSubItemUtils::TakeText(const CMapStringToString& data, const CString& key, CCompactText& text, bool overwrite)
{
    const CString* value = CPropMapKeys::Find(data, key);
    if (!value || (!overwrite && !text.empty()))
        return false;
    text = *value;
    return true;
}

void CSubItemUtils::SerializeText(CArchive& ar, CCompactText& text)
{
    if (ar.IsStoring()) {
        ar.WriteString(CString(text.View()));
    } else {
        CString scratch;
        text = ar.ReadStringView(scratch);
    }
}
