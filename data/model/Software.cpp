#include "data/model/Software.h"

#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

using U = CMediaUtils;

CSoftware::CSoftware()
    : CMediaItemT(true, true, true, true, false, CString())
{
}

bool CSoftware::operator==(const CItem& other) const
{
    const CSoftware* software = OtherOfSameClass(other);
    if (!software)
        return false;
    return CStringUtils::EqualsNoCase(GetTitle(), software->GetTitle())
        && CStringUtils::EqualsNoCase(m_version, software->m_version)
        && CStringUtils::EqualsNoCase(m_console, software->m_console);
}

void CSoftware::GetData(CMapStringToString& data) const
{
    CMediaItem::GetData(data);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_VERSION, m_version);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_SERIALNUMBER, m_serialNumber);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_PASSWORD, GetPassword());
    CPropMapUtils::Answer(data, U::MEDIA_PROP_CONSOLE, m_console);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_TYPE, m_type);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_DISTMEDIA, m_distMedia);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_ONLINEURL, GetOnlineURL());
}

void CSoftware::SetData(const CMapStringToString& data, bool applyCategory)
{
    CMediaItem::SetData(data, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_VERSION, m_version, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_SERIALNUMBER, m_serialNumber, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_PASSWORD, SPARSE_PASSWORD, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_CONSOLE, m_console, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_TYPE, m_type, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_DISTMEDIA, m_distMedia, applyCategory);
    m_sparse.Take(data, U::MEDIA_PROP_ONLINEURL, SPARSE_ONLINEURL, applyCategory);
}

void CSoftware::Serialize(CArchive& ar)
{
    CMediaItem::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_version);
    ar.Serialize(m_serialNumber);
    m_sparse.Serialize(ar, SPARSE_PASSWORD);
    ar.Serialize(m_console);
    ar.Serialize(m_type);
    ar.Serialize(m_distMedia);
    m_sparse.Serialize(ar, SPARSE_ONLINEURL);
}

CString CSoftware::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    CString titleVersion = CItemTextUtils::Quoted(GetTitle());
    if (!m_version.empty())
        titleVersion += titleVersion.empty() ? m_version : " " + m_version;
    return CMediaItem::GetUniqueDescription(withMediaName, sortProp)
        + CItemTextUtils::JoinDash({ titleVersion, m_console });
}
