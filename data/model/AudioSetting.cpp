#include "data/model/AudioSetting.h"

#include "data/model/MediaUtils.h"
#include "data/model/SettingFlags.h"
#include "platform/util/Archive.h"
#include "platform/util/NumberTextConv.h"

namespace {

using Record = CAudioSetting;
using Flag = CSettingFlag<Record>;

// Table order is record order.
const Flag kFlags[] = {
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_MONO, Mono),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_STEREO, Stereo),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_SACD, SACD),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_HDCD, HDCD),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_THX, THX),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_QUADRAPHONIC, Quadraphonic),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_DOLBYSURROUND, DolbySurround),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_DOLBYDIGITAL, DolbyDigital),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_DOLBYDIGITALEX, DolbyDigitalEx),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_DOLBYDIGITALPLUS, DolbyDigitalPlus),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_DOLBYTRUEHD, DolbyTrueHD),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_DTS, DTS),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_DTSES, DTSES),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_DTSHD, DTSHD),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_DTSHSMASTERAUDIO, DTSHDMasterAudio),
    VEMO_SETTING_FLAG(MEDIA_PROP_AUDIO_BASSCHANNEL, BassChannel),
};
static_assert(std::size(kFlags) == 16);

} // namespace

void CAudioSetting::GetData(CMapStringToString& data) const
{
    SettingFlags::GetData(kFlags, *this, data);
    if (CString* channels = CPropMapIndex::Find(data, CMediaUtils::MEDIA_PROP_AUDIO_FULLCHANNELS))
        *channels = CNumberTextConv::NumberToString(m_fullRangeChannels, 0, "", false);
}

void CAudioSetting::SetData(const CMapStringToString& data, bool apply)
{
    if (!apply)
        return;
    SettingFlags::SetData(kFlags, *this, data);
    if (const CString* channels = data.PLookup(CMediaUtils::MEDIA_PROP_AUDIO_FULLCHANNELS))
        m_fullRangeChannels = CNumberTextConv::GetNumberFromString(*channels);
}

void CAudioSetting::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteWord(1);
        SettingFlags::Store(kFlags, *this, ar);
        ar.WriteInt(m_fullRangeChannels);
        return;
    }
    CAudioSetting read;
    ar.ReadWord();
    SettingFlags::Load(kFlags, read, ar);
    read.m_fullRangeChannels = ar.ReadInt();
    *this = read;
}
