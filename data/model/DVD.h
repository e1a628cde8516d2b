#pragma once
// A DVD video disc. It has no sub-items.

#include "data/model/MediaUtils.h"
#include "data/model/VideoMedia.h"

class CDVD : public CVideoDiscT<CDVD, CMediaUtils::MEDIA_DVD> { };
