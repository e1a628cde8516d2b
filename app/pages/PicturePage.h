#pragma once
// The item's picture for reports: a JPEG, PNG, GIF, BMP or WebP file shown
// scaled, and the size at which reports show it. The chooser opens in the
// folder last used for the media type (books keep their own). A file that is
// missing or cannot be read shows as such.

#include "app/pages/ItemPage.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class CPicturePage : public CItemPage {
    Q_OBJECT

public:
    CPicturePage(CVemoLibraryDoc* doc, int mediaType, QWidget* parent = nullptr);

    // The file filter of the chooser.
    static QString FileFilter();
    // Largest size proposed for reports when a picture is chosen; a larger
    // picture is proposed scaled down to fit, keeping its shape.
    static constexpr int PROPOSED_MAX = 300;

    QString Title() const override { return "P&icture"; }
    void SetItem(CMediaItem* item) override;
    void TakeOver() override;

    // Asks for a picture file; true when one was chosen.
    bool Browse();
    // Makes path the item's picture, proposing its size for reports; a file
    // that is no readable picture is refused with a message.
    bool ChoosePicture(const QString& path);
    bool RemovePicture();

    // What the preview says instead of a picture ("" while one is shown).
    QString GetStateText() const;
    bool IsPictureShown() const;
    QSpinBox* GetWidthEdit() const { return m_width; }
    QSpinBox* GetHeightEdit() const { return m_height; }
    QLineEdit* GetFileEdit() const { return m_file; }

private:
    void ShowPicture();
    void StoreSize();

    int m_mediaType;
    CMediaItem* m_item = nullptr;
    QLabel* m_preview;
    QLabel* m_info;
    QLineEdit* m_file;
    QPushButton* m_browse;
    QPushButton* m_remove;
    QPushButton* m_actualSize;
    QSpinBox* m_width;
    QSpinBox* m_height;
    QSize m_pictureSize;
    bool m_showing = false;
};
