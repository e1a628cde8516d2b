#include <gtest/gtest.h>

#include "LibraryFixture.h"
#include "data/model/Category.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/reports/CustomWebReport.h"
#include "data/store/LibraryIDSettings.h"
#include "data/store/LibraryImpl.h"
#include "data/store/MediaMgr.h"
#include "data/store/ResearchEntry.h"
#include "data/store/VideoTapeMediaMgr.h"
#include "platform/util/Archive.h"
#include "platform/util/FileUtils.h"
#include "support/LibraryGenerator.h"
#include "support/TempDir.h"

namespace {

// Every item's data (and its sub-items'), type by type in list order.
std::vector<std::string> Describe(CLibrary& library)
{
    std::vector<std::string> lines;
    for (int type = 1; type <= 24; ++type) {
        for (POSITION pos = library.GetHeadItem(type); pos;) {
            const CMediaItem* item = library.GetNextItem(type, pos);
            auto describe = [type](const CItem& it) {
                CMapStringToString data;
                for (const CString& prop : CMediaUtils::GetAllDataProps())
                    data.SetAt(prop, CString());
                it.GetData(data);
                std::string line = std::to_string(type);
                for (const auto& [key, value] : data)
                    line += "|" + key + "=" + value;
                return line;
            };
            lines.push_back(describe(*item));
            for (POSITION sub = item->GetHeadSubItem(); sub;)
                lines.push_back("  " + describe(*item->GetNextSubItem(sub)));
        }
    }
    return lines;
}

// Categories as "id name count".
std::vector<std::string> Categories()
{
    std::vector<std::string> list;
    CCategoryMgr* categories = CCategoryMgr::GetInstance();
    for (POSITION pos = categories->GetHeadPosition(); pos;) {
        const CCategory* c = categories->GetNext(pos);
        list.push_back(std::to_string(c->GetUniqueID()) + " " + c->GetName() + " " + std::to_string(c->GetDepItems()));
    }
    return list;
}

std::string WithFormatWord(std::string bytes, unsigned word)
{
    bytes[0] = char(word & 0xFF);
    bytes[1] = char(word >> 8);
    return bytes;
}

} // namespace

TEST_F(LibraryTest, GeneratedLibraryReadsBackEqualAndWritesTheSameBytes)
{
    std::string first;
    std::vector<std::string> description;
    {
        CLibrary library(true, true);
        vemotest::GenerateLibrary(library, { 600, 7 });
        for (int type = 1; type <= 24; ++type)
            ASSERT_GT(library.GetItemCount(type), 0) << "type " << type;
        first = Bytes(library);
        description = Describe(library);
    }
    CLibrary reread(false, true);
    Load(reread, first);
    EXPECT_EQ(Describe(reread), description);
    EXPECT_TRUE(SameBytes(Bytes(reread), first));
}

// The body of a new library, field by field: the 48 sections in their order
// with the current record versions.
TEST_F(LibraryTest, NewLibraryIsWrittenAsTheFortyEightSectionsInOrder)
{
    CLibrary library(true, true);
    ByteBuilder b;
    b.Word(2).Word(1);
    b.Word(1).Int(2).Int(1).Word(1).Int(1).Str("<none>").Str("");
    b.Bool(false).Bool(true).Int(1).Str("");
    for (int i = 0; i < 6; ++i)
        b.Str("");
    b.Int(0).Int(0).Int(0);
    for (int i = 0; i < 3; ++i)
        b.Word(1).Str("Sans Serif").Int(10).Int(400).Bool(false).Bool(false).Bool(false).Word(1);
    auto idSettings = [&b] { b.Word(1).Bool(false).Int(1).Str("").Str(""); };
    for (int i = 0; i < 24; ++i) {
        const CMediaTypeInfo& info = CMediaRegistry::GetAt(i);
        b.Word(2).Str(info.primarySort).Str(info.secondarySort).Str("");
        idSettings();
        b.Word(1).Int(0);
        b.Word(1).Str(CMediaUtils::GetMediaNameSingular(info.mediaType) + " Report");
        b.Word(1).Int(17).Int(1).Int(info.mediaType).Bool(true).Int(0).Int(0);
        b.Word(1).Str(info.primarySort).Str(info.secondarySort).Str("").Str("");
        b.Strings({ info.defaultColumns.begin(), info.defaultColumns.end() });
        b.Int(0);
        if (info.mediaType == CMediaUtils::MEDIA_VIDEOTAPE) {
            b.Word(3);
            for (int f = 0; f < 10; ++f)
                idSettings();
            b.Strings(std::vector<std::string>(10));
        } else {
            b.Word(1);
        }
    }
    b.Word(1).Int(0).Word(1).Int(0);
    b.Word(1).Int(6);
    for (int i = 0; i < 6; ++i)
        b.Word(1).Str(library.GetResearchEntryAt(i)->GetName()).Str(library.GetResearchEntryAt(i)->GetURL());
    b.Word(1).Int(17).Int(5);
    for (int type : { 1, 3, 6, 15, 16 })
        b.Int(type).Bool(true);
    b.Word(1).Bool(false).Bool(false).Int(3).Word(2).Str("");
    b.Word(0);
    EXPECT_TRUE(SameBytes(Bytes(library), b.bytes));
}

