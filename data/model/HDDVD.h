#pragma once
// An HD DVD video disc. It has no sub-items.

#include "data/model/MediaUtils.h"
#include "data/model/VideoMedia.h"

class CHDDVD : public CVideoDiscT<CHDDVD, CMediaUtils::MEDIA_HDDVD> { };
