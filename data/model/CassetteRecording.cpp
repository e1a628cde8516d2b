#include "data/model/CassetteRecording.h"

#include "data/model/SubItemUtils.h"

namespace {

bool g_useTimedCounter = false;

} // namespace

CCassetteRecording::CCassetteRecording()
    : CMediaSubItemT(false, false)
{
}

bool CCassetteRecording::operator==(const CItem& other) const
{
    const auto* recording = dynamic_cast<const CCassetteRecording*>(&other);
    return recording && CAudioTapeRecording::operator==(other) && CSubItemUtils::SameTapeRecording(*this, *recording);
}

bool CCassetteRecording::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

bool CCassetteRecording::GetUseTimedCounter()
{
    return g_useTimedCounter;
}

void CCassetteRecording::SetUseTimedCounter(bool useTimedCounter)
{
    g_useTimedCounter = useTimedCounter;
}
