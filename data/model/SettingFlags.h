#pragma once
// The yes/no fields of the small setting records (audio, video, special
// features), described once as a table of property name and accessors, so
// that the map conversion and the stored order cannot drift apart.

#include <cstddef>

#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/VemoTypes.h"

template <class Record> struct CSettingFlag {
    const CString* prop;
    bool (*get)(const Record&);
    void (*set)(Record&, bool);
};

// One table row: the property constant and the Get/Set accessor pair named
// by field, of the type called Record where the table stands.
#define VEMO_SETTING_FLAG(propConstant, field)                                                                         \
    {                                                                                                                  \
        &CMediaUtils::propConstant, [](const Record& r) { return r.Get##field(); },                                    \
            [](Record& r, bool v) { r.Set##field(v); }                                                                 \
    }

namespace SettingFlags {

// Only keys already in the map are replaced, by "Y" or "N".
template <class Record, std::size_t N>
void GetData(const CSettingFlag<Record> (&flags)[N], const Record& record, CMapStringToString& data)
{
    for (const auto& flag : flags)
        if (CString* value = CPropMapIndex::Find(data, *flag.prop))
            *value = CString(1, flag.get(record) ? 'Y' : 'N');
}

template <class Record, std::size_t N>
void SetData(const CSettingFlag<Record> (&flags)[N], Record& record, const CMapStringToString& data)
{
    for (const auto& flag : flags)
        if (const CString* value = data.PLookup(*flag.prop))
            flag.set(record, CMediaUtils::IsYes(*value));
}

template <class Record, std::size_t N>
void Store(const CSettingFlag<Record> (&flags)[N], const Record& record, CArchive& ar)
{
    for (const auto& flag : flags) {
        bool value = flag.get(record);
        CMediaUtils::Serialize(ar, value);
    }
}

template <class Record, std::size_t N> void Load(const CSettingFlag<Record> (&flags)[N], Record& record, CArchive& ar)
{
    for (const auto& flag : flags) {
        bool value = false;
        CMediaUtils::Serialize(ar, value);
        flag.set(record, value);
    }
}

} // namespace SettingFlags
