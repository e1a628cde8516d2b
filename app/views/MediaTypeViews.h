#pragma once
// The view of each media type: its picture, and what only its type has
// (fields, a Sort By entry, a button). Everything else comes from the
// family views.

#include "app/views/MediaFamilyViews.h"

class CBookView : public CMediaView {
    Q_OBJECT

public:
    explicit CBookView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

protected:
    CString LookupProp() const override;
    void DescribeFields(CFieldList& fields) const override;
    void DescribeSortOrders(QList<SortEntry>& entries) const override;
};

class CMagazineView : public CMediaView {
    Q_OBJECT

public:
    explicit CMagazineView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

protected:
    // Magazine and issue come before the title (the cover story).
    void DescribeFields(CFieldList& fields) const override;
    // Magazine and issue instead of the title.
    void DescribeSortOrders(QList<SortEntry>& entries) const override;
    // Magazines...: the shared magazine titles.
    void AddOwnButtons(QBoxLayout* buttons) override;
};

class CSheetMusicView : public CMediaView {
    Q_OBJECT

public:
    explicit CSheetMusicView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

protected:
    void DescribeFields(CFieldList& fields) const override;
    void DescribeSortOrders(QList<SortEntry>& entries) const override;
};

class CSoftwareView : public CMediaView {
    Q_OBJECT

public:
    explicit CSoftwareView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

protected:
    void DescribeFields(CFieldList& fields) const override;
};

class CVideoGameView : public CMediaView {
    Q_OBJECT

public:
    explicit CVideoGameView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

protected:
    CString LookupProp() const override;
    void DescribeFields(CFieldList& fields) const override;
};

class CCDView : public CAudioTrackMediaView {
    Q_OBJECT

public:
    explicit CCDView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

protected:
    CString LookupProp() const override;
    void DescribeFields(CFieldList& fields) const override;
};

class CRecordAlbumView : public CAudioTrackMediaView {
    Q_OBJECT

public:
    explicit CRecordAlbumView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

protected:
    CString LookupProp() const override;
    void DescribeFields(CFieldList& fields) const override;
};

class C8TrackView : public CAudioTrackMediaView {
    Q_OBJECT

public:
    explicit C8TrackView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};

class CDualDiscView : public CAudioTrackMediaView {
    Q_OBJECT

public:
    explicit CDualDiscView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};

class CDVDAudioView : public CAudioTrackMediaView {
    Q_OBJECT

public:
    explicit CDVDAudioView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};

class CCassetteView : public CAudioRecTapeView {
    Q_OBJECT

public:
    explicit CCassetteView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

protected:
    // The tape type beside the brand.
    void DescribeFields(CFieldList& fields) const override;
};

class CDATView : public CAudioRecTapeView {
    Q_OBJECT

public:
    explicit CDATView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};

class CReelToReelView : public CAudioRecTapeView {
    Q_OBJECT

public:
    explicit CReelToReelView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

protected:
    void DescribeFields(CFieldList& fields) const override;
    // Feet of tape, not minutes.
    CFieldDesc SizeField() const override;
};

class CCDRecView : public CAudioRecDiscView {
    Q_OBJECT

public:
    explicit CCDRecView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};

class CMiniDiscView : public CAudioRecDiscView {
    Q_OBJECT

public:
    explicit CMiniDiscView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};

class CDVDAudioRecView : public CAudioRecDiscView {
    Q_OBJECT

public:
    explicit CDVDAudioRecView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};

class CDVDView : public CVideoMediaView {
    Q_OBJECT

public:
    explicit CDVDView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

protected:
    CString LookupProp() const override;
};

class CBlurayView : public CVideoMediaView {
    Q_OBJECT

public:
    explicit CBlurayView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

protected:
    CString LookupProp() const override;
};

class CHDDVDView : public CVideoMediaView {
    Q_OBJECT

public:
    explicit CHDDVDView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};

class CLaserDiscView : public CVideoMediaView {
    Q_OBJECT

public:
    explicit CLaserDiscView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};

class CDVDRecView : public CVideoRecordableMediaView {
    Q_OBJECT

public:
    explicit CDVDRecView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};

class CBlurayRecView : public CVideoRecordableMediaView {
    Q_OBJECT

public:
    explicit CBlurayRecView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};

class CHDDVDRecView : public CVideoRecordableMediaView {
    Q_OBJECT

public:
    explicit CHDDVDRecView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);
};

class CVideoTapeView : public CVideoRecordableMediaView {
    Q_OBJECT

public:
    explicit CVideoTapeView(CVemoLibraryDoc* doc, QWidget* parent = nullptr);

protected:
    void DescribeFields(CFieldList& fields) const override;
    CFieldDesc SizeField() const override;
    // Tapes are numbered per format: a tape that changes format takes the
    // next number of its new format.
    void OnFieldTakenOver(const CFieldDesc& desc) override;
    void OnItemShown(CMediaItem* item) override;
    // The format of the tape on screen (VHS without one).
    int LibraryIDFormatID() const override;

private:
    int m_shownFormat = 0;
};
