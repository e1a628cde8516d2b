#pragma once
// A magazine title, shared by all libraries, to which magazine issues belong.

#include "platform/util/VemoTypes.h"

class CArchive;

class CMagazine {
public:
    CMagazine() = default;
    explicit CMagazine(const CString& name)
        : m_name(name)
    {
    }

    bool GetSubscription() const { return m_subscription; }
    void SetSubscription(bool subscription) { m_subscription = subscription; }
    int GetUniqueID() const { return m_uniqueID; }
    void SetUniqueID(int id) { m_uniqueID = id; }
    // Id in CPublisherMgr; 0 for none.
    int GetPublisherID() const { return m_publisherID; }
    void SetPublisherID(int id) { m_publisherID = id; }
    double GetSubscriptionCost() const { return m_subscriptionCost; }
    void SetSubscriptionCost(double cost) { m_subscriptionCost = cost; }
    const CString& GetName() const { return m_name; }
    void SetName(const CString& name) { m_name = name; }
    const CString& GetSubscriptionNumber() const { return m_subscriptionNumber; }
    void SetSubscriptionNumber(const CString& number) { m_subscriptionNumber = number; }
    // Free text, not a date.
    const CString& GetSubscriptionExp() const { return m_subscriptionExp; }
    void SetSubscriptionExp(const CString& expiration) { m_subscriptionExp = expiration; }

    // Names equal ignoring case.
    bool operator==(const CMagazine& other) const;
    // Record: version word (1), subscription (boolean), unique id, cost
    // (double), name, subscription number, expiration, publisher id. A loaded
    // publisher id the publisher list cannot resolve becomes 0.
    void Serialize(CArchive& ar);

private:
    bool m_subscription = false;
    int m_uniqueID = 0;
    int m_publisherID = 0;
    double m_subscriptionCost = 0.0;
    CString m_name;
    CString m_subscriptionNumber;
    CString m_subscriptionExp;
};
