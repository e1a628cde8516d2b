#include "net/HtmlValueEscaper.h"

#include <string>
#include <string_view>

namespace {

const char HEX[] = "0123456789ABCDEF";

bool IsAsciiAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiAlnum(char c)
{
    return IsAsciiAlpha(c) || (c >= '0' && c <= '9');
}

// White space as the HTML tokenizer knows it.
bool IsHtmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

// Named references that stand for ASCII characters an address or a script
// could be made of; others are left as written.
struct CNamedReference {
    const char* name;
    char c;
};
const CNamedReference NAMED_REFERENCES[] = { { "amp", '&' }, { "lt", '<' }, { "gt", '>' }, { "quot", '"' },
    { "apos", '\'' }, { "colon", ':' }, { "tab", '\t' }, { "newline", '\n' }, { "period", '.' }, { "plus", '+' },
    { "sol", '/' }, { "num", '#' }, { "quest", '?' }, { "lpar", '(' }, { "rpar", ')' }, { "semi", ';' },
    { "equals", '=' }, { "grave", '`' }, { "bsol", '\\' }, { "comma", ',' }, { "excl", '!' } };

// The text with its character references decoded (names without regard to
// case). A reference to a character beyond ASCII becomes "?", which no
// scheme or script keyword holds. unknownAt is where the first reference
// not decoded begins in the result, npos when there is none.
CString DecodeReferences(std::string_view text, std::size_t& unknownAt)
{
    unknownAt = CString::npos;
    CString result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result += text[i];
            continue;
        }
        std::size_t end = i + 1;
        if (end < text.size() && text[end] == '#') {
            const bool hex = end + 1 < text.size() && (text[end + 1] == 'x' || text[end + 1] == 'X');
            std::size_t digits = end + (hex ? 2 : 1);
            unsigned long code = 0;
            std::size_t d = digits;
            for (; d < text.size(); ++d) {
                const char c = text[d];
                int value = -1;
                if (c >= '0' && c <= '9')
                    value = c - '0';
                else if (hex && IsAsciiAlpha(c) && Lower(c) <= 'f')
                    value = Lower(c) - 'a' + 10;
                if (value < 0)
                    break;
                if (code < 0x110000)
                    code = code * (hex ? 16 : 10) + static_cast<unsigned long>(value);
            }
            if (d == digits) {
                result += '&';
                continue;
            }
            result += code > 0 && code < 0x80 ? static_cast<char>(code) : '?';
            i = d < text.size() && text[d] == ';' ? d : d - 1;
            continue;
        }
        while (end < text.size() && IsAsciiAlnum(text[end]))
            ++end;
        const std::string_view name = text.substr(i + 1, end - i - 1);
        const CNamedReference* found = nullptr;
        for (const CNamedReference& reference : NAMED_REFERENCES)
            if (EqualsNoCase(name, reference.name))
                found = &reference;
        if (!found) {
            if (!name.empty() && unknownAt == CString::npos)
                unknownAt = result.size();
            result += '&';
            continue;
        }
        result += found->c;
        i = end < text.size() && text[end] == ';' ? end : end - 1;
    }
    return result;
}

// For a value inside a tag: nothing that ends a value, starts another
// attribute or closes the tag. A slash is left alone in an unquoted value,
// where it is part of an address.
CString EscapeInTag(std::string_view value, bool inValue)
{
    CString result;
    result.reserve(value.size());
    for (char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsHtmlSpace(c) || c == '=' || c == '`' || c == '"' || c == '\'' || c == '<' || c == '>'
            || (c == '/' && !inValue)) {
            result += "&#";
            result += std::to_string(byte);
            result += ';';
        } else if (byte >= 0x20 && byte != 0x7F) {
            result += c;
        }
    }
    return result;
}

