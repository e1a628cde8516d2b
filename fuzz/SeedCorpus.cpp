// Writes the seed corpus: valid files of every kind the fuzz targets read,
// made by the project's own writers, into <root>/<target>/.
//   fuzz_seeds <root>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "SampleLibrary.h"
#include "data/session/VemoLibrarySettings.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "platform/util/Archive.h"

namespace {

std::filesystem::path g_root;

void Seed(const std::string& target, const std::string& name, const std::string& bytes)
{
    std::filesystem::create_directories(g_root / target);
    std::ofstream out(g_root / target / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        vemofuzz::Fail("a seed file could not be written");
}

void SeedLibraries()
{
    for (int items : { 0, 1, 3, 24, 60 })
        Seed("library_file", "items-" + std::to_string(items), vemotest::SampleLibraryBytes(items));
    CLibrary library(true, false);
    vemotest::FillSampleLibrary(library, 24, 1);
    std::string bytes;
    CString error;
    if (!CLibraryFile::WriteEarlierFormatBytes(library, bytes, error))
        vemofuzz::Fail("the earlier format could not be written");
    Seed("library_file", "earlier-format", bytes);
}

void SeedSharedData()
{
    for (int count : { 0, 1, 5, 20 })
        Seed("shared_data", "records-" + std::to_string(count), vemotest::SampleSharedDataBytes(count));
    vemotest::ResetSharedLists();
}

void SeedSettings()
{
    CVemoLibrarySettings settings("/nonexistent/bin");
    settings.SetCurrentLibrary("My Library");
    settings.SetLastMediaType("My Library", 3);
    settings.SetLastMediaType("Stamps", 11);
    settings.SetLastItem("My Library", 3, "Title 7");
    settings.SetLastImageDir("/home/someone/Pictures/");
    CArchive plain;
    settings.Serialize(plain);
    Seed("settings_record", "filled", plain.GetBuffer());
    settings.SetPrintMargins(CRect(250, 250, 750, 1000));
    settings.SetLastRun(COleDateTime(2024, 5, 17, 12, 30, 0));
    CArchive later;
    settings.Serialize(later);
    Seed("settings_record", "margins-and-last-run", later.GetBuffer());
}

void SeedTagConversion()
{
    using namespace std::string_literals;
    Seed("tag_conversion", "title",
        "<td>{TITLE}</td>\n<a href=\"{FORWARDLINK}\">{TITLE}</a>\0{TITLE}\0{FORWARDLINK}\0Blue Train\0\x05"s);
    Seed("tag_conversion", "image-block",
        "<p>\n{IMAGE_BEGIN}\n<img src=\"{IMAGE_FILE}\" width={IMAGE_WIDTH}>\n{IMAGE_END}\n</p>\0{IMAGE_BEGIN}\0{IMAGE_END}\0/pictures/cover.jpg\0\x40"s);
    Seed("tag_conversion", "url-block",
        "{URL_BEGIN}<a href=\"{URL}\">web</a>{URL_END}\n{URL_BEGIN}\nopen\0{URL_BEGIN}\0{URL_END}\0{URL}\0\x7f"s);
    Seed("tag_conversion", "nested", "{{A}}{A}{\n}{A\0{A}\0}\0{A}\0\xff"s);
    // A home page and the sort values of the pages below it, split at 0x01.
    Seed("tag_conversion", "page-names",
        "<a href=\"{LINK}\">{TITLE}</a>\0{TITLE}\0{LINK}\0Blue Train\0\x05\0/out/My Books.htm\0"
        "AC/DC\x01"
        "Back in Black\0ac/dc\x01"
        "back in black\0\x01\0Caf\xC3\xA9\x01\xE2\x80\x94\x01"
        "Dune\x01"
        "Herbert"s);
    Seed("tag_conversion", "page-names-long",
        "{LINK}\0{A}\0{LINK}\0x\0\x01\0/out/"s + std::string(240, 'h') + ".htm\0"s + std::string(300, 'v') + "\x01..\0"s
            + std::string(300, 'v') + "\x01...\0"s);
}

// The default templates of the three-level reports, joined by NUL bytes.
void SeedWebReport()
{
    const std::vector<std::vector<const char*>> reports
        = { { "Movies1", "Movies2", "VideoEntry" }, { "Books", "BookEntry" }, { "Music1", "Music2", "Music3" },
              { "MagsByMag1", "MagsByMag2", "MagsByMag3" }, { "AudioMedia1", "AudioMedia2" } };
    for (const auto& names : reports) {
        std::string bytes;
        for (const char* name : names) {
            std::ifstream in(std::string(VEMO_TEMPLATE_SOURCE_DIR) + "/" + name + ".htm", std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            if (!in)
                vemofuzz::Fail("a default template could not be read");
            if (!bytes.empty())
                bytes += '\0';
            bytes += text.str();
        }
        Seed("web_report", names.front(), bytes);
    }
}

// The first byte picks the delimiter: 0 tab, 1 comma.
void SeedDelimitedText()
{
    using namespace std::string_literals;
    Seed("delimited_text", "header-comma",
        "\x01Title,Artist,Price,Acquired\r\nBlue Train,John Coltrane,12.50,2021-03-04\r\n\"Kind of Blue, Remastered\",Miles Davis,\"9\"\"\",\r\n"s);
    Seed("delimited_text", "tab-bom-multiline", "\x00\xEF\xBB\xBFTitle\tNotes\n\"Two\nlines\"\tcaf\xE9\n\n"s);
    Seed("delimited_text", "utf16", "\x01\xFF\xFET\0i\0t\0l\0e\0,\0x\0\r\0\n\0"s);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus root>\n", argv[0]);
        return 2;
    }
    vemofuzz::Prepare();
    g_root = argv[1];
    SeedLibraries();
    SeedSharedData();
    SeedSettings();
    SeedTagConversion();
    SeedDelimitedText();
    SeedWebReport();
    return 0;
}
