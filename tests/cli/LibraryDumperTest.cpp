#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "JsonCheck.h"
#include "cli/JsonWriter.h"
#include "cli/LibraryDumper.h"
#include "cli/TextTreeWriter.h"
#include "data/model/CategoryMgr.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MagazineMgr.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/Library.h"
#include "support/LibraryGenerator.h"

namespace {

void DropSharedData()
{
    CCategoryMgr::DeleteInstance();
    CPublisherMgr::DeleteInstance();
    CPersonMgr::DeleteInstance();
    CMagazineMgr::DeleteInstance();
}

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// The dump fills one property map after the other: a value an item leaves
// unset must not show the previous item's.
TEST(LibraryDumperTest, ItemsShowOnlyTheirOwnValues)
{
    std::ostringstream text;
    {
        CLibrary library(true, true);
        auto* signedField = new CCustomField();
        signedField->SetName("Signed By");
        library.GetCustomFieldMgr(CMediaUtils::MEDIA_BOOK)->Add(signedField);
        for (const char* signer : { "Ada", "", "Grace", "" }) {
            CMediaItem* book = library.CreateMediaItem(CMediaUtils::MEDIA_BOOK, nullptr);
            book->SetTitle(std::string("Book ") + (*signer ? signer : "unsigned"));
            if (*signer) {
                CMapStringToString values;
                values.SetAt("Signed By", signer);
                library.SetCustomFieldDataForItem(book, values, true);
            }
        }
        CTextTreeWriter writer(text);
        CLibraryDumper(library, writer, false).Write();
    }
    EXPECT_EQ(Count(text.str(), "Title: Book "), 4u);
    EXPECT_EQ(Count(text.str(), "Signed By: Ada\n"), 1u) << text.str();
    EXPECT_EQ(Count(text.str(), "Signed By: Grace\n"), 1u);
    CCategoryMgr::DeleteInstance();
}

// An article carries its own category, which the dump lists once, even
// where the sub-items' own keys name it too.
TEST(LibraryDumperTest, SubItemCategoryIsWrittenOnce)
{
    std::ostringstream text;
    {
        CLibrary library(true, true);
        CMediaItem* magazine = library.CreateMediaItem(CMediaUtils::MEDIA_MAGAZINE, nullptr);
        magazine->SetTitle("Monthly");
        auto* article = static_cast<CMagazineArticle*>(magazine->CreateSubItem(nullptr));
        article->SetTitle("Feature");
        magazine->AddSubItem(article);
        CTextTreeWriter writer(text);
        CLibraryDumper(library, writer, true).Write();
    }
    const std::string& out = text.str();
    const std::size_t at = out.find("Title: Feature");
    ASSERT_NE(at, std::string::npos) << out;
    const std::size_t begin = out.rfind("properties:", at);
    const std::string properties = out.substr(begin, out.find("customValues:", at) - begin);
    EXPECT_EQ(Count(properties, "Category:"), 1u) << properties;
    EXPECT_EQ(Count(properties, "Category Desc.:"), 1u) << properties;
    CCategoryMgr::DeleteInstance();
}

// Items written in runs on two threads come out as written on one, in both
// forms, runs ending inside a type and at its end alike.
TEST(LibraryDumperTest, RunsOnTwoThreadsWriteWhatOneWrites)
{
    CLibrary library(true, true);
    vemotest::GenerateLibrary(library, { 300, 7u });
    for (const bool json : { false, true }) {
        std::string texts[2];
        for (const std::size_t run : { std::size_t { 0 }, std::size_t { 3 } }) {
            std::ostringstream out;
            std::unique_ptr<CTreeWriter> writer;
            if (json)
                writer = std::make_unique<CJsonWriter>(out);
            else
                writer = std::make_unique<CTextTreeWriter>(out);
            CLibraryDumper(library, *writer, json, run).Write();
            writer.reset();
            texts[run > 0] = out.str();
        }
        EXPECT_GT(texts[0].size(), 100000u);
        EXPECT_TRUE(texts[0] == texts[1]) << (json ? "JSON" : "text");
    }
    DropSharedData();
}

// The dump notes which keys an item answers and takes a medium's answers
// once for all its sub-items; every item and sub-item must still show
// exactly what it answers when asked alone (a sub-item after its medium).
TEST(LibraryDumperTest, PropertiesAreWhatEachItemAnswersAlone)
{
    CLibrary library(true, true);
    vemotest::GenerateLibrary(library, { 300, 11u });
    std::ostringstream out;
    {
        CJsonWriter writer(out);
        CLibraryDumper(library, writer, true).Write();
    }
    vemotest::JsonValue dump;
    std::string error;
    ASSERT_TRUE(vemotest::ParseJson(out.str(), dump, error)) << error;
    const CString unanswered = "\x01";
    std::size_t asked = 0;
    auto check = [&](const CItem& item, const CStringArray& props, const vemotest::JsonValue& written) {
        CMapStringToString expected;
        for (const CString& prop : props)
            expected.SetAt(prop, unanswered);
        item.GetData(expected);
        std::size_t answered = 0;
        for (const auto& [key, value] : expected) {
            if (value == unanswered)
                continue;
            ++answered;
            EXPECT_EQ(written[key].string, value) << key;
        }
        EXPECT_EQ(written.members.size(), answered);
        ++asked;
    };
    for (const vemotest::JsonValue& media : dump["mediaTypes"].elements) {
        const int type = static_cast<int>(media["id"].number);
        std::size_t i = 0;
        for (POSITION pos = library.GetHeadItem(type); pos; ++i) {
            const CMediaItem* item = library.GetNextItem(type, pos);
            const vemotest::JsonValue& written = media["items"][i];
            check(*item, CMediaUtils::GetAllDataProps(), written["properties"]);
            std::size_t s = 0;
            for (POSITION at = item->GetHeadSubItem(); at; ++s)
                check(*item->GetNextSubItem(at), CMediaRegistry::GetSubItemOwnProps(type),
                    written["subItems"][s]["properties"]);
        }
    }
    EXPECT_GT(asked, 600u);
    DropSharedData();
}

} // namespace
