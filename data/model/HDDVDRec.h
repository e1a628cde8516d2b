#pragma once
// A recordable HD DVD, with its recordings.

#include "data/model/MediaUtils.h"
#include "data/model/RecordingTrack.h"
#include "data/model/VideoRecordableMedia.h"

// A recording on an HD DVD (a title of the disc).
class CHDDVDRecording : public CDiscRecordingT<CHDDVDRecording, CMediaUtils::MEDIA_HDDVDREC> { };

// 105 minutes: a single-layer HD DVD-R (15 GB) of broadcast HD video (about 19 Mbit/s).
class CHDDVDRec : public CVideoRecDiscT<CHDDVDRec, CMediaUtils::MEDIA_HDDVDREC, CHDDVDRecording, 105> { };
