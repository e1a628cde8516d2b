#pragma once
// Web report runs on a small library: templates written by the test into a
// temporary folder, pages written into an output folder beside them.

#include <filesystem>
#include <map>
#include <string>

#include "ReportFixture.h"
#include "data/reports/CustomWebReport.h"
#include "support/TempDir.h"

class WebReportTest : public ReportTest {
protected:
    // A list of titles linking to level 2; level 2 shows each item.
    static constexpr const char* LIST_TEMPLATE
        = "<h1>{WEBREPORT_NAME}</h1>\n"
          "<ul>\n"
          "{REPEAT_BEGIN}\n"
          "<li><a href=\"{FORWARDLINK_TO}\">{AUTHOR}</a> {COUNT_ITEMS_NEXT_PAGE}</li>\n"
          "{REPEAT_END}\n"
          "</ul>\n";
    static constexpr const char* ENTRY_TEMPLATE = "<p><a href=\"{BACKLINK_TO}\">up</a></p>\n"
                                                  "{REPEAT_BEGIN}<p>{TITLE} ({SERIES_NUMBER})</p>{REPEAT_END}\n"
                                                  "<p>end</p>\n";

    void SetUp() override
    {
        ReportTest::SetUp();
        m_templates = m_root.Path() + "/templates/";
        m_output = m_root.Path() + "/out/";
        std::filesystem::create_directories(m_templates);
        std::filesystem::create_directories(m_output);
    }

    CString Template(const std::string& name, const std::string& text)
    {
        vemotest::WriteAll(m_templates + name, text);
        return m_templates + name;
    }

    // A book report named Shelf, home page out/Home.htm, all categories.
    CCustomWebReport* MakeReport(const std::map<int, std::pair<std::string, std::string>>& levels)
    {
        auto* report = new CCustomWebReport();
        report->SetName("Shelf");
        report->SetHomePage(m_output + "Home.htm", false);
        report->GetMediaIDs().SetShow(CMediaUtils::MEDIA_BOOK, true);
        for (const auto& [level, page] : levels) {
            const std::string name = "L" + std::to_string(level) + ".htm";
            report->SetPageLevel(level, Template(name, page.first), page.second, "");
        }
        m_library.AddCustomWebReport(report);
        return report;
    }

    // The files of the output folder and their content.
    std::map<std::string, std::string> Pages() const
    {
        std::map<std::string, std::string> pages;
        for (const auto& entry : std::filesystem::directory_iterator(m_output))
            pages[entry.path().filename().string()] = vemotest::ReadAll(entry.path().string());
        return pages;
    }

    vemotest::TempDir m_root;
    std::string m_templates;
    std::string m_output;
};
