#pragma once
// Media type ids and names, and the data property names: the type ids, the
// names and groups of the types (answered from the table in CMediaRegistry),
// the property vocabulary and its value kinds, the time texts of track
// lengths, the series-number order and the stored boolean encoding. Every
// member is static; the class keeps no state.

#include "platform/util/VemoTypes.h"

class CArchive;
class CItem;

class CMediaUtils {
public:
    // Nothing to copy: the class has no state.
    CMediaUtils& operator=(const CMediaUtils&) { return *this; }

    // Media type ids. They are stored in library files: never renumber.
    static constexpr int MEDIA_TYPE_IDFIRST = 1;
    static constexpr int MEDIA_TYPE_IDLAST = 24;
    static constexpr int MEDIA_BOOK = 1;
    static constexpr int MEDIA_CASSETTE = 2;
    static constexpr int MEDIA_CD = 3;
    static constexpr int MEDIA_CDREC = 4;
    static constexpr int MEDIA_DAT = 5;
    static constexpr int MEDIA_DVD = 6;
    static constexpr int MEDIA_DVDAUDIO = 7;
    static constexpr int MEDIA_DVDREC = 8;
    static constexpr int MEDIA_DVDAUDIOREC = 9;
    static constexpr int MEDIA_LASERDISC = 10;
    static constexpr int MEDIA_MAGAZINE = 11;
    static constexpr int MEDIA_MINIDISC = 12;
    static constexpr int MEDIA_RECORDALBUM = 13;
    static constexpr int MEDIA_SHEETMUSIC = 14;
    static constexpr int MEDIA_SOFTWARE = 15;
    static constexpr int MEDIA_VIDEOTAPE = 16;
    static constexpr int MEDIA_REELTOREEL = 17;
    static constexpr int MEDIA_8TRACK = 18;
    static constexpr int MEDIA_VIDEOGAME = 19;
    static constexpr int MEDIA_DUALDISC = 20;
    static constexpr int MEDIA_BLURAY = 21;
    static constexpr int MEDIA_BLURAYREC = 22;
    static constexpr int MEDIA_HDDVD = 23;
    static constexpr int MEDIA_HDDVDREC = 24;

    // Video tape formats, offered as if they were media types; an item of any
    // of them is a video tape (MEDIA_VIDEOTAPE). Names: CVideoTape::ConvertType.
    static constexpr int MEDIA_VIDEOTAPEVHS = 116; // "VHS"
    static constexpr int MEDIA_VIDEOTAPE8MM = 117; // "8mm"
    static constexpr int MEDIA_VIDEOTAPEDV = 118; // "DV"
    static constexpr int MEDIA_VIDEOTAPEVHSC = 119; // "VHS-c"
    static constexpr int MEDIA_VIDEOTAPEBETA = 120; // "Beta"
    static constexpr int MEDIA_VIDEOTAPEDVHS = 121; // "D-VHS"
    static constexpr int MEDIA_VIDEOTAPESVHS = 122; // "S-VHS"
    static constexpr int MEDIA_VIDEOTAPEMINIDV = 123; // "MiniDV"
    static constexpr int MEDIA_VIDEOTAPEDIGITALS = 124; // "Digital-S"
    static constexpr int MEDIA_VIDEOTAPEDIGITAL8 = 125; // "Digital8"
    static constexpr int MEDIA_VIDEOTAPEFORMAT_IDFIRST = MEDIA_VIDEOTAPEVHS;
    static constexpr int MEDIA_VIDEOTAPEFORMAT_IDLAST = MEDIA_VIDEOTAPEDIGITAL8;

