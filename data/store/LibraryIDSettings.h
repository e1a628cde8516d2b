#pragma once
// How the library IDs of one media type (or video tape format) are made:
// prefix, minimum digits, postfix, automatic numbering, and the one-shot
// renumber, reformat and clear options.

#include <algorithm>

#include "platform/util/VemoTypes.h"

class CArchive;

class CLibraryIDSettings {
public:
    CLibraryIDSettings() = default;
    CLibraryIDSettings(const CLibraryIDSettings&) = default;
    CLibraryIDSettings& operator=(const CLibraryIDSettings&) = default;
    virtual ~CLibraryIDSettings() = default;

    // Auto generate, digit count, prefix and postfix equal (case-sensitive).
    bool operator==(const CLibraryIDSettings& other) const
    {
        return m_autoGenerate == other.m_autoGenerate && m_digitCount == other.m_digitCount
            && m_prefix == other.m_prefix && m_postfix == other.m_postfix;
    }

    bool GetAutoGenerate() const { return m_autoGenerate; }
    void SetAutoGenerate(bool autoGenerate) { m_autoGenerate = autoGenerate; }
    // The one-shot options and the renumber sort order are never stored.
    bool GetApplyChangesToAll() const { return m_applyChangesToAll; }
    void SetApplyChangesToAll(bool apply) { m_applyChangesToAll = apply; }
    bool GetClearAll() const { return m_clearAll; }
    void SetClearAll(bool clear) { m_clearAll = clear; }
    bool GetRenumberAll() const { return m_renumberAll; }
    void SetRenumberAll(bool renumber) { m_renumberAll = renumber; }
    int GetDigitCount() const { return m_digitCount; }
    // Values below 1 are stored as 1.
    void SetDigitCount(int count) { m_digitCount = std::max(count, 1); }
    const CString& GetRenumberSortOrder() const { return m_renumberSortOrder; }
    void SetRenumberSortOrder(const CString& prop) { m_renumberSortOrder = prop; }
    const CString& GetPrefix() const { return m_prefix; }
    void SetPrefix(const CString& prefix) { m_prefix = prefix; }
    const CString& GetPostfix() const { return m_postfix; }
    void SetPostfix(const CString& postfix) { m_postfix = postfix; }

    // Prefix, number zero-padded to the digit count, postfix; "" for a
    // number of 0 or below.
    CString FormatID(int number) const;
    // The number of an ID: 0 for a blank ID; else prefix and postfix are cut
    // off where present and the rest parsed (CNumberTextConv::ParseNumber).
    int ParseNumberFromID(const CString& id) const;

    // Record: version word (1), auto generate (boolean word), digit count
    // (32-bit; 0 or below loads as 1), prefix, postfix.
    void Serialize(CArchive& ar);

private:
    bool m_autoGenerate = false;
    bool m_applyChangesToAll = false;
    bool m_clearAll = false;
    bool m_renumberAll = false;
    int m_digitCount = 1;
    CString m_renumberSortOrder;
    CString m_prefix;
    CString m_postfix;
};
