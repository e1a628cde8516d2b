#pragma once
// Reading and filling the property maps of items: a map carries only the
// keys its caller asked for, and merging imports fill only what is unset.

#include <string_view>

#include "data/model/PropMapUtils.h"
#include "platform/util/VemoTypes.h"

class CDataMapUtils {
public:
    // Replaces the value of key when the map holds it; never adds a key.
    static void Fill(CMapStringToString& data, const CString& key, std::string_view value)
    {
        if (auto* slot = CPropMapIndex::Find(data, key))
            slot->assign(value);
    }
    // The same for a value that costs something to make: make() runs only
    // when the map holds key.
    template <class F> static void FillWith(CMapStringToString& data, const CString& key, F make)
    {
        if (auto* slot = CPropMapIndex::Find(data, key))
            *slot = make();
    }
    // The text under key, or null when the map does not hold it.
    static const CString* Find(const CMapStringToString& data, const CString& key)
    {
        return CPropMapKeys::Find(data, key);
    }

    // The first whole number in the text ("c. 1984" is 1984); 0 without one.
    static int ToInt(const CString& text);
    // The first decimal number in the text ("$12.50" is 12.5); 0 without one.
    static double ToDouble(const CString& text);

    // Sets field (a CString or a CCompactText) from key when present and
    // overwrite is true or the field is still empty.
    template <class Text>
    static void Apply(const CMapStringToString& data, const CString& key, bool overwrite, Text& field)
    {
        const CString* text = Find(data, key);
        if (text && (overwrite || field.empty()))
            field = *text;
    }
};
