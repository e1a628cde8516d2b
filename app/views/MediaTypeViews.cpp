#include "app/views/MediaTypeViews.h"

#include <QBoxLayout>

#include "app/doc/VemoLibraryDoc.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaUtils.h"
#include "data/model/VideoTape.h"

using U = CMediaUtils;
using V = CFieldValidation;
using K = CFieldKind;
using C = CChoiceSource;
using N = CNameSource;

CBookView::CBookView(CVemoLibraryDoc* doc, QWidget* parent)
    : CMediaView(doc, U::MEDIA_BOOK, parent)
{
}

CString CBookView::LookupProp() const
{
    return U::MEDIA_PROP_ISBN;
}

void CBookView::DescribeFields(CFieldList& fields) const
{
    CMediaView::DescribeFields(fields);
    fields << CFieldDesc { U::MEDIA_PROP_SUBTITLE, "S&ubtitle" }
           << CFieldDesc { U::MEDIA_PROP_AUTHOR, "Aut&hor", K::line, V::none, C::none, N::authors }
           << CFieldDesc { U::MEDIA_PROP_COAUTHOR, "Co-&Author", K::line, V::none, C::none, N::authors }
           << CFieldDesc { U::MEDIA_PROP_SERIESNUMBER, "&Series Number" }
           << CFieldDesc { U::MEDIA_PROP_EDITION, "&Edition" } << CFieldDesc { U::MEDIA_PROP_ISBN, "IS&BN" }
           << CFieldDesc { U::MEDIA_PROP_PAGES, "Pa&ges", K::number, V::pages }
           << CFieldDesc { U::MEDIA_PROP_HARDCOVER, "C&over", K::choice, V::none, C::cover };
}

void CBookView::DescribeSortOrders(QList<SortEntry>& entries) const
{
    CMediaView::DescribeSortOrders(entries);
    entries << SortEntry { "&Author", U::MEDIA_PROP_AUTHOR };
}

CMagazineView::CMagazineView(CVemoLibraryDoc* doc, QWidget* parent)
    : CMediaView(doc, U::MEDIA_MAGAZINE, parent)
{
}

void CMagazineView::DescribeFields(CFieldList& fields) const
{
    fields << CFieldDesc { U::MEDIA_PROP_MAGAZINE, "M&agazine", K::choice, V::none, C::magazines }
           << CFieldDesc { U::MEDIA_PROP_MAGISSUE, "I&ssue" };
    CMediaView::DescribeFields(fields);
    fields << CFieldDesc { U::MEDIA_PROP_ONLINEURL, "&Online URL" };
}

void CMagazineView::DescribeSortOrders(QList<SortEntry>& entries) const
{
    entries << SortEntry { "&Library ID", U::MEDIA_PROP_LIBRARYID } << SortEntry { "&Magazine", U::MEDIA_PROP_MAGAZINE }
            << SortEntry { "I&ssue", U::MEDIA_PROP_MAGISSUE };
}

void CMagazineView::AddOwnButtons(QBoxLayout* buttons)
{
    AddButton(buttons, "Magazines...", [this] {
        TakeOverAll();
        CVemoLibraryDoc* doc = GetDocument();
        if (!doc)
            return;
        auto* issue = dynamic_cast<CMagazineIssue*>(GetCurrentItem());
        const int current = issue ? issue->GetMagazineID() : 0;
        const int chosen = doc->OnMagazineTitles(current);
        // The title chosen in the manager becomes the issue's magazine.
        if (issue && chosen > 0 && chosen != current) {
            issue->SetMagazineID(chosen);
            doc->MarkItemModified(issue);
            UpdateListText();
        }
        ShowField(U::MEDIA_PROP_MAGAZINE);
    });
}

CSheetMusicView::CSheetMusicView(CVemoLibraryDoc* doc, QWidget* parent)
    : CMediaView(doc, U::MEDIA_SHEETMUSIC, parent)
{
}

void CSheetMusicView::DescribeFields(CFieldList& fields) const
{
    CMediaView::DescribeFields(fields);
    fields << CFieldDesc { U::MEDIA_PROP_COMPOSER, "C&omposer", K::line, V::none, C::none, N::composers }
           << CFieldDesc { U::MEDIA_PROP_ARRANGER, "&Arranger", K::line, V::none, C::none, N::arrangers }
           << CFieldDesc { U::MEDIA_PROP_WORDSBY, "&Words By", K::line, V::none, C::none, N::wordsBy }
           << CFieldDesc { U::MEDIA_PROP_MUSICBY, "M&usic By", K::line, V::none, C::none, N::musicBy }
           << CFieldDesc { U::MEDIA_PROP_INSTRUMENTATION, "I&nstrumentation", K::line, V::none, C::none,
                  N::instrumentation };
}

