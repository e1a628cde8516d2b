#include "app/doc/LibraryCommands.h"
#include "app/doc/VemoLibraryDoc.h"

void CVemoLibraryDoc::OnCustomFields(int mediaType)
{
    m_commands->OnCustomFields(mediaType);
}

void CVemoLibraryDoc::OnLibraryIDFormat(int mediaType, int typeOnScreen)
{
    m_commands->OnLibraryIDFormat(mediaType, typeOnScreen);
}

int CVemoLibraryDoc::OnMagazineTitles(int selectedTitleId)
{
    return m_commands->OnMagazineTitles(selectedTitleId);
}
