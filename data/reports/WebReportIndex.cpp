#include "data/reports/WebReportIndex.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "data/reports/CustomWebReport.h"
#include "data/store/Library.h"
#include "net/HtmlUtils.h"
#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"
#include "platform/util/StringUtils.h"

namespace {

using Json = nlohmann::json;

// The list the page keeps for the next run, inside the page itself.
const CString LIST_START = "<script type=\"application/json\" id=\"web-reports\">";
const CString LIST_END = "</script>";

CString PageText(const std::vector<CWebReportIndex::CEntry>& entries)
{
    Json list = Json::array();
    CString items;
    for (const CWebReportIndex::CEntry& entry : entries) {
        list.push_back({ { "name", entry.name }, { "page", entry.page } });
        items += "<li><a href=\"" + CHtmlUtils::EscapeAttribute(CHtmlUtils::EscapeUrlPath(entry.page)) + "\">"
            + CHtmlUtils::EscapeText(entry.name) + "</a></li>\n";
    }
    // No markup inside the script element: "<" only occurs in strings, where
    // "\u003c" is the same JSON.
    CString data = list.dump(-1, ' ', false, Json::error_handler_t::replace);
    CStringUtils::Replace(data, "<", "\\u003c");
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<title>Web Reports</title>\n<link rel=\"stylesheet\" href=\"webreport.css\">\n"
        + LIST_START + data + LIST_END + "\n</head>\n<body>\n<h1>Web Reports</h1>\n<ul class=\"web-reports\">\n" + items
        + "</ul>\n</body>\n</html>\n";
}

} // namespace

CString CWebReportIndex::FolderFor(const CString& reportsFolder, const CString& homePage)
{
    const CString root = reportsFolder.empty() ? CString() : CDirUtils::WithTrailingSeparator(reportsFolder);
    if (!root.empty() && homePage.size() > root.size() && homePage.compare(0, root.size(), root) == 0)
        return root;
    return CFileUtils::ParseDirFromPath(homePage);
}

std::vector<CWebReportIndex::CEntry> CWebReportIndex::Read(const CString& folder)
{
    std::vector<CEntry> entries;
    std::string bytes;
    if (!CFileUtils::ReadFileBytes(CDirUtils::WithTrailingSeparator(folder) + FILE_NAME, bytes))
        return entries;
    const std::size_t start = bytes.find(LIST_START);
    const std::size_t end = start == std::string::npos ? start : bytes.find(LIST_END, start);
    if (end == std::string::npos)
        return entries;
    const Json list
        = Json::parse(bytes.substr(start + LIST_START.size(), end - start - LIST_START.size()), nullptr, false);
    if (!list.is_array())
        return entries;
    for (const Json& entry : list) {
        const auto name = entry.is_object() ? entry.find("name") : entry.end();
        const auto page = entry.is_object() ? entry.find("page") : entry.end();
        if (name != entry.end() && page != entry.end() && name->is_string() && page->is_string())
            entries.push_back({ name->get<std::string>(), page->get<std::string>() });
    }
    return entries;
}

bool CWebReportIndex::Record(const CString& folder, const CString& name, const CString& homePage, CString* error)
{
    const CString root = CDirUtils::WithTrailingSeparator(folder);
    const bool below = homePage.size() > root.size() && homePage.compare(0, root.size(), root) == 0;
    const CString page = below ? homePage.substr(root.size()) : homePage;
    std::vector<CEntry> entries = Read(folder);
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                      [&](const CEntry& entry) {
                          return entry.page == page || entry.page.empty()
                              || !CFileUtils::DoesFileExist(entry.page.front() == '/' ? entry.page : root + entry.page);
                      }),
        entries.end());
    entries.push_back({ name, page });
    std::sort(entries.begin(), entries.end(), [](const CEntry& a, const CEntry& b) {
        const int byName = CStringUtils::CompareNoCase(a.name, b.name);
        return byName != 0 ? byName < 0 : a.page < b.page;
    });
    const CString path = root + FILE_NAME;
    // A page of that name that is not ours is someone's own; it stays.
    std::string bytes;
    if (CFileUtils::DoesFileExist(path) && CFileUtils::ReadFileBytes(path, bytes)
        && bytes.find(LIST_START) == std::string::npos) {
        if (error)
            *error = path + " is not an index of web reports written here; it was left as it is.";
        return false;
    }
    const CString text = PageText(entries);
    return CFileUtils::IsContentIdentical(path, text) || CFileUtils::WriteFileAtomic(path, text, error);
}

bool CWebReportIndex::RecordRun(const CLibrary& library, const CCustomWebReport& report, CString* error)
{
    const CString& home = report.GetHomePage();
    return Record(FolderFor(library.GetPathCustomWebReportOutput(), home), report.GetName(), home, error);
}
