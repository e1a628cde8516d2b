#pragma once
// A video game, with the picture formats it offers. It has no sub-items.

#include "data/model/MediaItemT.h"
#include "data/model/MediaUtils.h"
#include "data/model/SparseTexts.h"
#include "data/model/VideoSetting.h"

class CVideoGame : public CMediaItemT<CVideoGame, CMediaItem, CMediaUtils::MEDIA_VIDEOGAME> {
public:
    // Category, check-out, publisher and report properties; no special
    // features.
    CVideoGame();

    // Same title, series number and console/format, ignoring case.
    bool operator==(const CItem& other) const override;
    // "Console/Format", "Distr. Media", "Game Number", "Serial Number",
    // "Series Number", "Hints", "Online URL", "Players" and the video
    // properties ("Pan & Scan", "Widescreen").
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CMediaItem's: version word (1), console/format,
    // distributed media, game number, serial number, series number, hints,
    // online URL (strings), players (32-bit), video setting record.
    void Serialize(CArchive& ar) override;
    // The CMediaItem text, then "title" (series number) - console/format.
    CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const override;

    const CString& GetConsole() const { return m_console; }
    void SetConsole(const CString& text) { m_console = text; }
    const CString& GetDistMedia() const { return m_distMedia; }
    void SetDistMedia(const CString& text) { m_distMedia = text; }
    // The maker's catalogue number of the game.
    const CString& GetGameNumber() const { return m_gameNumber; }
    void SetGameNumber(const CString& text) { m_gameNumber = text; }
    const CString& GetSerialNumber() const { return m_serialNumber; }
    void SetSerialNumber(const CString& text) { m_serialNumber = text; }
    const CString& GetSeriesNumber() const { return m_sparse.Get(SPARSE_SERIES); }
    void SetSeriesNumber(const CString& text) { m_sparse.Set(SPARSE_SERIES, text); }
    const CString& GetHints() const { return m_sparse.Get(SPARSE_HINTS); }
    void SetHints(const CString& text) { m_sparse.Set(SPARSE_HINTS, text); }
    const CString& GetOnlineURL() const { return m_sparse.Get(SPARSE_ONLINEURL); }
    void SetOnlineURL(const CString& text) { m_sparse.Set(SPARSE_ONLINEURL, text); }
    // Most players at once; 0 when not known.
    int GetPlayers() const { return m_players; }
    void SetPlayers(int players) { m_players = players < 0 ? 0 : players; }
    CVideoSetting& GetVideo() { return m_video; }
    const CVideoSetting& GetVideo() const { return m_video; }

private:
    CString m_console;
    CString m_distMedia;
    CString m_gameNumber;
    CString m_serialNumber;
    // Collections seldom fill these.
    enum { SPARSE_SERIES, SPARSE_HINTS, SPARSE_ONLINEURL, SPARSE_COUNT };
    CSparseTexts<SPARSE_COUNT> m_sparse;
    int m_players = 0;
    CVideoSetting m_video;
};
