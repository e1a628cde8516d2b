#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/util/Archive.h"
#include "platform/util/FileUtils.h"
#include "platform/util/Font.h"
#include "support/TempDir.h"

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += char(v);
    return s;
}

std::string Le32(std::uint32_t v)
{
    return Bytes({ int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int(v >> 24) });
}

COleDateTime Date(double value, COleDateTime::DateTimeStatus status)
{
    COleDateTime d(value);
    d.SetStatus(status);
    return d;
}

bool Same(const COleDateTime& a, const COleDateTime& b)
{
    return a.GetStatus() == b.GetStatus() && a.GetValue() == b.GetValue();
}
template <class T> bool Same(const T& a, const T& b)
{
    return a == b;
}
bool Same(const CStringList& a, const CStringList& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

// One value: its exact bytes, and a copy that reads them and writes again.
struct PrimitiveCase {
    std::string name;
    std::function<void(CArchive&)> write;
    std::function<bool(CArchive& in, CArchive& out)> copy;
    std::string bytes;
};

template <class T> PrimitiveCase Primitive(std::string name, T value, std::string bytes)
{
    return { std::move(name),
        [value](CArchive& ar) {
            T v = value;
            ar.Serialize(v);
        },
        [value](CArchive& in, CArchive& out) {
            T v {};
            in.Serialize(v);
            out.Serialize(v);
            return Same(v, value);
        },
        std::move(bytes) };
}

const std::string kPi = Bytes({ 0x18, 0x2D, 0x44, 0x54, 0xFB, 0x21, 0x09, 0x40 });

std::vector<PrimitiveCase> PrimitiveCases()
{
    CStringList list;
    list.AddTail("a");
    list.AddTail("\u00E9");
    CStringArray array { "", "\u03A9" };
    return {
        Primitive<WORD>("Word", 0x1234, Bytes({ 0x34, 0x12 })),
        Primitive<std::int32_t>("NegativeInt", -2, Bytes({ 0xFE, 0xFF, 0xFF, 0xFF })),
        Primitive<std::int32_t>("Int", 0x01020304, Bytes({ 0x04, 0x03, 0x02, 0x01 })),
        Primitive<double>("Double", 3.141592653589793, kPi),
        Primitive<bool>("True", true, Bytes({ 1, 0 })),
        Primitive<bool>("False", false, Bytes({ 0, 0 })),
        Primitive("ValidDate", Date(3.141592653589793, COleDateTime::valid), Le32(0) + kPi),
        Primitive("InvalidDate", Date(3.141592653589793, COleDateTime::invalid), Le32(1) + kPi),
        Primitive("NullDate", Date(0, COleDateTime::null), Le32(2) + std::string(8, '\0')),
        Primitive<CString>("EmptyString", "", Bytes({ 0 })),
        Primitive<CString>("AsciiString", "abc", Bytes({ 3, 'a', 'b', 'c' })),
        Primitive<CString>("Windows1252String", "\u00E9\u20AC\u0178", Bytes({ 3, 0xE9, 0x80, 0x9F })),
        Primitive<CString>("WideString", "\u03A9", Bytes({ 0xFF, 0xFE, 0xFF, 1, 0xA9, 0x03 })),
        Primitive<CString>("OutsideBmp", "a\U0001F600", Bytes({ 0xFF, 0xFE, 0xFF, 3, 'a', 0, 0x3D, 0xD8, 0x00, 0xDE })),
        Primitive("StringList", list, Bytes({ 2, 0, 1, 'a', 1, 0xE9 })),
        Primitive("StringArray", array, Bytes({ 2, 0, 0, 0xFF, 0xFE, 0xFF, 1, 0xA9, 0x03 })),
    };
}

class PrimitiveEncoding : public ::testing::TestWithParam<PrimitiveCase> { };

TEST_P(PrimitiveEncoding, WritesExactBytesAndReadsThemBack)
{
    const auto& c = GetParam();
    CArchive out;
    c.write(out);
    EXPECT_EQ(out.GetBuffer(), c.bytes);

    CArchive in(c.bytes);
    CArchive again;
    EXPECT_TRUE(c.copy(in, again));
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(again.GetBuffer(), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PrimitiveEncoding, ::testing::ValuesIn(PrimitiveCases()), [](const auto& info) { return info.param.name; });

TEST(ArchiveTest, LenientReadsOfBooleansAndDateStatus)
{
    const std::string stored = Bytes({ 2, 0, 0xFF, 0xFF, 1, 0 });
    CArchive bools(stored);
    EXPECT_FALSE(bools.ReadBool());
    EXPECT_FALSE(bools.ReadBool());
    EXPECT_TRUE(bools.ReadBool());

    std::string unknownStatus = Le32(7) + kPi;
    CArchive date(unknownStatus);
    EXPECT_EQ(date.ReadDate().GetStatus(), COleDateTime::invalid);
}

struct LengthCase {
    std::size_t length;
    bool wide;
    std::string prefix;
};

class StringLengthPrefix : public ::testing::TestWithParam<LengthCase> { };

TEST_P(StringLengthPrefix, UsesTheShortestFormAndRoundTrips)
{
    const auto& c = GetParam();
    CString text;
    for (std::size_t i = 0; i < c.length; ++i)
        text += c.wide ? "\u03A9" : (i % 2 ? "x" : "\u00E9");
    CArchive out;
    out.WriteString(text);
    const std::string& buf = out.GetBuffer();
    ASSERT_EQ(buf.size(), c.prefix.size() + c.length * (c.wide ? 2 : 1));
    EXPECT_EQ(buf.substr(0, c.prefix.size()), c.prefix);
    CArchive in(buf);
    EXPECT_EQ(in.ReadString(), text);
    EXPECT_TRUE(in.AtEnd());
    CArchive viewed(buf);
    EXPECT_EQ(viewed.ReadStringView(), text);
    EXPECT_TRUE(viewed.AtEnd());
    CString into(100000, 'z'); // a longer text before is replaced whole
    CArchive replacing(buf);
    replacing.ReadString(into);
    EXPECT_EQ(into, text);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, StringLengthPrefix,
    ::testing::Values(LengthCase { 254, false, Bytes({ 0xFE }) },
        LengthCase { 255, false, Bytes({ 0xFF, 0xFF, 0x00 }) },
        LengthCase { 65533, false, Bytes({ 0xFF, 0xFD, 0xFF }) },
        LengthCase { 65534, false, Bytes({ 0xFF, 0xFF, 0xFF }) + Le32(65534) },
        LengthCase { 70000, false, Bytes({ 0xFF, 0xFF, 0xFF }) + Le32(70000) },
        LengthCase { 254, true, Bytes({ 0xFF, 0xFE, 0xFF, 0xFE }) },
        LengthCase { 255, true, Bytes({ 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00 }) },
        LengthCase { 65534, true, Bytes({ 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF }) + Le32(65534) }));

TEST(ArchiveTest, StringListCountEscapesAt65535)
{
    for (std::size_t n : { 65534u, 65535u, 65536u }) {
        CStringArray arr(n, "s");
        CArchive out;
        out.WriteStringArray(arr);
        std::string expected = n < 65535 ? Bytes({ int(n & 0xFF), int(n >> 8) }) : Bytes({ 0xFF, 0xFF }) + Le32(n);
        EXPECT_EQ(out.GetBuffer().substr(0, expected.size()), expected) << n;

        CArchive in(out.GetBuffer());
        CStringList list;
        in.ReadStringList(list);
        EXPECT_EQ(std::size_t(list.GetCount()), n);
        EXPECT_TRUE(in.AtEnd());
    }
}

void WriteSequence(CArchive& ar)
{
    CFont font;
    font.faceName = "Caf\u00E9 \u03A9";
    ar.WriteWord(7);
    ar.WriteInt(-5);
    ar.WriteDouble(2.5);
    ar.WriteBool(true);
    ar.WriteString(CString(300, 'x'));
    ar.WriteString("\U0001F600");
    ar.WriteDate(Date(40000.25, COleDateTime::valid));
    ar.WriteStringArray({ "one", "two" });
    CGraphicsUtils::SerializeFont(&font, ar);
}

void ReadSequence(CArchive& ar)
{
    CFont font;
    CStringArray arr;
    ar.ReadWord();
    ar.ReadInt();
    ar.ReadDouble();
    ar.ReadBool();
    ar.ReadString();
    ar.ReadString();
    ar.ReadDate();
    ar.ReadStringArray(arr);
    CGraphicsUtils::SerializeFont(&font, ar);
}

TEST(ArchiveTest, EveryTruncationFailsCleanly)
{
    CArchive out;
    WriteSequence(out);
    const std::string& full = out.GetBuffer();
    {
        CArchive in(full);
        ReadSequence(in);
        EXPECT_TRUE(in.AtEnd());
    }
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        // A copy of exactly the kept bytes, so the sanitizer sees any overread.
        std::string prefix = full.substr(0, cut);
        CArchive in(prefix);
        EXPECT_THROW(ReadSequence(in), CArchiveException) << "cut at " << cut;
    }
}

TEST(ArchiveTest, FlippedBytesNeverCrash)
{
    CArchive out;
    WriteSequence(out);
    for (std::size_t i = 0; i < out.GetBuffer().size(); ++i) {
        for (int flip : { 0x01, 0x80, 0xFF }) {
            std::string damaged = out.GetBuffer();
            damaged[i] = char(damaged[i] ^ flip);
            CArchive in(damaged);
            try {
                ReadSequence(in);
            } catch (const CArchiveException&) {
            }
        }
    }
}

class HugeStoredSize : public ::testing::TestWithParam<std::uint32_t> { };

TEST_P(HugeStoredSize, FailsBeforeAllocating)
{
    const std::uint32_t n = GetParam();
    const std::string padding(100, 'x');
    auto expectBadCount = [](const std::string& bytes, const std::function<void(CArchive&)>& read) {
        CArchive in(bytes);
        try {
            read(in);
            ADD_FAILURE() << "no exception";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), CArchiveException::badCount) << e.what();
        }
    };
    auto readString = [](CArchive& ar) { ar.ReadString(); };
    expectBadCount(Bytes({ 0xFF, 0xFF, 0xFF }) + Le32(n) + padding, readString);
    expectBadCount(Bytes({ 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF }) + Le32(n) + padding, readString);
    expectBadCount(Bytes({ 0xFF, 0xFF }) + Le32(n) + padding, [](CArchive& ar) {
        CStringList list;
        ar.ReadStringList(list);
    });
    expectBadCount(Bytes({ 0xFF, 0xFF }) + Le32(n) + padding, [](CArchive& ar) {
        CStringArray arr;
        ar.ReadStringArray(arr);
    });
    // As a signed count, 2^31 and above are negative and read as no elements.
    if (n < 0x80000000u) {
        expectBadCount(Le32(n) + padding, [](CArchive& ar) { ar.ReadCount(); });
    } else {
        const std::string negative = Le32(n) + padding;
        CArchive in(negative);
        EXPECT_EQ(in.ReadCount(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, HugeStoredSize, ::testing::Values(0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu));

TEST(ArchiveTest, CountsAreCheckedAgainstElementSize)
{
    std::string bytes = Le32(12) + std::string(96, '\0');
    CArchive fits(bytes);
    EXPECT_EQ(fits.ReadCount(8), 12);
    CArchive tooMany(bytes);
    EXPECT_THROW(tooMany.ReadCount(9), CArchiveException);
}

TEST(ArchiveTest, ShortStreamIsEndOfFile)
{
    const std::string oneByte = Bytes({ 1 });
    CArchive in(oneByte);
    try {
        in.ReadWord();
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::endOfFile);
    }
}

TEST(ArchiveTest, FailedListReadLeavesTheListAlone)
{
    CStringList list;
    list.AddTail("kept");
    const std::string cutList = Bytes({ 2, 0, 1, 'a', 5, 'b' });
    CArchive in(cutList);
    EXPECT_THROW(in.ReadStringList(list), CArchiveException);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetHead(), "kept");
}

