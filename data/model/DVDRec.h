#pragma once
// A recordable DVD, with its recordings.

#include "data/model/MediaUtils.h"
#include "data/model/RecordingTrack.h"
#include "data/model/VideoRecordableMedia.h"

// A recording on a DVD (a title of the disc).
class CDVDRecording : public CDiscRecordingT<CDVDRecording, CMediaUtils::MEDIA_DVDREC> { };

// 120 minutes: a single-layer DVD-R at standard quality.
class CDVDRec : public CVideoRecDiscT<CDVDRec, CMediaUtils::MEDIA_DVDREC, CDVDRecording, 120> { };
