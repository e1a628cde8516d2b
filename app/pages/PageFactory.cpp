#include "app/pages/PageFactory.h"

#include <memory>

#include "app/pages/CheckOutPage.h"
#include "app/pages/CustomFieldsPage.h"
#include "app/pages/ElectronicPage.h"
#include "app/pages/PicturePage.h"
#include "app/pages/PropertyFlagsPage.h"
#include "app/pages/PublisherPage.h"
#include "app/pages/SubItemsPage.h"
#include "data/model/Book.h"
#include "data/model/MediaFactory.h"
#include "data/model/MediaItem.h"

QList<CItemPage*> CPageFactory::CreatePages(int mediaType, CVemoLibraryDoc* doc, QWidget* parent)
{
    QList<CItemPage*> pages;
    // What a type's items carry decides its pages, so a class that gains a
    // part gains the page.
    const std::unique_ptr<CMediaItem> item(CMediaFactory::CreateMediaItem(mediaType));
    if (!item)
        return pages;
    if (CSubItemsPage::SubItemsOf(mediaType) != CSubItemGrid::SubItems::None)
        pages << new CSubItemsPage(doc, mediaType, parent);
    if (dynamic_cast<const CBook*>(item.get()))
        pages << new CElectronicPage(doc, parent);
    for (CPropertyFlagsPage::Set set :
        { CPropertyFlagsPage::Audio, CPropertyFlagsPage::Video, CPropertyFlagsPage::SpecialFeatures })
        if (CPropertyFlagsPage::Carries(*item, set))
            pages << new CPropertyFlagsPage(doc, set, parent);
    if (item->UsesPublisher())
        pages << new CPublisherPage(doc, parent);
    if (item->GetCustomValues())
        pages << new CCustomFieldsPage(doc, mediaType, parent);
    if (item->GetReportProperties())
        pages << new CPicturePage(doc, mediaType, parent);
    if (item->GetCheckOut())
        pages << new CCheckOutPage(doc, parent);
    return pages;
}
