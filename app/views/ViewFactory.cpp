#include "app/views/ViewFactory.h"

#include "app/views/EmptyView.h"
#include "app/views/MediaTypeViews.h"
#include "data/model/MediaUtils.h"

namespace {

using U = CMediaUtils;

template <class View> CMediaView* Make(CVemoLibraryDoc* doc, QWidget* parent)
{
    return new View(doc, parent);
}

struct ViewEntry {
    int mediaType;
    const char* className;
    CMediaView* (*create)(CVemoLibraryDoc*, QWidget*);
};

const ViewEntry VIEWS[] = {
    { U::MEDIA_BOOK, "CBookView", &Make<CBookView> },
    { U::MEDIA_CASSETTE, "CCassetteView", &Make<CCassetteView> },
    { U::MEDIA_CD, "CCDView", &Make<CCDView> },
    { U::MEDIA_CDREC, "CCDRecView", &Make<CCDRecView> },
    { U::MEDIA_DAT, "CDATView", &Make<CDATView> },
    { U::MEDIA_DVD, "CDVDView", &Make<CDVDView> },
    { U::MEDIA_DVDAUDIO, "CDVDAudioView", &Make<CDVDAudioView> },
    { U::MEDIA_DVDREC, "CDVDRecView", &Make<CDVDRecView> },
    { U::MEDIA_DVDAUDIOREC, "CDVDAudioRecView", &Make<CDVDAudioRecView> },
    { U::MEDIA_LASERDISC, "CLaserDiscView", &Make<CLaserDiscView> },
    { U::MEDIA_MAGAZINE, "CMagazineView", &Make<CMagazineView> },
    { U::MEDIA_MINIDISC, "CMiniDiscView", &Make<CMiniDiscView> },
    { U::MEDIA_RECORDALBUM, "CRecordAlbumView", &Make<CRecordAlbumView> },
    { U::MEDIA_SHEETMUSIC, "CSheetMusicView", &Make<CSheetMusicView> },
    { U::MEDIA_SOFTWARE, "CSoftwareView", &Make<CSoftwareView> },
    { U::MEDIA_VIDEOTAPE, "CVideoTapeView", &Make<CVideoTapeView> },
    { U::MEDIA_REELTOREEL, "CReelToReelView", &Make<CReelToReelView> },
    { U::MEDIA_8TRACK, "C8TrackView", &Make<C8TrackView> },
    { U::MEDIA_VIDEOGAME, "CVideoGameView", &Make<CVideoGameView> },
    { U::MEDIA_DUALDISC, "CDualDiscView", &Make<CDualDiscView> },
    { U::MEDIA_BLURAY, "CBlurayView", &Make<CBlurayView> },
    { U::MEDIA_BLURAYREC, "CBlurayRecView", &Make<CBlurayRecView> },
    { U::MEDIA_HDDVD, "CHDDVDView", &Make<CHDDVDView> },
    { U::MEDIA_HDDVDREC, "CHDDVDRecView", &Make<CHDDVDRecView> },
};

const ViewEntry* Find(int mediaType)
{
    for (const ViewEntry& entry : VIEWS)
        if (entry.mediaType == mediaType)
            return &entry;
    return nullptr;
}

} // namespace

QString CViewFactory::ViewClassName(int mediaType)
{
    const ViewEntry* entry = Find(mediaType);
    return entry ? entry->className : "CEmptyView";
}

CView* CViewFactory::Create(int mediaType, CVemoLibraryDoc* doc, QWidget* parent)
{
    const ViewEntry* entry = Find(mediaType);
    if (!entry)
        return new CEmptyView(doc, parent);
    CMediaView* view = entry->create(doc, parent);
    view->BuildForm();
    return view;
}
