#pragma once
// Library tests start and end with fresh process-wide lists (categories,
// persons, publishers, magazine titles), so no test sees another's.

#include <gtest/gtest.h>

#include <string>

#include "data/store/CategoryMgr.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "data/store/MagazineMgr.h"
#include "data/store/PersonMgr.h"
#include "data/store/PublisherMgr.h"

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedLists(); }
    void TearDown() override { ResetSharedLists(); }

    static void ResetSharedLists()
    {
        CCategoryMgr::DeleteInstance();
        CPublisherMgr::DeleteInstance();
        CPersonMgr::DeleteInstance();
        CMagazineMgr::DeleteInstance();
    }

    // The library file's bytes (format word 2 and the body).
    static std::string Bytes(CLibrary& library)
    {
        std::string bytes;
        CString error;
        EXPECT_TRUE(CLibraryFile::WriteBytes(library, bytes, error)) << error;
        return bytes;
    }

    // Reads bytes into library; the load must succeed.
    static void Load(CLibrary& library, const std::string& bytes)
    {
        bool converted = false;
        CString error;
        ASSERT_TRUE(CLibraryFile::ReadBytes(library, bytes, converted, error)) << error;
    }
};
