// Filling items from candidates: empty fields only or every field, tracks,
// the cover file, and undo of the whole fill.
#include <gtest/gtest.h>

#include "LookupTestSupport.h"
#include "data/lookup/LookupFill.h"
#include "data/model/Book.h"
#include "data/model/CD.h"
#include "data/model/MediaUtils.h"
#include "data/model/Track.h"
#include "data/model/ReportProperties.h"
#include "platform/util/FileUtils.h"

using U = CMediaUtils;

namespace {

CLookupCandidate BookCandidate()
{
    CLookupCandidate candidate;
    candidate.sourceId = "openlibrary";
    candidate.sourceName = "Open Library";
    candidate.key = "/books/OL1017798M";
    candidate.values = { { U::MEDIA_PROP_TITLE, "The adventures of Tom Sawyer" },
        { U::MEDIA_PROP_AUTHOR, "Mark Twain" }, { U::MEDIA_PROP_PAGES, "216" }, { U::MEDIA_PROP_YEAR, "1997" },
        { U::MEDIA_PROP_PUBLISHER, "Signet Classic" },
        // A hostile answer cannot move the item in the library.
        { U::MEDIA_PROP_LIBRARYID, "X-1" }, { U::MEDIA_PROP_LOCATION, "Nowhere" },
        { U::MEDIA_PROP_REPORTIMAGEFILE, "/etc/passwd" } };
    candidate.complete = true;
    return candidate;
}

CLookupCandidate ReleaseCandidate()
{
    CLookupCandidate candidate;
    candidate.sourceId = "musicbrainz";
    candidate.key = "0a2ac6ed-3c4e-4b8c-8b5f-1e8c9a3f5b77";
    candidate.values
        = { { U::MEDIA_PROP_TITLE, "The Wall" }, { U::MEDIA_PROP_ARTIST, "Pink Floyd" }, { U::MEDIA_PROP_DISCS, "2" } };
    const char* titles[] = { "In the Flesh?", "The Thin Ice", "Hey You" };
    for (int i = 0; i < 3; ++i)
        candidate.tracks.push_back({ { U::MEDIA_PROP_DISCNUMBER, i < 2 ? "1" : "2" },
            { U::MEDIA_PROP_TRACKNUMBER, i < 2 ? std::to_string(i + 1) : "1" }, { U::MEDIA_PROP_TRACKTITLE, titles[i] },
            { U::MEDIA_PROP_TRACKLENGTH, "03:19" } });
    candidate.complete = true;
    return candidate;
}

std::vector<CString> TrackTitles(const CMediaItem& item)
{
    std::vector<CString> titles;
    for (POSITION pos = item.GetHeadSubItem(); pos;)
        titles.emplace_back(static_cast<const CTrack*>(item.GetNextSubItem(pos))->GetTitle());
    return titles;
}

class LookupFillTest : public ::testing::Test {
protected:
    vemotest::TempDir dir;
    CLookupFillOptions options;
    CLookupChange change;
    CString error;
    CCoverImage cover { lookuptest::JpegBytes(), "jpg" };