TEST(ArchiveTest, FontRecordRoundTrips)
{
    CFont font;
    font.faceName = "Serif \u03A9";
    font.height = 14;
    font.weight = 700;
    font.italic = font.strikeOut = true;
    font.charSet = 238;
    CArchive out;
    CGraphicsUtils::SerializeFont(&font, out);
    std::string expected = Bytes({ 1, 0, 0xFF, 0xFE, 0xFF, 7, 'S', 0, 'e', 0, 'r', 0, 'i', 0, 'f', 0, ' ', 0, 0xA9, 3 })
        + Le32(14) + Le32(700) + Bytes({ 1, 0, 0, 0, 1, 0, 238, 0 });
    EXPECT_EQ(out.GetBuffer(), expected);

    CFont loaded;
    CArchive in(out.GetBuffer());
    CGraphicsUtils::SerializeFont(&loaded, in);
    EXPECT_EQ(loaded, font);
    EXPECT_TRUE(in.AtEnd());
}

TEST(ArchiveTest, NullFontWritesDefaultAndReadsIntoNothing)
{
    CArchive out;
    CGraphicsUtils::SerializeFont(nullptr, out);
    CArchive in(out.GetBuffer());
    CGraphicsUtils::SerializeFont(nullptr, in);
    EXPECT_TRUE(in.AtEnd());

    CFont font;
    font.height = 99;
    CArchive again(out.GetBuffer());
    CGraphicsUtils::SerializeFont(&font, again);
    EXPECT_EQ(font, CFont());
    EXPECT_FALSE(CGraphicsUtils::SetDefaultFont(nullptr));
}

