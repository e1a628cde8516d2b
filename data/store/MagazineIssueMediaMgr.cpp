#include "data/store/MagazineIssueMediaMgr.h"

#include "data/model/DataMapUtils.h"
#include "data/model/MediaSubItem.h"
#include "data/model/Magazine.h"
#include "data/model/PublisherMgr.h"
#include "platform/util/Person.h"

void CMagazineIssueMediaMgr::MergeImported(CMediaItem& existing, CMediaItem& imported) const
{
    for (POSITION pos = imported.GetHeadSubItem(); pos;) {
        CMediaSubItem* article = imported.GetNextSubItem(pos);
        if (!article)
            continue;
        bool known = false;
        for (POSITION at = existing.GetHeadSubItem(); at && !known;) {
            const CMediaSubItem* other = existing.GetNextSubItem(at);
            known = other && *other == *article;
        }
        if (!known)
            existing.AddSubItem(existing.CreateSubItem(article));
    }
}

void CMagazineIssueMediaMgr::TakeImportedValues(
    CMediaItem& item, const CMapStringToString& values, bool overwrite) const
{
    auto* issue = dynamic_cast<CMagazineIssue*>(&item);
    CMagazine* magazine = issue ? issue->GetMagazine() : nullptr;
    if (!magazine)
        return;
    using U = CMediaUtils;
    if (const CString* text = CDataMapUtils::Find(values, U::MEDIA_PROP_SUBSCRIPTION);
        text && (overwrite || !magazine->GetSubscription()))
        magazine->SetSubscription(U::IsYes(*text));
    if (const CString* text = CDataMapUtils::Find(values, U::MEDIA_PROP_SUBSCRIPTIONCOST);
        text && (overwrite || magazine->GetSubscriptionCost() == 0.0))
        magazine->SetSubscriptionCost(CDataMapUtils::ToDouble(*text));
    CString number = magazine->GetSubscriptionNumber();
    CDataMapUtils::Apply(values, U::MEDIA_PROP_SUBSCRIPTIONNUMBER, overwrite, number);
    magazine->SetSubscriptionNumber(number);
    CString expires = magazine->GetSubscriptionExp();
    CDataMapUtils::Apply(values, U::MEDIA_PROP_SUBSCRIPTIONEXP, overwrite, expires);
    magazine->SetSubscriptionExp(expires);
    if (const CString* name = CDataMapUtils::Find(values, U::MEDIA_PROP_PUBLISHER);
        name && (overwrite || magazine->GetPublisherID() == 0)) {
        CPublisherMgr* publishers = CPublisherMgr::GetInstance();
        const CPerson* publisher = publishers ? publishers->GetPublisher(*name, true) : nullptr;
        magazine->SetPublisherID(publisher ? publisher->GetUniqueID() : 0);
    }
}
