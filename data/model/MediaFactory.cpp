#include "data/model/MediaFactory.h"

#include "data/model/8Track.h"
#include "data/model/Bluray.h"
#include "data/model/BlurayRec.h"
#include "data/model/Book.h"
#include "data/model/CD.h"
#include "data/model/CDRec.h"
#include "data/model/Cassette.h"
#include "data/model/DAT.h"
#include "data/model/DVD.h"
#include "data/model/DVDAudio.h"
#include "data/model/DVDAudioRec.h"
#include "data/model/DVDRec.h"
#include "data/model/DualDisc.h"
#include "data/model/HDDVD.h"
#include "data/model/HDDVDRec.h"
#include "data/model/LaserDisc.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaUtils.h"
#include "data/model/MiniDisc.h"
#include "data/model/RecordAlbum.h"
#include "data/model/ReelToReel.h"
#include "data/model/SheetMusic.h"
#include "data/model/Software.h"
#include "data/model/VideoGame.h"
#include "data/model/VideoTape.h"

CMediaItem* CMediaFactory::CreateMediaItem(int mediaType)
{
    if (CMediaUtils::IsVideoTapeFormatID(mediaType)) {
        auto* tape = new CVideoTape();
        tape->SetTapeType(CVideoTape::ConvertType(mediaType));
        return tape;
    }
    switch (mediaType) {
    case CMediaUtils::MEDIA_BOOK:
        return new CBook();
    case CMediaUtils::MEDIA_CASSETTE:
        return new CCassette();
    case CMediaUtils::MEDIA_CD:
        return new CCD();
    case CMediaUtils::MEDIA_CDREC:
        return new CCDRec();
    case CMediaUtils::MEDIA_DAT:
        return new CDAT();
    case CMediaUtils::MEDIA_DVD:
        return new CDVD();
    case CMediaUtils::MEDIA_DVDAUDIO:
        return new CDVDAudio();
    case CMediaUtils::MEDIA_DVDREC:
        return new CDVDRec();
    case CMediaUtils::MEDIA_DVDAUDIOREC:
        return new CDVDAudioRec();
    case CMediaUtils::MEDIA_LASERDISC:
        return new CLaserDisc();
    case CMediaUtils::MEDIA_MAGAZINE:
        return new CMagazineIssue();
    case CMediaUtils::MEDIA_MINIDISC:
        return new CMiniDisc();
    case CMediaUtils::MEDIA_RECORDALBUM:
        return new CRecordAlbum();
    case CMediaUtils::MEDIA_SHEETMUSIC:
        return new CSheetMusic();
    case CMediaUtils::MEDIA_SOFTWARE:
        return new CSoftware();
    case CMediaUtils::MEDIA_VIDEOTAPE:
        return new CVideoTape();
    case CMediaUtils::MEDIA_REELTOREEL:
        return new CReelToReel();
    case CMediaUtils::MEDIA_8TRACK:
        return new C8Track();
    case CMediaUtils::MEDIA_VIDEOGAME:
        return new CVideoGame();
    case CMediaUtils::MEDIA_DUALDISC:
        return new CDualDisc();
    case CMediaUtils::MEDIA_BLURAY:
        return new CBluray();
    case CMediaUtils::MEDIA_BLURAYREC:
        return new CBlurayRec();
    case CMediaUtils::MEDIA_HDDVD:
        return new CHDDVD();
    case CMediaUtils::MEDIA_HDDVDREC:
        return new CHDDVDRec();
    default:
        return nullptr;
    }
}
