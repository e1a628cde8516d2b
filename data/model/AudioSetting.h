#pragma once
// The sound formats of a medium and its full-range channel count, converted
// to and from property maps under the audio property names of CMediaUtils.

#include "platform/util/VemoTypes.h"

class CArchive;

class CAudioSetting {
public:
    CAudioSetting() = default;
    CAudioSetting(const CAudioSetting&) = default;
    CAudioSetting& operator=(const CAudioSetting&) = default;
    ~CAudioSetting() = default;
    // Every field equal.
    bool operator==(const CAudioSetting&) const = default;

    bool GetMono() const { return m_mono; }
    void SetMono(bool value) { m_mono = value; }
    bool GetStereo() const { return m_stereo; }
    void SetStereo(bool value) { m_stereo = value; }
    bool GetSACD() const { return m_sacd; }
    void SetSACD(bool value) { m_sacd = value; }
    bool GetHDCD() const { return m_hdcd; }
    void SetHDCD(bool value) { m_hdcd = value; }
    bool GetTHX() const { return m_thx; }
    void SetTHX(bool value) { m_thx = value; }
    bool GetQuadraphonic() const { return m_quadraphonic; }
    void SetQuadraphonic(bool value) { m_quadraphonic = value; }
    bool GetDolbySurround() const { return m_dolbySurround; }
    void SetDolbySurround(bool value) { m_dolbySurround = value; }
    bool GetDolbyDigital() const { return m_dolbyDigital; }
    void SetDolbyDigital(bool value) { m_dolbyDigital = value; }
    bool GetDolbyDigitalEx() const { return m_dolbyDigitalEx; }
    void SetDolbyDigitalEx(bool value) { m_dolbyDigitalEx = value; }
    bool GetDolbyDigitalPlus() const { return m_dolbyDigitalPlus; }
    void SetDolbyDigitalPlus(bool value) { m_dolbyDigitalPlus = value; }
    bool GetDolbyTrueHD() const { return m_dolbyTrueHD; }
    void SetDolbyTrueHD(bool value) { m_dolbyTrueHD = value; }
    bool GetDTS() const { return m_dts; }
    void SetDTS(bool value) { m_dts = value; }
    bool GetDTSES() const { return m_dtsES; }
    void SetDTSES(bool value) { m_dtsES = value; }
    bool GetDTSHD() const { return m_dtsHD; }
    void SetDTSHD(bool value) { m_dtsHD = value; }
    bool GetDTSHDMasterAudio() const { return m_dtsHDMasterAudio; }
    void SetDTSHDMasterAudio(bool value) { m_dtsHDMasterAudio = value; }
    bool GetBassChannel() const { return m_bassChannel; }
    void SetBassChannel(bool value) { m_bassChannel = value; }
    int GetFullRangeChannels() const { return m_fullRangeChannels; }
    void SetFullRangeChannels(int channels) { m_fullRangeChannels = channels; }

    // Replaces only the keys already in the map ("Y"/"N" for flags, the channel count as a plain number);
    // keys not present are not added.
    void GetData(CMapStringToString& data) const;
    // Nothing when apply is false; else each flag whose key is present
    // becomes CMediaUtils::IsYes(text) and the channel count the leading digits of its text (0 without).
    void SetData(const CMapStringToString& data, bool apply);
    // Record: version word (1), the 16 flags in field order as boolean words,
    // the channel count (32-bit); 38 bytes.
    void Serialize(CArchive& ar);

private:
    bool m_mono = false;
    bool m_stereo = false;
    bool m_sacd = false;
    bool m_hdcd = false;
    bool m_thx = false;
    bool m_quadraphonic = false;
    bool m_dolbySurround = false;
    bool m_dolbyDigital = false;
    bool m_dolbyDigitalEx = false;
    bool m_dolbyDigitalPlus = false;
    bool m_dolbyTrueHD = false;
    bool m_dts = false;
    bool m_dtsES = false;
    bool m_dtsHD = false;
    bool m_dtsHDMasterAudio = false;
    bool m_bassChannel = false;
    int m_fullRangeChannels = 0;
};
