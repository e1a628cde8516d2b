#include "LibraryFixture.h"
#include "support/LibraryGenerator.h"

TEST_F(LibraryTest, GeneratedLibraryReadsBackToTheSameBytes)
{
    std::string first;
    {
        CLibrary library(true, true);
        vemotest::GenerateLibrary(library, { 500, 7 });
        first = Bytes(library);
    }
    CLibrary reread(false, true);
    Load(reread, first);
    EXPECT_EQ(Bytes(reread), first);
}
