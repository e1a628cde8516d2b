#pragma once
// The views of the item families: each adds the fields its family's items
// carry to the form table, and what its family needs besides (the length
// that Update Length Field sets, the recording capacity).

#include "app/views/MediaView.h"

// Media with tracks: the sub-item page derives the time left and the discs
// from the medium's size and number of discs, so it hears when they change.
class CTrackMediaView : public CMediaView {
    Q_OBJECT

public:
    using CMediaView::CMediaView;

protected:
    void OnFieldTakenOver(const CFieldDesc& desc) override;
};

// CDs, records, 8-tracks, DualDiscs, DVD-Audio: artist, jacket number,
// discs and the length that Update Length Field sets.
class CAudioTrackMediaView : public CTrackMediaView {
    Q_OBJECT

public:
    using CTrackMediaView::CTrackMediaView;

protected:
    void DescribeFields(CFieldList& fields) const override;
    void DescribeSortOrders(QList<SortEntry>& entries) const override;
    bool HasLengthField() const override { return true; }
};

// Media the user records onto: the manufacturer ("brand") and the size.
class CRecordableMediaView : public CTrackMediaView {
    Q_OBJECT

public:
    using CTrackMediaView::CTrackMediaView;

protected:
    // The size field: minutes of a disc here.
    virtual CFieldDesc SizeField() const;
    // Appends the manufacturer (under brandLabel) and the size, where the
    // family wants them.
    void AppendMediaFields(CFieldList& fields, const QString& brandLabel) const;
};

// Recordable audio media: the artist, then brand and size.
class CAudioRecordableMediaView : public CRecordableMediaView {
    Q_OBJECT

public:
    using CRecordableMediaView::CRecordableMediaView;

protected:
    void DescribeFields(CFieldList& fields) const override;
};

// Recordable CDs, minidiscs, recordable DVD-Audio: the size of a disc.
class CAudioRecDiscView : public CAudioRecordableMediaView {
    Q_OBJECT

public:
    using CAudioRecordableMediaView::CAudioRecordableMediaView;
};

// Cassette, DAT and reel-to-reel tapes: the size of a tape.
class CAudioRecTapeView : public CAudioRecordableMediaView {
    Q_OBJECT

public:
    using CAudioRecordableMediaView::CAudioRecordableMediaView;

protected:
    CFieldDesc SizeField() const override;
};

// DVDs, Blu-ray discs, HD DVDs, laserdiscs: the cast, running time, discs
// and region.
class CVideoMediaView : public CMediaView {
    Q_OBJECT

public:
    using CMediaView::CMediaView;

protected:
    void DescribeFields(CFieldList& fields) const override;
};

// Recordable video media: the cast, then brand and size.
class CVideoRecordableMediaView : public CRecordableMediaView {
    Q_OBJECT

public:
    using CRecordableMediaView::CRecordableMediaView;

protected:
    void DescribeFields(CFieldList& fields) const override;
};
