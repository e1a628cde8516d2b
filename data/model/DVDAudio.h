#pragma once
// A DVD-Audio disc, with its tracks and special features (the video side's
// extras).

#include "data/model/AudioTrack.h"
#include "data/model/AudioTrackMedia.h"
#include "data/model/MediaUtils.h"

// A track of a DVD-Audio disc.
class CDVDAudioTrack : public CAudioTrackT<CDVDAudioTrack, CMediaUtils::MEDIA_DVDAUDIO> { };

class CDVDAudio : public CAudioAlbumT<CDVDAudio, CMediaUtils::MEDIA_DVDAUDIO, CDVDAudioTrack, true> { };
