#pragma once
// A Blu-ray video disc. It has no sub-items.

#include "data/model/MediaUtils.h"
#include "data/model/VideoMedia.h"

class CBluray : public CVideoDiscT<CBluray, CMediaUtils::MEDIA_BLURAY> { };
