#pragma once
// Libraries and shared lists with known content for the reliability checks,
// the save-loop helper and the fuzzing seed corpus. The same arguments always
// give the same content, so two processes can agree on what a file holds.

#include <string>

#include "platform/util/VemoTypes.h"

class CLibrary;

namespace vemotest {

// The generated library of itemCount items (every media type from 24 on,
// sub-items, categories, custom fields, check-outs, search strings);
// variant changes the notes ("Sample library, variant N"). Empties the
// shared lists first, since the generator adds its borrowers there.
void FillSampleLibrary(CLibrary& library, int itemCount, int variant = 0);

// The bytes of a sample library as CLibraryFile writes them.
std::string SampleLibraryBytes(int itemCount, int variant = 0);

// Replaces the shared lists (publishers, persons, magazine titles) with
// count records of each.
void FillSampleSharedData(int count, int variant = 0);
// The shared data file's bytes for FillSampleSharedData(count, variant).
std::string SampleSharedDataBytes(int count, int variant = 0);
// Empties the process-wide lists that a library or shared data file fills.
void ResetSharedLists();

} // namespace vemotest
