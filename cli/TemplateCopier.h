#pragma once
// The default web report templates ship with the program; a data directory
// gets a copy of each one it lacks, and a template the user changed there is
// never replaced.

#include "platform/util/VemoTypes.h"

class CTemplateCopier {
public:
    // The first folder of shipped templates that exists: beside the tool
    // (../share/vemolibrary/templates), the install location, the source
    // tree; "" when there is none.
    static CString FindShippedTemplates();
    // Copies every file under from (sub-folders too) that to lacks; the
    // number copied, or -1 when from is missing or a copy failed.
    static int CopyMissing(const CString& from, const CString& to);
};
