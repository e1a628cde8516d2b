#pragma once
// Book numbers and barcodes as a scanner or a collector types them: ISBN-10
// and ISBN-13 with their check digits and the conversion between them, and
// the EAN-13 and UPC-A retail barcodes.

#include "platform/util/VemoTypes.h"

class CProductCodes {
public:
    enum EKind { NONE, ISBN10, ISBN13, EAN13, UPCA };

    // The code without spaces and hyphens, with a final "x" upper-cased;
    // "" when anything else is in it.
    static CString Normalize(const CString& text);
    // What a text is once normalised: an ISBN-13 is an EAN-13 starting with
    // 978 or 979, so it is told as ISBN13, never as EAN13.
    static EKind Classify(const CString& text);

    static bool IsValidISBN10(const CString& text);
    static bool IsValidISBN13(const CString& text);
    static bool IsValidEAN13(const CString& text);
    static bool IsValidUPCA(const CString& text);

    // The check digit of the first 9 (ISBN-10: "0".."9" or 'X'), 12 (EAN-13)
    // or 11 (UPC-A) digits; 0 when the digits are not that many.
    static char ISBN10CheckDigit(const CString& first9);
    static char EAN13CheckDigit(const CString& first12);
    static char UPCACheckDigit(const CString& first11);

    // Conversions of valid codes; "" for anything else. Only ISBN-13s that
    // start with 978 have an ISBN-10.
    static CString ISBN10To13(const CString& isbn10);
    static CString ISBN13To10(const CString& isbn13);
    // Either form to ISBN-13; "" when the text is no valid ISBN.
    static CString ToISBN13(const CString& text);
    // A UPC-A as the EAN-13 it also is (a leading 0); an EAN-13 as it is.
    static CString ToEAN13(const CString& text);
};
