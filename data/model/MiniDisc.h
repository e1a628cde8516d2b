#pragma once
// A minidisc, with its recordings.

#include "data/model/AudioRecDisc.h"
#include "data/model/MediaUtils.h"
#include "data/model/RecordingTrack.h"

// A recording on a minidisc.
class CMiniDiscRecording : public CDiscRecordingT<CMiniDiscRecording, CMediaUtils::MEDIA_MINIDISC> { };

// 80 minutes, the longest common minidisc in stereo.
class CMiniDisc : public CAudioRecDiscT<CMiniDisc, CMediaUtils::MEDIA_MINIDISC, CMiniDiscRecording, 80> { };