TEST_F(LibraryTest, ManagerRecordVersionOneHasNoDefaultLocation)
{
    CMediaMgr mgr(CMediaUtils::MEDIA_BOOK);
    mgr.SetDefaultLocation(CMediaUtils::MEDIA_BOOK, "Attic");
    CArchive current;
    mgr.Serialize(current);
    CArchive earlier;
    mgr.Serialize(earlier, true);
    // The earlier record: version 1 and no location string ("Attic").
    std::string expected = current.GetBuffer();
    const std::string location = ByteBuilder().Str("Attic").bytes;
    const std::size_t at = expected.find(location);
    ASSERT_NE(at, std::string::npos);
    expected.erase(at, location.size());
    expected[0] = 1;
    EXPECT_TRUE(SameBytes(earlier.GetBuffer(), expected));

    CMediaMgr reread(CMediaUtils::MEDIA_BOOK);
    reread.SetDefaultLocation(CMediaUtils::MEDIA_BOOK, "Cellar");
    CArchive in(earlier.GetBuffer());
    reread.Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(reread.GetDefaultLocation(CMediaUtils::MEDIA_BOOK), "Cellar");
}

// The video tape extension: version 1 holds five format settings, version 2
// ten, version 3 also the format locations.
class VideoTapeExtensionTest : public LibraryTest, public ::testing::WithParamInterface<int> { };

