#pragma once
// The content of the shared data file: the publishers, persons and magazine
// titles that all libraries use.

#include "platform/util/DataFolder.h"
#include "platform/util/VemoTypes.h"

class CArchive;

class CSharedData {
public:
    // The file's name in the data directory.
    static inline const CString FILE_NAME = CDataFolder::SharedDataFileName();

    // Version word (1), then the publisher, person and magazine manager
    // blocks (publishers first, so that magazines can check their publisher).
    // Managers are created on demand. Loading refuses bytes left after the
    // last block.
    static void Serialize(CArchive& ar);
};
