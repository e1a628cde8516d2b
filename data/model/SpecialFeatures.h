#pragma once
// The extras on a video disc, converted to and from property maps under the
// special-feature property names of CMediaUtils (for the owning media item).

#include "platform/util/VemoTypes.h"

class CArchive;

class CSpecialFeatures : public CPooledObject {
public:
    CSpecialFeatures() = default;
    CSpecialFeatures(const CSpecialFeatures&) = default;
    CSpecialFeatures& operator=(const CSpecialFeatures&) = default;
    ~CSpecialFeatures() = default;
    // Every field equal.
    bool operator==(const CSpecialFeatures&) const = default;

    bool GetAltEnding() const { return m_altEnding; }
    void SetAltEnding(bool value) { m_altEnding = value; }
    bool GetBehindTheScenes() const { return m_behindTheScenes; }
    void SetBehindTheScenes(bool value) { m_behindTheScenes = value; }
    bool GetBios() const { return m_bios; }
    void SetBios(bool value) { m_bios = value; }
    bool GetCommentary() const { return m_commentary; }
    void SetCommentary(bool value) { m_commentary = value; }
    bool GetDeletedScenes() const { return m_deletedScenes; }
    void SetDeletedScenes(bool value) { m_deletedScenes = value; }
    bool GetGame() const { return m_game; }
    void SetGame(bool value) { m_game = value; }
    bool GetMakingOf() const { return m_makingOf; }
    void SetMakingOf(bool value) { m_makingOf = value; }
    bool GetMultiAngle() const { return m_multiAngle; }
    void SetMultiAngle(bool value) { m_multiAngle = value; }
    bool GetMusicTrack() const { return m_musicTrack; }
    void SetMusicTrack(bool value) { m_musicTrack = value; }
    bool GetMusicVideo() const { return m_musicVideo; }
    void SetMusicVideo(bool value) { m_musicVideo = value; }
    bool GetOuttakes() const { return m_outtakes; }
    void SetOuttakes(bool value) { m_outtakes = value; }
    bool GetPhotos() const { return m_photos; }
    void SetPhotos(bool value) { m_photos = value; }
    bool GetSubtitles() const { return m_subtitles; }
    void SetSubtitles(bool value) { m_subtitles = value; }
    bool GetTrailer() const { return m_trailer; }
    void SetTrailer(bool value) { m_trailer = value; }
    bool GetWebLinks() const { return m_webLinks; }
    void SetWebLinks(bool value) { m_webLinks = value; }

    // Replaces only the keys already in the map ("Y"/"N" for flags);
    // keys not present are not added.
    void GetData(CMapStringToString& data) const;
    // Nothing when apply is false; else each flag whose key is present
    // becomes CMediaUtils::IsYes(text).
    void SetData(const CMapStringToString& data, bool apply);
    // Record: version word (1), the 15 flags in field order as boolean words; 32 bytes.
    void Serialize(CArchive& ar);

private:
    bool m_altEnding = false;
    bool m_behindTheScenes = false;
    bool m_bios = false;
    bool m_commentary = false;
    bool m_deletedScenes = false;
    bool m_game = false;
    bool m_makingOf = false;
    bool m_multiAngle = false;
    bool m_musicTrack = false;
    bool m_musicVideo = false;
    bool m_outtakes = false;
    bool m_photos = false;
    bool m_subtitles = false;
    bool m_trailer = false;
    bool m_webLinks = false;
};
