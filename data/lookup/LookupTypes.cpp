#include "data/lookup/LookupTypes.h"

#include <cstring>

#include "data/model/AudioTrackMedia.h"
#include "data/model/Book.h"
#include "data/model/MediaUtils.h"
#include "net/lookup/ProductCodes.h"
#include "platform/util/StringUtils.h"

using U = CMediaUtils;

CString CLookupQuery::Describe() const
{
    switch (kind) {
    case ISBN:
        return "ISBN " + text;
    case BARCODE:
        return "barcode " + text;
    case CATALOG_NUMBER:
        return "catalogue number " + text;
    case TITLE:
        break;
    }
    return "title \"" + text + "\"";
}

CLookupQuery CLookupQuery::FromText(const CString& text, int mediaType, bool catalogNumberField)
{
    CLookupQuery query;
    query.mediaType = mediaType;
    query.text = CStringUtils::Trim(text);
    const CProductCodes::EKind code = CProductCodes::Classify(query.text);
    if (code == CProductCodes::ISBN10 || (code == CProductCodes::ISBN13 && CLookupMedia::IsBook(mediaType))) {
        query.kind = ISBN;
        query.text = CProductCodes::Normalize(query.text);
    } else if (code != CProductCodes::NONE) {
        query.kind = BARCODE;
        query.text = CProductCodes::Normalize(query.text);
    } else {
        query.kind = catalogNumberField ? CATALOG_NUMBER : TITLE;
    }
    return query;
}

bool CLookupQuery::FromItem(const CMediaItem& item, CLookupQuery& query)
{
    CString text;
    if (const auto* book = dynamic_cast<const CBook*>(&item))
        text = book->GetISBN();
    else if (const auto* audio = dynamic_cast<const CAudioTrackMedia*>(&item))
        text = audio->GetJacketNumber();
    if (CProductCodes::Classify(text) == CProductCodes::NONE)
        return false;
    query = FromText(text, item.GetMediaType());
    return true;
}

bool CLookupMedia::IsBook(int mediaType)
{
    return mediaType == U::MEDIA_BOOK;
}

bool CLookupMedia::IsMusic(int mediaType)
{
    bool recordable = false;
    return U::IsMediaTypeAudio(mediaType, recordable) && !recordable;
}

bool CLookupMedia::IsFilm(int mediaType)
{
    bool recordable = false;
    return U::IsMediaTypeVideo(mediaType, recordable) && !recordable;
}

CString CLookupCandidate::Value(const CString& prop) const
{
    const CString* value = values.PLookup(prop);
    return value ? *value : CString();
}

CString CLookupCandidate::Describe() const
{
    CString line = Value(U::MEDIA_PROP_TITLE);
    CString people;
    for (const CString* prop : { &U::MEDIA_PROP_AUTHOR, &U::MEDIA_PROP_ARTIST, &U::MEDIA_PROP_DIRECTOR }) {
        if (!Value(*prop).empty()) {
            people = Value(*prop);
            break;
        }
    }
    if (!people.empty())
        line += " - " + people;
    CStringArray details;
    for (const CString& detail : { Value(U::MEDIA_PROP_YEAR), Value(U::MEDIA_PROP_PUBLISHER), format })
        if (!detail.empty())
            details.Add(detail);
    if (details.GetSize() > 0) {
        line += " (";
        for (INT_PTR i = 0; i < details.GetSize(); ++i)
            line += (i ? ", " : "") + details[i];
        line += ")";
    }
    return line + " [" + sourceName + "]";
}

CString CCoverImage::DetectExtension(const std::string& bytes)
{
    auto startsWith = [&](std::size_t at, const char* magic, std::size_t length) {
        return bytes.size() >= at + length && std::memcmp(bytes.data() + at, magic, length) == 0;
    };
    if (startsWith(0, "\xFF\xD8\xFF", 3))
        return "jpg";
    if (startsWith(0, "\x89PNG\r\n\x1A\n", 8))
        return "png";
    if (startsWith(0, "GIF87a", 6) || startsWith(0, "GIF89a", 6))
        return "gif";
    if (startsWith(0, "RIFF", 4) && startsWith(8, "WEBP", 4))
        return "webp";
    return CString();
}
