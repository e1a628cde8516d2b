#pragma once
// Conversions between the UTF-8 text held in memory and the encodings of
// stored files: Windows-1252 (the 8-bit form) and UTF-16LE (the wide form).

#include <string>
#include <string_view>

#include "platform/util/VemoTypes.h"

class CTextEncoding {
public:
    // True when every character of the UTF-8 text has a Windows-1252 byte.
    static bool FitsWindows1252(const CString& utf8);
    // UTF-8 to Windows-1252 bytes; characters without a byte become '?'.
    static std::string ToWindows1252(const CString& utf8);
    // Windows-1252 bytes to UTF-8 (the five unassigned bytes map to U+0081,
    // U+008D, U+008F, U+0090 and U+009D so that they read back unchanged).
    static CString FromWindows1252(std::string_view bytes);
    // The same into out, whose memory is used when it is large enough.
    static void AssignFromWindows1252(CString& out, std::string_view bytes);
    // UTF-8 to UTF-16 code units (little-endian bytes, two per unit).
    static std::string ToUtf16LE(const CString& utf8);
    // UTF-16LE bytes to UTF-8; unpaired surrogates become U+FFFD.
    static CString FromUtf16LE(std::string_view bytes);
    // True when no byte is above 0x7F: the text reads the same in
    // Windows-1252 and in UTF-8.
    static bool IsAscii(std::string_view bytes);
    // Number of UTF-16 code units the text takes.
    static std::size_t Utf16Length(const CString& utf8);
    // True when the bytes are well-formed UTF-8.
    static bool IsValidUtf8(const std::string& bytes);
    // Bytes that may not be UTF-8: kept when valid, otherwise each byte that
    // does not start a valid sequence is read as Windows-1252.
    static CString ToUtf8Lenient(const std::string& bytes);
};
