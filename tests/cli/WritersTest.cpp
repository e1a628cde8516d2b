#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "JsonCheck.h"
#include "cli/CsvWriter.h"
#include "cli/JsonWriter.h"
#include "cli/TextTreeWriter.h"
#include "data/store/DelimitedTextReader.h"

namespace {

struct QuoteCase {
    const char* name;
    std::string text;
    std::string json;
};

class JsonQuoting : public ::testing::TestWithParam<QuoteCase> { };

TEST_P(JsonQuoting, GivesValidJsonThatReadsBack)
{
    const std::string quoted = CJsonWriter::Quote(GetParam().text);
    EXPECT_EQ(quoted, GetParam().json);
    vemotest::JsonValue value;
    std::string error;
    ASSERT_TRUE(vemotest::ParseJson(quoted, value, error)) << error;
    // Text that was valid UTF-8 comes back unchanged.
    if (GetParam().json.find("\xEF\xBF\xBD") == std::string::npos) {
        EXPECT_EQ(value.string, GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, JsonQuoting,
    ::testing::Values(QuoteCase { "Plain", "Dune", "\"Dune\"" },
        QuoteCase { "QuotesAndBackslashes", "say \"hi\" \\o/", "\"say \\\"hi\\\" \\\\o/\"" },
        QuoteCase {
            "ControlCharacters", std::string("a\nb\tc\r\b\f\x01\x1f", 10), "\"a\\nb\\tc\\r\\b\\f\\u0001\\u001f\"" },
        QuoteCase { "NulByte", std::string("a\0b", 3), "\"a\\u0000b\"" },
        QuoteCase { "Utf8IsKept", "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
            "\"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\"" },
        QuoteCase { "InvalidByte",
            "a\xFF"
            "b",
            "\"a\xEF\xBF\xBD"
            "b\"" },
        QuoteCase { "OverlongForm", "\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\"" },
        QuoteCase { "EncodedSurrogate", "\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"" },
        // A sequence cut short is one replacement, and what follows it stays.
        QuoteCase { "CutSequence", "\xE2\x82", "\"\xEF\xBF\xBD\"" },
        QuoteCase { "CutSequenceBeforeText", "\xE2\x82x", "\"\xEF\xBF\xBDx\"" }),
    [](const auto& info) { return std::string(info.param.name); });

void WriteSample(CTreeWriter& out)
{
    out.BeginObject();
    out.String("name", "My \"Library\"");
    out.Integer("count", -3);
    out.Real("price", 9.99);
    out.Bool("portrait", true);
    out.BeginArray("empty");
    out.EndArray();
    out.BeginObject("none");
    out.EndObject();
    out.BeginArray("items");
    out.BeginObject();
    out.String("Title", "Line one\nline two");
    out.EndObject();
    out.String("", "loose");
    out.EndArray();
    out.EndObject();
    out.Finish();
}

TEST(JsonWriterTest, NestedDocumentParsesWithItsValues)
{
    std::ostringstream text;
    CJsonWriter writer(text);
    WriteSample(writer);
    vemotest::JsonValue value;
    std::string error;
    ASSERT_TRUE(vemotest::ParseJson(text.str(), value, error)) << error << "\n" << text.str();
    EXPECT_EQ(value["name"].string, "My \"Library\"");
    EXPECT_EQ(value["count"].number, -3);
    EXPECT_EQ(value["price"].number, 9.99);
    EXPECT_TRUE(value["portrait"].boolean);
    EXPECT_EQ(value["empty"].kind, vemotest::JsonValue::Kind::array);
    EXPECT_EQ(value["none"].kind, vemotest::JsonValue::Kind::object);
    EXPECT_EQ(value["items"][0]["Title"].string, "Line one\nline two");
    EXPECT_EQ(value["items"][1].string, "loose");
    EXPECT_NE(text.str().find("\"price\": 9.99"), std::string::npos);
}

TEST(JsonWriterTest, NumbersAsTheDumpHasAlwaysWrittenThem)
{
    const struct {
        double value;
        const char* text;
    } cases[] = { { 12.0, "[\n  12\n]\n" }, { -2.5, "[\n  -2.5\n]\n" }, { 9.99, "[\n  9.99\n]\n" },
        { 1e20, "[\n  1e+20\n]\n" }, { std::nan(""), "[\n  null\n]\n" } };
    for (const auto& c : cases) {
        std::ostringstream text;
        CJsonWriter writer(text);
        writer.BeginArray();
        writer.Real("", c.value);
        writer.EndArray();
        writer.Finish();
        EXPECT_EQ(text.str(), c.text) << c.value;
    }
}

TEST(TextTreeWriterTest, IndentsMembersAndNumbersElements)
{
    std::ostringstream text;
    CTextTreeWriter writer(text);
    WriteSample(writer);
    EXPECT_EQ(text.str(),
        "name: My \"Library\"\n"
        "count: -3\n"
        "price: 9.99\n"
        "portrait: yes\n"
        "empty:\n"
        "  (none)\n"
        "none:\n"
        "  (empty)\n"
        "items:\n"
        "  [1]:\n"
        "    Title: Line one\n"
        "           line two\n"
        "  [2]: loose\n");
}

struct CsvCase {
    const char* text;
    const char* cell;
};

class CsvQuoting : public ::testing::TestWithParam<CsvCase> { };

// Each cell reads back through the import reader unchanged.
TEST_P(CsvQuoting, QuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(CCsvWriter::Cell(GetParam().text), GetParam().cell);
    CDelimitedTextReader reader(',');
    reader.OpenBytes(CCsvWriter::Line(CStringArray { GetParam().text, "x" }));
    CStringArray cells;
    ASSERT_TRUE(reader.ReadRow(cells));
    EXPECT_EQ(cells, (CStringArray { GetParam().text, "x" }));
}

INSTANTIATE_TEST_SUITE_P(Cases, CsvQuoting,
    ::testing::Values(CsvCase { "Dune", "Dune" }, CsvCase { "Dune, Messiah", "\"Dune, Messiah\"" },
        CsvCase { "5\" floppy", "\"5\"\" floppy\"" }, CsvCase { "one\ntwo", "\"one\ntwo\"" },
        CsvCase { " padded ", "\" padded \"" }, CsvCase { "\"", "\"\"\"\"" }));

} // namespace
