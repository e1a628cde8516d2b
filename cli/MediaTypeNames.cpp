#include "cli/MediaTypeNames.h"

#include "cli/CliArgs.h"
#include "data/model/MediaUtils.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

int CMediaTypeNames::Parse(const CString& text)
{
    const CString name = CStringUtils::Trim(text);
    int number = 0;
    if (CNumberTextConv::TryParseInt(name, number))
        return CMediaUtils::IsValidMediaID(number) ? number : 0;
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
        if (CStringUtils::EqualsNoCase(name, CMediaUtils::GetMediaNameSingular(type))
            || CStringUtils::EqualsNoCase(name, CMediaUtils::GetMediaNamePlural(type)))
            return type;
    return 0;
}

CString CMediaTypeNames::ListNames()
{
    CUIntArray ids;
    CMediaUtils::GetAlphaOrderedMediaIDs(ids);
    CString names;
    for (UINT id : ids)
        names += (names.empty() ? "" : ", ") + CMediaUtils::GetMediaNamePlural(static_cast<int>(id));
    return names;
}

int CMediaTypeNames::ParseTypeOption(const CCliArgs& args, CString& error)
{
    if (!args.Has("type")) {
        error = "--type is required";
        return 0;
    }
    const int type = Parse(args.Value("type"));
    if (type == 0)
        error = "unknown media type \"" + args.Value("type") + "\"; use one of " + ListNames();
    return type;
}