TEST(ArchiveTest, FileRoundTripAndMovedArchiveKeepsItsBytes)
{
    vemotest::TempDir dir;
    CArchive out;
    out.WriteString("tiny");
    out.WriteToFile(dir.File("a.vly"));

    CArchive loaded = CArchive::FromFile(dir.File("a.vly"));
    CArchive moved = std::move(loaded);
    EXPECT_EQ(moved.ReadString(), "tiny");
    EXPECT_TRUE(moved.AtEnd());
}

// A file is read through a window: records that cross its edge, and one
// larger than it, read as they were written.
TEST(ArchiveTest, FileIsReadWholeThroughItsWindow)
{
    vemotest::TempDir dir;
    const CString huge(3 << 20, 'h');
    CArchive out;
    for (int i = 0; i < 20000; ++i) {
        out.WriteInt(i);
        out.WriteString(CString(static_cast<std::size_t>(i % 300), 'a' + i % 26));
    }
    out.WriteString(huge);
    out.WriteString("wide \xE2\x82\xAC\xE2\x84\xA2 \xCE\xA9");
    out.WriteDouble(2.5);
    out.WriteToFile(dir.File("big.vly"));

    CArchive in = CArchive::FromFile(dir.File("big.vly"));
    EXPECT_EQ(in.BytesLeft(), out.GetBuffer().size());
    for (int i = 0; i < 20000; ++i) {
        ASSERT_EQ(in.ReadInt(), i);
        const CString expected(static_cast<std::size_t>(i % 300), 'a' + i % 26);
        if (i % 2)
            ASSERT_EQ(in.ReadString(), expected) << i;
        else
            ASSERT_EQ(in.ReadStringView(), expected) << i;
    }
    EXPECT_EQ(in.ReadString(), huge);
    EXPECT_EQ(in.ReadString(), "wide \xE2\x82\xAC\xE2\x84\xA2 \xCE\xA9");
    EXPECT_EQ(in.ReadDouble(), 2.5);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(in.GetPosition(), out.GetBuffer().size());
    EXPECT_THROW(in.ReadByte(), CArchiveException);
}

