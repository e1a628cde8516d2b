// The delimited text reader of the import on any bytes: no crash, no
// sanitizer report, no hang, and every row within the reader's limits. The
// first byte picks the delimiter; the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "data/store/DelimitedTextReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vemofuzz::Prepare();
    if (size == 0)
        return 0;
    const char delimiters[] = { '\t', ',', '.', '-', ' ' };
    constexpr std::size_t maxRowBytes = 4096;
    constexpr std::size_t maxCells = 64;
    CDelimitedTextReader reader(delimiters[data[0] % sizeof delimiters]);
    reader.SetMaxRowBytes(maxRowBytes);
    reader.SetMaxCells(maxCells);
    reader.OpenBytes(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));

    CStringArray cells;
    CStringArray firstRow;
    std::size_t rows = 0;
    while (reader.ReadRow(cells)) {
        if (++rows > size + 1)
            vemofuzz::Fail("more rows than bytes");
        if (static_cast<std::size_t>(cells.GetSize()) > maxCells)
            vemofuzz::Fail("a row with more cells than allowed");
        if (rows == 1)
            firstRow = cells;
    }
    if (rows > 0) {
        CStringArray mapping;
        CDelimitedTextReader::ProposeMapping(firstRow, nullptr, static_cast<int>(firstRow.GetSize()), mapping);
        if (mapping.GetSize() != firstRow.GetSize())
            vemofuzz::Fail("a mapping that does not cover every column");
    }
    if (reader.HasError() && reader.GetError().empty())
        vemofuzz::Fail("an error without a text");
    return 0;
}
