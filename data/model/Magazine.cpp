#include "data/model/Magazine.h"

#include "data/model/MediaUtils.h"
#include "data/model/PublisherMgr.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

bool CMagazine::operator==(const CMagazine& other) const
{
    return CStringUtils::EqualsNoCase(m_name, other.m_name);
}

void CMagazine::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        CMediaUtils::Serialize(ar, m_subscription);
        ar.WriteInt(m_uniqueID);
        ar.WriteDouble(m_subscriptionCost);
        ar.WriteString(m_name);
        ar.WriteString(m_subscriptionNumber);
        ar.WriteString(m_subscriptionExp);
        ar.WriteInt(m_publisherID);
        return;
    }
    CMagazine read;
    ar.ReadWord();
    CMediaUtils::Serialize(ar, read.m_subscription);
    read.m_uniqueID = ar.ReadInt();
    read.m_subscriptionCost = ar.ReadDouble();
    read.m_name = ar.ReadString();
    read.m_subscriptionNumber = ar.ReadString();
    read.m_subscriptionExp = ar.ReadString();
    read.m_publisherID = ar.ReadInt();
    // A publisher removed since the title was saved reads as none.
    if (read.m_publisherID > 0) {
        CPublisherMgr* publishers = CPublisherMgr::GetInstance();
        if (!publishers || !publishers->GetPublisher(read.m_publisherID))
            read.m_publisherID = 0;
    }
    *this = read;
}
