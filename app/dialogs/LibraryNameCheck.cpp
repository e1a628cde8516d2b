#include "app/dialogs/LibraryNameCheck.h"

#include "data/session/LibraryNames.h"

QString CLibraryNameCheck::Check(const CString& name, const CStringArray& existing, Mode mode)
{
    if (mode == Copy)
        return QString::fromStdString(CLibraryNames::CheckNewName(name, existing));
    if (!CLibraryNames::FindNoCase(existing, name).empty())
        return QString::fromStdString(CLibraryNames::EXISTS_MESSAGE);
    return QString::fromStdString(CLibraryNames::CheckName(name));
}
