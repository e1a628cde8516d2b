#include "data/store/MediaTypeSelection.h"

#include <algorithm>

#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"

namespace {

// An id (32-bit) and a boolean word.
constexpr std::size_t kEntryBytes = 4 + 2;

} // namespace

bool CMediaTypeSelection::operator==(const CMediaTypeSelection& other) const
{
    if (GetCount() != other.GetCount())
        return false;
    return std::all_of(other.m_show.begin(), other.m_show.end(),
        [this](const auto& entry) { return GetShow(entry.first) == entry.second; });
}

void CMediaTypeSelection::SetShowAll(bool show)
{
    for (int id = CMediaUtils::MEDIA_TYPE_IDFIRST; id <= CMediaUtils::MEDIA_TYPE_IDLAST; ++id)
        SetShow(id, show);
}

void CMediaTypeSelection::SetShowAllAudio()
{
    bool recordable = false;
    for (int id = CMediaUtils::MEDIA_TYPE_IDFIRST; id <= CMediaUtils::MEDIA_TYPE_IDLAST; ++id)
        SetShow(id, CMediaUtils::IsMediaTypeAudio(id, recordable));
}

void CMediaTypeSelection::SetShowAllVideo()
{
    bool recordable = false;
    for (int id = CMediaUtils::MEDIA_TYPE_IDFIRST; id <= CMediaUtils::MEDIA_TYPE_IDLAST; ++id)
        SetShow(id, CMediaUtils::IsMediaTypeVideo(id, recordable));
}

void CMediaTypeSelection::SetShowAllPrintMedia()
{
    for (int id = CMediaUtils::MEDIA_TYPE_IDFIRST; id <= CMediaUtils::MEDIA_TYPE_IDLAST; ++id)
        SetShow(id, CMediaUtils::IsMediaTypePrint(id));
}

bool CMediaTypeSelection::HaveSelection() const
{
    return std::any_of(m_show.begin(), m_show.end(), [](const auto& entry) { return entry.second; });
}

bool CMediaTypeSelection::HaveMultiMedia() const
{
    return std::count_if(m_show.begin(), m_show.end(), [](const auto& entry) { return entry.second; }) >= 2;
}

void CMediaTypeSelection::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        ar.WriteInt(HASH_SIZE);
        ar.WriteInt(GetCount());
        for (auto& [id, show] : m_show) {
            ar.WriteInt(id);
            bool value = show;
            CMediaUtils::Serialize(ar, value);
        }
        return;
    }
    ar.ReadWord();
    // The stored bucket count sized a hash table; an ordered map needs none.
    ar.ReadInt();
    const int count = ar.ReadCount(kEntryBytes);
    CMap<int, int, bool, bool> read;
    for (int i = 0; i < count; ++i) {
        const int id = ar.ReadInt();
        bool show = false;
        CMediaUtils::Serialize(ar, show);
        read.SetAt(id, show);
    }
    m_show.swap(read);
}
