#pragma once
// A font description as the library file keeps it (print header, content
// and footer fonts). The program turns it into a real font.

#include "platform/util/VemoTypes.h"

class CArchive;

struct CFont {
    CString faceName = "Sans Serif";
    int height = 10;     // points
    int weight = 400;    // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    WORD charSet = 1;    // the default character set

    bool operator==(const CFont& other) const = default;
};

class CGraphicsUtils {
public:
    // Font record: version word (1), face name, height (32-bit), weight
    // (32-bit), italic, underline, strike-out (boolean words), character
    // set (word). A null font is written as a default one and read into
    // nothing.
    static void SerializeFont(CFont* font, CArchive& ar);
    // Gives font the default description; false when font is null.
    static bool SetDefaultFont(CFont* font);
};
