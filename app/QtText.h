#pragma once
// The data core's text (UTF-8 in std::string) as Qt shows it.

#include <QString>

#include "platform/util/VemoTypes.h"

inline QString Q(const CString& text)
{
    return QString::fromStdString(text);
}
