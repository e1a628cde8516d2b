#pragma once
// A book's electronic form: the file or web address of its e-book, with
// Browse for a file and Open.

#include "app/pages/ItemPage.h"

class CBook;
class QLineEdit;
class QPushButton;

class CElectronicPage : public CItemPage {
    Q_OBJECT

public:
    explicit CElectronicPage(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

    QString Title() const override { return "&Electronic"; }
    void SetItem(CMediaItem* item) override;
    void TakeOver() override;

    QLineEdit* GetLocationEdit() const { return m_location; }
    // What Open hands to the opener: a web address as it is, a file as a
    // file URL.
    QString GetOpenTarget() const;

private:
    void Browse();
    void Open();

    CBook* m_book = nullptr;
    QLineEdit* m_location;
    QPushButton* m_browse;
    QPushButton* m_open;
};
