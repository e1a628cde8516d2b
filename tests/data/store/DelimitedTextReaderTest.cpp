#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/DelimitedTextReader.h"
#include "support/TempDir.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows ReadAllRows(CDelimitedTextReader& reader)
{
    Rows rows;
    CStringArray cells;
    while (reader.ReadRow(cells))
        rows.emplace_back(cells.begin(), cells.end());
    EXPECT_FALSE(reader.HasError()) << reader.GetError();
    return rows;
}

Rows ReadText(const std::string& bytes, char delimiter = ',')
{
    CDelimitedTextReader reader(delimiter);
    reader.OpenBytes(bytes);
    return ReadAllRows(reader);
}

// UTF-16 code units as little-endian bytes.
std::string Utf16LE(std::initializer_list<unsigned> units)
{
    std::string bytes;
    for (unsigned unit : units) {
        bytes += char(unit & 0xFF);
        bytes += char(unit >> 8);
    }
    return bytes;
}

struct ParseCase {
    const char* name;
    std::string input;
    char delimiter;
    Rows rows;
};

class DelimitedTextParsing : public ::testing::TestWithParam<ParseCase> { };

TEST_P(DelimitedTextParsing, GivesTheRowsAndCells)
{
    EXPECT_EQ(ReadText(GetParam().input, GetParam().delimiter), GetParam().rows);
    // The same rows as one text per row, and as counts of cells only.
    CDelimitedTextReader joined(GetParam().delimiter), skipped(GetParam().delimiter);
    joined.OpenBytes(GetParam().input);
    skipped.OpenBytes(GetParam().input);
    std::string text;
    int count = 0, skippedCount = 0;
    for (const auto& row : GetParam().rows) {
        ASSERT_TRUE(joined.ReadRow(text, count));
        std::string expected;
        for (const std::string& cell : row)
            expected += cell + '\0';
        EXPECT_EQ(text, expected);
        EXPECT_EQ(count, static_cast<int>(row.size()));
        ASSERT_TRUE(skipped.SkipRow(skippedCount));
        EXPECT_EQ(skippedCount, count);
    }
    EXPECT_FALSE(joined.ReadRow(text, count) || skipped.SkipRow(skippedCount));
}

INSTANTIATE_TEST_SUITE_P(Cases, DelimitedTextParsing,
    ::testing::Values(ParseCase { "LineFeeds", "a,b\nc,d\n", ',', { { "a", "b" }, { "c", "d" } } },
        ParseCase { "CrLf", "a,b\r\nc,d\r\n", ',', { { "a", "b" }, { "c", "d" } } },
        ParseCase { "CarriageReturns", "a,b\rc,d", ',', { { "a", "b" }, { "c", "d" } } },
        ParseCase { "MixedLineEnds", "a\r\nb\nc\rd", ',', { { "a" }, { "b" }, { "c" }, { "d" } } },
        ParseCase { "NoFinalLineEnd", "a,b", ',', { { "a", "b" } } },
        ParseCase { "EmptyLineHasNoCells", "a\n\nb\n", ',', { { "a" }, {}, { "b" } } },
        ParseCase { "OnlyDelimiters", ",,\n", ',', { { "", "", "" } } },
        ParseCase { "EmptyQuotedCell", "\"\"\n", ',', { { "" } } },
        ParseCase { "RowsOfDifferentLengths", "a\nb,c,d\ne,f\n", ',', { { "a" }, { "b", "c", "d" }, { "e", "f" } } },
        ParseCase { "QuotedDelimiter", "\"Dune, Messiah\",1969\n", ',', { { "Dune, Messiah", "1969" } } },
        ParseCase { "DoubledQuotes", "\"say \"\"hi\"\"\",x\n", ',', { { "say \"hi\"", "x" } } },
        ParseCase {
            "LineBreaksInQuotes", "\"one\r\ntwo\rthree\nfour\",x\n", ',', { { "one\ntwo\nthree\nfour", "x" } } },
        ParseCase { "QuoteInsidePlainCellIsText", "5\" floppy,x\n", ',', { { "5\" floppy", "x" } } },
        ParseCase { "TextAfterClosingQuoteIsKept", "\"ab\"cd,x\n", ',', { { "abcd", "x" } } },
        ParseCase { "Tab", "a\tb c\n", '\t', { { "a", "b c" } } },
        ParseCase { "Period", "a.b\n", '.', { { "a", "b" } } },
        ParseCase { "Dash", "a-\"b-c\"\n", '-', { { "a", "b-c" } } },
        ParseCase { "Space", "\"Star Wars\" 1977\n", ' ', { { "Star Wars", "1977" } } },
        ParseCase { "ByteOrderMarkIsSkipped", "\xEF\xBB\xBFTitle,Year\n", ',', { { "Title", "Year" } } },
        ParseCase { "Utf8IsKept", "Caf\xC3\xA9,\xE2\x82\xAC\n", ',', { { "Caf\xC3\xA9", "\xE2\x82\xAC" } } },
        ParseCase { "Windows1252Bytes", "Caf\xE9,\x80 5\n", ',', { { "Caf\xC3\xA9", "\xE2\x82\xAC 5" } } },
        ParseCase { "MixedEncodingsInOneCell", "\xC3\xA9\xE9\n", ',', { { "\xC3\xA9\xC3\xA9" } } },
        ParseCase { "Utf16LittleEndian", Utf16LE({ 0xFEFF, 'a', ',', 0xE9, '\n', 0xD83D, 0xDE00 }), ',',
            { { "a", "\xC3\xA9" }, { "\xF0\x9F\x98\x80" } } },
        ParseCase { "Utf16BigEndian", std::string("\xFE\xFF\0a\0,\0b", 8), ',', { { "a", "b" } } },
        ParseCase { "EmptyInput", "", ',', {} }),
    [](const auto& info) { return std::string(info.param.name); });

