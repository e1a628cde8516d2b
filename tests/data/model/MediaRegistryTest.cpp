#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <typeinfo>

#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaUtils.h"

namespace {

using U = CMediaUtils;

TEST(MediaRegistryTest, EveryRowMakesItemsOfItsOwnClassAndType)
{
    std::set<int> seen;
    for (int i = 0; i < CMediaRegistry::TYPE_COUNT; ++i) {
        const CMediaTypeInfo& info = CMediaRegistry::GetAt(i);
        EXPECT_TRUE(seen.insert(info.mediaType).second) << info.mediaType;
        EXPECT_EQ(&info, CMediaRegistry::Find(info.mediaType));
        EXPECT_EQ(i, CMediaRegistry::GetFileIndex(info.mediaType));
        for (CMediaItem* made : { info.createItem(), CMediaRegistry::CreateItem(info.mediaType) }) {
            std::unique_ptr<CMediaItem> item(made);
            ASSERT_NE(item, nullptr) << info.singular;
            EXPECT_TRUE(typeid(*item) == info.itemClass) << info.singular;
            EXPECT_EQ(info.mediaType, item->GetMediaType());
        }
        // Only the two managers with rules of their own are special.
        const CMediaMgrKind kind = info.mediaType == U::MEDIA_MAGAZINE ? CMediaMgrKind::magazineIssue
            : info.mediaType == U::MEDIA_VIDEOTAPE                     ? CMediaMgrKind::videoTape
                                                                       : CMediaMgrKind::generic;
        EXPECT_EQ(kind, info.managerKind) << info.singular;
    }
    EXPECT_EQ(CMediaRegistry::TYPE_COUNT, static_cast<int>(seen.size()));
    for (int id : { 0, 25, 116, -1 }) {
        EXPECT_EQ(nullptr, CMediaRegistry::Find(id)) << id;
        EXPECT_EQ(-1, CMediaRegistry::GetFileIndex(id)) << id;
    }
}

struct ViewRow {
    int type;
    const char* viewClass;
    const char* picture;
};

// The media views find their class name and picture here.
const ViewRow VIEWS[] = {
    { U::MEDIA_BOOK, "CBookView", "book" },
    { U::MEDIA_MAGAZINE, "CMagazineView", "magazine" },
    { U::MEDIA_SHEETMUSIC, "CSheetMusicView", "sheetmusic" },
    { U::MEDIA_SOFTWARE, "CSoftwareView", "software" },
    { U::MEDIA_VIDEOGAME, "CVideoGameView", "videogame" },
    { U::MEDIA_CD, "CCDView", "cd" },
    { U::MEDIA_RECORDALBUM, "CRecordAlbumView", "recordalbum" },
    { U::MEDIA_8TRACK, "C8TrackView", "8track" },
    { U::MEDIA_DUALDISC, "CDualDiscView", "dualdisc" },
    { U::MEDIA_DVDAUDIO, "CDVDAudioView", "dvdaudio" },
    { U::MEDIA_CASSETTE, "CCassetteView", "cassette" },
    { U::MEDIA_DAT, "CDATView", "dat" },
    { U::MEDIA_REELTOREEL, "CReelToReelView", "reeltoreel" },
    { U::MEDIA_CDREC, "CCDRecView", "cdrec" },
    { U::MEDIA_MINIDISC, "CMiniDiscView", "minidisc" },
    { U::MEDIA_DVDAUDIOREC, "CDVDAudioRecView", "dvdaudiorec" },
    { U::MEDIA_DVD, "CDVDView", "dvd" },
    { U::MEDIA_BLURAY, "CBlurayView", "bluray" },
    { U::MEDIA_HDDVD, "CHDDVDView", "hddvd" },
    { U::MEDIA_LASERDISC, "CLaserDiscView", "laserdisc" },
    { U::MEDIA_DVDREC, "CDVDRecView", "dvdrec" },
    { U::MEDIA_BLURAYREC, "CBlurayRecView", "blurayrec" },
    { U::MEDIA_HDDVDREC, "CHDDVDRecView", "hddvdrec" },
    { U::MEDIA_VIDEOTAPE, "CVideoTapeView", "videotape" },
};
static_assert(std::size(VIEWS) == CMediaRegistry::TYPE_COUNT);

TEST(MediaRegistryTest, ViewClassAndPictureOfEveryType)
{
    for (const ViewRow& row : VIEWS) {
        const CMediaTypeInfo* info = CMediaRegistry::Find(row.type);
        ASSERT_NE(info, nullptr) << row.viewClass;
        EXPECT_STREQ(row.viewClass, info->viewClass);
        EXPECT_STREQ(row.picture, info->picture);
    }
}

} // namespace
