// The library file reader on any bytes: no crash, no sanitizer report, and a
// file it accepts writes out as bytes that read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vemofuzz::Prepare();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CLibrary library(true, false);
    bool converted = false;
    CString error;
    if (!CLibraryFile::ReadBytes(library, input, converted, error)) {
        if (error.empty())
            vemofuzz::Fail("a refused library file gave no error text");
        return 0;
    }
    std::string written;
    if (!CLibraryFile::WriteBytes(library, written, error))
        vemofuzz::Fail("an accepted library could not be written");
    CLibrary again(true, false);
    if (!CLibraryFile::ReadBytes(again, written, converted, error))
        vemofuzz::Fail("a written library could not be read back");
    std::string rewritten;
    if (!CLibraryFile::WriteBytes(again, rewritten, error) || rewritten != written)
        vemofuzz::Fail("a library read back does not write the same bytes");
    return 0;
}