TEST_P(VideoTapeExtensionTest, ReadsWhatItsVersionHolds)
{
    const int version = GetParam();
    CVideoTapeMediaMgr mgr;
    for (int f = 0; f < 10; ++f) {
        mgr.GetLibraryIDSettings(116 + f)->SetPrefix("F" + std::to_string(f));
        mgr.SetDefaultLocation(116 + f, "L" + std::to_string(f));
    }
    CArchive out;
    mgr.Serialize(out);
    // Extension: version word, ten settings of 12 bytes, ten locations.
    const std::size_t extension = 2 + 10 * 12 + 2 + 10 * 3;
    std::string bytes = out.GetBuffer().substr(0, out.GetBuffer().size() - extension);
    bytes += ByteBuilder().Word(version).bytes;
    bytes += out.GetBuffer().substr(out.GetBuffer().size() - extension + 2, (version < 2 ? 5 : 10) * 12);
    if (version >= 3)
        bytes += out.GetBuffer().substr(out.GetBuffer().size() - 32);

    CVideoTapeMediaMgr reread;
    for (int f = 0; f < 10; ++f) {
        reread.GetLibraryIDSettings(116 + f)->SetPrefix("OLD");
        reread.SetDefaultLocation(116 + f, "OLD");
    }
    CArchive in(bytes);
    reread.Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    for (int f = 0; f < 10; ++f) {
        const bool stored = version >= 2 || f < 5;
        EXPECT_EQ(reread.GetLibraryIDSettings(116 + f)->GetPrefix(), stored ? "F" + std::to_string(f) : "") << f;
        EXPECT_EQ(reread.GetDefaultLocation(116 + f), version >= 3 ? "L" + std::to_string(f) : "") << f;
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, VideoTapeExtensionTest, ::testing::Values(1, 2, 3));

TEST_F(LibraryTest, FoldersThatAreGoneFallBackWhenLoaded)
{
    vemotest::TempDir dir;
    std::string bytes;
    {
        CLibrary library(false, true);
        library.SetPathImport("/gone/import");
        library.SetPathExport(dir.Path());
        library.SetPathCustomWebReportOutput("/gone/output");
        library.SetPathUserCustomWebReportTemplate(dir.Path());
        library.SetPathCustomWebReportImage("/gone/images");
        library.SetPathCustomFieldDefault("/gone/fields");
        bytes = Bytes(library);
    }
    CLibrary library(false, true);
    library.SetPathImport("/remembered/");
    library.SetPathExport("/other/");
    Load(library, bytes);
    EXPECT_EQ(library.GetPathImport(), "/remembered/");
    EXPECT_EQ(library.GetPathExport(), dir.Path() + "/");
    EXPECT_EQ(library.GetPathCustomWebReportOutput(), "");
    EXPECT_EQ(library.GetPathUserCustomWebReportTemplate(), dir.Path() + "/");
    EXPECT_EQ(library.GetPathCustomWebReportImage(), "/remembered/");
    EXPECT_EQ(library.GetPathCustomFieldDefault(), "/remembered/");
}

struct FormatWordCase {
    unsigned word;
    bool read;
};

class FormatWordTest : public LibraryTest, public ::testing::WithParamInterface<FormatWordCase> { };

TEST_P(FormatWordTest, ReadsOnlyKnownFormats)
{
    std::string bytes;
    {
        CLibrary library(false, true);
        library.SetNotes("stored");
        bytes = WithFormatWord(Bytes(library), GetParam().word);
    }
    CLibrary into(false, true);
    into.SetNotes("before");
    bool converted = true;
    CString error;
    EXPECT_EQ(CLibraryFile::ReadBytes(into, bytes, converted, error), GetParam().read);
    EXPECT_FALSE(converted);
    EXPECT_EQ(into.GetNotes(), GetParam().read ? "stored" : "before");
    EXPECT_EQ(error, GetParam().read ? "" : CLibraryFile::READ_ERROR);
}

INSTANTIATE_TEST_SUITE_P(Words, FormatWordTest,
    ::testing::Values(FormatWordCase { 0, true }, FormatWordCase { 2, true }, FormatWordCase { 3, false },
        FormatWordCase { 0xFFFF, false }));

TEST_F(LibraryTest, EarlierFormatIsConvertedWithWhatItHolds)
{
    std::string earlier;
    std::string expected;
    {
        CLibrary library(true, true);
        vemotest::GenerateLibrary(library, { 120, 11 });
        auto* report = new CCustomWebReport();
        report->SetName("Shelf list");
        report->SetPageLevel(2, "/t/Level2.htm", "Title", "");
        library.AddCustomWebReport(report);
        library.SetDefaultLocation(CMediaUtils::MEDIA_CD, "Rack");
        library.SetDefaultLocation(CMediaUtils::MEDIA_VIDEOTAPEMINIDV, "Drawer");
        library.GetLibraryIDFormatForID(CMediaUtils::MEDIA_VIDEOTAPEMINIDV)->SetPrefix("MDV");
        library.GetLibraryIDFormatForID(CMediaUtils::MEDIA_VIDEOTAPEVHS)->SetPrefix("VHS");
        CString error;
        ASSERT_TRUE(CLibraryFile::WriteEarlierFormatBytes(library, earlier, error));
        EXPECT_EQ(earlier.substr(0, 2), std::string("\x01\x00", 2));
        // What the earlier format cannot hold.
        library.SetDefaultLocation(CMediaUtils::MEDIA_CD, "");
        library.SetDefaultLocation(CMediaUtils::MEDIA_VIDEOTAPEMINIDV, "");
        for (int format = CMediaUtils::MEDIA_VIDEOTAPEDVHS; format <= CMediaUtils::MEDIA_VIDEOTAPEDIGITAL8; ++format)
            *library.GetLibraryIDFormatForID(format) = CLibraryIDSettings();
        expected = Bytes(library);
    }
    CLibrary converted(false, true);
    bool wasConverted = false;
    CString error;
    ASSERT_TRUE(CLibraryFile::ReadBytes(converted, earlier, wasConverted, error)) << error;
    EXPECT_TRUE(wasConverted);
    EXPECT_TRUE(SameBytes(Bytes(converted), expected));
}

TEST_F(LibraryTest, EarlierFormatWithoutWebReportsGetsTheDefaultOnes)
{
    std::string earlier;
    {
        CLibrary library(false, true);
        CString error;
        ASSERT_TRUE(CLibraryFile::WriteEarlierFormatBytes(library, earlier, error));
    }
    CLibrary into(false, true);
    into.SetPathUserCustomWebReportTemplate("/data/Templates/");
    into.SetPathCustomWebReportOutput("/data/WebReports/");
    Load(into, earlier);
    EXPECT_EQ(into.GetCustomWebReportCount(), 29);
}

// A library file cut anywhere, or with a byte changed, never crashes the
// reader; a failed read leaves the library it was reading for, and the
// category list, exactly as they were.
class DamagedFileTest : public LibraryTest {
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        {
            CLibrary source(true, true);
            vemotest::GenerateLibrary(source, { 30, 3 });
            m_file = Bytes(source);
        }
        m_into = std::make_unique<CLibrary>(true, true);
        vemotest::GenerateLibrary(*m_into, { 40, 4 });
        m_before = Bytes(*m_into);
        m_categories = Categories();
    }
    void TearDown() override
    {
        m_into.reset();
        LibraryTest::TearDown();
    }
    // Reads bytes; a failure must have changed nothing.
    void Check(const std::string& bytes, const std::string& what)
    {
        bool converted = false;
        CString error;
        if (CLibraryFile::ReadBytes(*m_into, bytes, converted, error)) {
            // A change the reader cannot tell from data: start again.
            m_into = std::make_unique<CLibrary>(true, true);
            Load(*m_into, m_before);
            m_categories = Categories();
            return;
        }
        EXPECT_EQ(error, CLibraryFile::READ_ERROR) << what;
        EXPECT_TRUE(SameBytes(Bytes(*m_into), m_before)) << what;
        EXPECT_EQ(Categories(), m_categories) << what;
    }

    std::string m_file;
    std::unique_ptr<CLibrary> m_into;
    std::string m_before;
    std::vector<std::string> m_categories;
};

