#include "data/model/Software.h"

#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

using U = CMediaUtils;

CSoftware::CSoftware()
    : CMediaItem(true, true, true, true, false, CString())
{
}

CSoftware::CSoftware(const CSoftware& source)
    : CMediaItem(source)
{
    CopyFields(source);
    CopyDynamicData(source);
}

CSoftware& CSoftware::operator=(const CSoftware& source)
{
    if (this != &source) {
        CMediaItem::operator=(source);
        CopyFields(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CSoftware::operator=(const CMediaItem& source)
{
    if (const auto* software = dynamic_cast<const CSoftware*>(&source))
        return *this = *software;
    return CMediaItem::operator=(source);
}

void CSoftware::CopyFields(const CSoftware& source)
{
    m_version = source.m_version;
    m_serialNumber = source.m_serialNumber;
    m_password = source.m_password;
    m_console = source.m_console;
    m_type = source.m_type;
    m_distMedia = source.m_distMedia;
    m_onlineURL = source.m_onlineURL;
}

bool CSoftware::operator==(const CItem& other) const
{
    const auto* software = dynamic_cast<const CSoftware*>(&other);
    if (!software || software == this)
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
    CPropMapUtils::Answer(data, U::MEDIA_PROP_PASSWORD, m_password);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_CONSOLE, m_console);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_TYPE, m_type);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_DISTMEDIA, m_distMedia);
    CPropMapUtils::Answer(data, U::MEDIA_PROP_ONLINEURL, m_onlineURL);
}

void CSoftware::SetData(const CMapStringToString& data, bool applyCategory)
{
    CMediaItem::SetData(data, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_VERSION, m_version, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_SERIALNUMBER, m_serialNumber, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_PASSWORD, m_password, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_CONSOLE, m_console, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_TYPE, m_type, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_DISTMEDIA, m_distMedia, applyCategory);
    CPropMapUtils::TakeText(data, U::MEDIA_PROP_ONLINEURL, m_onlineURL, applyCategory);
}

void CSoftware::Serialize(CArchive& ar)
{
    CMediaItem::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_version);
    ar.Serialize(m_serialNumber);
    ar.Serialize(m_password);
    ar.Serialize(m_console);
    ar.Serialize(m_type);
    ar.Serialize(m_distMedia);
    ar.Serialize(m_onlineURL);
}

CString CSoftware::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    CString titleVersion = CItemTextUtils::Quoted(GetTitle());
    if (!m_version.empty())
        titleVersion += titleVersion.empty() ? m_version : " " + m_version;
    return CMediaItem::GetUniqueDescription(withMediaName, sortProp)
        + CItemTextUtils::JoinDash({ titleVersion, m_console });
}

CMediaSubItem* CSoftware::CreateSubItem(CMediaSubItem* /*source*/) const
{
    return nullptr;
}

CMediaItem* CSoftware::Clone() const
{
    return new CSoftware(*this);
}

int CSoftware::GetMediaType() const
{
    return U::MEDIA_SOFTWARE;
}
