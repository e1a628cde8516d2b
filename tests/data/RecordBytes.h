#pragma once
// Helpers for record tests: the bytes a record writes, loading bytes back,
// and the check that every truncation of a record fails cleanly.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/util/Archive.h"

namespace vemotest {

template <class T> std::string StoreBytes(T& record)
{
    CArchive ar;
    record.Serialize(ar);
    return ar.GetBuffer();
}

// Loads record from bytes; returns the number of bytes left unread.
template <class T> std::size_t LoadBytes(T& record, const std::string& bytes)
{
    CArchive ar { std::string_view(bytes) };
    record.Serialize(ar);
    return ar.BytesLeft();
}

// Every proper prefix of bytes makes load(archive) throw CArchiveException.
template <class Load> void ExpectTruncationsThrow(const std::string& bytes, Load load)
{
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const std::string cut = bytes.substr(0, n);
        CArchive ar { std::string_view(cut) };
        EXPECT_THROW(load(ar), CArchiveException) << "prefix of " << n << " of " << bytes.size() << " bytes";
    }
}

} // namespace vemotest
