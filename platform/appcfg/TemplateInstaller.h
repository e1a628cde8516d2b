#pragma once
// The default web report templates ship with the program; a data directory
// gets a copy of every one it lacks. A file the user has there is never
// replaced.

#include "platform/util/VemoTypes.h"

class CTemplateInstaller {
public:
    // The first folder of the shipped templates that exists: beside the
    // installed program (../share/vemolibrary/templates of programDir, or
    // of the running executable's folder when programDir is ""), the
    // install location, then the source tree; "" when none does.
    static CString FindShippedTemplates(const CString& programDir = CString());
    // Copies every file under from (sub-folders too) that is missing under
    // to; returns the number copied, -1 when from is missing or a copy failed.
    static int CopyMissing(const CString& from, const CString& to);
};
