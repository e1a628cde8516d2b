#include "data/model/SpecialFeatures.h"

#include "data/model/MediaUtils.h"
#include "data/model/SettingFlags.h"
#include "platform/util/Archive.h"

namespace {

using Record = CSpecialFeatures;
using Flag = CSettingFlag<Record>;

// Table order is record order.
const Flag kFlags[] = {
    VEMO_SETTING_FLAG(MEDIA_PROP_SFALTEND, AltEnding),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFBEHIND, BehindTheScenes),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFBIOS, Bios),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFCOMMENTARY, Commentary),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFDELETED, DeletedScenes),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFGAME, Game),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFMAKINGOF, MakingOf),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFMULTIANGLE, MultiAngle),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFMUSICTRACK, MusicTrack),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFMUSICVIDEO, MusicVideo),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFOUTTAKES, Outtakes),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFPHOTOS, Photos),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFSUBTITLES, Subtitles),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFTRAILER, Trailer),
    VEMO_SETTING_FLAG(MEDIA_PROP_SFWEBLINKS, WebLinks),
};
static_assert(std::size(kFlags) == 15);

} // namespace

void CSpecialFeatures::GetData(CMapStringToString& data) const
{
    SettingFlags::GetData(kFlags, *this, data);
}

void CSpecialFeatures::SetData(const CMapStringToString& data, bool apply)
{
    if (apply)
        SettingFlags::SetData(kFlags, *this, data);
}

void CSpecialFeatures::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        SettingFlags::Store(kFlags, *this, ar);
        return;
    }
    CSpecialFeatures read;
    ar.ReadWord();
    SettingFlags::Load(kFlags, read, ar);
    *this = read;
}