    // Singular and plural media names (recordable plurals put the S before REC).
    static inline const CString MEDIA_DEF_BOOK = "Book";
    static inline const CString MEDIA_DEF_BOOKS = "Books";
    static inline const CString MEDIA_DEF_CASSETTE = "Cassette Tape";
    static inline const CString MEDIA_DEF_CASSETTES = "Cassette Tapes";
    static inline const CString MEDIA_DEF_CD = "CD";
    static inline const CString MEDIA_DEF_CDS = "CDs";
    static inline const CString MEDIA_DEF_CDREC = "Recordable CD";
    static inline const CString MEDIA_DEF_CDSREC = "Recordable CDs";
    static inline const CString MEDIA_DEF_DAT = "DAT Tape";
    static inline const CString MEDIA_DEF_DATS = "DAT Tapes";
    static inline const CString MEDIA_DEF_DVD = "DVD";
    static inline const CString MEDIA_DEF_DVDS = "DVDs";
    static inline const CString MEDIA_DEF_DVDAUDIO = "DVD-Audio Disc";
    static inline const CString MEDIA_DEF_DVDAUDIOS = "DVD-Audio Discs";
    static inline const CString MEDIA_DEF_DVDREC = "Recordable DVD";
    static inline const CString MEDIA_DEF_DVDSREC = "Recordable DVDs";
    static inline const CString MEDIA_DEF_DVDAUDIOREC = "Recordable DVD-Audio Disc";
    static inline const CString MEDIA_DEF_DVDAUDIOSREC = "Recordable DVD-Audio Discs";
    static inline const CString MEDIA_DEF_LASERDISC = "Laserdisc";
    static inline const CString MEDIA_DEF_LASERDISCS = "Laserdiscs";
    static inline const CString MEDIA_DEF_MAGAZINE = "Magazine";
    static inline const CString MEDIA_DEF_MAGAZINES = "Magazines";
    static inline const CString MEDIA_DEF_MINIDISC = "Minidisc";
    static inline const CString MEDIA_DEF_MINIDISCS = "Minidiscs";
    static inline const CString MEDIA_DEF_RECORDALBUM = "Record Album";
    static inline const CString MEDIA_DEF_RECORDALBUMS = "Record Albums";
    static inline const CString MEDIA_DEF_SHEETMUSIC = "Sheet Music";
    static inline const CString MEDIA_DEF_SHEETMUSICS = "Sheet Music";
    static inline const CString MEDIA_DEF_SOFTWARE = "Software";
    static inline const CString MEDIA_DEF_SOFTWARES = "Software";
    static inline const CString MEDIA_DEF_VIDEOTAPE = "Video Tape";
    static inline const CString MEDIA_DEF_VIDEOTAPES = "Video Tapes";
    static inline const CString MEDIA_DEF_REELTOREEL = "Reel-to-Reel Tape";
    static inline const CString MEDIA_DEF_REELTOREELS = "Reel-to-Reel Tapes";
    static inline const CString MEDIA_DEF_8TRACK = "8-Track Cartridge";
    static inline const CString MEDIA_DEF_8TRACKS = "8-Track Cartridges";
    static inline const CString MEDIA_DEF_VIDEOGAME = "Video Game";
    static inline const CString MEDIA_DEF_VIDEOGAMES = "Video Games";
    static inline const CString MEDIA_DEF_DUALDISC = "DualDisc";
    static inline const CString MEDIA_DEF_DUALDISCS = "DualDiscs";
    static inline const CString MEDIA_DEF_BLURAY = "Blu-ray Disc";
    static inline const CString MEDIA_DEF_BLURAYS = "Blu-ray Discs";
    static inline const CString MEDIA_DEF_BLURAYREC = "Recordable Blu-ray Disc";
    static inline const CString MEDIA_DEF_BLURAYSREC = "Recordable Blu-ray Discs";
    static inline const CString MEDIA_DEF_HDDVD = "HD DVD";
    static inline const CString MEDIA_DEF_HDDVDS = "HD DVDs";
    static inline const CString MEDIA_DEF_HDDVDREC = "Recordable HD DVD";
    static inline const CString MEDIA_DEF_HDDVDSREC = "Recordable HD DVDs";