void CSheetMusicView::DescribeSortOrders(QList<SortEntry>& entries) const
{
    CMediaView::DescribeSortOrders(entries);
    entries << SortEntry { "&Composer", U::MEDIA_PROP_COMPOSER };
}

CSoftwareView::CSoftwareView(CVemoLibraryDoc* doc, QWidget* parent)
    : CMediaView(doc, U::MEDIA_SOFTWARE, parent)
{
}

void CSoftwareView::DescribeFields(CFieldList& fields) const
{
    CMediaView::DescribeFields(fields);
    fields << CFieldDesc { U::MEDIA_PROP_VERSION, "&Version" }
           << CFieldDesc { U::MEDIA_PROP_CONSOLE, "Co&nsole/Format" } << CFieldDesc { U::MEDIA_PROP_TYPE, "Typ&e" }
           << CFieldDesc { U::MEDIA_PROP_DISTMEDIA, "Distr. Medi&a" }
           << CFieldDesc { U::MEDIA_PROP_SERIALNUMBER, "&Serial Number" }
           << CFieldDesc { U::MEDIA_PROP_PASSWORD, "Pass&word" }
           << CFieldDesc { U::MEDIA_PROP_ONLINEURL, "&Online URL" };
}

CVideoGameView::CVideoGameView(CVemoLibraryDoc* doc, QWidget* parent)
    : CMediaView(doc, U::MEDIA_VIDEOGAME, parent)
{
}

CString CVideoGameView::LookupProp() const
{
    return U::MEDIA_PROP_TITLE;
}

void CVideoGameView::DescribeFields(CFieldList& fields) const
{
    CMediaView::DescribeFields(fields);
    fields << CFieldDesc { U::MEDIA_PROP_CONSOLE, "Co&nsole/Format" }
           << CFieldDesc { U::MEDIA_PROP_DISTMEDIA, "Distr. M&edia" }
           << CFieldDesc { U::MEDIA_PROP_PLAYERS, "Pl&ayers", K::number }
           << CFieldDesc { U::MEDIA_PROP_GAMENUMBER, "&Game Number" }
           << CFieldDesc { U::MEDIA_PROP_SERIALNUMBER, "&Serial Number" }
           << CFieldDesc { U::MEDIA_PROP_SERIESNUMBER, "Series N&umber" }
           << CFieldDesc { U::MEDIA_PROP_ONLINEURL, "&Online URL" }
           << CFieldDesc { U::MEDIA_PROP_HINTS, "&Hints", K::multiLine, V::none, C::none, N::none, true };
}

CCDView::CCDView(CVemoLibraryDoc* doc, QWidget* parent)
    : CAudioTrackMediaView(doc, U::MEDIA_CD, parent)
{
}

CString CCDView::LookupProp() const
{
    return U::MEDIA_PROP_JACKETNUMBER;
}

void CCDView::DescribeFields(CFieldList& fields) const
{
    CAudioTrackMediaView::DescribeFields(fields);
    fields << CFieldDesc { U::MEDIA_PROP_CDSINGLE, "CD &Single", K::yesNo }
           << CFieldDesc { U::MEDIA_PROP_ENHANCEDCD, "&Enhanced CD", K::yesNo };
}

CRecordAlbumView::CRecordAlbumView(CVemoLibraryDoc* doc, QWidget* parent)
    : CAudioTrackMediaView(doc, U::MEDIA_RECORDALBUM, parent)
{
}

CString CRecordAlbumView::LookupProp() const
{
    return U::MEDIA_PROP_JACKETNUMBER;
}

void CRecordAlbumView::DescribeFields(CFieldList& fields) const
{
    CAudioTrackMediaView::DescribeFields(fields);
    fields << CFieldDesc { U::MEDIA_PROP_SPEED, "&Speed", K::choice, V::none, C::recordSpeeds };
}

C8TrackView::C8TrackView(CVemoLibraryDoc* doc, QWidget* parent)
    : CAudioTrackMediaView(doc, U::MEDIA_8TRACK, parent)
{
}

CDualDiscView::CDualDiscView(CVemoLibraryDoc* doc, QWidget* parent)
    : CAudioTrackMediaView(doc, U::MEDIA_DUALDISC, parent)
{
}

CDVDAudioView::CDVDAudioView(CVemoLibraryDoc* doc, QWidget* parent)
    : CAudioTrackMediaView(doc, U::MEDIA_DVDAUDIO, parent)
{
}

CCassetteView::CCassetteView(CVemoLibraryDoc* doc, QWidget* parent)
    : CAudioRecTapeView(doc, U::MEDIA_CASSETTE, parent)
{
}

void CCassetteView::DescribeFields(CFieldList& fields) const
{
    CAudioRecTapeView::DescribeFields(fields);
    fields << CFieldDesc { U::MEDIA_PROP_TYPE, "Tape Typ&e", K::choice, V::none, C::cassetteTypes };
}

