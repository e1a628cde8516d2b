// A damaged library file never crashes the reader, never asks for much more
// memory than the file's size, is never taken for a whole library when
// part of it is missing, and a refused file leaves the library loaded
// before exactly as it was. Each sample file is cut at every length, every
// byte is set to 0x00, 0xFF, 0x80 and its value + 1, every four bytes are
// read as a count or length of 0, 1, 2^31-1, 2^31 and 2^32-1, and the
// length prefixes of known strings and string lists are widened to their
// longer forms with the same values.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "SampleLibrary.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "platform/util/Archive.h"

namespace {

using vemotest::AllocationCounter;

const std::uint32_t kCountValues[] = { 0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu };

std::string Le32(std::uint32_t v)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return bytes;
}

struct Figures {
    int read = 0;
    int refused = 0;
    int accepted = 0;
    int identical = 0;
    std::size_t peak = 0;
};

struct Sample {
    int items;
    // Every stride-th byte is damaged (1: every byte); VEMO_DAMAGE_STRIDE
    // overrides it, so that a longer run can cover every byte of each file.
    std::size_t stride;
};

std::size_t Stride(const Sample& sample)
{
    const char* text = std::getenv("VEMO_DAMAGE_STRIDE");
    const int stride = text ? std::atoi(text) : 0;
    return stride > 0 ? static_cast<std::size_t>(stride) : sample.stride;
}

class DamagedLibrary : public ::testing::TestWithParam<Sample> {
protected:
    void SetUp() override
    {
        m_stride = Stride(GetParam());
        m_loadedBytes = vemotest::SampleLibraryBytes(5, 1);
        // Made last, so that the shared lists hold the publishers, borrowers
        // and magazine titles the sample refers to, as after the program has
        // read its shared data file: an id missing there reads as 0.
        m_original = vemotest::SampleLibraryBytes(GetParam().items);
        ReloadBaseline();
        // What the library loaded before each damaged read writes, given
        // those shared lists.
        m_loadedBytes = LoadedNow();
    }

    void ReloadBaseline()
    {
        bool converted = false;
        CString error;
        ASSERT_TRUE(CLibraryFile::ReadBytes(m_loaded, m_loadedBytes, converted, error)) << error;
    }

    // Whether the body reader stops exactly at the end of the bytes.
    static bool TakesWholeFile(const std::string& bytes)
    {
        try {
            CArchive ar { std::string_view(bytes) };
            ar.ReadWord();
            CLibrary library(true, false);
            library.Serialize(ar);
            return ar.AtEnd();
        } catch (const CArchiveException&) {
            return false;
        }
    }

    std::string LoadedNow()
    {
        std::string bytes;
        CString error;
        EXPECT_TRUE(CLibraryFile::WriteBytes(m_loaded, bytes, error));
        return bytes;
    }

    // Reads a damaged variant into the loaded library. A variant that may
    // not be read as a whole library is not acceptable; one that reads as
    // the original once put right gives expectedBack.
    void Check(const std::string& variant, const std::string& what, bool acceptable = true,
        const std::string* expectedBack = nullptr)
    {
        bool converted = false;
        CString error;
        AllocationCounter::Start();
        const bool read = CLibraryFile::ReadBytes(m_loaded, variant, converted, error);
        const std::size_t peak = AllocationCounter::PeakSinceStart();
        ++m_figures.read;
        m_figures.peak = std::max(m_figures.peak, peak);
        EXPECT_LE(peak, 2 * variant.size() + (1u << 20)) << what;
        if (!read) {
            ++m_figures.refused;
            EXPECT_EQ(error, CLibraryFile::READ_ERROR) << what;
            // Every refusal would make this slow; the first hundreds and a
            // sample after them show that nothing was kept of the damage.
            if (m_figures.refused < 400 || m_figures.refused % 16 == 0) {
                EXPECT_EQ(LoadedNow(), m_loadedBytes) << what << ": the refused file changed the loaded library";
            }
            return;
        }
        ++m_figures.accepted;
        EXPECT_TRUE(acceptable) << what << ": a damaged file was read as whole";
        const std::string back = LoadedNow();
        if (expectedBack) {
            EXPECT_EQ(back, *expectedBack) << what;
        } else {
            // A flipped id or count may change what is derived from it (the
            // next id to hand out), so the bytes written back may differ;
            // but every byte must have been read, and what is written back
            // must read back to itself.
            EXPECT_TRUE(TakesWholeFile(variant)) << what << ": the read did not take the whole file";
            CLibrary again(true, false);
            ASSERT_TRUE(CLibraryFile::ReadBytes(again, back, converted, error)) << what;
            std::string twice;
            ASSERT_TRUE(CLibraryFile::WriteBytes(again, twice, error));
            EXPECT_EQ(twice, back) << what << ": written back, it does not read back the same";
            m_figures.identical += back == variant;
        }
        ReloadBaseline();
    }

    void Report(const char* kind)
    {
        std::cout << "[ figures  ] " << GetParam().items << " items, " << m_original.size() << " bytes, " << kind
                  << ": " << m_figures.read << " variants read, " << m_figures.refused << " refused, "
                  << m_figures.accepted << " read as a whole library (" << m_figures.identical
                  << " of them writing back the same bytes); peak allocation " << m_figures.peak << " bytes\n";
    }

