#pragma once
// A map from unsigned ids to texts, in key order.

#include "platform/util/VemoTypes.h"

using CUINTToStringMap = CMap<UINT, UINT, CString, const CString&>;
