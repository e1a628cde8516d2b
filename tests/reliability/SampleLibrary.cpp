#include "SampleLibrary.h"

#include <stdexcept>

#include "data/model/Magazine.h"
#include "data/model/MagazineMgr.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "data/store/SharedData.h"
#include "platform/util/Archive.h"
#include "platform/util/Person.h"
#include "support/LibraryGenerator.h"

namespace vemotest {

namespace {

const char* const kNames[] = { "Ada", "Björn", "Chloë", "Dmitri", "Eve", "Fran", "Günter", "Hana" };

CString Text(const char* stem, int n)
{
    return CString(stem) + " " + std::to_string(n);
}

} // namespace

void FillSampleLibrary(CLibrary& library, int itemCount, int variant)
{
    // The generator adds borrowers to the process-wide lists until there
    // are enough; starting from empty lists gives the same library each time.
    ResetSharedLists();
    LibraryGeneratorOptions options;
    options.itemCount = itemCount;
    options.seed = 7;
    GenerateLibrary(library, options);
    library.SetNotes("Sample library, variant " + std::to_string(variant));
}

std::string SampleLibraryBytes(int itemCount, int variant)
{
    CLibrary library(true, false);
    FillSampleLibrary(library, itemCount, variant);
    std::string bytes;
    CString error;
    if (!CLibraryFile::WriteBytes(library, bytes, error))
        throw std::runtime_error("the sample library could not be written: " + error);
    return bytes;
}

void ResetSharedLists()
{
    CPublisherMgr::DeleteInstance();
    CPersonMgr::DeleteInstance();
    CMagazineMgr::DeleteInstance();
}

void FillSampleSharedData(int count, int variant)
{
    ResetSharedLists();
    for (int i = 0; i < count; ++i) {
        auto* publisher = new CPerson(Text("Press", i), "", kNames[i % 8]);
        publisher->SetEmail("press" + std::to_string(i) + "@example.org");
        CPublisherMgr::GetInstance()->Add(publisher);
        auto* person = new CPerson(kNames[(i + variant) % 8], "Q", Text("Reader", i));
        person->SetHomePhone("555-01" + std::to_string(i % 100));
        CPersonMgr::GetInstance()->Add(person);
        auto* magazine = new CMagazine(Text("Monthly", i + 100 * variant));
        magazine->SetSubscription(i % 2 == 0);
        magazine->SetSubscriptionCost(12.5 * (i % 5));
        CMagazineMgr::GetInstance()->Add(magazine);
    }
}

std::string SampleSharedDataBytes(int count, int variant)
{
    FillSampleSharedData(count, variant);
    CArchive ar;
    CSharedData::Serialize(ar);
    return ar.GetBuffer();
}

} // namespace vemotest