struct ErrorCase {
    const char* name;
    std::string input;
    const char* expected; // part of the error text
};

class DelimitedTextErrors : public ::testing::TestWithParam<ErrorCase> { };

TEST_P(DelimitedTextErrors, StopWithTheRowAndLine)
{
    CDelimitedTextReader reader(',');
    reader.SetMaxRowBytes(64);
    reader.SetMaxCells(8);
    reader.OpenBytes(GetParam().input);
    CStringArray cells;
    while (reader.ReadRow(cells)) { }
    ASSERT_TRUE(reader.HasError());
    EXPECT_NE(reader.GetError().find(GetParam().expected), std::string::npos) << reader.GetError();
    EXPECT_FALSE(reader.ReadRow(cells));
    // Rows only checked and counted stop at the same place.
    CDelimitedTextReader skipping(',');
    skipping.SetMaxRowBytes(64);
    skipping.SetMaxCells(8);
    skipping.OpenBytes(GetParam().input);
    int count = 0;
    while (skipping.SkipRow(count)) { }
    EXPECT_EQ(skipping.GetError(), reader.GetError());
}

INSTANTIATE_TEST_SUITE_P(Cases, DelimitedTextErrors,
    ::testing::Values(ErrorCase { "UnterminatedQuote", "a\n\"b\nc\nd",
                          "Row 2 (line 2): the quoted cell opened on line 2 is not closed" },
        ErrorCase { "NulByte", std::string("a\nb\0c\n", 6), "Row 2 (line 2): the file holds NUL bytes" },
        ErrorCase { "LongRow", "a\n" + std::string(100, 'x') + "\n", "Row 2 (line 2): the row is longer than 64" },
        ErrorCase { "LongQuotedCell", "\"" + std::string(100, 'x'), "a closing quote may be missing" },
        ErrorCase { "TooManyCells", "a,b,c,d,e,f,g,h,i,j\n", "more than 8 cells" },
        ErrorCase { "Utf16WithoutByteOrderMark", std::string("a\0,\0b\0", 6), "NUL bytes" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DelimitedTextReaderTest, RowNumbersCountRowsAndLinesCountLineBreaks)
{
    CDelimitedTextReader reader(',');
    reader.OpenBytes("a\n\"b\nc\",d\ne\n");
    CStringArray cells;
    std::vector<std::pair<int, int>> numbers;
    while (reader.ReadRow(cells))
        numbers.emplace_back(reader.GetRowNumber(), reader.GetLineNumber());
    EXPECT_EQ(numbers, (std::vector<std::pair<int, int>> { { 1, 1 }, { 2, 2 }, { 3, 4 } }));
}

TEST(DelimitedTextReaderTest, TenMegabyteLineIsRefusedWithoutReadingItWhole)
{
    CDelimitedTextReader reader(',');
    reader.OpenBytes("Title\n" + std::string(10 * 1024 * 1024, 'x') + "\n");
    CStringArray cells;
    EXPECT_TRUE(reader.ReadRow(cells));
    EXPECT_FALSE(reader.ReadRow(cells));
    EXPECT_NE(reader.GetError().find("Row 2 (line 2): the row is longer than"), std::string::npos);
}

// Blocks are read 64 KiB at a time; a CRLF pair and a UTF-16 surrogate pair
// cut by a block boundary must still read as one.
TEST(DelimitedTextReaderTest, FileBlockBoundariesSplitNothing)
{
    vemotest::TempDir dir;
    std::string utf8 = std::string(65535, 'a') + "\r\nb\n";
    vemotest::WriteAll(dir.File("crlf.csv"), utf8);

    std::string utf16 = Utf16LE({ 0xFEFF });
    while (utf16.size() < 65534)
        utf16 += Utf16LE({ 'x' });
    utf16 += Utf16LE({ 0xD83D, 0xDE00, '\n', 'y' });
    vemotest::WriteAll(dir.File("utf16.csv"), utf16);

    CDelimitedTextReader crlf(',');
    ASSERT_TRUE(crlf.Open(dir.File("crlf.csv")));
    Rows rows = ReadAllRows(crlf);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0].size(), 65535u);
    EXPECT_EQ(rows[1], std::vector<std::string> { "b" });

    CDelimitedTextReader wide(',');
    ASSERT_TRUE(wide.Open(dir.File("utf16.csv")));
    rows = ReadAllRows(wide);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], std::string(32766, 'x') + "\xF0\x9F\x98\x80");
    EXPECT_EQ(rows[1], std::vector<std::string> { "y" });
}