    void SetUp() override { options.pictureDir = dir.File("Pictures"); }
};

TEST_F(LookupFillTest, EmptyFieldsOnlyOrEverythingTheServiceAnswered)
{
    for (const bool replace : { false, true }) {
        CBook book;
        book.SetTitle("Tom Sawyer");
        book.SetEdition("Signet edition");
        book.SetLibraryID("B-7");
        options.replace = replace;
        ASSERT_TRUE(CLookupFill::Apply(book, BookCandidate(), CCoverImage(), options, change, error)) << error;
        EXPECT_EQ(book.GetTitle(), replace ? "The adventures of Tom Sawyer" : "Tom Sawyer");
        EXPECT_EQ(book.GetAuthor(), "Mark Twain");
        EXPECT_EQ(book.GetPages(), 216);
        EXPECT_EQ(book.GetYearPublished(), 1997);
        // Fields the service did not answer, and the item's place, stay.
        EXPECT_EQ(book.GetEdition(), "Signet edition");
        EXPECT_EQ(book.GetLibraryID(), "B-7");
        EXPECT_EQ(book.GetLocation(), "");
        EXPECT_EQ(book.GetReportProperties()->GetImageFile(), "");
        EXPECT_EQ(change.before.Contains(U::MEDIA_PROP_TITLE), replace);
        EXPECT_EQ(*change.after.PLookup(U::MEDIA_PROP_AUTHOR), "Mark Twain");
    }
}

TEST_F(LookupFillTest, CoverIsSavedUnderASafeNameAndBecomesThePicture)
{
    CBook first;
    ASSERT_TRUE(CLookupFill::Apply(first, BookCandidate(), cover, options, change, error)) << error;
    const CString path = options.pictureDir + "/The adventures of Tom Sawyer (OL1017798M).jpg";
    EXPECT_EQ(first.GetReportProperties()->GetImageFile(), path);
    EXPECT_EQ(change.coverFile, path);
    EXPECT_EQ(vemotest::ReadAll(path), cover.bytes);

    // The same picture again is reused; another one never overwrites it.
    CBook same;
    ASSERT_TRUE(CLookupFill::Apply(same, BookCandidate(), cover, options, change, error));
    EXPECT_EQ(same.GetReportProperties()->GetImageFile(), path);
    CBook other;
    CCoverImage otherCover { std::string("\x89PNG\r\n\x1A\n", 8) + "data", "png" };
    CLookupCandidate slashes = BookCandidate();
    slashes.values[U::MEDIA_PROP_TITLE] = "../../A/B: C?";
    ASSERT_TRUE(CLookupFill::Apply(other, slashes, otherCover, options, change, error));
    EXPECT_EQ(CFileUtils::ParseDirFromPath(change.coverFile), options.pictureDir + "/");
    EXPECT_EQ(vemotest::ReadAll(change.coverFile), otherCover.bytes);
    CBook clash;
    const CCoverImage otherJpeg { cover.bytes + "more", "jpg" };
    ASSERT_TRUE(CLookupFill::Apply(clash, BookCandidate(), otherJpeg, options, change, error));
    EXPECT_EQ(change.coverFile, options.pictureDir + "/The adventures of Tom Sawyer (OL1017798M) (2).jpg");
    EXPECT_EQ(vemotest::ReadAll(change.coverFile), otherJpeg.bytes);
    EXPECT_EQ(vemotest::ReadAll(path), cover.bytes);

    // An item that has a picture keeps it unless replace is on.
    CBook pictured;
    pictured.GetReportProperties()->SetImageFile("/home/me/mine.jpg");
    EXPECT_FALSE(CLookupFill::WantsCover(pictured, options));
    ASSERT_TRUE(CLookupFill::Apply(pictured, BookCandidate(), cover, options, change, error));
    EXPECT_EQ(pictured.GetReportProperties()->GetImageFile(), "/home/me/mine.jpg");
    EXPECT_TRUE(change.coverFile.empty());
}

TEST_F(LookupFillTest, ACoverThatCannotBeSavedChangesNothing)
{
    vemotest::WriteAll(dir.File("file"), "a file where the folder should be");
    const struct {
        CString folder;
        CCoverImage image;
        const char* message;
    } cases[] = {
        { dir.File("file"), cover, "The picture folder" },
        { dir.File("Pictures"), CCoverImage { "<svg/>", "jpg" }, "The cover is not a JPEG, PNG, GIF or WebP picture." },
    };
    for (const auto& c : cases) {
        CBook book;
        book.SetTitle("Mine");
        const CMapStringToString before = CLookupFill::AllData(book);
        options.pictureDir = c.folder;
        EXPECT_FALSE(CLookupFill::Apply(book, BookCandidate(), c.image, options, change, error));
        EXPECT_EQ(error.rfind(c.message, 0), 0u) << error;
        EXPECT_EQ(CLookupFill::AllData(book), before);
    }
}

TEST_F(LookupFillTest, TracksFromTheReleaseFillAnEmptyListOrReplaceIt)
{
    CCD empty;
    ASSERT_TRUE(CLookupFill::Apply(empty, ReleaseCandidate(), CCoverImage(), options, change, error));
    EXPECT_EQ(TrackTitles(empty), (std::vector<CString> { "In the Flesh?", "The Thin Ice", "Hey You" }));
    EXPECT_EQ(change.tracksAdded, 3);
    EXPECT_EQ(empty.GetDiscs(), 2);
    CMapStringToString third { { U::MEDIA_PROP_DISCNUMBER, "" }, { U::MEDIA_PROP_TRACKLENGTH, "" } };
    POSITION pos = empty.GetHeadSubItem();
    empty.GetNextSubItem(pos);
    empty.GetNextSubItem(pos);
    empty.GetNextSubItem(pos)->GetData(third);
    EXPECT_EQ(*third.PLookup(U::MEDIA_PROP_DISCNUMBER), "2");
    EXPECT_EQ(*third.PLookup(U::MEDIA_PROP_TRACKLENGTH), "03:19");

    CCD mine;
    CMediaSubItem* track = mine.CreateSubItem(nullptr);
    track->SetData({ { U::MEDIA_PROP_TRACKTITLE, "My own track" } }, true);
    mine.AddSubItem(track);
    ASSERT_TRUE(CLookupFill::Apply(mine, ReleaseCandidate(), CCoverImage(), options, change, error));
    EXPECT_EQ(TrackTitles(mine), std::vector<CString> { "My own track" });
    EXPECT_FALSE(change.tracksChanged);
    options.replace = true;
    ASSERT_TRUE(CLookupFill::Apply(mine, ReleaseCandidate(), CCoverImage(), options, change, error));
    EXPECT_EQ(TrackTitles(mine).size(), 3u);
}

TEST_F(LookupFillTest, UndoPutsBackEveryPropertyAndTrack)
{
    for (const bool replace : { false, true }) {
        options.replace = replace;
        CBook book;
        book.SetTitle("Tom Sawyer");
        book.SetPages(10);
        const CMapStringToString bookBefore = CLookupFill::AllData(book);
        ASSERT_TRUE(CLookupFill::Apply(book, BookCandidate(), cover, options, change, error)) << error;
        ASSERT_FALSE(change.IsEmpty());
        CLookupFill::Undo(book, change);
        EXPECT_EQ(CLookupFill::AllData(book), bookBefore) << "replace " << replace;
        EXPECT_EQ(book.GetPublisherID(), 0);

        CCD cd;
        cd.SetArtist("Someone");
        CMediaSubItem* track = cd.CreateSubItem(nullptr);
        track->SetData({ { U::MEDIA_PROP_TRACKTITLE, "Kept" }, { U::MEDIA_PROP_TRACKLENGTH, "01:00" } }, true);
        cd.AddSubItem(track);
        const CMapStringToString cdBefore = CLookupFill::AllData(cd);
        ASSERT_TRUE(CLookupFill::Apply(cd, ReleaseCandidate(), cover, options, change, error)) << error;
        CLookupFill::Undo(cd, change);
        EXPECT_EQ(CLookupFill::AllData(cd), cdBefore) << "replace " << replace;
        EXPECT_EQ(TrackTitles(cd), std::vector<CString> { "Kept" });
    }
}

} // namespace
