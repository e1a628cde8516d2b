#include "platform/util/Person.h"

#include <gtest/gtest.h>

#include "platform/util/Archive.h"

namespace {

CPerson FullPerson()
{
    CPerson p("Zoë", "Q.", "Public");
    p.SetUniqueID(7);
    p.SetHomePhone("555-1234");
    p.SetWorkPhone("555-9876");
    p.SetMobilePhone("0170 1");
    p.SetEmail("zoe@example.org");
    p.SetURL("https://example.org/~zoe");
    p.SetAddress("1 Main St.\nSpringfield");
    p.SetNotes("Ω notes");
    return p;
}

struct NameCase {
    CString first, middle, last;
    CString firstFirst;
    CString lastFirst;
};

class FormNameTest : public ::testing::TestWithParam<NameCase> { };

TEST_P(FormNameTest, LeavesOutEmptyParts)
{
    const NameCase& c = GetParam();
    CPerson p(c.first, c.middle, c.last);
    EXPECT_EQ(p.FormName(true), c.firstFirst);
    EXPECT_EQ(p.FormName(false), c.lastFirst);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormNameTest,
    ::testing::Values(NameCase { "John", "Q.", "Public", "John Q. Public", "Public, John Q." },
        NameCase { "John", "", "Public", "John Public", "Public, John" },
        NameCase { "", "", "Acme Records", "Acme Records", "Acme Records" },
        NameCase { "John", "Q.", "", "John Q.", "John Q." }, NameCase { "", "Q.", "Public", "Q. Public", "Public, Q." },
        NameCase { "", "", "", "", "" }));

TEST(Person, PhoneNumbersListOnlyThosePresent)
{
    CPerson p;
    EXPECT_EQ(p.GetPhoneNumbers(), "");
    p.SetWorkPhone("555-9876");
    EXPECT_EQ(p.GetPhoneNumbers(), "work: 555-9876");
    EXPECT_EQ(FullPerson().GetPhoneNumbers(), "home: 555-1234; work: 555-9876; mobile: 0170 1");
}

TEST(Person, EqualityIsTheNameIgnoringCase)
{
    CPerson a("Zoë", "Q.", "Public");
    CPerson b("ZOË", "q.", "PUBLIC");
    b.SetUniqueID(99);
    b.SetEmail("other");
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == CPerson("Zoë", "", "Public"));
    EXPECT_FALSE(a == CPerson("Public", "Q.", "Zoë"));
    // A polymorphic comparison goes through the virtual operator.
    const CPerson& ref = b;
    EXPECT_TRUE(ref == a);
}

TEST(Person, AssignmentCopiesEveryField)
{
    CPerson copy;
    copy = FullPerson();
    CArchive one, two;
    copy.Serialize(one);
    CPerson original = FullPerson();
    original.Serialize(two);
    EXPECT_EQ(one.GetBuffer(), two.GetBuffer());
    EXPECT_EQ(copy.GetUniqueID(), 7);
}

TEST(PersonSerialize, RoundTripGivesSameBytes)
{
    CArchive out;
    CPerson original = FullPerson();
    original.Serialize(out);
    const std::string bytes = out.GetBuffer();
    ASSERT_GE(bytes.size(), 6u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x01\x00\x07\x00\x00\x00", 6)); // version 1, id 7

    CArchive in(bytes);
    CPerson back;
    back.Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back.GetUniqueID(), 7);
    EXPECT_EQ(back.FormName(true), "Zoë Q. Public");
    EXPECT_EQ(back.GetEmail(), "zoe@example.org");
    EXPECT_EQ(back.GetURL(), "https://example.org/~zoe");
    EXPECT_EQ(back.GetAddress(), "1 Main St.\nSpringfield");
    EXPECT_EQ(back.GetNotes(), "Ω notes");
    EXPECT_EQ(back.GetPhoneNumbers(), original.GetPhoneNumbers());

    CArchive again;
    back.Serialize(again);
    EXPECT_EQ(again.GetBuffer(), bytes);
}

TEST(PersonSerialize, BytesOfTheDocumentedExample)
{
    CPerson p("John", "", "Public");
    p.SetUniqueID(3);
    CArchive out;
    p.Serialize(out);
    const std::string expected("\x01\x00"
                               "\x03\x00\x00\x00"
                               "\x04John"
                               "\x00"
                               "\x06Public"
                               "\x00\x00\x00\x00\x00\x00\x00",
        26);
    EXPECT_EQ(out.GetBuffer(), expected);
}

TEST(PersonSerialize, EveryTruncationFailsAndLeavesRecordAlone)
{
    CArchive out;
    CPerson original = FullPerson();
    original.Serialize(out);
    const std::string bytes = out.GetBuffer();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const std::string cut = bytes.substr(0, n);
        CArchive in(cut);
        CPerson target("Keep", "", "Me");
        target.SetUniqueID(3);
        EXPECT_THROW(target.Serialize(in), CArchiveException) << n;
        EXPECT_EQ(target.FormName(true), "Keep Me") << n;
        EXPECT_EQ(target.GetUniqueID(), 3) << n;
    }
}

TEST(PersonSerialize, UnknownVersionIsRefused)
{
    for (WORD version : { 0, 2 }) {
        CArchive out;
        CPerson original = FullPerson();
        original.Serialize(out);
        std::string bytes = out.GetBuffer();
        bytes[0] = static_cast<char>(version);
        CArchive in(bytes);
        CPerson target;
        try {
            target.Serialize(in);
            ADD_FAILURE() << "version " << version << " accepted";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), CArchiveException::badFormat);
        }
    }
}

} // namespace