TEST(DelimitedTextReaderTest, MissingFileCannotBeOpened)
{
    vemotest::TempDir dir;
    CDelimitedTextReader reader(',');
    EXPECT_FALSE(reader.Open(dir.File("none.csv")));
    EXPECT_NE(reader.GetError().find("none.csv"), std::string::npos);
}

TEST(DelimitedTextReaderTest, DelimiterNames)
{
    const std::vector<std::pair<const char*, char>> known = { { "tab", '\t' }, { "comma", ',' }, { "period", '.' },
        { "dash", '-' }, { "SPACE", ' ' }, { "semicolon", ';' } };
    for (const auto& [name, character] : known) {
        char delimiter = 0;
        EXPECT_TRUE(CDelimitedTextReader::DelimiterFromName(name, delimiter)) << name;
        EXPECT_EQ(delimiter, character) << name;
    }
    char delimiter = 'x';
    EXPECT_FALSE(CDelimitedTextReader::DelimiterFromName("colon", delimiter));
    EXPECT_EQ(CDelimitedTextReader::GetDelimiterNames().GetSize(), 6);
}

class HeaderDetection : public ::testing::Test {
protected:
    HeaderDetection()
    {
        auto* field = new CCustomField();
        field->SetName("Shelf");
        m_fields.Add(field);
    }

    static CStringArray Cells(std::initializer_list<const char*> cells)
    {
        CStringArray array;
        for (const char* cell : cells)
            array.Add(cell);
        return array;
    }

    CCustomFieldMgr m_fields;
};

TEST_F(HeaderDetection, NamesOfPropertiesAndFieldsMakeAHeader)
{
    EXPECT_TRUE(CDelimitedTextReader::IsHeaderRow(Cells({ "title", " AUTHOR ", "", "shelf" }), &m_fields));
    EXPECT_FALSE(CDelimitedTextReader::IsHeaderRow(Cells({ "Title", "Dune" }), &m_fields));
    EXPECT_FALSE(CDelimitedTextReader::IsHeaderRow(Cells({ "Shelf" }), nullptr));
    EXPECT_FALSE(CDelimitedTextReader::IsHeaderRow(Cells({ "", " " }), &m_fields));
    EXPECT_FALSE(CDelimitedTextReader::IsHeaderRow(Cells({}), &m_fields));
}

TEST_F(HeaderDetection, HeaderProposesPropertiesSpeltAsDefined)
{
    CStringArray mapping;
    EXPECT_TRUE(
        CDelimitedTextReader::ProposeMapping(Cells({ "title", "", "SHELF", "Title", "year" }), &m_fields, 7, mapping));
    const CString ignore = CDelimitedTextReader::IGNORE_COLUMN;
    EXPECT_EQ(mapping, (CStringArray { "Title", ignore, "Shelf", ignore, "Year", ignore, ignore }));
}

TEST_F(HeaderDetection, DataRowLeavesEveryColumnIgnored)
{
    CStringArray mapping;
    EXPECT_FALSE(CDelimitedTextReader::ProposeMapping(Cells({ "Dune", "Herbert" }), &m_fields, 3, mapping));
    const CString ignore = CDelimitedTextReader::IGNORE_COLUMN;
    EXPECT_EQ(mapping, (CStringArray { ignore, ignore, ignore }));
}

} // namespace
