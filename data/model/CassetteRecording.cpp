#include "data/model/CassetteRecording.h"

#include "data/model/MediaUtils.h"
#include "platform/util/StringUtils.h"

namespace {

bool g_useTimedCounter = false;

} // namespace

CCassetteRecording::CCassetteRecording()
    : CAudioTapeRecording(false, false)
{
}

CCassetteRecording::CCassetteRecording(const CCassetteRecording& source)
    : CAudioTapeRecording(source)
{
}

CCassetteRecording& CCassetteRecording::operator=(const CCassetteRecording& source)
{
    CAudioTapeRecording::operator=(source);
    return *this;
}

bool CCassetteRecording::operator==(const CItem& other) const
{
    const auto* recording = dynamic_cast<const CCassetteRecording*>(&other);
    if (!recording || !CAudioTapeRecording::operator==(other))
        return false;
    return GetSideA() == recording->GetSideA() && GetStart() == recording->GetStart()
        && CStringUtils::EqualsNoCase(GetTitle(), recording->GetTitle());
}

bool CCassetteRecording::HaveValidData() const
{
    return !CStringUtils::IsEffectivelyEmpty(GetTitle()) || GetLength() > 0;
}

int CCassetteRecording::GetMediaType() const
{
    return CMediaUtils::MEDIA_CASSETTE;
}

bool CCassetteRecording::GetUseTimedCounter()
{
    return g_useTimedCounter;
}

void CCassetteRecording::SetUseTimedCounter(bool useTimedCounter)
{
    g_useTimedCounter = useTimedCounter;
}
