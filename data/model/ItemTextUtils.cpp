#include "data/model/ItemTextUtils.h"

#include "data/model/MediaUtils.h"

CString CItemTextUtils::Quoted(const CString& text)
{
    return text.empty() ? CString() : "\"" + text + "\"";
}

CString CItemTextUtils::JoinDash(std::initializer_list<CString> parts)
{
    CString text;
    for (const CString& part : parts) {
        if (part.empty())
            continue;
        if (!text.empty())
            text += " - ";
        text += part;
    }
    return text;
}

CString CItemTextUtils::Parenthesized(const CString& text)
{
    return text.empty() ? CString() : " (" + text + ")";
}

CString CItemTextUtils::VideoText(const CString& title, const CString& subTitle, const CString& seriesNumber,
    const CString& leadActor, const CString& director, const CString& sortProp)
{
    CString lead;
    if (sortProp == CMediaUtils::MEDIA_PROP_LEADACTOR)
        lead = leadActor;
    else if (sortProp == CMediaUtils::MEDIA_PROP_DIRECTOR)
        lead = director;
    return JoinDash({ lead, Quoted(title), subTitle }) + Parenthesized(seriesNumber);
}