// For a value in script: the text as JavaScript escapes, so that it can be
// nothing but the content of a string.
CString EscapeInScript(std::string_view value)
{
    std::size_t unknownAt = 0;
    const CString text = DecodeReferences(value, unknownAt);
    CString result;
    result.reserve(text.size() * 2);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsAsciiAlnum(c) || byte >= 0x80) {
            result += c;
        } else {
            result += "\\x";
            result += HEX[byte >> 4];
            result += HEX[byte & 0x0F];
        }
    }
    return result;
}

bool IsAddressAttribute(std::string_view name)
{
    static const char* const NAMES[] = { "href", "src", "action", "formaction", "poster", "background", "cite", "data",
        "codebase", "longdesc", "lowsrc", "dynsrc", "srcset", "xlink:href" };
    for (const char* known : NAMES)
        if (name == known)
            return true;
    return false;
}

bool IsEventAttribute(std::string_view name)
{
    return name.size() > 2 && name[0] == 'o' && name[1] == 'n';
}

// Elements whose content is text up to their end tag.
bool HasRawText(std::string_view name)
{
    static const char* const NAMES[]
        = { "script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes", "noscript" };
    for (const char* known : NAMES)
        if (name == known)
            return true;
    return false;
}

// The bytes that end a run of bytes the tokenizer can copy in one go.
class CStopSet {
public:
    explicit CStopSet(std::string_view bytes)
    {
        for (char c : bytes)
            m_stop[static_cast<unsigned char>(c)] = true;
    }
    // The first stop at or after from, the size of text when there is none.
    std::size_t Find(std::string_view text, std::size_t from) const
    {
        while (from < text.size() && !m_stop[static_cast<unsigned char>(text[from])])
            ++from;
        return from;
    }

private:
    bool m_stop[256] = {};
};

const std::string_view MARKERS("\x01\x02", 2);
const CStopSet TEXT_STOPS(std::string("<").append(MARKERS));
const CStopSet DOUBLE_QUOTED_STOPS(std::string("\"").append(MARKERS));
const CStopSet SINGLE_QUOTED_STOPS(std::string("'").append(MARKERS));
const CStopSet UNQUOTED_STOPS(std::string(" \t\n\r\f>").append(MARKERS));
const CStopSet TAG_NAME_STOPS(std::string(" \t\n\r\f/>").append(MARKERS));
const CStopSet ATTR_NAME_STOPS(std::string(" \t\n\r\f/=>").append(MARKERS));
const CStopSet COMMENT_STOPS(std::string("->").append(MARKERS));
const CStopSet BOGUS_COMMENT_STOPS(std::string(">").append(MARKERS));

// The HTML tokenizer's states, as far as they tell where a value lands.
enum class State {
    Data,
    RawText,
    TagOpen,
    EndTagOpen,
    TagName,
    BeforeAttrName,
    AttrName,
    AfterAttrName,
    BeforeAttrValue,
    AttrValueDoubleQuoted,
    AttrValueSingleQuoted,
    AttrValueUnquoted,
    AfterAttrValue,
    SelfClosing,
    MarkupDeclaration,
    Comment,
    BogusComment,
};

class CPageReader {
public:
    explicit CPageReader(std::string_view page)
        : m_page(page)
    {
        m_out.reserve(page.size());
    }

