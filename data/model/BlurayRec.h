#pragma once
// A recordable Blu-ray disc, with its recordings.

#include "data/model/MediaUtils.h"
#include "data/model/RecordingTrack.h"
#include "data/model/VideoRecordableMedia.h"

// A recording on a Blu-ray disc (a title of the disc).
class CBlurayRecording : public CDiscRecordingT<CBlurayRecording, CMediaUtils::MEDIA_BLURAYREC> { };

// 3 hours: a single-layer BD-R (25 GB) of broadcast HD video (about 19 Mbit/s).
class CBlurayRec : public CVideoRecDiscT<CBlurayRec, CMediaUtils::MEDIA_BLURAYREC, CBlurayRecording, 180> { };
