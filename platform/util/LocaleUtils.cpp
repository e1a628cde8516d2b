#include "platform/util/LocaleUtils.h"

CString CLocaleUtils::GetTimeSeparator()
{
    return ":";
}

CString CLocaleUtils::GetDecimalSeparator()
{
    return ".";
}

CString CLocaleUtils::GetThousandSeparator()
{
    return ",";
}

int CLocaleUtils::GetCurrencyFractionDigits()
{
    return 2;
}

CString CLocaleUtils::GetCurrencySymbol()
{
    return "$";
}