    // Data property names: the column headings, and the keys of property
    // maps, sort orders, searches, report columns and import mappings.
    static inline const CString MEDIA_PROP_ARRANGER = "Arranger";
    static inline const CString MEDIA_PROP_ARTICLESCOUNT = "Articles";
    static inline const CString MEDIA_PROP_ARTIST = "Artist";
    static inline const CString MEDIA_PROP_AUDIO_BASSCHANNEL = "Bass";
    static inline const CString MEDIA_PROP_AUDIO_DOLBYDIGITAL = "Dolby Digital";
    static inline const CString MEDIA_PROP_AUDIO_DOLBYDIGITALEX = "Dolby Digital Ex";
    static inline const CString MEDIA_PROP_AUDIO_DOLBYDIGITALPLUS = "Dolby Digital Plus";
    static inline const CString MEDIA_PROP_AUDIO_DOLBYSURROUND = "Dolby Surround";
    static inline const CString MEDIA_PROP_AUDIO_DOLBYTRUEHD = "Dolby TrueHD";
    static inline const CString MEDIA_PROP_AUDIO_DTS = "DTS";
    static inline const CString MEDIA_PROP_AUDIO_DTSES = "DTS-ES Discrete";
    static inline const CString MEDIA_PROP_AUDIO_DTSHD = "DTS-HD";
    static inline const CString MEDIA_PROP_AUDIO_DTSHSMASTERAUDIO = "DTS-HD Master Audio";
    static inline const CString MEDIA_PROP_AUDIO_FULLCHANNELS = "Channels";
    static inline const CString MEDIA_PROP_AUDIO_HDCD = "HDCD";
    static inline const CString MEDIA_PROP_AUDIO_MONO = "Mono";
    static inline const CString MEDIA_PROP_AUDIO_QUADRAPHONIC = "Quadraphonic";
    static inline const CString MEDIA_PROP_AUDIO_SACD = "SACD";
    static inline const CString MEDIA_PROP_AUDIO_STEREO = "Stereo";
    static inline const CString MEDIA_PROP_AUDIO_THX = "THX";
    static inline const CString MEDIA_PROP_AUTHOR = "Author";
    static inline const CString MEDIA_PROP_CATEGORY = "Category";
    static inline const CString MEDIA_PROP_CATEGORYDESC = "Category Desc.";
    static inline const CString MEDIA_PROP_CDSINGLE = "CD Single";
    static inline const CString MEDIA_PROP_CHAPTER = "Chapter";
    static inline const CString MEDIA_PROP_CHAPTERCOUNT = "Chapters";
    static inline const CString MEDIA_PROP_CHAPTERDESC = "Chapter Desc.";
    static inline const CString MEDIA_PROP_CHAPTERTITLE = "Chapter Title";
    static inline const CString MEDIA_PROP_COAUTHOR = "Co-Author";
    static inline const CString MEDIA_PROP_COMPOSER = "Composer";
    static inline const CString MEDIA_PROP_CONSOLE = "Console/Format";
    static inline const CString MEDIA_PROP_COSTAR = "Co-Star";
    static inline const CString MEDIA_PROP_COSTATUS = "Check-out Status";
    static inline const CString MEDIA_PROP_COTIMES = "Check-outs";
    static inline const CString MEDIA_PROP_COUNTER = "Counter";
    static inline const CString MEDIA_PROP_DATEACQ = "Acquired";
    static inline const CString MEDIA_PROP_DESCRIPTION = "Description";
    static inline const CString MEDIA_PROP_DIRECTOR = "Director";
    static inline const CString MEDIA_PROP_DISCNUMBER = "Disc #";
    static inline const CString MEDIA_PROP_DISCS = "Discs";
    static inline const CString MEDIA_PROP_DISTMEDIA = "Distr. Media";
    static inline const CString MEDIA_PROP_EDITION = "Edition";
    static inline const CString MEDIA_PROP_EFILEURL = "Electronic File or URL";
    static inline const CString MEDIA_PROP_ENHANCEDCD = "Enhanced CD";
    static inline const CString MEDIA_PROP_GAMENUMBER = "Game Number";
    static inline const CString MEDIA_PROP_HARDCOVER = "Hardcover?";
    static inline const CString MEDIA_PROP_HINTS = "Hints";
    static inline const CString MEDIA_PROP_INSTRUMENTATION = "Instrumentation";
    static inline const CString MEDIA_PROP_ISBN = "ISBN";
    static inline const CString MEDIA_PROP_JACKETNUMBER = "Jacket Number";
    static inline const CString MEDIA_PROP_LEADACTOR = "Lead Actor";
    static inline const CString MEDIA_PROP_LENGTH = "Length";
    static inline const CString MEDIA_PROP_LIBRARYID = "Library ID";
    static inline const CString MEDIA_PROP_LOCATION = "Location";
    static inline const CString MEDIA_PROP_MAGAZINE = "Magazine";
    static inline const CString MEDIA_PROP_MAGISSUE = "Issue";
    static inline const CString MEDIA_PROP_MANUFACTURER = "Media Manufacturer";
    static inline const CString MEDIA_PROP_MEDIA = "Media";
    static inline const CString MEDIA_PROP_MEDIASIZE = "Media Size";
    static inline const CString MEDIA_PROP_MUSICBY = "Music By";
    static inline const CString MEDIA_PROP_ONLINEURL = "Online URL";
    static inline const CString MEDIA_PROP_PAGE = "Page";
    static inline const CString MEDIA_PROP_PAGES = "Pages";
    static inline const CString MEDIA_PROP_PANSCAN = "Pan & Scan";
    static inline const CString MEDIA_PROP_PASSWORD = "Password";
    static inline const CString MEDIA_PROP_PLAYERS = "Players";
    static inline const CString MEDIA_PROP_PRICE = "Price";
    static inline const CString MEDIA_PROP_PUBLISHER = "Publisher";
    static inline const CString MEDIA_PROP_PUBLISHERADDRESS = "Publisher Address";
    static inline const CString MEDIA_PROP_PUBLISHEREMAIL = "Publisher e-mail";
    static inline const CString MEDIA_PROP_PUBLISHERPHONE = "Publisher Phone";
    static inline const CString MEDIA_PROP_PUBLISHERURL = "Publisher URL";
    static inline const CString MEDIA_PROP_RECDATE = "Rec. Date";
    static inline const CString MEDIA_PROP_RECSOURCE = "Rec. Source";
    static inline const CString MEDIA_PROP_REGION = "Region";
    static inline const CString MEDIA_PROP_REPORTIMAGEFILE = "Image File";
    static inline const CString MEDIA_PROP_REPORTIMAGEHEIGHT = "Image Height";
    static inline const CString MEDIA_PROP_REPORTIMAGEWIDTH = "Image Width";
    static inline const CString MEDIA_PROP_SERIALNUMBER = "Serial Number";
    static inline const CString MEDIA_PROP_SERIESNUMBER = "Series Number";
    static inline const CString MEDIA_PROP_SFALTEND = "Alt. Ending";
    static inline const CString MEDIA_PROP_SFBEHIND = "Behind-the-Scenes";
    static inline const CString MEDIA_PROP_SFBIOS = "Bios";
    static inline const CString MEDIA_PROP_SFCOMMENTARY = "Commentary";
    static inline const CString MEDIA_PROP_SFDELETED = "Deleted Scenes";
    static inline const CString MEDIA_PROP_SFGAME = "Game";
    static inline const CString MEDIA_PROP_SFMAKINGOF = "Making Of";
    static inline const CString MEDIA_PROP_SFMULTIANGLE = "Multi-angle";
    static inline const CString MEDIA_PROP_SFMUSICTRACK = "Music Track";
    static inline const CString MEDIA_PROP_SFMUSICVIDEO = "Music Video";
    static inline const CString MEDIA_PROP_SFOUTTAKES = "Outtakes";
    static inline const CString MEDIA_PROP_SFPHOTOS = "Photos";
    static inline const CString MEDIA_PROP_SFSUBTITLES = "Subtitles";
    static inline const CString MEDIA_PROP_SFTRAILER = "Trailer";
    static inline const CString MEDIA_PROP_SFWEBLINKS = "Web Links";
    static inline const CString MEDIA_PROP_SIDE = "Side";
    static inline const CString MEDIA_PROP_SPEED = "Speed";
    static inline const CString MEDIA_PROP_SUBSCRIPTION = "Subscription?";
    static inline const CString MEDIA_PROP_SUBSCRIPTIONCOST = "Subscription Cost";
    static inline const CString MEDIA_PROP_SUBSCRIPTIONEXP = "Subscription Exp. Date";
    static inline const CString MEDIA_PROP_SUBSCRIPTIONNUMBER = "Subscription Number";
    static inline const CString MEDIA_PROP_SUBTITLE = "SubTitle";
    static inline const CString MEDIA_PROP_TAPEWIDTH = "Tape Width";
    static inline const CString MEDIA_PROP_TITLE = "Title";
    static inline const CString MEDIA_PROP_TRACKCOUNT = "Tracks";
    static inline const CString MEDIA_PROP_TRACKLENGTH = "Track Length";
    static inline const CString MEDIA_PROP_TRACKNUMBER = "Track #";
    static inline const CString MEDIA_PROP_TRACKTITLE = "Track Title";
    static inline const CString MEDIA_PROP_TYPE = "Type";
    static inline const CString MEDIA_PROP_VERSION = "Version";
    static inline const CString MEDIA_PROP_WIDESCREEN = "Widescreen";
    static inline const CString MEDIA_PROP_WORDSBY = "Words By";
    static inline const CString MEDIA_PROP_YEAR = "Year";

