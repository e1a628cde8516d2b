#include <gtest/gtest.h>

#include <memory>

#include "data/model/CD.h"
#include "data/model/CDRec.h"
#include "data/model/DVD.h"
#include "data/model/DVDRec.h"
#include "data/model/FieldValidation.h"
#include "data/model/ReelToReel.h"
#include "tests/data/model/TestMedia.h"

using namespace vemotest;
using V = CFieldValidation;

namespace {

// One typed text and what the field must answer; message "" means none,
// otherwise the text the message must start with.
struct CheckCase {
    const char* name;
    V::Kind kind;
    int mediaType;
    const char* typed;
    const char* value;
    const char* text;
    const char* message;
};

std::ostream& operator<<(std::ostream& out, const CheckCase& c)
{
    return out << c.name;
}

std::unique_ptr<CMediaItem> MakeItem(int mediaType)
{
    std::unique_ptr<CMediaItem> item;
    switch (mediaType) {
    case CMediaUtils::MEDIA_CD: {
        auto cd = std::make_unique<CCD>();
        cd->SetMediaSize(2705); // 45:05
        item = std::move(cd);
        break;
    }
    case CMediaUtils::MEDIA_CDREC:
        item = std::make_unique<CCDRec>();
        break;
    case CMediaUtils::MEDIA_REELTOREEL:
        item = std::make_unique<CReelToReel>();
        break;
    case CMediaUtils::MEDIA_DVDREC: {
        auto disc = std::make_unique<CDVDRec>();
        disc->SetMediaSize(7200);
        item = std::move(disc);
        break;
    }
    default: {
        auto dvd = std::make_unique<CDVD>();
        dvd->SetMediaLength(6300); // 1:45
        dvd->SetDateAcquired(COleDateTime(2024, 3, 1, 0, 0, 0));
        item = std::move(dvd);
        break;
    }
    }
    return item;
}

const char* const kPriceMsg = "VemoLibrary modified your price entry field, because the entered text of \"";
const char* const kDiscsMsg = "VemoLibrary modified your number-of-discs entry field";
const char* const kPagesMsg = "VemoLibrary modified your number-of-pages entry field";
const char* const kSizeMsg = "VemoLibrary modified your media size entry";
const char* const kTapeMsg = "VemoLibrary modified your tape size entry";
const char* const kContentMsg = "VemoLibrary modified your content size entry field";
const char* const kLengthMsg = "VemoLibrary modified your media length entry";
const char* const kRegionMsg = "VemoLibrary modified your region entry field";
const char* const kDateMsg = "VemoLibrary modified your date acquired entry field";

constexpr int CD = CMediaUtils::MEDIA_CD;
constexpr int CDREC = CMediaUtils::MEDIA_CDREC;
constexpr int REEL = CMediaUtils::MEDIA_REELTOREEL;
constexpr int DVD = CMediaUtils::MEDIA_DVD;
constexpr int DVDREC = CMediaUtils::MEDIA_DVDREC;

const CheckCase kCases[] = {
    // Price: a number not below 0, with two fraction digits.
    { "price_plain", V::price, DVD, "12.5", "12.50", "12.50", "" },
    { "price_grouped_symbol", V::price, DVD, "$1,234", "1234.00", "1234.00", kPriceMsg },
    { "price_negative", V::price, DVD, "-5", "0.00", "0.00", kPriceMsg },
    { "price_rounded_away", V::price, DVD, "12.499", "12.50", "12.50", kPriceMsg },
    { "price_not_a_number", V::price, DVD, "cheap", "0.00", "0.00", kPriceMsg },
    { "price_cleared", V::price, DVD, "", "0.00", "0.00", "" },
    // Discs: 1..100, else 1; reformatting tells too.
    { "discs_zero", V::discs, CD, "0", "1", "1", kDiscsMsg },
    { "discs_150", V::discs, CD, "150", "1", "1", kDiscsMsg },
    { "discs_007", V::discs, CD, "007", "7", "7", kDiscsMsg },
    { "discs_plain", V::discs, CD, "3", "3", "3", "" },
    { "discs_empty", V::discs, CD, "", "1", "1", kDiscsMsg },
    // Pages: 0..1000000, else 0; blank is no count.
    { "pages_plain", V::pages, DVD, "320", "320", "320", "" },
    { "pages_too_many", V::pages, DVD, "1000001", "0", "0", kPagesMsg },
    { "pages_huge", V::pages, DVD, "99999999999999999999", "0", "0", kPagesMsg },
    { "pages_blank", V::pages, DVD, "  ", "0", "", "" },
    { "pages_padded", V::pages, DVD, "0320", "320", "320", kPagesMsg },
    // Media size in minutes: 0..largest (80 for a CD-R).
    { "size_plain", V::mediaSize, CDREC, "74", "74", "74", "" },
    { "size_above", V::mediaSize, CDREC, "90", "80", "80", kSizeMsg },
    { "size_below", V::mediaSize, CDREC, "-5", "0", "0", kSizeMsg },
    { "size_text", V::mediaSize, CDREC, "long", "0", "0", kSizeMsg },
    { "size_empty", V::mediaSize, CDREC, "", "0", "0", "" },
    // Tape size in feet: 0..3600.
    { "tape_plain", V::tapeSize, REEL, "1800", "1800", "1800", "" },
    { "tape_above", V::tapeSize, REEL, "7200", "3600", "3600", kTapeMsg },
    // Content size: a time; the previous value otherwise.
    { "content_mmss", V::contentSize, CD, "62:05", "1:02:05", "62:05", "" },
    { "content_seconds_over", V::contentSize, CD, "1:90", "45:05", "45:05", kContentMsg },
    { "content_letters", V::contentSize, CD, "long", "45:05", "45:05", kContentMsg },
    { "content_four_parts", V::contentSize, CD, "1:2:3:4", "45:05", "45:05", kContentMsg },
    { "content_hours_minutes", V::contentSize, DVDREC, "1:30", "1:30:00", "1:30", "" },
    { "content_hms_not_padded", V::contentSize, DVDREC, "1:30:15", "1:30:15", "1:30", "" },
    // Media length: hours and minutes.
    { "length_hm", V::mediaLength, DVD, "2:10", "2:10:00", "2:10", "" },
    { "length_minutes", V::mediaLength, DVD, "95", "1:35:00", "1:35", "" },
    { "length_bad", V::mediaLength, DVD, "1:75", "1:45:00", "1:45", kLengthMsg },
    // Region: 0..9, else 1; reformatting is silent.
    { "region_12", V::region, DVD, "12", "1", "1", kRegionMsg },
    { "region_9", V::region, DVD, "9", "9", "9", "" },
    { "region_padded", V::region, DVD, "02", "2", "2", "" },
    { "region_empty", V::region, DVD, "", "1", "1", kRegionMsg },
    // Date acquired: a date, empty clears, anything else keeps the old one.
    { "date_iso", V::dateAcquired, DVD, "2023-12-24", "2023-12-24", "2023-12-24", "" },
    { "date_numeric", V::dateAcquired, DVD, "24.12.2023", "2023-12-24", "2023-12-24", "" },
    { "date_cleared", V::dateAcquired, DVD, "", "", "", "" },
    { "date_bad", V::dateAcquired, DVD, "2023-02-30", "2024-03-01", "2024-03-01", kDateMsg },
    // Unchecked fields pass through.
    { "none", V::none, DVD, " as typed ", " as typed ", " as typed ", "" },
};

class FieldValidationTest : public ::testing::TestWithParam<CheckCase> {
protected:
    CStoreFixture m_store;
};

TEST_P(FieldValidationTest, AnswersValueTextAndMessage)
{
    const CheckCase& c = GetParam();
    std::unique_ptr<CMediaItem> item = MakeItem(c.mediaType);
    const CFieldCheck check = V::Check(c.kind, c.typed, *item);
    EXPECT_EQ(check.value, CString(c.value));
    EXPECT_EQ(check.text, CString(c.text));
    if (*c.message == '\0')
        EXPECT_EQ(check.message, CString());
    else
        EXPECT_EQ(check.message.rfind(c.message, 0), 0u) << check.message;
}

INSTANTIATE_TEST_SUITE_P(Fields, FieldValidationTest, ::testing::ValuesIn(kCases),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

// The stored value reads back into the item as the value shown.
TEST(FieldValidationRoundTrip, StoredValuesReadBackThroughTheItem)
{
    CStoreFixture store;
    CCD cd;
    CMapStringToString data;
    data.SetAt(CMediaUtils::MEDIA_PROP_LENGTH, V::ContentSize("62:05", cd).value);
    data.SetAt(CMediaUtils::MEDIA_PROP_DISCS, V::Discs("007").value);
    data.SetAt(CMediaUtils::MEDIA_PROP_PRICE, V::Price("12.5").value);
    cd.SetData(data, true);
    EXPECT_EQ(cd.GetMediaSize(), 3725);
    EXPECT_EQ(cd.GetDiscs(), 7);
    EXPECT_DOUBLE_EQ(cd.GetPrice(), 12.5);

    CCDRec disc;
    CMapStringToString size;
    size.SetAt(CMediaUtils::MEDIA_PROP_MEDIASIZE, V::MediaSize("74", disc).value);
    disc.SetData(size, true);
    EXPECT_EQ(disc.GetMediaSize(), 74 * 60);

    CReelToReel reel;
    CMapStringToString feet;
    feet.SetAt(CMediaUtils::MEDIA_PROP_MEDIASIZE, V::TapeSize("1800", reel).value);
    reel.SetData(feet, true);
    EXPECT_EQ(reel.GetTapeSize(), 1800);
    EXPECT_EQ(reel.GetMediaSize(), 0);
}

TEST(FieldValidationMessages, NameTheTypedTextAndTheLargestValue)
{
    CStoreFixture store;
    CCDRec disc;
    EXPECT_EQ(V::MediaSize("90", disc).message,
        "VemoLibrary modified your media size entry, because the entered text of \"90\" was not valid. Valid values "
        "are between zero and 80.");
    EXPECT_EQ(V::Price("-5").message,
        "VemoLibrary modified your price entry field, because the entered text of \"-5\" was not valid. Price must "
        "be greater than or equal to zero.");
    EXPECT_EQ(V::Region("12").message,
        "VemoLibrary modified your region entry field, because the entered text of \"12\" was not valid. Valid "
        "values range from 0 to 9.");
}

} // namespace