TEST_F(DamagedFileTest, EveryTruncationFailsAndChangesNothing)
{
    for (std::size_t size = 0; size < m_file.size(); size += (size < 4000 ? 3 : 41)) {
        bool converted = false;
        CString error;
        EXPECT_FALSE(CLibraryFile::ReadBytes(*m_into, m_file.substr(0, size), converted, error)) << size;
        EXPECT_EQ(error, CLibraryFile::READ_ERROR);
        if (size % 1000 < 3) {
            EXPECT_TRUE(SameBytes(Bytes(*m_into), m_before)) << size;
            EXPECT_EQ(Categories(), m_categories) << size;
        }
    }
    EXPECT_TRUE(SameBytes(Bytes(*m_into), m_before));
    EXPECT_EQ(Categories(), m_categories);
}

TEST_F(DamagedFileTest, ChangedBytesNeverCrash)
{
    for (std::size_t at = 2; at < m_file.size(); at += 29) {
        std::string damaged = m_file;
        damaged[at] = char(damaged[at] ^ 0xFF);
        Check(damaged, "byte " + std::to_string(at));
    }
}

TEST_F(LibraryTest, FileRoundTripAndFailedSaveKeepsThePreviousFile)
{
    vemotest::TempDir dir;
    const CString path = dir.File("Mine.vly");
    CLibrary library(true, true);
    vemotest::GenerateLibrary(library, { 50, 5 });
    CString error;
    ASSERT_TRUE(CLibraryFile::Write(library, path, error)) << error;
    const std::string saved = vemotest::ReadAll(path);
    EXPECT_TRUE(SameBytes(saved, Bytes(library)));

    library.SetNotes("changed");
    CFileUtils::SetWriteLimitForTesting(100);
    EXPECT_FALSE(CLibraryFile::Write(library, path, error));
    CFileUtils::SetWriteLimitForTesting(-1);
    EXPECT_EQ(error, CLibraryFile::SAVE_ERROR);
    EXPECT_TRUE(SameBytes(vemotest::ReadAll(path), saved));

    CLibrary reread(false, false);
    bool converted = true;
    ASSERT_TRUE(CLibraryFile::Read(reread, path, converted, error)) << error;
    EXPECT_FALSE(converted);
    EXPECT_TRUE(SameBytes(Bytes(reread), saved));
    EXPECT_FALSE(CLibraryFile::Read(reread, dir.File("Missing.vly"), converted, error));
    EXPECT_EQ(error, CLibraryFile::READ_ERROR);
}

// The example of docs/file-format.md ("Report arrays").
TEST_F(LibraryTest, WebReportRecordMatchesTheDocumentedExample)
{
    CCustomWebReport report;
    report.SetName("Books");
    report.GetMediaIDs().SetShow(CMediaUtils::MEDIA_BOOK, true);
    report.SetHomePage("/w/Books.htm", false);
    report.SetPageLevel(1, "/t/B.htm", "Title", "");
    CArchive out;
    report.Serialize(out);
    const std::string documented = "01 00 05 42 6F 6F 6B 73 01 00 11 00 00 00 01 00 00 00 01 00 00 00 01 00 "
                                   "00 00 00 00 00 00 00 00 02 00 01 00 0C 2F 77 2F 42 6F 6F 6B 73 2E 68 74 "
                                   "6D 01 00 00 00 08 2F 74 2F 42 2E 68 74 6D 05 54 69 74 6C 65 00";
    std::string expected;
    for (std::size_t i = 0; i < documented.size(); i += 3)
        expected += static_cast<char>(std::stoi(documented.substr(i, 2), nullptr, 16));
    EXPECT_TRUE(SameBytes(out.GetBuffer(), expected));

    // Version 1 carries an obsolete text after the home page.
    CArchive earlier;
    report.SerializeVersion1(earlier);
    CCustomWebReport reread;
    CArchive in(earlier.GetBuffer());
    reread.Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(reread.GetHomePage(), "/w/Books.htm");
    EXPECT_EQ(reread.GetTemplateFile(1), "/t/B.htm");
    EXPECT_EQ(earlier.GetBuffer().size(), out.GetBuffer().size() + 1);
}
