#include "net/lookup/ProductCodes.h"

namespace {

bool AllDigits(const CString& text, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

// The GS1 check digit: weights 3 and 1 from the right of the payload.
char Gs1CheckDigit(const CString& payload, std::size_t length)
{
    if (payload.size() != length || !AllDigits(payload, 0, length))
        return 0;
    int sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const int digit = payload[length - 1 - i] - '0';
        sum += i % 2 == 0 ? digit * 3 : digit;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

bool EndsWithCheck(const CString& text, std::size_t length, char check)
{
    return text.size() == length && check != 0 && text.back() == check;
}

} // namespace

CString CProductCodes::Normalize(const CString& text)
{
    CString code;
    for (char c : text) {
        if (c == ' ' || c == '-' || c == '\t')
            continue;
        if (c == 'x')
            c = 'X';
        if ((c < '0' || c > '9') && c != 'X')
            return CString();
        code += c;
    }
    // Only an ISBN-10 has a letter, and only as its last character.
    const std::size_t x = code.find('X');
    if (x != CString::npos && (x != code.size() - 1 || code.size() != 10))
        return CString();
    return code;
}

CProductCodes::EKind CProductCodes::Classify(const CString& text)
{
    const CString code = Normalize(text);
    if (IsValidISBN10(code))
        return ISBN10;
    if (IsValidISBN13(code))
        return ISBN13;
    if (IsValidEAN13(code))
        return EAN13;
    if (IsValidUPCA(code))
        return UPCA;
    return NONE;
}

char CProductCodes::ISBN10CheckDigit(const CString& first9)
{
    if (first9.size() != 9 || !AllDigits(first9, 0, 9))
        return 0;
    int sum = 0;
    for (std::size_t i = 0; i < 9; ++i)
        sum += static_cast<int>(10 - i) * (first9[i] - '0');
    const int check = (11 - sum % 11) % 11;
    return check == 10 ? 'X' : static_cast<char>('0' + check);
}

char CProductCodes::EAN13CheckDigit(const CString& first12)
{
    return Gs1CheckDigit(first12, 12);
}

char CProductCodes::UPCACheckDigit(const CString& first11)
{
    return Gs1CheckDigit(first11, 11);
}

bool CProductCodes::IsValidISBN10(const CString& text)
{
    const CString code = Normalize(text);
    return code.size() == 10 && EndsWithCheck(code, 10, ISBN10CheckDigit(code.substr(0, 9)));
}

bool CProductCodes::IsValidEAN13(const CString& text)
{
    const CString code = Normalize(text);
    return code.size() == 13 && EndsWithCheck(code, 13, EAN13CheckDigit(code.substr(0, 12)));
}

bool CProductCodes::IsValidISBN13(const CString& text)
{
    const CString code = Normalize(text);
    return IsValidEAN13(code) && (code.compare(0, 3, "978") == 0 || code.compare(0, 3, "979") == 0);
}

bool CProductCodes::IsValidUPCA(const CString& text)
{
    const CString code = Normalize(text);
    return code.size() == 12 && EndsWithCheck(code, 12, UPCACheckDigit(code.substr(0, 11)));
}

CString CProductCodes::ISBN10To13(const CString& isbn10)
{
    if (!IsValidISBN10(isbn10))
        return CString();
    const CString payload = "978" + Normalize(isbn10).substr(0, 9);
    return payload + EAN13CheckDigit(payload);
}

CString CProductCodes::ISBN13To10(const CString& isbn13)
{
    const CString code = Normalize(isbn13);
    if (!IsValidISBN13(code) || code.compare(0, 3, "978") != 0)
        return CString();
    const CString payload = code.substr(3, 9);
    return payload + ISBN10CheckDigit(payload);
}

CString CProductCodes::ToISBN13(const CString& text)
{
    if (IsValidISBN13(text))
        return Normalize(text);
    return ISBN10To13(text);
}

CString CProductCodes::ToEAN13(const CString& text)
{
    if (IsValidEAN13(text))
        return Normalize(text);
    if (IsValidUPCA(text))
        return "0" + Normalize(text);
    return CString();
}