    // Names of ids 1..24; empty for any other id (0, 25, the tape formats).
    static CString GetMediaNameSingular(int id);
    static CString GetMediaNamePlural(int id);
    static CString GetMediaNameAbbrv(int id);
    // Id parsed from a free-text media name (lower-cased substring rules,
    // first match wins); 0 when nothing matches.
    static int GetMediaID(const CString& name);
    // Media type of an item's class (medium or sub-item), read through its
    // GetMediaType; 0 for null or an item that is no medium or sub-item.
    static int GetItemMediaID(const CItem* item);

    // Group tests; recordable is set to false first, then to whether the type
    // records. Ids outside 1..24 belong to no group.
    static bool IsMediaTypeAudio(int id, bool& recordable);
    static bool IsMediaTypeVideo(int id, bool& recordable);
    static bool IsMediaTypePrint(int id);
    static bool IsMediaTypeOther(int id);
    static bool IsValidMediaID(int id) { return id >= MEDIA_TYPE_IDFIRST && id <= MEDIA_TYPE_IDLAST; }
    static bool IsVideoTapeFormatID(int id)
    {
        return id >= MEDIA_VIDEOTAPEFORMAT_IDFIRST && id <= MEDIA_VIDEOTAPEFORMAT_IDLAST;
    }
    // Appends (does not clear) the 24 ids in the order shown to the user
    // (CMediaRegistry::GetAlphaOrderedIDs).
    static void GetAlphaOrderedMediaIDs(CUIntArray& ids);

