#include "app/views/ViewFactory.h"

#include "app/views/EmptyView.h"
#include "app/views/MediaPlaceholderView.h"
#include "data/model/MediaUtils.h"

QString CViewFactory::ViewClassName(int mediaType)
{
    switch (mediaType) {
    case CMediaUtils::MEDIA_BOOK:
        return "CBookView";
    case CMediaUtils::MEDIA_CASSETTE:
        return "CCassetteView";
    case CMediaUtils::MEDIA_CD:
        return "CCDView";
    case CMediaUtils::MEDIA_CDREC:
        return "CCDRecView";
    case CMediaUtils::MEDIA_DAT:
        return "CDATView";
    case CMediaUtils::MEDIA_DVD:
        return "CDVDView";
    case CMediaUtils::MEDIA_DVDAUDIO:
        return "CDVDAudioView";
    case CMediaUtils::MEDIA_DVDREC:
        return "CDVDRecView";
    case CMediaUtils::MEDIA_DVDAUDIOREC:
        return "CDVDAudioRecView";
    case CMediaUtils::MEDIA_LASERDISC:
        return "CLaserDiscView";
    case CMediaUtils::MEDIA_MAGAZINE:
        return "CMagazineView";
    case CMediaUtils::MEDIA_MINIDISC:
        return "CMiniDiscView";
    case CMediaUtils::MEDIA_RECORDALBUM:
        return "CRecordAlbumView";
    case CMediaUtils::MEDIA_SHEETMUSIC:
        return "CSheetMusicView";
    case CMediaUtils::MEDIA_SOFTWARE:
        return "CSoftwareView";
    case CMediaUtils::MEDIA_VIDEOTAPE:
        return "CVideoTapeView";
    case CMediaUtils::MEDIA_REELTOREEL:
        return "CReelToReelView";
    case CMediaUtils::MEDIA_8TRACK:
        return "C8TrackView";
    case CMediaUtils::MEDIA_VIDEOGAME:
        return "CVideoGameView";
    case CMediaUtils::MEDIA_DUALDISC:
        return "CDualDiscView";
    case CMediaUtils::MEDIA_BLURAY:
        return "CBlurayView";
    case CMediaUtils::MEDIA_BLURAYREC:
        return "CBlurayRecView";
    case CMediaUtils::MEDIA_HDDVD:
        return "CHDDVDView";
    case CMediaUtils::MEDIA_HDDVDREC:
        return "CHDDVDRecView";
    default:
        return "CEmptyView";
    }
}

CView* CViewFactory::Create(int mediaType, CVemoLibraryDoc* doc, QWidget* parent)
{
    // Every media type gets the placeholder until its real view exists.
    if (CMediaUtils::IsValidMediaID(mediaType))
        return new CMediaPlaceholderView(doc, mediaType, ViewClassName(mediaType), parent);
    return new CEmptyView(doc, parent);
}
