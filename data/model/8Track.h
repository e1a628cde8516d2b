#pragma once
// An 8-track cartridge, with its tracks.

#include "data/model/AudioTrack.h"
#include "data/model/AudioTrackMedia.h"
#include "data/model/MediaUtils.h"

// A track of a cartridge.
class C8TrackTrack : public CAudioTrackT<C8TrackTrack, CMediaUtils::MEDIA_8TRACK> { };

class C8Track : public CAudioAlbumT<C8Track, CMediaUtils::MEDIA_8TRACK, C8TrackTrack, false> { };
