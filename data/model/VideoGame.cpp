#include "data/model/VideoGame.h"

#include <climits>

#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

using U = CMediaUtils;

CVideoGame::CVideoGame()
    : CMediaItemT(true, true, true, true, false, CString())
{
}

bool CVideoGame::operator==(const CItem& other) const
{
    const CVideoGame* game = OtherOfSameClass(other);
    if (!game)
        return false;
    return CStringUtils::EqualsNoCase(GetTitle(), game->GetTitle())
        && CStringUtils::EqualsNoCase(GetSeriesNumber(), game->GetSeriesNumber())
        && CStringUtils::EqualsNoCase(m_console, game->m_console);
}

void CVideoGame::GetData(CMapStringToString& data) const
{
    CMediaItem::GetData(data);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_CONSOLE, m_console);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_DISTMEDIA, m_distMedia);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_GAMENUMBER, m_gameNumber);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_SERIALNUMBER, m_serialNumber);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_SERIESNUMBER, GetSeriesNumber());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_HINTS, GetHints());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_ONLINEURL, GetOnlineURL());
    CPropMapUtils::AnswerInt(data, U::MEDIA_PROP_PLAYERS, m_players, true);
    m_video.GetData(data);
}

void CVideoGame::SetData(const CMapStringToString& data, bool applyCategory)
{
    CMediaItem::SetData(data, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_CONSOLE, m_console, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_DISTMEDIA, m_distMedia, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_GAMENUMBER, m_gameNumber, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_SERIALNUMBER, m_serialNumber, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_SERIESNUMBER, SPARSE_SERIES, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_HINTS, SPARSE_HINTS, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_ONLINEURL, SPARSE_ONLINEURL, applyCategory);
    CPropMapUtils::TakeInt(data, U::MEDIA_PROP_PLAYERS, m_players, applyCategory, 0, INT_MAX);
    // The picture formats follow the family rule: set as given when applying.
    m_video.SetData(data, applyCategory);
}

void CVideoGame::Serialize(CArchive& ar)
{
    CMediaItem::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_console);
    ar.Serialize(m_distMedia);
    ar.Serialize(m_gameNumber);
    ar.Serialize(m_serialNumber);
    m_sparse.Serialize(ar, SPARSE_SERIES);
    m_sparse.Serialize(ar, SPARSE_HINTS);
    m_sparse.Serialize(ar, SPARSE_ONLINEURL);
    std::int32_t players = m_players;
    ar.Serialize(players);
    SetPlayers(players);
    m_video.Serialize(ar);
}

CString CVideoGame::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    CString name
        = CStringUtils::TrimLeft(CItemTextUtils::Quoted(GetTitle()) + CItemTextUtils::Parenthesized(GetSeriesNumber()));
    return CMediaItem::GetUniqueDescription(withMediaName, sortProp) + CItemTextUtils::JoinDash({ name, m_console });
}
