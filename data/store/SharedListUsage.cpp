#include "data/store/SharedListUsage.h"

#include <unordered_set>

#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"

CSharedListUsage::CSharedListUsage(const CLibrary* library)
{
    if (!library)
        return;
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
        for (POSITION pos = library->GetHeadItem(type); pos;) {
            const CMediaItem* item = library->GetNextItem(type, pos);
            if (!item)
                continue;
            if (item->GetPublisherID() > 0)
                ++m_publishers[item->GetPublisherID()];
            if (const auto* issue = dynamic_cast<const CMagazineIssue*>(item); issue && issue->GetMagazineID() > 0)
                ++m_magazines[issue->GetMagazineID()];
            const CCheckOut* checkOut = item->PeekCheckOut();
            // An item counts once for a person, however often it was lent.
            std::unordered_set<int> persons;
            for (int i = 0; checkOut && i < checkOut->GetEntryCount(); ++i)
                if (const CCheckOutState* entry = checkOut->GetEntryAt(i); entry && entry->GetPersonID() > 0)
                    persons.insert(entry->GetPersonID());
            for (int person : persons)
                ++m_persons[person];
        }
}
