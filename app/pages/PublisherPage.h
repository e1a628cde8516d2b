#pragma once
// The item's publisher: chosen from the shared publishers or added on the
// spot, with the publisher's address, phone, e-mail and web address. The
// publishers are shared by all libraries: a change is written to the shared
// data file at once and announced with HintSharedData.

#include <memory>

#include "app/pages/ItemPage.h"

class CPerson;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CPublisherPage : public CItemPage {
    Q_OBJECT

public:
    explicit CPublisherPage(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

    QString Title() const override { return "Pu&blisher"; }
    void SetItem(CMediaItem* item) override;
    void TakeOver() override;
    void OnUpdate(int hint) override;

    // The item's publisher becomes the one with that id (0: none).
    bool ChoosePublisher(int publisherID);
    // Asks for a new publisher; true when one was added and chosen.
    bool NewPublisher();
    // Adds publisher to the shared list and gives it to the item; a listed
    // equal one is given instead. Its id, 0 when refused.
    int AddPublisher(std::unique_ptr<CPerson> publisher);

    QComboBox* GetPublisherCombo() const { return m_publisher; }
    QPlainTextEdit* GetAddressEdit() const { return m_address; }
    QLineEdit* GetPhoneEdit() const { return m_phone; }
    QLineEdit* GetEmailEdit() const { return m_email; }
    QLineEdit* GetWebEdit() const { return m_web; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CPerson* Publisher() const;
    void FillPublishers();
    void ShowDetails();
    void StoreDetails();

    CMediaItem* m_item = nullptr;
    QComboBox* m_publisher;
    QPushButton* m_new;
    QPlainTextEdit* m_address;
    QLineEdit* m_phone;
    QLineEdit* m_email;
    QLineEdit* m_web;
    QPushButton* m_open;
    bool m_showing = false;
};
