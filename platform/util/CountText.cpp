#include "platform/util/CountText.h"

#include "platform/util/NumberTextConv.h"

CString CCountText::Noun(std::int64_t count, const CString& singular, const CString& plural)
{
    if (count == 1)
        return singular;
    return plural.empty() ? singular + "s" : plural;
}

CString CCountText::Of(std::int64_t count, const CString& singular, const CString& plural, bool grouping)
{
    return CNumberTextConv::NumberToString(count, 0, "", grouping) + " " + Noun(count, singular, plural);
}
