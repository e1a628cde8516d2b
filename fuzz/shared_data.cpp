// The shared data file reader (publishers, persons, magazine titles) on any
// bytes: no crash, no sanitizer report, and what it accepts writes out as
// bytes that read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "SampleLibrary.h"
#include "data/store/SharedData.h"
#include "platform/util/Archive.h"

namespace {

bool Load(std::string_view bytes)
{
    vemotest::ResetSharedLists();
    try {
        CArchive ar(bytes);
        CSharedData::Serialize(ar);
        return true;
    } catch (const CArchiveException&) {
        return false;
    }
}

std::string Store()
{
    CArchive ar;
    CSharedData::Serialize(ar);
    return ar.GetBuffer();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vemofuzz::Prepare();
    if (!Load(std::string_view(reinterpret_cast<const char*>(data), size)))
        return 0;
    const std::string written = Store();
    if (!Load(written))
        vemofuzz::Fail("written shared data could not be read back");
    if (Store() != written)
        vemofuzz::Fail("shared data read back does not write the same bytes");
    return 0;
}
