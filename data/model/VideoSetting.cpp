#include "data/model/VideoSetting.h"

#include "data/model/MediaUtils.h"
#include "data/model/SettingFlags.h"
#include "platform/util/Archive.h"

namespace {

using Record = CVideoSetting;
using Flag = CSettingFlag<Record>;

// Table order is record order.
const Flag kFlags[] = {
    VEMO_SETTING_FLAG(MEDIA_PROP_PANSCAN, PanScan),
    VEMO_SETTING_FLAG(MEDIA_PROP_WIDESCREEN, Widescreen),
};

} // namespace

void CVideoSetting::GetData(CMapStringToString& data) const
{
    SettingFlags::GetData(kFlags, *this, data);
}

void CVideoSetting::SetData(const CMapStringToString& data, bool apply)
{
    if (apply)
        SettingFlags::SetData(kFlags, *this, data);
}

void CVideoSetting::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        SettingFlags::Store(kFlags, *this, ar);
        return;
    }
    CVideoSetting read;
    ar.ReadWord();
    SettingFlags::Load(kFlags, read, ar);
    *this = read;
}
