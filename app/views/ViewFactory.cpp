#include "app/views/ViewFactory.h"

#include <cstring>

#include "app/views/EmptyView.h"
#include "app/views/MediaTypeViews.h"
#include "data/model/MediaRegistry.h"

namespace {

template <class View> CMediaView* Make(CVemoLibraryDoc* doc, QWidget* parent)
{
    return new View(doc, parent);
}

// The registry names each type's view class; this table only knows how to
// make a view of each class.
struct ViewMaker {
    const char* className;
    CMediaView* (*create)(CVemoLibraryDoc*, QWidget*);
};

const ViewMaker MAKERS[] = {
    { "CBookView", &Make<CBookView> },
    { "CCassetteView", &Make<CCassetteView> },
    { "CCDView", &Make<CCDView> },
    { "CCDRecView", &Make<CCDRecView> },
    { "CDATView", &Make<CDATView> },
    { "CDVDView", &Make<CDVDView> },
    { "CDVDAudioView", &Make<CDVDAudioView> },
    { "CDVDRecView", &Make<CDVDRecView> },
    { "CDVDAudioRecView", &Make<CDVDAudioRecView> },
    { "CLaserDiscView", &Make<CLaserDiscView> },
    { "CMagazineView", &Make<CMagazineView> },
    { "CMiniDiscView", &Make<CMiniDiscView> },
    { "CRecordAlbumView", &Make<CRecordAlbumView> },
    { "CSheetMusicView", &Make<CSheetMusicView> },
    { "CSoftwareView", &Make<CSoftwareView> },
    { "CVideoTapeView", &Make<CVideoTapeView> },
    { "CReelToReelView", &Make<CReelToReelView> },
    { "C8TrackView", &Make<C8TrackView> },
    { "CVideoGameView", &Make<CVideoGameView> },
    { "CDualDiscView", &Make<CDualDiscView> },
    { "CBlurayView", &Make<CBlurayView> },
    { "CBlurayRecView", &Make<CBlurayRecView> },
    { "CHDDVDView", &Make<CHDDVDView> },
    { "CHDDVDRecView", &Make<CHDDVDRecView> },
};

const ViewMaker* Find(int mediaType)
{
    const CMediaTypeInfo* info = CMediaRegistry::Find(mediaType);
    if (!info || !info->viewClass)
        return nullptr;
    for (const ViewMaker& maker : MAKERS)
        if (std::strcmp(maker.className, info->viewClass) == 0)
            return &maker;
    return nullptr;
}

} // namespace

QString CViewFactory::ViewClassName(int mediaType)
{
    const ViewMaker* maker = Find(mediaType);
    return maker ? maker->className : "CEmptyView";
}

CView* CViewFactory::Create(int mediaType, CVemoLibraryDoc* doc, QWidget* parent)
{
    const ViewMaker* maker = Find(mediaType);
    if (!maker)
        return new CEmptyView(doc, parent);
    CMediaView* view = maker->create(doc, parent);
    view->BuildForm();
    return view;
}
