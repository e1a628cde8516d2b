#include "app/pages/PageFactory.h"

#include "app/pages/ItemPage.h"

// PLACEHOLDER until the item property pages land: no type has pages yet, so
// the media views show their "Property pages follow" note instead.
QList<CItemPage*> CPageFactory::CreatePages(int mediaType, CVemoLibraryDoc* doc, QWidget* parent)
{
    return {};
}