    CString Read()
    {
        for (m_at = 0; m_at < m_page.size(); ++m_at) {
            // Text that cannot change the state is copied in one go.
            if (const CStopSet* stops = Stops()) {
                const std::size_t stop = stops->Find(m_page, m_at);
                CopyText(m_page.substr(m_at, stop - m_at));
                m_at = stop;
                if (m_at == m_page.size())
                    break;
            }
            const char c = m_page[m_at];
            if (c == CHtmlValueEscaper::MARK_END)
                continue;
            if (c != CHtmlValueEscaper::MARK_BEGIN) {
                Step(c);
                continue;
            }
            std::size_t end = m_page.find(CHtmlValueEscaper::MARK_END, m_at + 1);
            if (end == std::string_view::npos)
                end = m_page.size();
            std::string_view value = m_page.substr(m_at + 1, end - m_at - 1);
            // Markers do not nest; a stray begin marker inside is dropped.
            CString clean;
            if (value.find(CHtmlValueEscaper::MARK_BEGIN) != std::string_view::npos) {
                clean = CString(value);
                CHtmlValueEscaper::StripMarks(clean);
                value = clean;
            }
            PutValue(value);
            m_at = end;
        }
        EndValue();
        return std::move(m_out);
    }

private:
    // The bytes that can end the present state, or null when every byte
    // counts; the others are copied in one go.
    const CStopSet* Stops() const
    {
        switch (m_state) {
        case State::Data:
        case State::RawText:
            return &TEXT_STOPS;
        case State::AttrValueDoubleQuoted:
            return &DOUBLE_QUOTED_STOPS;
        case State::AttrValueSingleQuoted:
            return &SINGLE_QUOTED_STOPS;
        case State::AttrValueUnquoted:
            return &UNQUOTED_STOPS;
        case State::TagName:
            return &TAG_NAME_STOPS;
        case State::AttrName:
            return &ATTR_NAME_STOPS;
        case State::Comment:
            return &COMMENT_STOPS;
        case State::BogusComment:
            return &BOGUS_COMMENT_STOPS;
        default:
            return nullptr;
        }
    }

    // Bytes none of which is a stop of the present state.
    void CopyText(std::string_view text)
    {
        if (text.empty())
            return;
        m_out.append(text);
        CString* name = m_state == State::TagName ? &m_tagName : (m_state == State::AttrName ? &m_attrName : nullptr);
        if (name)
            for (char c : text)
                *name += Lower(c);
        if (m_state == State::Comment)
            m_dashes = 0;
    }

    bool InValue() const
    {
        return m_state == State::AttrValueDoubleQuoted || m_state == State::AttrValueSingleQuoted
            || m_state == State::AttrValueUnquoted;
    }

    void PutValue(std::string_view value)
    {
        const bool attribute = InValue() || m_state == State::BeforeAttrValue;
        CString safe;
        if ((m_state == State::RawText && m_rawName == "script") || (attribute && IsEventAttribute(m_attrName))) {
            safe = EscapeInScript(value);
        } else if (m_state == State::Data || m_state == State::RawText || m_state == State::Comment
            || m_state == State::BogusComment || m_state == State::MarkupDeclaration
            || m_state == State::AttrValueDoubleQuoted || m_state == State::AttrValueSingleQuoted) {
            safe = CString(value);
        } else {
            safe = EscapeInTag(value, attribute);
        }
        // The escaped bytes move the tokenizer as the browser's, so that
        // what follows is read in the right state.
        for (std::size_t at = 0; at < safe.size();) {
            const CStopSet* stops = Stops();
            const std::size_t stop = stops ? stops->Find(safe, at) : at;
            CopyText(std::string_view(safe).substr(at, stop - at));
            if (stop < safe.size())
                Step(safe[stop]);
            at = stop + 1;
        }
        if (InValue())
            m_valueMarked = true;
    }

    void StartAttribute()
    {
        m_attrName.clear();
        m_valueMarked = false;
    }

    void BeginValue()
    {
        m_valueStart = m_out.size();
        m_valueMarked = false;
    }

    // An address attribute that took a value keeps its address only when
    // it is safe. An unquoted one left empty gets quotes, so that what
    // follows does not become its value.
    void EndValue()
    {
        if (m_valueStart == CString::npos)
            return;
        if (m_valueMarked && IsAddressAttribute(m_attrName)
            && !CHtmlValueEscaper::IsSafeAddress(m_out.substr(m_valueStart))) {
            m_out.resize(m_valueStart);
            if (m_state == State::AttrValueUnquoted)
                m_out += "\"\"";
        }
        m_valueStart = CString::npos;
        m_valueMarked = false;
    }

