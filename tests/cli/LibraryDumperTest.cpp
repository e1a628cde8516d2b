#include <gtest/gtest.h>

#include <sstream>

#include "cli/LibraryDumper.h"
#include "cli/TextTreeWriter.h"
#include "data/model/CategoryMgr.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/Library.h"

namespace {

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

} // namespace
