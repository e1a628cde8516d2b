#include "platform/util/Clock.h"

namespace {
bool g_fixed = false;
COleDateTime g_now;
} // namespace

COleDateTime CClock::Now()
{
    return g_fixed ? g_now : COleDateTime::GetCurrentTime();
}

void CClock::SetNowForTesting(const COleDateTime& now)
{
    g_fixed = true;
    g_now = now;
}

void CClock::ResetForTesting()
{
    g_fixed = false;
}
