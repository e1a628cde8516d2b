#include "platform/util/Font.h"

#include "platform/util/Archive.h"

namespace {
constexpr WORD kFontVersion = 1;
}

void CGraphicsUtils::SerializeFont(CFont* font, CArchive& ar)
{
    if (ar.IsStoring()) {
        const CFont defaultFont;
        const CFont& f = font ? *font : defaultFont;
        ar.WriteWord(kFontVersion);
        ar.WriteString(f.faceName);
        ar.WriteInt(f.height);
        ar.WriteInt(f.weight);
        ar.WriteBool(f.italic);
        ar.WriteBool(f.underline);
        ar.WriteBool(f.strikeOut);
        ar.WriteWord(f.charSet);
        return;
    }
    // Read the whole record first, so a short stream leaves the font as it was.
    CFont loaded;
    ar.ReadWord(); // version: every version so far has the same fields
    loaded.faceName = ar.ReadString();
    loaded.height = ar.ReadInt();
    loaded.weight = ar.ReadInt();
    loaded.italic = ar.ReadBool();
    loaded.underline = ar.ReadBool();
    loaded.strikeOut = ar.ReadBool();
    loaded.charSet = ar.ReadWord();
    if (font)
        *font = loaded;
}

bool CGraphicsUtils::SetDefaultFont(CFont* font)
{
    if (!font)
        return false;
    *font = CFont();
    return true;
}
