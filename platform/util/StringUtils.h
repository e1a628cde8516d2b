#pragma once
// Text helpers over UTF-8 strings. Case-insensitive operations fold ASCII and
// Latin-1 letters (so "Ä" equals "ä"); other characters compare as they are.

#include <cstdarg>
#include <string_view>

#include "platform/util/VemoTypes.h"

class CStringUtils {
public:
    // Splits line at every occurrence of delimiter (a delimiter of one or
    // more characters); n delimiters give n + 1 parts, empty parts kept. An
    // empty line gives one empty part; an empty delimiter gives the line.
    // The parts replace what the container held.
    static void SplitLine(const CString& line, const CString& delimiter, CStringArray& parts);
    static void SplitLine(const CString& line, const CString& delimiter, CStringList& parts);

    // True when the text is empty or holds only white space.
    static bool IsEffectivelyEmpty(std::string_view text);

    // Removes every later repetition of a string (exact comparison), keeping
    // the first occurrences in their order.
    static void RemoveDuplicates(CStringList& list);

    // Finds the n-th (1-based) occurrence of first in text and the first
    // occurrence of second after it. Returns true and sets both byte
    // positions, or false with both set to -1.
    static bool FindOccurrencePair(const CString& text, const CString& first, const CString& second, int n,
                                   int& firstPos, int& secondPos);

    // Removes the block from the begin tag to the end tag (both included,
    // across lines) and puts replacement in its place; lines emptied by the
    // removal are dropped. With firstOnly false every block goes. Returns
    // whether a block was found. A begin tag without a later end tag leaves
    // the rest of the text as it is.
    static bool ReplaceTextBlock(CStringList& lines, const CString& beginTag, const CString& endTag,
                                 const CString& replacement, bool firstOnly);

    // Prefix and suffix tests.
    static bool MatchFirstChars(const CString& text, const CString& prefix, bool ignoreCase);
    static bool MatchLastChars(const CString& text, const CString& suffix, bool ignoreCase);

    // Case-insensitive comparison: -1, 0 or 1.
    static int CompareNoCase(std::string_view a, std::string_view b);
    static bool EqualsNoCase(std::string_view a, std::string_view b) { return CompareNoCase(a, b) == 0; }
    // Byte position of what in text at or after start, ignoring case; -1 if none.
    static int FindNoCase(const CString& text, const CString& what, int start = 0);
    static CString ToLower(const CString& text);
    static CString ToUpper(const CString& text);

    // Replaces every occurrence of from by to; returns the number replaced.
    static int Replace(CString& text, const CString& from, const CString& to);
    static CString Trim(const CString& text);
    static CString TrimLeft(const CString& text);
    static CString TrimRight(const CString& text);

    // printf-style formatting.
    static CString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static CString FormatV(const char* format, va_list args);

    // Cuts text to at most maxBytes bytes without splitting a UTF-8 character.
    static CString TruncateUtf8(const CString& text, std::size_t maxBytes);
};
