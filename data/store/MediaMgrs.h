#pragma once
// The media managers of the 22 types that need nothing beyond the common
// code; the magazine and video tape managers have headers of their own.

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
#include "data/model/MediaUtils.h"
#include "data/model/MiniDisc.h"
#include "data/model/RecordAlbum.h"
#include "data/model/ReelToReel.h"
#include "data/model/SheetMusic.h"
#include "data/model/Software.h"
#include "data/model/VideoGame.h"
#include "data/store/MediaMgr.h"

class C8TrackMediaMgr final : public CMediaMgrT<C8Track, CMediaUtils::MEDIA_8TRACK> { };
class CBlurayMediaMgr final : public CMediaMgrT<CBluray, CMediaUtils::MEDIA_BLURAY> { };
class CBlurayRecMediaMgr final : public CMediaMgrT<CBlurayRec, CMediaUtils::MEDIA_BLURAYREC> { };
class CBookMediaMgr final : public CMediaMgrT<CBook, CMediaUtils::MEDIA_BOOK> { };
class CCassetteMediaMgr final : public CMediaMgrT<CCassette, CMediaUtils::MEDIA_CASSETTE> { };
class CCDMediaMgr final : public CMediaMgrT<CCD, CMediaUtils::MEDIA_CD> { };
class CCDRecMediaMgr final : public CMediaMgrT<CCDRec, CMediaUtils::MEDIA_CDREC> { };
class CDATMediaMgr final : public CMediaMgrT<CDAT, CMediaUtils::MEDIA_DAT> { };
class CDualDiscMediaMgr final : public CMediaMgrT<CDualDisc, CMediaUtils::MEDIA_DUALDISC> { };
class CDVDAudioMediaMgr final : public CMediaMgrT<CDVDAudio, CMediaUtils::MEDIA_DVDAUDIO> { };
class CDVDAudioRecMediaMgr final : public CMediaMgrT<CDVDAudioRec, CMediaUtils::MEDIA_DVDAUDIOREC> { };
class CDVDMediaMgr final : public CMediaMgrT<CDVD, CMediaUtils::MEDIA_DVD> { };
class CDVDRecMediaMgr final : public CMediaMgrT<CDVDRec, CMediaUtils::MEDIA_DVDREC> { };
class CHDDVDMediaMgr final : public CMediaMgrT<CHDDVD, CMediaUtils::MEDIA_HDDVD> { };
class CHDDVDRecMediaMgr final : public CMediaMgrT<CHDDVDRec, CMediaUtils::MEDIA_HDDVDREC> { };
class CLaserDiscMediaMgr final : public CMediaMgrT<CLaserDisc, CMediaUtils::MEDIA_LASERDISC> { };
class CMiniDiscMediaMgr final : public CMediaMgrT<CMiniDisc, CMediaUtils::MEDIA_MINIDISC> { };
class CRecordAlbumMediaMgr final : public CMediaMgrT<CRecordAlbum, CMediaUtils::MEDIA_RECORDALBUM> { };
class CReelToReelMediaMgr final : public CMediaMgrT<CReelToReel, CMediaUtils::MEDIA_REELTOREEL> { };
class CSheetMusicMediaMgr final : public CMediaMgrT<CSheetMusic, CMediaUtils::MEDIA_SHEETMUSIC> { };
class CSoftwareMediaMgr final : public CMediaMgrT<CSoftware, CMediaUtils::MEDIA_SOFTWARE> { };
class CVideoGameMediaMgr final : public CMediaMgrT<CVideoGame, CMediaUtils::MEDIA_VIDEOGAME> { };
