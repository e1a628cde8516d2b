#pragma once
// A recordable CD (CD-R or CD-RW), with its recordings.

#include "data/model/AudioRecDisc.h"
#include "data/model/MediaUtils.h"
#include "data/model/RecordingTrack.h"

// A recording on a disc.
class CCDRecording : public CDiscRecordingT<CCDRecording, CMediaUtils::MEDIA_CDREC> { };

// 80 minutes, the longest common CD-R.
class CCDRec : public CAudioRecDiscT<CCDRec, CMediaUtils::MEDIA_CDREC, CCDRecording, 80> { };
