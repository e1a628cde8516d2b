#pragma once
// A laserdisc. It has no sub-items.

#include "data/model/MediaUtils.h"
#include "data/model/VideoMedia.h"

class CLaserDisc : public CVideoDiscT<CLaserDisc, CMediaUtils::MEDIA_LASERDISC> { };