    void EndTag()
    {
        m_state = !m_endTag && HasRawText(m_tagName) ? State::RawText : State::Data;
        if (m_state == State::RawText)
            m_rawName = m_tagName;
    }

    // Whether the page at m_at holds the end tag of the raw text element.
    bool AtRawTextEnd() const
    {
        const std::size_t name = m_at + 2;
        if (m_page.compare(m_at, 2, "</") != 0 || name + m_rawName.size() >= m_page.size())
            return false;
        const char after = m_page[name + m_rawName.size()];
        return EqualsNoCase(m_page.substr(name, m_rawName.size()), m_rawName)
            && (IsHtmlSpace(after) || after == '/' || after == '>');
    }

    void Step(char c)
    {
        for (;;) {
            switch (m_state) {
            case State::Data:
                if (c == '<')
                    m_state = State::TagOpen;
                break;
            case State::RawText:
                // Marked values never hold "<", so the page's own bytes decide.
                if (c == '<' && AtRawTextEnd())
                    m_state = State::TagOpen;
                break;
            case State::TagOpen:
                if (IsAsciiAlpha(c)) {
                    m_tagName.assign(1, Lower(c));
                    m_endTag = false;
                    m_state = State::TagName;
                } else if (c == '/') {
                    m_state = State::EndTagOpen;
                } else if (c == '!') {
                    m_dashes = 0;
                    m_state = State::MarkupDeclaration;
                } else if (c == '?') {
                    m_state = State::BogusComment;
                } else {
                    m_state = State::Data;
                    continue;
                }
                break;
            case State::EndTagOpen:
                if (IsAsciiAlpha(c)) {
                    m_tagName.assign(1, Lower(c));
                    m_endTag = true;
                    m_state = State::TagName;
                } else {
                    m_state = c == '>' ? State::Data : State::BogusComment;
                }
                break;
            case State::TagName:
                if (IsHtmlSpace(c))
                    m_state = State::BeforeAttrName;
                else if (c == '/')
                    m_state = State::SelfClosing;
                else if (c == '>')
                    EndTag();
                else
                    m_tagName += Lower(c);
                break;
            case State::BeforeAttrName:
                if (IsHtmlSpace(c))
                    break;
                if (c == '/') {
                    m_state = State::SelfClosing;
                } else if (c == '>') {
                    EndTag();
                } else {
                    StartAttribute();
                    m_attrName += Lower(c);
                    m_state = State::AttrName;
                }
                break;
            case State::AttrName:
                if (IsHtmlSpace(c))
                    m_state = State::AfterAttrName;
                else if (c == '/')
                    m_state = State::SelfClosing;
                else if (c == '=')
                    m_state = State::BeforeAttrValue;
                else if (c == '>')
                    EndTag();
                else
                    m_attrName += Lower(c);
                break;
            case State::AfterAttrName:
                if (IsHtmlSpace(c))
                    break;
                if (c == '/') {
                    m_state = State::SelfClosing;
                } else if (c == '=') {
                    m_state = State::BeforeAttrValue;
                } else if (c == '>') {
                    EndTag();
                } else {
                    StartAttribute();
                    m_state = State::AttrName;
                    continue;
                }
                break;
            case State::BeforeAttrValue:
                if (IsHtmlSpace(c))
                    break;
                if (c == '"' || c == '\'') {
                    m_out += c;
                    m_state = c == '"' ? State::AttrValueDoubleQuoted : State::AttrValueSingleQuoted;
                    BeginValue();
                    return;
                }
                if (c == '>') {
                    EndTag();
                } else {
                    m_state = State::AttrValueUnquoted;
                    BeginValue();
                    continue;
                }
                break;
            case State::AttrValueDoubleQuoted:
            case State::AttrValueSingleQuoted:
                if (c == (m_state == State::AttrValueDoubleQuoted ? '"' : '\'')) {
                    EndValue();
                    m_state = State::AfterAttrValue;
                }
                break;
            case State::AttrValueUnquoted:
                if (IsHtmlSpace(c)) {
                    EndValue();
                    m_state = State::BeforeAttrName;
                } else if (c == '>') {
                    EndValue();
                    EndTag();
                }
                break;
            case State::AfterAttrValue:
                if (IsHtmlSpace(c)) {
                    m_state = State::BeforeAttrName;
                } else if (c == '/') {
                    m_state = State::SelfClosing;
                } else if (c == '>') {
                    EndTag();
                } else {
                    m_state = State::BeforeAttrName;
                    continue;
                }
                break;
            case State::SelfClosing:
                if (c == '>') {
                    EndTag();
                } else {
                    m_state = State::BeforeAttrName;
                    continue;
                }
                break;
            case State::MarkupDeclaration:
                if (c == '-' && ++m_dashes == 2) {
                    // "<!-->" and "<!--->" are whole comments already.
                    m_state = State::Comment;
                } else if (c != '-') {
                    m_state = State::BogusComment;
                    continue;
                }
                break;
            case State::Comment:
                if (c == '>' && m_dashes >= 2)
                    m_state = State::Data;
                else
                    m_dashes = c == '-' ? m_dashes + 1 : 0;
                break;
            case State::BogusComment:
                if (c == '>')
                    m_state = State::Data;
                break;
            }
            m_out += c;
            return;
        }
    }

