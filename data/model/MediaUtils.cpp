#include "data/model/MediaUtils.h"

#include <climits>
#include <cstdint>
#include <exception>
#include <unordered_map>

#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaSubItem.h"
#include "platform/util/AppLogger.h"
#include "platform/util/Archive.h"
#include "platform/util/LocaleUtils.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

namespace {

using MU = CMediaUtils;

enum SubItemKind { subNone, subShared, subAlways };

struct DataPropRow {
    const CString* name;
    const char* kinds; // letters of D Y N T X L G
    SubItemKind subItem;
};

const DataPropRow kDataProps[] = {
    { &MU::MEDIA_PROP_ARRANGER, "X", subNone },
    { &MU::MEDIA_PROP_ARTICLESCOUNT, "DNG", subNone },
    { &MU::MEDIA_PROP_ARTIST, "X", subNone },
    { &MU::MEDIA_PROP_AUDIO_BASSCHANNEL, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_DOLBYDIGITAL, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_DOLBYDIGITALEX, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_DOLBYDIGITALPLUS, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_DOLBYSURROUND, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_DOLBYTRUEHD, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_DTS, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_DTSES, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_DTSHD, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_DTSHSMASTERAUDIO, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_FULLCHANNELS, "NL", subNone },
    { &MU::MEDIA_PROP_AUDIO_HDCD, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_MONO, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_QUADRAPHONIC, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_SACD, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_STEREO, "Y", subNone },
    { &MU::MEDIA_PROP_AUDIO_THX, "Y", subNone },
    { &MU::MEDIA_PROP_AUTHOR, "X", subShared },
    { &MU::MEDIA_PROP_CATEGORY, "XL", subShared },
    { &MU::MEDIA_PROP_CATEGORYDESC, "X", subShared },
    { &MU::MEDIA_PROP_CDSINGLE, "Y", subNone },
    { &MU::MEDIA_PROP_CHAPTER, "N", subAlways },
    { &MU::MEDIA_PROP_CHAPTERCOUNT, "DNG", subNone },
    { &MU::MEDIA_PROP_CHAPTERDESC, "X", subAlways },
    { &MU::MEDIA_PROP_CHAPTERTITLE, "X", subAlways },
    { &MU::MEDIA_PROP_COAUTHOR, "X", subNone },
    { &MU::MEDIA_PROP_COMPOSER, "X", subNone },
    { &MU::MEDIA_PROP_CONSOLE, "L", subNone },
    { &MU::MEDIA_PROP_COSTAR, "X", subNone },
    { &MU::MEDIA_PROP_COSTATUS, "DLG", subNone },
    { &MU::MEDIA_PROP_COTIMES, "DNG", subNone },
    { &MU::MEDIA_PROP_COUNTER, "X", subAlways },
    { &MU::MEDIA_PROP_DATEACQ, "T", subNone },
    { &MU::MEDIA_PROP_DESCRIPTION, "X", subShared },
    { &MU::MEDIA_PROP_DIRECTOR, "X", subNone },
    { &MU::MEDIA_PROP_DISCNUMBER, "NLG", subAlways },
    { &MU::MEDIA_PROP_DISCS, "NG", subNone },
    { &MU::MEDIA_PROP_DISTMEDIA, "L", subNone },
    { &MU::MEDIA_PROP_EDITION, "X", subNone },
    { &MU::MEDIA_PROP_EFILEURL, "X", subNone },
    { &MU::MEDIA_PROP_ENHANCEDCD, "Y", subNone },
    { &MU::MEDIA_PROP_GAMENUMBER, "X", subNone },
    { &MU::MEDIA_PROP_HARDCOVER, "Y", subNone },
    { &MU::MEDIA_PROP_HINTS, "X", subNone },
    { &MU::MEDIA_PROP_INSTRUMENTATION, "X", subNone },
    { &MU::MEDIA_PROP_ISBN, "X", subNone },
    { &MU::MEDIA_PROP_JACKETNUMBER, "X", subNone },
    { &MU::MEDIA_PROP_LEADACTOR, "X", subNone },
    { &MU::MEDIA_PROP_LENGTH, "X", subNone },
    { &MU::MEDIA_PROP_LIBRARYID, "X", subNone },
    { &MU::MEDIA_PROP_LOCATION, "X", subNone },
    { &MU::MEDIA_PROP_MAGAZINE, "XLG", subNone },
    { &MU::MEDIA_PROP_MAGISSUE, "X", subNone },
    { &MU::MEDIA_PROP_MANUFACTURER, "X", subNone },
    { &MU::MEDIA_PROP_MEDIA, "DXG", subNone },
    { &MU::MEDIA_PROP_MEDIASIZE, "N", subNone },
    { &MU::MEDIA_PROP_MUSICBY, "X", subNone },
    { &MU::MEDIA_PROP_ONLINEURL, "X", subNone },
    { &MU::MEDIA_PROP_PAGE, "N", subAlways },
    { &MU::MEDIA_PROP_PAGES, "N", subNone },
    { &MU::MEDIA_PROP_PANSCAN, "Y", subNone },
    { &MU::MEDIA_PROP_PASSWORD, "X", subNone },
    { &MU::MEDIA_PROP_PLAYERS, "N", subNone },
    { &MU::MEDIA_PROP_PRICE, "N", subNone },
    { &MU::MEDIA_PROP_PUBLISHER, "XLG", subNone },
    { &MU::MEDIA_PROP_PUBLISHERADDRESS, "XG", subNone },
    { &MU::MEDIA_PROP_PUBLISHEREMAIL, "XG", subNone },
    { &MU::MEDIA_PROP_PUBLISHERPHONE, "XG", subNone },
    { &MU::MEDIA_PROP_PUBLISHERURL, "XG", subNone },
    { &MU::MEDIA_PROP_RECDATE, "T", subAlways },
    { &MU::MEDIA_PROP_RECSOURCE, "XL", subAlways },
    { &MU::MEDIA_PROP_REGION, "N", subNone },
    { &MU::MEDIA_PROP_REPORTIMAGEFILE, "XG", subNone },
    { &MU::MEDIA_PROP_REPORTIMAGEHEIGHT, "NG", subNone },
    { &MU::MEDIA_PROP_REPORTIMAGEWIDTH, "NG", subNone },
    { &MU::MEDIA_PROP_SERIALNUMBER, "X", subNone },
    { &MU::MEDIA_PROP_SERIESNUMBER, "X", subShared },
    { &MU::MEDIA_PROP_SFALTEND, "Y", subNone },
    { &MU::MEDIA_PROP_SFBEHIND, "Y", subNone },
    { &MU::MEDIA_PROP_SFBIOS, "Y", subNone },
    { &MU::MEDIA_PROP_SFCOMMENTARY, "Y", subNone },
    { &MU::MEDIA_PROP_SFDELETED, "Y", subNone },
    { &MU::MEDIA_PROP_SFGAME, "Y", subNone },
    { &MU::MEDIA_PROP_SFMAKINGOF, "Y", subNone },
    { &MU::MEDIA_PROP_SFMULTIANGLE, "Y", subNone },
    { &MU::MEDIA_PROP_SFMUSICTRACK, "Y", subNone },
    { &MU::MEDIA_PROP_SFMUSICVIDEO, "Y", subNone },
    { &MU::MEDIA_PROP_SFOUTTAKES, "Y", subNone },
    { &MU::MEDIA_PROP_SFPHOTOS, "Y", subNone },
    { &MU::MEDIA_PROP_SFSUBTITLES, "Y", subNone },
    { &MU::MEDIA_PROP_SFTRAILER, "Y", subNone },
    { &MU::MEDIA_PROP_SFWEBLINKS, "Y", subNone },
    { &MU::MEDIA_PROP_SIDE, "L", subAlways },
    { &MU::MEDIA_PROP_SPEED, "NL", subNone },
    { &MU::MEDIA_PROP_SUBSCRIPTION, "YG", subNone },
    { &MU::MEDIA_PROP_SUBSCRIPTIONCOST, "NG", subNone },
    { &MU::MEDIA_PROP_SUBSCRIPTIONEXP, "XG", subNone },
    { &MU::MEDIA_PROP_SUBSCRIPTIONNUMBER, "XG", subNone },
    { &MU::MEDIA_PROP_SUBTITLE, "X", subShared },
    { &MU::MEDIA_PROP_TAPEWIDTH, "XL", subNone },
    { &MU::MEDIA_PROP_TITLE, "X", subShared },
    { &MU::MEDIA_PROP_TRACKCOUNT, "DN", subNone },
    { &MU::MEDIA_PROP_TRACKLENGTH, "X", subAlways },
    { &MU::MEDIA_PROP_TRACKNUMBER, "N", subAlways },
    { &MU::MEDIA_PROP_TRACKTITLE, "X", subAlways },
    { &MU::MEDIA_PROP_TYPE, "XL", subNone },
    { &MU::MEDIA_PROP_VERSION, "X", subNone },
    { &MU::MEDIA_PROP_WIDESCREEN, "Y", subNone },
    { &MU::MEDIA_PROP_WORDSBY, "X", subNone },
    { &MU::MEDIA_PROP_YEAR, "N", subNone },
};
static_assert(std::size(kDataProps) == 113);

const DataPropRow* FindDataProp(const CString& prop)
{
    static const std::unordered_map<CString, const DataPropRow*> index = [] {
        std::unordered_map<CString, const DataPropRow*> map;
        for (const DataPropRow& row : kDataProps)
            map.emplace(*row.name, &row);
        return map;
    }();
    auto it = index.find(prop);
    return it == index.end() ? nullptr : it->second;
}

bool Contains(const CString& text, const char* what)
{
    return text.find(what) != CString::npos;
}

CString TwoDigits(int value)
{
    return CNumberTextConv::NumberToString(value, 2, "0", false);
}

CString Plain(int value)
{
    return CNumberTextConv::NumberToString(value, 0, "", false);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsSeriesNumberChar(char c)
{
    return IsDigit(c) || c == '.' || c == ',' || c == '-';
}

} // namespace

CString CMediaUtils::GetMediaNameSingular(int id)
{
    const CMediaTypeInfo* info = CMediaRegistry::Find(id);
    return info ? info->singular : CString();
}

CString CMediaUtils::GetMediaNamePlural(int id)
{
    const CMediaTypeInfo* info = CMediaRegistry::Find(id);
    return info ? info->plural : CString();
}

CString CMediaUtils::GetMediaNameAbbrv(int id)
{
    const CMediaTypeInfo* info = CMediaRegistry::Find(id);
    if (!info)
        return CString();
    return info->abbreviation ? CString(info->abbreviation) : info->plural;
}

int CMediaUtils::GetMediaID(const CString& name)
{
    const CString text = CStringUtils::ToLower(name);
    const bool rec = Contains(text, "rec");
    if (Contains(text, "cd"))
        return rec ? MEDIA_CDREC : MEDIA_CD;
    if (Contains(text, "hd dvd") || Contains(text, "hddvd"))
        return rec ? MEDIA_HDDVDREC : MEDIA_HDDVD;
    if (Contains(text, "dvd")) {
        if (Contains(text, "audio"))
            return rec ? MEDIA_DVDAUDIOREC : MEDIA_DVDAUDIO;
        return rec ? MEDIA_DVDREC : MEDIA_DVD;
    }
    if (Contains(text, "blu-ray") || Contains(text, "bluray"))
        return rec ? MEDIA_BLURAYREC : MEDIA_BLURAY;
    static const struct {
        const char* word;
        int id;
    } kWords[] = { { "8", MEDIA_8TRACK }, { "dat", MEDIA_DAT }, { "dual", MEDIA_DUALDISC }, { "book", MEDIA_BOOK },
        { "cass", MEDIA_CASSETTE }, { "laser", MEDIA_LASERDISC }, { "mag", MEDIA_MAGAZINE }, { "mini", MEDIA_MINIDISC },
        { "album", MEDIA_RECORDALBUM }, { "sheet", MEDIA_SHEETMUSIC }, { "soft", MEDIA_SOFTWARE },
        { "reel", MEDIA_REELTOREEL }, { "game", MEDIA_VIDEOGAME }, { "video", MEDIA_VIDEOTAPE } };
    for (const auto& entry : kWords)
        if (Contains(text, entry.word))
            return entry.id;
    return 0;
}

int CMediaUtils::GetItemMediaID(const CItem* item)
{
    if (!item)
        return 0;
    try {
        // 0: neither a medium nor a part of one.
        const int id = item->GetMediaType();
        // A class reporting an id outside the table is as broken as one whose type cannot be read.
        if (id == 0 || IsValidMediaID(id))
            return id;
    } catch (...) {
    }
    VemoLog("{4F5E0705-2B56-4B23-A950-A155B5052C5C}");
    return 0;
}

namespace {

bool InGroup(int id, CMediaGroup group, bool* recordable)
{
    if (recordable)
        *recordable = false;
    const CMediaTypeInfo* info = CMediaRegistry::Find(id);
    if (!info || info->group != group)
        return false;
    if (recordable)
        *recordable = info->recordable;
    return true;
}

} // namespace

bool CMediaUtils::IsMediaTypeAudio(int id, bool& recordable)
{
    return InGroup(id, CMediaGroup::audio, &recordable);
}

bool CMediaUtils::IsMediaTypeVideo(int id, bool& recordable)
{
    return InGroup(id, CMediaGroup::video, &recordable);
}

bool CMediaUtils::IsMediaTypePrint(int id)
{
    return InGroup(id, CMediaGroup::print, nullptr);
}

bool CMediaUtils::IsMediaTypeOther(int id)
{
    return InGroup(id, CMediaGroup::other, nullptr);
}

void CMediaUtils::GetAlphaOrderedMediaIDs(CUIntArray& ids)
{
    for (UINT id : CMediaRegistry::GetAlphaOrderedIDs())
        ids.Add(id);
}

const CStringArray& CMediaUtils::GetAllDataProps()
{
    static const CStringArray props = [] {
        CStringArray all;
        for (const DataPropRow& row : kDataProps)
            all.Add(*row.name);
        return all;
    }();
    return props;
}

bool CMediaUtils::IsDataProp(const CString& prop)
{
    return FindDataProp(prop) != nullptr;
}

void CMediaUtils::ClassifyDataProp(
    const CString& prop, bool& derived, bool& yesNo, bool& number, bool& date, bool& text, bool& list, bool& noGridEdit)
{
    derived = yesNo = number = date = text = list = noGridEdit = false;
    const DataPropRow* row = FindDataProp(prop);
    if (!row)
        return;
    for (const char* kind = row->kinds; *kind; ++kind) {
        switch (*kind) {
        case 'D':
            derived = true;
            break;
        case 'Y':
            yesNo = true;
            break;
        case 'N':
            number = true;
            break;
        case 'T':
            date = true;
            break;
        case 'X':
            text = true;
            break;
        case 'L':
            list = true;
            break;
        case 'G':
            noGridEdit = true;
            break;
        }
    }
}

bool CMediaUtils::IsDataPropSubItemProp(const CString& prop, bool includeShared)
{
    if (prop.empty())
        return false;
    const DataPropRow* row = FindDataProp(prop);
    if (!row)
        return false;
    return row->subItem == subAlways || (includeShared && row->subItem == subShared);
}

void CMediaUtils::ConvertToHHMMSS(int secs, int& h, int& m, int& s)
{
    h = secs / 3600;
    m = (secs - h * 3600) / 60;
    s = secs - (h * 60 + m) * 60;
}

void CMediaUtils::ConvertToHHMM(int secs, int& h, int& m)
{
    h = secs / 3600;
    m = (secs - h * 3600) / 60;
}

void CMediaUtils::ConvertToMMSS(int secs, int& m, int& s)
{
    m = secs / 60;
    s = secs - m * 60;
}

void CMediaUtils::ConvertToMM(int secs, int& m)
{
    m = secs / 60;
}

CString CMediaUtils::ConvertToHHMMSS(int secs)
{
    int h = 0;
    int m = 0;
    int s = 0;
    ConvertToHHMMSS(secs, h, m, s);
    if (h >= 1)
        return Plain(h) + ":" + TwoDigits(m) + ":" + TwoDigits(s);
    if (m >= 1)
        return TwoDigits(m) + ":" + TwoDigits(s);
    return "00:" + TwoDigits(s);
}

CString CMediaUtils::ConvertToHHMM(int secs)
{
    int h = 0;
    int m = 0;
    ConvertToHHMM(secs, h, m);
    if (h >= 1)
        return Plain(h) + ":" + TwoDigits(m);
    return "0:" + TwoDigits(m);
}

CString CMediaUtils::ConvertToMMSS(int secs)
{
    int m = 0;
    int s = 0;
    ConvertToMMSS(secs, m, s);
    if (m >= 1)
        return TwoDigits(m) + ":" + TwoDigits(s);
    return "00:" + TwoDigits(s);
}

CString CMediaUtils::ConvertToMM(int secs)
{
    int m = 0;
    ConvertToMM(secs, m);
    return Plain(m);
}

int CMediaUtils::ConvertFromTime(const CString& text, bool* adjusted)
{
    if (adjusted)
        *adjusted = false;
    if (text.empty())
        return 0;

    CString normalised = text;
    CStringUtils::Replace(normalised, ".", ":");
    CStringUtils::Replace(normalised, ",", ":");
    const CString separator = CLocaleUtils::GetTimeSeparator();
    if (!separator.empty() && separator != ":")
        CStringUtils::Replace(normalised, separator, ":");

    CStringArray parts;
    CStringUtils::SplitLine(normalised, ":", parts);

    // Seconds, minutes, hours from the right; parts further left are ignored.
    std::int64_t values[3] = { 0, 0, 0 };
    const INT_PTR count = parts.GetSize();
    for (int unit = 0; unit < 3 && unit < count; ++unit) {
        const INT_PTR index = count - 1 - unit;
        std::int64_t value = CNumberTextConv::GetNumberFromString(parts.GetAt(index));
        if (unit < 2) {
            if (value < 0) {
                value = -value;
                if (adjusted)
                    *adjusted = true;
            }
            // The leftmost part may run past 59 (90 alone is 90 seconds).
            if (value >= 60 && index > 0) {
                value = 59;
                if (adjusted)
                    *adjusted = true;
            }
        }
        values[unit] = value;
    }
    // Saturate rather than overflow for absurd hour counts.
    const std::int64_t total = values[0] + 60 * values[1] + 3600 * values[2];
    if (total > INT_MAX)
        return INT_MAX;
    if (total < INT_MIN)
        return INT_MIN;
    return static_cast<int>(total);
}

bool CMediaUtils::GetSeriesNumberValue(const CString& text, double& number)
{
    if (text.empty())
        return false;
    CString run;
    if (IsDigit(text.back())) {
        std::size_t start = text.size();
        while (start > 0 && IsSeriesNumberChar(text[start - 1]))
            --start;
        run = text.substr(start);
    } else if (IsDigit(text.front())) {
        std::size_t end = 0;
        while (end < text.size() && IsSeriesNumberChar(text[end]))
            ++end;
        run = text.substr(0, end);
    } else {
        return false;
    }
    number = CNumberTextConv::GetDoubleFromString(run);
    return true;
}

int CMediaUtils::CompareSeriesNumbers(const CString& a, const CString& b)
{
    if (a.empty())
        return b.empty() ? 0 : -1;
    if (b.empty())
        return 1;
    double numberA = 0.0;
    double numberB = 0.0;
    if (!GetSeriesNumberValue(a, numberA) || !GetSeriesNumberValue(b, numberB))
        return CStringUtils::CompareNoCase(a, b);
    if (numberA < numberB)
        return -1;
    if (numberA > numberB)
        return 1;
    return CStringUtils::CompareNoCase(a, b);
}

bool CMediaUtils::IsYes(const CString& text)
{
    return text.find_first_of("Yy1Tt") != CString::npos;
}

void CMediaUtils::Serialize(CArchive& ar, bool& value)
{
    if (ar.IsStoring())
        ar.WriteWord(value ? 1 : 0);
    else
        value = ar.ReadWord() == 1;
}
