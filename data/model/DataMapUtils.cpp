#include "data/model/DataMapUtils.h"

#include <cctype>

#include "platform/util/NumberTextConv.h"

int CDataMapUtils::ToInt(const CString& text)
{
    return CNumberTextConv::ParseNumber(text);
}

double CDataMapUtils::ToDouble(const CString& text)
{
    auto isDigit = [&](std::size_t i) { return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(i) || ((c == '-' || c == '.') && (isDigit(i + 1) || (c == '-' && text[i + 1] == '.'))))
            return CNumberTextConv::GetDoubleFromString(text.substr(i));
    }
    return 0.0;
}
