#include <gtest/gtest.h>

#include <stdexcept>

#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "platform/util/AppLogger.h"

namespace {

// Minimal media classes reporting a chosen type id; -1 makes the type
// unreadable.
class CStubMedium : public CMediaItem {
public:
    explicit CStubMedium(int type)
        : CMediaItem(false, false, false, false, false, CString())
        , m_type(type)
    {
    }
    CMediaSubItem* CreateSubItem(CMediaSubItem*) const override { return nullptr; }
    CMediaItem* Clone() const override { return new CStubMedium(m_type); }
    int GetMediaType() const override
    {
        if (m_type < 0)
            throw std::runtime_error("no type");
        return m_type;
    }

private:
    int m_type;
};

class CStubPart : public CMediaSubItem {
public:
    explicit CStubPart(int type)
        : CMediaSubItem(false)
        , m_type(type)
    {
    }
    bool HaveValidData() const override { return true; }
    int GetMediaType() const override { return m_type; }

private:
    int m_type;
};

// Neither a medium nor a part of one.
class CStubItem : public CItem {
public:
    CStubItem()
        : CItem()
    {
    }
    void Serialize(CArchive&) override { }
};

bool LastLogLineIsTheTypeFailure()
{
    const CStringList lines = CAppLogger::GetInstance()->GetLines();
    return !lines.IsEmpty() && lines.GetTail().find("{4F5E0705-2B56-4B23-A950-A155B5052C5C}") != CString::npos;
}

TEST(ItemMediaIDTest, MediaAndPartsReportTheirType)
{
    EXPECT_EQ(CMediaUtils::GetItemMediaID(nullptr), 0);
    CStubMedium eightTrack(CMediaUtils::MEDIA_8TRACK);
    CStubPart article(CMediaUtils::MEDIA_MAGAZINE);
    CStubItem other;
    EXPECT_EQ(CMediaUtils::GetItemMediaID(&eightTrack), 18);
    EXPECT_EQ(CMediaUtils::GetItemMediaID(&article), 11);
    EXPECT_EQ(CMediaUtils::GetItemMediaID(&other), 0);
}

TEST(ItemMediaIDTest, UnreadableOrImpossibleTypesGiveZeroAndLog)
{
    const INT_PTR before = CAppLogger::GetInstance()->GetLines().GetCount();
    CStubMedium broken(-1);
    EXPECT_EQ(CMediaUtils::GetItemMediaID(&broken), 0);
    EXPECT_TRUE(LastLogLineIsTheTypeFailure());
    CStubPart tapeFormat(CMediaUtils::MEDIA_VIDEOTAPEVHS);
    EXPECT_EQ(CMediaUtils::GetItemMediaID(&tapeFormat), 0);
    EXPECT_TRUE(LastLogLineIsTheTypeFailure());
    EXPECT_EQ(CAppLogger::GetInstance()->GetLines().GetCount(), before + 2);
}

} // namespace
