#include "app/dialogs/LibraryNameCheck.h"

#include "platform/util/StringUtils.h"

QString CLibraryNameCheck::Check(const CString& name, const CStringArray& existing, Mode mode)
{
    for (const CString& other : existing)
        if (CStringUtils::EqualsNoCase(name, other))
            return MSG_EXISTS;
    if (CStringUtils::IsEffectivelyEmpty(name))
        return MSG_BLANK;
    if (name.find_first_of(BAD_CHARS) != CString::npos)
        return MSG_BAD_CHARS;
    if (mode == Rename && CStringUtils::EqualsNoCase(name, RESERVED_NAME))
        return MSG_RESERVED;
    return QString();
}