CDATView::CDATView(CVemoLibraryDoc* doc, QWidget* parent)
    : CAudioRecTapeView(doc, U::MEDIA_DAT, parent)
{
}

CReelToReelView::CReelToReelView(CVemoLibraryDoc* doc, QWidget* parent)
    : CAudioRecTapeView(doc, U::MEDIA_REELTOREEL, parent)
{
}

void CReelToReelView::DescribeFields(CFieldList& fields) const
{
    CAudioRecTapeView::DescribeFields(fields);
    fields << CFieldDesc { U::MEDIA_PROP_TAPEWIDTH, "Tape &Width", K::choice, V::none, C::tapeWidths };
}

CFieldDesc CReelToReelView::SizeField() const
{
    return { U::MEDIA_PROP_MEDIASIZE, "Tape Si&ze (feet)", K::number, V::tapeSize };
}

CCDRecView::CCDRecView(CVemoLibraryDoc* doc, QWidget* parent)
    : CAudioRecDiscView(doc, U::MEDIA_CDREC, parent)
{
}

CMiniDiscView::CMiniDiscView(CVemoLibraryDoc* doc, QWidget* parent)
    : CAudioRecDiscView(doc, U::MEDIA_MINIDISC, parent)
{
}

CDVDAudioRecView::CDVDAudioRecView(CVemoLibraryDoc* doc, QWidget* parent)
    : CAudioRecDiscView(doc, U::MEDIA_DVDAUDIOREC, parent)
{
}

CDVDView::CDVDView(CVemoLibraryDoc* doc, QWidget* parent)
    : CVideoMediaView(doc, U::MEDIA_DVD, parent)
{
}

CString CDVDView::LookupProp() const
{
    return U::MEDIA_PROP_TITLE;
}

CBlurayView::CBlurayView(CVemoLibraryDoc* doc, QWidget* parent)
    : CVideoMediaView(doc, U::MEDIA_BLURAY, parent)
{
}

CString CBlurayView::LookupProp() const
{
    return U::MEDIA_PROP_TITLE;
}

CHDDVDView::CHDDVDView(CVemoLibraryDoc* doc, QWidget* parent)
    : CVideoMediaView(doc, U::MEDIA_HDDVD, parent)
{
}

CLaserDiscView::CLaserDiscView(CVemoLibraryDoc* doc, QWidget* parent)
    : CVideoMediaView(doc, U::MEDIA_LASERDISC, parent)
{
}

CDVDRecView::CDVDRecView(CVemoLibraryDoc* doc, QWidget* parent)
    : CVideoRecordableMediaView(doc, U::MEDIA_DVDREC, parent)
{
}

CBlurayRecView::CBlurayRecView(CVemoLibraryDoc* doc, QWidget* parent)
    : CVideoRecordableMediaView(doc, U::MEDIA_BLURAYREC, parent)
{
}

CHDDVDRecView::CHDDVDRecView(CVemoLibraryDoc* doc, QWidget* parent)
    : CVideoRecordableMediaView(doc, U::MEDIA_HDDVDREC, parent)
{
}

CVideoTapeView::CVideoTapeView(CVemoLibraryDoc* doc, QWidget* parent)
    : CVideoRecordableMediaView(doc, U::MEDIA_VIDEOTAPE, parent)
{
}

void CVideoTapeView::DescribeFields(CFieldList& fields) const
{
    CVideoRecordableMediaView::DescribeFields(fields);
    fields << CFieldDesc { U::MEDIA_PROP_TYPE, "&Format", K::choice, V::none, C::videoTapeFormats };
}

CFieldDesc CVideoTapeView::SizeField() const
{
    return { U::MEDIA_PROP_MEDIASIZE, "Tape Si&ze (minutes)", K::number, V::mediaSize };
}

void CVideoTapeView::OnFieldTakenOver(const CFieldDesc& desc)
{
    CVideoRecordableMediaView::OnFieldTakenOver(desc);
    auto* tape = dynamic_cast<CVideoTape*>(GetCurrentItem());
    if (desc.prop != U::MEDIA_PROP_TYPE || !tape || !GetDocument() || tape->GetFormatID() == m_shownFormat)
        return;
    m_shownFormat = tape->GetFormatID();
    if (GetDocument()->RefreshLibraryID(tape)) {
        ShowField(U::MEDIA_PROP_LIBRARYID);
        UpdateListText();
    }
}

void CVideoTapeView::OnItemShown(CMediaItem* item)
{
    const auto* tape = dynamic_cast<const CVideoTape*>(item);
    m_shownFormat = tape ? tape->GetFormatID() : 0;
}

int CVideoTapeView::LibraryIDFormatID() const
{
    const auto* tape = dynamic_cast<const CVideoTape*>(GetCurrentItem());
    return tape ? tape->GetFormatID() : CMediaUtils::MEDIA_VIDEOTAPEVHS;
}
