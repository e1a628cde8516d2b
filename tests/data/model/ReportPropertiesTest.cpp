#include <gtest/gtest.h>

#include "data/model/ReportProperties.h"
#include "tests/data/RecordBytes.h"

namespace {

using vemotest::LoadBytes;
using vemotest::StoreBytes;

CReportProperties Picture(int width, int height, const CString& file)
{
    CReportProperties properties;
    properties.SetImageWidth(width);
    properties.SetImageHeight(height);
    properties.SetImageFile(file);
    return properties;
}

TEST(ReportPropertiesTest, EqualityIgnoresTheCaseOfTheFile)
{
    EXPECT_TRUE(Picture(10, 20, "/a/Cover.png") == Picture(10, 20, "/A/cover.PNG"));
    EXPECT_FALSE(Picture(10, 20, "a") == Picture(10, 21, "a"));
    EXPECT_FALSE(Picture(11, 20, "a") == Picture(10, 20, "a"));
}

TEST(ReportPropertiesTest, RecordRoundTrip)
{
    const CReportProperties picture = Picture(640, -2, "c.jpg");
    const std::string bytes = StoreBytes(const_cast<CReportProperties&>(picture));
    EXPECT_EQ(bytes,
        std::string("\x01\x00\x80\x02\x00\x00\xFE\xFF\xFF\xFF\x05"
                    "c.jpg",
            16));
    CReportProperties read;
    EXPECT_EQ(LoadBytes(read, bytes), 0u);
    EXPECT_TRUE(read == picture);

    CReportProperties target = Picture(1, 2, "kept");
    vemotest::ExpectTruncationsThrow(bytes, [&](CArchive& ar) { target.Serialize(ar); });
    EXPECT_TRUE(target == Picture(1, 2, "kept"));
}

TEST(ReportPropertiesTest, SizeWithoutAFileReadsAsZero)
{
    CReportProperties sized = Picture(300, 200, "");
    CReportProperties read = Picture(5, 5, "old");
    LoadBytes(read, StoreBytes(sized));
    EXPECT_TRUE(read == CReportProperties());
}

} // namespace
