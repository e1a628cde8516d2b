// The settings record reader (the base record, then the program's own) on
// any bytes: no crash, no sanitizer report, and an
// accepted record writes out as bytes that read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "data/session/VemoLibrarySettings.h"
#include "platform/util/Archive.h"

using Settings = CVemoLibrarySettings;
Settings MakeSettings()
{
    return Settings("/nonexistent/bin");
}

namespace {

std::string Store(Settings& settings)
{
    CArchive ar;
    settings.Serialize(ar);
    return ar.GetBuffer();
}

bool Load(Settings& settings, std::string_view bytes)
{
    try {
        CArchive ar(bytes);
        settings.Serialize(ar);
        return true;
    } catch (const CArchiveException&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vemofuzz::Prepare();
    Settings settings = MakeSettings();
    if (!Load(settings, std::string_view(reinterpret_cast<const char*>(data), size)))
        return 0;
    const std::string written = Store(settings);
    Settings again = MakeSettings();
    if (!Load(again, written))
        vemofuzz::Fail("written settings could not be read back");
    if (Store(again) != written)
        vemofuzz::Fail("settings read back do not write the same bytes");
    return 0;
}