    std::size_t m_stride = 1;
    std::string m_original;
    std::string m_loadedBytes;
    CLibrary m_loaded { true, false };
    Figures m_figures;
};

TEST_P(DamagedLibrary, EveryTruncationIsRefused)
{
    for (std::size_t n = 0; n < m_original.size(); ++n)
        Check(m_original.substr(0, n), "cut to " + std::to_string(n), false);
    Report("truncations");
}

TEST_P(DamagedLibrary, EveryFlippedByteIsRefusedOrReadConsistently)
{
    for (std::size_t i = 0; i < m_original.size(); i += m_stride) {
        const unsigned char was = static_cast<unsigned char>(m_original[i]);
        for (unsigned value : { 0x00u, 0xFFu, 0x80u, (was + 1u) & 0xFFu }) {
            if (value == was)
                continue;
            std::string variant = m_original;
            variant[i] = static_cast<char>(value);
            Check(variant, "byte " + std::to_string(i) + " set to " + std::to_string(value));
        }
    }
    Report("flipped bytes");
}

TEST_P(DamagedLibrary, EveryFourBytesAsAHugeCountAreRefusedOrReadConsistently)
{
    // Shifted against the flips, so that a stride still meets every byte.
    for (std::size_t i = m_stride / 2; i + 4 <= m_original.size(); i += m_stride) {
        for (std::uint32_t value : kCountValues) {
            std::string variant = m_original;
            variant.replace(i, 4, Le32(value));
            if (variant != m_original)
                Check(variant, "32 bits at " + std::to_string(i) + " set to " + std::to_string(value));
        }
    }
    Report("32-bit counts");
}

TEST_P(DamagedLibrary, TheIntactFileReadsBackToTheSameBytes)
{
    Check(m_original, "the intact file", true, &m_original);
}

// The sample's own texts show where its strings and string lists are: a
// byte holding a text's length just before it is that string's length,
// and the list of saved search strings starts with its count word.
TEST_P(DamagedLibrary, WidenedLengthsAreRefusedOrReadConsistently)
{
    std::vector<std::size_t> prefixes;
    for (const std::string text : { "Sample library, variant 0", "Living room shelves", "Boxes in the attic",
             "Last Played", "Science Fiction", "Classical", "Rock" }) {
        for (std::size_t at = m_original.find(text); at != std::string::npos; at = m_original.find(text, at + 1)) {
            if (at > 0 && static_cast<unsigned char>(m_original[at - 1]) == text.size())
                prefixes.push_back(at - 1);
        }
    }
    ASSERT_GE(prefixes.size(), 3u);
    for (std::size_t p : prefixes) {
        const unsigned length = static_cast<unsigned char>(m_original[p]);
        for (std::uint32_t value : { 0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, length }) {
            std::string wide = m_original;
            wide.replace(p, 1, "\xFF\xFF\xFF" + Le32(value));
            Check(wide, "string length at " + std::to_string(p) + " as 32 bits " + std::to_string(value),
                value == length, &m_original);
        }
        for (std::uint32_t value : { 0u, 1u, 0x7FFFu, 0x8000u, 0xFFFEu, length }) {
            std::string wide = m_original;
            wide.replace(p, 1, "\xFF" + Le32(value).substr(0, 2));
            Check(wide, "string length at " + std::to_string(p) + " as a word " + std::to_string(value),
                value == length, &m_original);
        }
    }
    const std::string searches = std::string("\x02\x00\x13Living room shelves", 22);
    const std::size_t list = m_original.rfind(searches);
    ASSERT_NE(list, std::string::npos);
    for (std::uint32_t value : kCountValues) {
        std::string wide = m_original;
        wide.replace(list, 2, "\xFF\xFF" + Le32(value));
        Check(wide, "search string count as 32 bits " + std::to_string(value), value == 2, &m_original);
    }
    Report("widened lengths");
}

// A publisher, borrower or magazine title missing from the shared lists
// reads as none; that is the only change the read makes.
TEST(DamagedLibraryIds, IdsMissingFromTheSharedListsReadAsNoneAndNothingElseChanges)
{
    const std::string original = vemotest::SampleLibraryBytes(24);
    vemotest::ResetSharedLists();
    CLibrary library(true, false);
    bool converted = false;
    CString error;
    ASSERT_TRUE(CLibraryFile::ReadBytes(library, original, converted, error)) << error;
    std::string back;
    ASSERT_TRUE(CLibraryFile::WriteBytes(library, back, error));
    ASSERT_EQ(back.size(), original.size());
    int changed = 0;
    for (std::size_t i = 0; i < back.size(); ++i) {
        if (back[i] != original[i]) {
            ++changed;
            EXPECT_EQ(back[i], '\0') << "byte " << i << " changed to something other than a cleared id";
        }
    }
    EXPECT_GT(changed, 0) << "the sample refers to no shared record";
}

// An empty library, every byte; one of every media type (sub-items,
// custom values, check-outs), every third byte unless a longer run asks.
INSTANTIATE_TEST_SUITE_P(Samples, DamagedLibrary, ::testing::Values(Sample { 0, 1 }, Sample { 24, 3 }),
    [](const auto& info) { return std::to_string(info.param.items) + "Items"; });

} // namespace
