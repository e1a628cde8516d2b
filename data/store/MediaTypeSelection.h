#pragma once
// Which media types are selected: the types shown in the main window, or the
// filter of a search or report. A missing id counts as not selected.

#include "platform/util/VemoTypes.h"

class CArchive;

class CMediaTypeSelection {
public:
    // The bucket count written to the file.
    static constexpr int HASH_SIZE = 17;

    CMediaTypeSelection() = default;
    CMediaTypeSelection(const CMediaTypeSelection&) = default;
    CMediaTypeSelection& operator=(const CMediaTypeSelection&) = default;
    virtual ~CMediaTypeSelection() = default;

    // Same entry count, and every entry of other has the same value here (a
    // missing id counting as false).
    bool operator==(const CMediaTypeSelection& other) const;

    bool GetShow(int id) const
    {
        bool show = false;
        return m_show.Lookup(id, show) && show;
    }
    // Inserts or replaces.
    void SetShow(int id, bool show) { m_show.SetAt(id, show); }
    // Sets ids 1..24.
    void SetShowAll(bool show);
    // Ids 1..24: true exactly for that group (CMediaUtils group tests).
    void SetShowAllAudio();
    void SetShowAllVideo();
    void SetShowAllPrintMedia();
    // At least one, at least two entries true.
    bool HaveSelection() const;
    bool HaveMultiMedia() const;
    // Entries held, true or false.
    int GetCount() const { return static_cast<int>(m_show.GetCount()); }

    // Record: version word (1), bucket count (32-bit, 17), entry count, then
    // per entry the id (32-bit) and a boolean word. Loading replaces all.
    void Serialize(CArchive& ar);

private:
    CMap<int, int, bool, bool> m_show;
};
