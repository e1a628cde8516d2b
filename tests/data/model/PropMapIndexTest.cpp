#include <gtest/gtest.h>

#include <memory>

#include "data/model/DataMapUtils.h"
#include "data/model/PropMapUtils.h"

namespace {

// Answers through an index in use must land where the map's own look-up
// puts them, whatever the key object: a lasting one asked again, a
// temporary whose address a different text takes next, a key the map lacks.
TEST(PropMapIndexTest, AnswersLandOnTheKeysText)
{
    CMapStringToString data;
    for (const char* key : { "Title", "Author", "A key longer than sixteen bytes", "Year" })
        data.SetAt(key, "-");
    CMapStringToString other = data;
    CPropMapIndex index(data);
    const CString title = "Title";
    {
        CPropMapIndex::CUse use(index);
        for (int pass = 0; pass < 2; ++pass) {
            CDataMapUtils::Fill(data, title, "T" + std::to_string(pass));
            for (const char* key : { "Author", "A key longer than sixteen bytes", "Missing", "Year" }) {
                // Each temporary may sit where the one before sat.
                auto temporary = std::make_unique<CString>(key);
                CPropMapUtils::Answer(data, *temporary, CString(key) + std::to_string(pass));
            }
        }
        // A map the index was not made for is left to its own look-up.
        CPropMapUtils::AnswerBool(other, title, true);
    }
    EXPECT_EQ(data.GetCount(), 4);
    EXPECT_FALSE(data.Contains("Missing"));
    EXPECT_EQ(data["Title"], "T1");
    EXPECT_EQ(data["Author"], "Author1");
    EXPECT_EQ(data["A key longer than sixteen bytes"], "A key longer than sixteen bytes1");
    EXPECT_EQ(data["Year"], "Year1");
    EXPECT_EQ(other["Title"], "Y");
    // Out of use, the map answers as before.
    CPropMapUtils::Answer(data, title, "after");
    EXPECT_EQ(data["Title"], "after");
}

} // namespace
