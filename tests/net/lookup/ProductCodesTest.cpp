#include <gtest/gtest.h>

#include "net/lookup/ProductCodes.h"

namespace {

struct CodeCase {
    const char* text;
    CProductCodes::EKind kind;
    const char* isbn13; // ToISBN13
    const char* isbn10; // ISBN13To10 of isbn13
    const char* ean13; // ToEAN13
};

class ProductCodeTable : public ::testing::TestWithParam<CodeCase> { };

TEST_P(ProductCodeTable, ClassifiesAndConverts)
{
    const CodeCase& c = GetParam();
    EXPECT_EQ(CProductCodes::Classify(c.text), c.kind);
    EXPECT_EQ(CProductCodes::ToISBN13(c.text), c.isbn13);
    EXPECT_EQ(CProductCodes::ISBN13To10(c.isbn13), c.isbn10);
    EXPECT_EQ(CProductCodes::ToEAN13(c.text), c.ean13);
    if (*c.isbn10) {
        EXPECT_EQ(CProductCodes::ISBN10To13(c.isbn10), c.isbn13);
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, ProductCodeTable,
    ::testing::Values(
        // ISBN-10, with the hyphens and spaces people type, and with X.
        CodeCase { "0451526538", CProductCodes::ISBN10, "9780451526533", "0451526538", "" },
        CodeCase { "0-451-52653-8", CProductCodes::ISBN10, "9780451526533", "0451526538", "" },
        CodeCase { "0 8044 2957 X", CProductCodes::ISBN10, "9780804429573", "080442957X", "" },
        CodeCase { "080442957x", CProductCodes::ISBN10, "9780804429573", "080442957X", "" },
        // ISBN-13 (an EAN-13 of the book land prefixes).
        CodeCase { "978-0-262-51087-5", CProductCodes::ISBN13, "9780262510875", "0262510871", "9780262510875" },
        // 979 numbers have no ISBN-10.
        CodeCase { "9791090678002", CProductCodes::ISBN13, "9791090678002", "", "9791090678002" },
        // Retail barcodes.
        CodeCase { "4006381333931", CProductCodes::EAN13, "", "", "4006381333931" },
        CodeCase { "036000291452", CProductCodes::UPCA, "", "", "0036000291452" },
        CodeCase { "724384960650", CProductCodes::UPCA, "", "", "0724384960650" },
        // Wrong check digits, lengths and characters.
        CodeCase { "0451526539", CProductCodes::NONE, "", "", "" },
        CodeCase { "9780451526534", CProductCodes::NONE, "", "", "" },
        CodeCase { "036000291453", CProductCodes::NONE, "", "", "" },
        CodeCase { "4006381333932", CProductCodes::NONE, "", "", "" },
        CodeCase { "X451526538", CProductCodes::NONE, "", "", "" },
        CodeCase { "97804515265X3", CProductCodes::NONE, "", "", "" },
        CodeCase { "ISBN 0451526538", CProductCodes::NONE, "", "", "" },
        CodeCase { "04515265", CProductCodes::NONE, "", "", "" }, CodeCase { "", CProductCodes::NONE, "", "", "" }));

TEST(ProductCodes, CheckDigitsNeedTheirExactPayload)
{
    EXPECT_EQ(CProductCodes::ISBN10CheckDigit("045152653"), '8');
    EXPECT_EQ(CProductCodes::ISBN10CheckDigit("080442957"), 'X');
    EXPECT_EQ(CProductCodes::EAN13CheckDigit("978045152653"), '3');
    EXPECT_EQ(CProductCodes::UPCACheckDigit("03600029145"), '2');
    for (const char* bad : { "", "04515265", "0451526531", "04515265a" })
        EXPECT_EQ(CProductCodes::ISBN10CheckDigit(bad), 0) << bad;
    EXPECT_EQ(CProductCodes::EAN13CheckDigit("97804515265"), 0);
    EXPECT_EQ(CProductCodes::UPCACheckDigit("0360002914a"), 0);
}

} // namespace
