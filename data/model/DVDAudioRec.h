#pragma once
// A recordable DVD-Audio disc, with its recordings.

#include "data/model/AudioRecDisc.h"
#include "data/model/MediaUtils.h"
#include "data/model/RecordingTrack.h"

// A recording on a disc.
class CDVDAudioRecording : public CDiscRecordingT<CDVDAudioRecording, CMediaUtils::MEDIA_DVDAUDIOREC> { };

// 120 minutes, as a DVD-R at standard quality.
class CDVDAudioRec : public CAudioRecDiscT<CDVDAudioRec, CMediaUtils::MEDIA_DVDAUDIOREC, CDVDAudioRecording, 120> { };