    std::string_view m_page;
    std::size_t m_at = 0;
    CString m_out;
    State m_state = State::Data;
    CString m_tagName;
    bool m_endTag = false;
    CString m_rawName;
    CString m_attrName;
    std::size_t m_valueStart = CString::npos;
    bool m_valueMarked = false;
    int m_dashes = 0;
};

} // namespace

CString CHtmlValueEscaper::Mark(const CString& escapedValue)
{
    if (escapedValue.empty())
        return escapedValue;
    CString value = escapedValue;
    StripMarks(value);
    return MARK_BEGIN + value + MARK_END;
}

void CHtmlValueEscaper::StripMarks(CString& text)
{
    if (text.find_first_of("\x01\x02") == CString::npos)
        return;
    std::erase_if(text, [](char c) { return c == MARK_BEGIN || c == MARK_END; });
}

CString CHtmlValueEscaper::Finish(const CString& page)
{
    if (page.find(MARK_BEGIN) == CString::npos)
        return page;
    return CPageReader(page).Read();
}

bool CHtmlValueEscaper::IsSafeAddress(const CString& address)
{
    std::size_t unknownAt = 0;
    const CString decoded = DecodeReferences(address, unknownAt);
    // As a browser reads an address: blanks and control characters at
    // either end go, tabs and line breaks anywhere.
    std::size_t begin = 0;
    std::size_t end = decoded.size();
    while (begin < end && static_cast<unsigned char>(decoded[begin]) <= 0x20)
        ++begin;
    while (end > begin && static_cast<unsigned char>(decoded[end - 1]) <= 0x20)
        --end;
    CString url;
    std::size_t unknown = CString::npos;
    for (std::size_t i = begin; i < end; ++i) {
        if (i == unknownAt)
            unknown = url.size();
        if (decoded[i] != '\t' && decoded[i] != '\n' && decoded[i] != '\r')
            url += decoded[i];
    }
    if (url.empty() || !IsAsciiAlpha(url[0]))
        return true;
    std::size_t colon = 1;
    while (
        colon < url.size() && (IsAsciiAlnum(url[colon]) || url[colon] == '+' || url[colon] == '-' || url[colon] == '.'))
        ++colon;
    if (colon == url.size() || url[colon] != ':')
        // Relative, unless a reference this reader does not know goes on
        // with the scheme.
        return colon != unknown;
    CString scheme = url.substr(0, colon);
    for (char& c : scheme)
        c = Lower(c);
    return scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto" || scheme == "file";
}
