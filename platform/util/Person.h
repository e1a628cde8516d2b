#pragma once
// A person record: borrowers, and (with the name in the last-name part)
// publishers. Layout of Serialize: docs/file-format.md.

#include "platform/util/VemoTypes.h"

class CArchive;

class CPerson {
public:
    CPerson() = default;
    CPerson(const CString& first, const CString& middle, const CString& last);
    CPerson(const CPerson&) = default;
    virtual ~CPerson() = default;
    virtual CPerson& operator=(const CPerson& other);
    // The same person: first, middle and last name equal, ignoring case.
    virtual bool operator==(const CPerson& other) const;
    virtual void Serialize(CArchive& ar);

    int GetUniqueID() const { return m_uniqueID; }
    void SetUniqueID(int id) { m_uniqueID = id; }

    const CString& GetFirstName() const { return m_firstName; }
    const CString& GetMiddleName() const { return m_middleName; }
    const CString& GetLastName() const { return m_lastName; }
    void SetFirstName(const CString& s) { m_firstName = s; }
    void SetMiddleName(const CString& s) { m_middleName = s; }
    void SetLastName(const CString& s) { m_lastName = s; }

    const CString& GetHomePhone() const { return m_homePhone; }
    const CString& GetWorkPhone() const { return m_workPhone; }
    const CString& GetMobilePhone() const { return m_mobilePhone; }
    const CString& GetEmail() const { return m_email; }
    const CString& GetURL() const { return m_url; }
    const CString& GetAddress() const { return m_address; }
    const CString& GetNotes() const { return m_notes; }
    void SetHomePhone(const CString& s) { m_homePhone = s; }
    void SetWorkPhone(const CString& s) { m_workPhone = s; }
    void SetMobilePhone(const CString& s) { m_mobilePhone = s; }
    void SetEmail(const CString& s) { m_email = s; }
    void SetURL(const CString& s) { m_url = s; }
    void SetAddress(const CString& s) { m_address = s; }
    void SetNotes(const CString& s) { m_notes = s; }

    // firstNameFirst: "John Q. Public"; otherwise "Public, John Q.". Empty
    // parts and their separators are left out.
    CString FormName(bool firstNameFirst) const;
    // "home: 555-1234; work: ...; mobile: ..." with only the numbers present.
    CString GetPhoneNumbers() const;

private:
    int m_uniqueID = 0;
    CString m_firstName;
    CString m_middleName;
    CString m_lastName;
    CString m_homePhone;
    CString m_workPhone;
    CString m_mobilePhone;
    CString m_email;
    CString m_url;
    CString m_address;
    CString m_notes;
};
