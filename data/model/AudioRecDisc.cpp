#include "data/model/AudioRecDisc.h"

#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"

CAudioRecDisc::CAudioRecDisc(bool usesPublisher)
    : CAudioRecordableMedia(usesPublisher, CMediaUtils::MEDIA_PROP_TRACKNUMBER)
{
}

CAudioRecDisc::CAudioRecDisc(const CAudioRecDisc& source)
    : CAudioRecordableMedia(source)
{
}

CAudioRecDisc& CAudioRecDisc::operator=(const CAudioRecDisc& source)
{
    CAudioRecordableMedia::operator=(source);
    return *this;
}

void CAudioRecDisc::Serialize(CArchive& ar)
{
    CAudioRecordableMedia::Serialize(ar);
    ar.SerializeVersion(1);
}