// A file cut short while it is read ends the read with an error, never with
// made-up bytes.
TEST(ArchiveTest, FileCutWhileReadEndsTheRead)
{
    vemotest::TempDir dir;
    CArchive out;
    out.WriteString("first");
    out.WriteString(CString(3 << 20, 'x'));
    out.WriteToFile(dir.File("cut.vly"));
    CArchive in = CArchive::FromFile(dir.File("cut.vly"));
    EXPECT_EQ(in.ReadString(), "first");
    std::filesystem::resize_file(dir.File("cut.vly"), 100);
    try {
        in.ReadString();
        ADD_FAILURE() << "read past the end";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::endOfFile);
    }
}

TEST(ArchiveTest, FileErrorsAreIoErrors)
{
    vemotest::TempDir dir;
    for (const std::string& path : { dir.File("missing.vly"), dir.Path() }) {
        try {
            CArchive::FromFile(path);
            ADD_FAILURE() << path;
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), CArchiveException::ioError);
        }
    }
    CArchive out;
    out.WriteWord(2);
    EXPECT_THROW(out.WriteToFile(dir.File("no/such/folder/a.vly")), CArchiveException);
}

// Stored straight into a file in pieces: the same bytes as in memory, and
// until Commit the file as it was, also when writing fails part-way.
TEST(ArchiveTest, ArchiveToAFileWritesInPiecesAndReplacesOnlyOnCommit)
{
    vemotest::TempDir dir;
    const std::string path = dir.File("lib.vly");
    auto fill = [](CArchive& ar) {
        for (int i = 0; i < 40000; ++i) {
            ar.WriteInt(i);
            ar.WriteString(CString(static_cast<std::size_t>(i % 200), 'a' + i % 26));
        }
    };
    CArchive memory;
    fill(memory);
    vemotest::WriteAll(path, "old");
    {
        CArchive abandoned = CArchive::ToFile(path);
        fill(abandoned);
    }
    EXPECT_EQ(vemotest::ReadAll(path), "old");

    CFileUtils::SetWriteLimitForTesting(1500000);
    try {
        CArchive failing = CArchive::ToFile(path);
        fill(failing);
        failing.Commit();
        ADD_FAILURE() << "a write past the limit succeeded";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::ioError);
    }
    CFileUtils::SetWriteLimitForTesting(-1);
    EXPECT_EQ(vemotest::ReadAll(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    CArchive out = CArchive::ToFile(path);
    fill(out);
    out.Commit();
    ASSERT_GT(memory.GetBuffer().size(), std::size_t(3) << 20);
    EXPECT_TRUE(vemotest::ReadAll(path) == memory.GetBuffer());
}

} // namespace
