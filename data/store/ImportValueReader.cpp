#include "data/store/ImportValueReader.h"

#include <algorithm>
#include <cctype>

#include "data/model/MediaUtils.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/OleDateTime.h"
#include "platform/util/StringUtils.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool HasDigit(const CString& text)
{
    return std::any_of(text.begin(), text.end(), IsDigit);
}

// Properties whose numbers carry a fraction.
bool IsMoney(const CString& prop)
{
    return prop == CMediaUtils::MEDIA_PROP_PRICE || prop == CMediaUtils::MEDIA_PROP_SUBSCRIPTIONCOST;
}

// The cell without a spreadsheet's ="..." guard.
std::string_view UnguardedView(std::string_view cell)
{
    const std::size_t first = cell.find_first_not_of(" \t\n\r\v\f");
    const std::size_t last = cell.find_last_not_of(" \t\n\r\v\f");
    if (first != std::string_view::npos && last >= first + 2 && cell[first] == '=' && cell[first + 1] == '"'
        && cell[last] == '"')
        return cell.substr(first + 2, last - first - 2);
    return cell;
}

CString Quoted(const CString& text)
{
    return "\"" + text + "\"";
}

} // namespace

CString CImportValueReader::Unguard(const CString& cell)
{
    return CString(UnguardedView(cell));
}

bool CImportValueReader::ReadYesNo(const CString& text, bool cover, bool& value)
{
    static const char* const yes[] = { "y", "yes", "true", "1", "x" };
    static const char* const no[] = { "n", "no", "false", "0" };
    static const char* const hard[] = { "hardcover", "hardback", "hard cover", "library binding" };
    static const char* const soft[]
        = { "paperback", "softcover", "soft cover", "mass market paperback", "trade paperback" };
    const CString word = CStringUtils::ToLower(CStringUtils::Trim(text));
    auto in = [&word](const auto& words) {
        return std::any_of(std::begin(words), std::end(words), [&word](const char* w) { return word == w; });
    };
    if (in(yes) || (cover && in(hard))) {
        value = true;
        return true;
    }
    if (in(no) || (cover && in(soft))) {
        value = false;
        return true;
    }
    return false;
}

bool CImportValueReader::ReadDecimal(const CString& text, CString& number)
{
    // The number starts at the first digit, or a sign or point just before it.
    std::size_t start = 0;
    while (start < text.size() && !IsDigit(text[start]))
        ++start;
    if (start == text.size())
        return false;
    if (start > 0 && text[start - 1] == '.')
        --start;
    if (start > 0 && text[start - 1] == '-')
        --start;
    CString body;
    for (std::size_t i = start;
         i < text.size() && (IsDigit(text[i]) || text[i] == ',' || text[i] == '.' || (i == start && text[i] == '-'));
         ++i)
        body += text[i];
    const std::size_t comma = body.find(',');
    const bool decimalComma = comma != CString::npos && body.find(',', comma + 1) == CString::npos
        && body.find('.') == CString::npos && body.size() - comma - 1 >= 1 && body.size() - comma - 1 <= 2;
    if (decimalComma)
        body[comma] = '.';
    else
        body.erase(std::remove(body.begin(), body.end(), ','), body.end());
    number = body;
    return true;
}

CImportValueReader::Kind CImportValueReader::KindOf(const CString& prop)
{
    bool derived = false, yesNo = false, number = false, date = false, text = false, list = false, noGrid = false;
    CMediaUtils::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGrid);
    if (yesNo)
        return prop == CMediaUtils::MEDIA_PROP_HARDCOVER ? Kind::cover : Kind::yesNo;
    if (date)
        return Kind::date;
    if (number && !list)
        return IsMoney(prop) ? Kind::money : Kind::number;
    return Kind::text;
}

CImportValueReader::CValue CImportValueReader::Read(const CString& prop, const CString& cell)
{
    return Read(KindOf(prop), cell);
}

CImportValueReader::CValue CImportValueReader::Read(Kind kind, const CString& cell)
{
    CValue value;
    Read(kind, cell, value.text, value.problem);
    return value;
}

bool CImportValueReader::Read(Kind kind, std::string_view cell, CString& text, CString& problem)
{
    text.assign(UnguardedView(cell));
    switch (kind) {
    case Kind::text:
        break;
    case Kind::yesNo:
    case Kind::cover: {
        bool yes = false;
        if (ReadYesNo(text, kind == Kind::cover, yes))
            text = yes ? "Y" : "N";
        else
            problem = Quoted(text) + " is not a yes/no value";
        break;
    }
    case Kind::date: {
        COleDateTime when;
        if (!CDateTimeUtils::ConvertDateNumbers(text, when))
            problem = Quoted(text) + " is not a date (write it as YYYY-MM-DD)";
        break;
    }
    case Kind::number:
    case Kind::money: {
        CString read;
        if (!ReadDecimal(text, read))
            problem = Quoted(text) + " is not a number";
        else if (kind == Kind::money)
            text = read;
        else if (read.find('.') == CString::npos && HasDigit(text)
            && text.find_first_not_of("0123456789,- ") == CString::npos)
            // "1,250" pages is 1250; a text with words ("c. 1984") stays for the item to read.
            text = read;
        break;
    }
    }
    return problem.empty();
}
