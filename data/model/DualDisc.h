#pragma once
// A DualDisc (audio on one side, DVD on the other), with its tracks and
// special features (the DVD side's extras).

#include "data/model/AudioTrack.h"
#include "data/model/AudioTrackMedia.h"
#include "data/model/MediaUtils.h"

// A track of a DualDisc.
class CDualDiscTrack : public CAudioTrackT<CDualDiscTrack, CMediaUtils::MEDIA_DUALDISC> { };

class CDualDisc : public CAudioAlbumT<CDualDisc, CMediaUtils::MEDIA_DUALDISC, CDualDiscTrack, true> { };