    // The 113 property names in table order, and whether a name is one of
    // them (exact, case-sensitive); any other name is a custom field.
    static const CStringArray& GetAllDataProps();
    static bool IsDataProp(const CString& prop);
    // Clears all seven flags, then sets those of the property's kind letters
    // D, Y, N, T, X, L, G; an unknown name sets none.
    static void ClassifyDataProp(const CString& prop, bool& derived, bool& yesNo, bool& number, bool& date, bool& text,
        bool& list, bool& noGridEdit);
    // True for "always" sub-item properties, and for "shared" ones when
    // includeShared; false for the empty name and everything else.
    static bool IsDataPropSubItemProp(const CString& prop, bool includeShared);

    // Splits whole seconds (divisions truncate toward zero).
    static void ConvertToHHMMSS(int secs, int& h, int& m, int& s);
    static void ConvertToHHMM(int secs, int& h, int& m);
    static void ConvertToMMSS(int secs, int& m, int& s);
    static void ConvertToMM(int secs, int& m);
    // Time texts: "1:02:05" / "02:05" / "00:05"; "1:02" / "0:02";
    // "62:05" / "00:05"; "62".
    static CString ConvertToHHMMSS(int secs);
    static CString ConvertToHHMM(int secs);
    static CString ConvertToMMSS(int secs);
    static CString ConvertToMM(int secs);
    // Seconds of a time text ("h:m:s", also with "." "," or the locale
    // separator); adjusted (may be null) tells whether a part was corrected.
    static int ConvertFromTime(const CString& text, bool* adjusted = nullptr);

    // Series number order: -1, 0 or 1 by the number at the end (or start) of
    // each text, else the case-insensitive text order.
    static int CompareSeriesNumbers(const CString& a, const CString& b);
    // The number a series number text ends with (or, failing that, starts
    // with), as CompareSeriesNumbers reads it; false when it carries none.
    static bool GetSeriesNumberValue(const CString& text, double& number);
    // True when the text holds any of the characters "Yy1Tt".
    static bool IsYes(const CString& text);
    // The stored boolean: a word, 1 for true; loads true only for 1.
    static void Serialize(CArchive& ar, bool& value);
};
