// A whole web report run on any templates: the input is split at NUL bytes
// into the templates of up to three levels (by category, then by title and
// series number, then one page per item) over a small library of every
// media type plus a book whose title, link and chapter hold markup. No
// crash, no sanitizer report, and:
// - nothing is written outside the output folder and no temporary page is
//   left in it;
// - markup and script addresses from item values never reach a page as
//   they are, nor does a byte that marks where a value went in;
// - a second run of the same report gives the same files, byte for byte.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "data/model/Book.h"
#include "data/model/MediaUtils.h"
#include "data/reports/CustomWebReport.h"
#include "data/store/Library.h"
#include "support/LibraryGenerator.h"

namespace {

namespace fs = std::filesystem;
using U = CMediaUtils;

// Each value holds a word no generated value has: a page can only show the
// value's markup whole when a template holds that word itself.
struct CHostile {
    const char* value;
    const char* word;
};
const CHostile HOSTILE_TITLE { "<b>Zqxv</b> & {TITLE} \"quoted\"", "Zqxv" };
const CHostile HOSTILE_LINK { "javascript:alert(\"Vjkq\")", "Vjkq" };
const CHostile HOSTILE_CHAPTER { "<script>Wqjz</script>", "Wqjz" };

CLibrary& Library()
{
    static std::unique_ptr<CLibrary> library = [] {
        auto made = std::make_unique<CLibrary>(false, true);
        vemotest::GenerateLibrary(*made, { 30, 5 });
        auto* book = static_cast<CBook*>(made->CreateMediaItem(U::MEDIA_BOOK, nullptr));
        book->SetTitle(HOSTILE_TITLE.value);
        book->SetEFileURL(HOSTILE_LINK.value);
        auto* chapter = new CBookChapter();
        chapter->SetChapter(1);
        chapter->SetTitle(HOSTILE_CHAPTER.value);
        book->AddSubItem(chapter);
        made->NoteItemChanged(book);
        return made;
    }();
    return *library;
}

const fs::path& WorkDir()
{
    static const fs::path dir = [] {
        const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "vemofuzz-web-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            vemofuzz::Fail("no work folder");
        return fs::path(pattern);
    }();
    return dir;
}

std::map<std::string, std::string> Files(const fs::path& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[entry.path().filename().string()] = bytes.str();
    }
    return files;
}

std::vector<std::string> SplitAtNul(std::string_view text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\0', start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

bool AnyHolds(const std::vector<std::string>& texts, std::string_view what)
{
    for (const std::string& text : texts)
        if (text.find(what) != std::string::npos)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vemofuzz::Prepare();
    std::vector<std::string> templates = SplitAtNul(std::string_view(reinterpret_cast<const char*>(data), size));
    if (templates.size() > 3)
        templates.resize(3);

    const fs::path& work = WorkDir();
    const fs::path out = work / "out";
    fs::remove_all(out);
    fs::create_directories(work / "templates");

    CLibrary& library = Library();
    auto* report = new CCustomWebReport();
    report->SetName("Fuzz <Report>");
    report->SetHomePage((out / "Home.htm").string(), false);
    report->GetMediaIDs().SetShowAll(true);
    const CString sorts[3][2]
        = { { U::MEDIA_PROP_CATEGORY, "" }, { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_SERIESNUMBER }, { "", "" } };
    for (std::size_t level = 0; level < templates.size(); ++level) {
        const fs::path file = work / "templates" / ("L" + std::to_string(level + 1) + ".htm");
        std::ofstream(file, std::ios::binary | std::ios::trunc) << templates[level];
        report->SetPageLevel(static_cast<int>(level) + 1, file.string(), sorts[level][0], sorts[level][1]);
    }
    library.AddCustomWebReport(report);

    library.RunCustomWebReport(report, {});
    const bool wrote = fs::exists(out);
    const auto first = wrote ? Files(out) : std::map<std::string, std::string>();
    library.RunCustomWebReport(report, {});
    const auto second = fs::exists(out) ? Files(out) : std::map<std::string, std::string>();
    const CString error = report->GetRunErrorMsg();
    library.DeleteCustomWebReport(report);

    for (const auto& entry : fs::directory_iterator(work))
        if (entry.path().filename() != "out" && entry.path().filename() != "templates")
            vemofuzz::Fail("a file was written outside the output folder");
    if (!error.empty())
        vemofuzz::Fail("a page could not be written");
    if (first != second)
        vemofuzz::Fail("a second run of the same report gave other files");
    for (const auto& [name, bytes] : first) {
        if (name.rfind(".vemopage", 0) == 0)
            vemofuzz::Fail("a temporary page was left behind");
        if (bytes.find_first_of(std::string_view("\x01\x02", 2)) != std::string::npos)
            vemofuzz::Fail("a value marker reached a page");
        for (const CHostile& hostile : { HOSTILE_TITLE, HOSTILE_LINK, HOSTILE_CHAPTER })
            if (bytes.find(hostile.value) != std::string::npos && !AnyHolds(templates, hostile.word))
                vemofuzz::Fail("an item value reached a page unescaped");
    }
    return 0;
}
