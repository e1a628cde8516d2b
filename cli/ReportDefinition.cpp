#include "cli/ReportDefinition.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "cli/MediaTypeNames.h"
#include "data/model/Category.h"
#include "data/model/MediaUtils.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomReportEditor.h"
#include "data/reports/CustomWebReport.h"
#include "data/store/Library.h"
#include "platform/util/DirUtils.h"
#include "platform/util/StringUtils.h"

namespace {

using Json = nlohmann::ordered_json;

const char* const KEY_NAME = "name";
const char* const KEY_MEDIA = "mediaTypes";
const char* const KEY_CATEGORIES = "categories";
const char* const KEY_COLUMNS = "columns";
const char* const KEY_SORT = "sortOrder";
const char* const KEY_HOME = "homePage";
const char* const KEY_DUPLICATES = "includeDuplicates";
const char* const KEY_LEVELS = "pageLevels";
const char* const KEY_TEMPLATE = "template";
const char* const KEY_SORTBY = "sortBy";
const char* const KEY_THENBY = "thenBy";
const CString ALL_CATEGORIES = "all";

// A path inside folder by its part below it; others whole.
CString BelowFolder(const CString& folder, const CString& path)
{
    const CString prefix = folder.empty() ? CString() : CDirUtils::WithTrailingSeparator(folder);
    return !prefix.empty() && path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0
        ? path.substr(prefix.size())
        : path;
}

// A path that is not absolute is taken below folder.
CString InFolder(const CString& folder, const CString& path)
{
    return path.empty() || path.front() == '/' || folder.empty() ? path
                                                                 : CDirUtils::WithTrailingSeparator(folder) + path;
}

CString Dump(const Json& json)
{
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

void WriteCommon(Json& json, const CCustomReportEditor& editor, const CLibrary& library)
{
    json[KEY_NAME] = editor.GetName();
    Json types = Json::array();
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
        if (editor.GetMediaTypes().GetShow(type))
            types.push_back(CMediaUtils::GetMediaNamePlural(type));
    json[KEY_MEDIA] = types;
    Json categories = Json::array();
    int count = 0;
    for (POSITION pos = library.GetHeadCategory(); pos;) {
        const CCategory* category = library.GetNextCategory(pos);
        if (!category)
            continue;
        ++count;
        if (editor.IsCategorySelected(category->GetUniqueID()))
            categories.push_back(category->GetName());
    }
    json[KEY_CATEGORIES]
        = count > 0 && static_cast<int>(categories.size()) == count ? Json(ALL_CATEGORIES) : categories;
}

// Reads one definition object, naming the key of whatever is wrong.
class CDefinitionReader {
public:
    CDefinitionReader(CLibrary& library, bool isNew)
        : m_library(library)
        , m_isNew(isNew)
    {
    }

    const CString& GetError() const { return m_error; }

    bool Parse(const CString& text, std::initializer_list<const char*> keys, const CString& kind)
    {
        try {
            m_json = Json::parse(text);
        } catch (const Json::parse_error& e) {
            const CString what = e.what();
            const std::size_t at = what.find("] ");
            m_error = "not JSON: " + (at == CString::npos ? what : what.substr(at + 2));
            return false;
        }
        if (!m_json.is_object()) {
            m_error = "a report definition is a JSON object";
            return false;
        }
        for (const auto& [key, value] : m_json.items()) {
            if (std::find_if(keys.begin(), keys.end(), [&](const char* known) { return key == known; }) != keys.end())
                continue;
            CString known;
            for (const char* name : keys)
                known += (known.empty() ? "" : ", ") + CString(name);
            m_error = "unknown key \"" + key + "\"; " + kind + " has " + known;
            return false;
        }
        return true;
    }

    // The value of key; null when it is not there (an error when required).
    const Json* Get(const char* key, bool required = false)
    {
        const auto found = m_json.find(key);
        if (found != m_json.end())
            return &*found;
        if (required && m_isNew)
            Fail(key, "is missing; a new report needs it");
        return nullptr;
    }
    bool Has(const char* key) const { return m_json.contains(key); }
    bool IsNew() const { return m_isNew; }

    bool Fail(const CString& key, const CString& message)
    {
        m_error = "\"" + key + "\" " + message;
        return false;
    }

    bool Text(const Json& value, const CString& key, CString& text)
    {
        if (!value.is_string())
            return Fail(key, "must be a text");
        text = value.get<std::string>();
        return true;
    }

    bool Texts(const Json& value, const CString& key, std::vector<CString>& texts)
    {
        if (!value.is_array())
            return Fail(key, "must be a list of texts");
        texts.clear();
        for (std::size_t i = 0; i < value.size(); ++i) {
            CString text;
            if (!Text(value[i], key + "[" + std::to_string(i) + "]", text))
                return false;
            texts.push_back(text);
        }
        return true;
    }

    // Name, media types and categories; a new report without categories
    // gets every one.
    bool ReadCommon(CCustomReportEditor& editor)
    {
        CString name;
        if (const Json* value = Get(KEY_NAME, true)) {
            if (!Text(*value, KEY_NAME, name))
                return false;
            editor.SetName(name);
        }
        if (!m_error.empty())
            return false;
        std::vector<CString> texts;
        if (const Json* value = Get(KEY_MEDIA, true)) {
            if (!Texts(*value, KEY_MEDIA, texts))
                return false;
            CMediaTypeSelection types;
            for (const CString& text : texts) {
                const int type = CMediaTypeNames::Parse(text);
                if (type == 0)
                    return Fail(
                        KEY_MEDIA, "names no media type \"" + text + "\"; use one of " + CMediaTypeNames::ListNames());
                types.SetShow(type, true);
            }
            editor.GetMediaTypes() = types;
        }
        if (!m_error.empty())
            return false;
        const Json* categories = Get(KEY_CATEGORIES);
        if (!categories && !m_isNew)
            return true;
        bool all = !categories;
        if (categories && categories->is_string()) {
            CString text;
            Text(*categories, KEY_CATEGORIES, text);
            if (!CStringUtils::EqualsNoCase(text, ALL_CATEGORIES))
                return Fail(KEY_CATEGORIES, "is \"all\" or a list of category names");
            all = true;
        } else if (categories && !Texts(*categories, KEY_CATEGORIES, texts)) {
            return Fail(KEY_CATEGORIES, "is \"all\" or a list of category names");
        }
        std::vector<int> chosen;
        for (const CString& text : all ? std::vector<CString>() : texts) {
            const CCategory* found = nullptr;
            for (POSITION pos = m_library.GetHeadCategory(); pos && !found;)
                if (const CCategory* category = m_library.GetNextCategory(pos);
                    category && CStringUtils::EqualsNoCase(category->GetName(), CStringUtils::Trim(text)))
                    found = category;
            if (!found)
                return Fail(KEY_CATEGORIES, "names no category of the library: \"" + text + "\"");
            chosen.push_back(found->GetUniqueID());
        }
        for (POSITION pos = m_library.GetHeadCategory(); pos;)
            if (const CCategory* category = m_library.GetNextCategory(pos))
                editor.SetCategorySelected(category->GetUniqueID(),
                    all || std::count(chosen.begin(), chosen.end(), category->GetUniqueID()) > 0);
        return true;
    }

    // prop as the report's media types know it (data property or custom
    // field, ignoring case); "" with the error set when they do not.
    CString Property(const CCustomReportEditor& editor, const CString& key, const CString& prop)
    {
        CStringArray available;
        editor.GetAvailableProps(m_library, available);
        for (const CString& known : available)
            if (CStringUtils::EqualsNoCase(known, CStringUtils::Trim(prop)))
                return known;
        Fail(key, "names no property or custom field of the report's media types: \"" + prop + "\"");
        return CString();
    }

    CLibrary& GetLibrary() { return m_library; }

private:
    CLibrary& m_library;
    bool m_isNew;
    Json m_json;
    CString m_error;
};

bool ReadPrintParts(CDefinitionReader& reader, CCustomPrintReportEditor& editor)
{
    CLibrary& library = reader.GetLibrary();
    std::vector<CString> texts;
    if (const Json* columns = reader.Get(KEY_COLUMNS)) {
        if (!reader.Texts(*columns, KEY_COLUMNS, texts))
            return false;
        while (editor.GetColumnCount() > 0)
            editor.RemoveColumn(0);
        for (const CString& text : texts) {
            const CString prop = reader.Property(editor, KEY_COLUMNS, text);
            if (prop.empty())
                return false;
            if (!editor.AddColumn(prop))
                return reader.Fail(KEY_COLUMNS, "lists \"" + prop + "\" twice");
        }
    } else if (reader.IsNew()) {
        editor.UseDefaultColumns(library);
    }

    const int sortKeys = CCustomPrintReportEditor::SORT_KEY_COUNT;
    if (const Json* sort = reader.Get(KEY_SORT)) {
        if (!reader.Texts(*sort, KEY_SORT, texts))
            return false;
        if (static_cast<int>(texts.size()) > sortKeys)
            return reader.Fail(KEY_SORT, "holds at most " + std::to_string(sortKeys) + " properties");
        for (int k = 0; k < sortKeys; ++k) {
            const CString stored = k < static_cast<int>(texts.size()) ? texts[static_cast<std::size_t>(k)] : CString();
            const CString name = CCustomPrintReport::SortPropName(stored);
            const CString prop = name.empty() ? CString() : reader.Property(editor, KEY_SORT, name);
            if (!name.empty() && prop.empty())
                return false;
            editor.SetSortKey(k, prop, CCustomPrintReport::IsDescendingSortProp(stored));
        }
    } else if (reader.IsNew()) {
        // As the type's list is sorted, like a report the window starts.
        for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
            if (editor.GetMediaTypes().GetShow(type)) {
                CString primary;
                CString secondary;
                library.GetSortOrder(type, primary, secondary);
                editor.SetSortKey(0, primary, false);
                editor.SetSortKey(1, secondary, false);
                break;
            }
    }
    return true;
}

bool ReadLevels(CDefinitionReader& reader, CCustomWebReportEditor& editor)
{
    const Json* levels = reader.Get(KEY_LEVELS, true);
    if (!levels)
        return reader.GetError().empty();
    const int most = CCustomWebReportEditor::MAX_LEVELS;
    if (!levels->is_array() || levels->empty() || static_cast<int>(levels->size()) > most)
        return reader.Fail(KEY_LEVELS, "must be a list of 1 to " + std::to_string(most) + " levels");
    const CString templates = reader.GetLibrary().GetPathUserCustomWebReportTemplate();
    editor.SetLevelCount(static_cast<int>(levels->size()));
    for (std::size_t i = 0; i < levels->size(); ++i) {
        const Json& level = (*levels)[i];
        const CString at = CString(KEY_LEVELS) + "[" + std::to_string(i) + "]";
        if (!level.is_object())
            return reader.Fail(at, "must be an object with template, sortBy and thenBy");
        CCustomWebReportEditor::CLevel settings;
        for (const auto& [key, value] : level.items()) {
            CString* target = key == KEY_TEMPLATE ? &settings.templateFile
                : key == KEY_SORTBY               ? &settings.sortProp1
                : key == KEY_THENBY               ? &settings.sortProp2
                                                  : nullptr;
            if (!target)
                return reader.Fail(at, "has an unknown key \"" + key + "\"; a level has template, sortBy and thenBy");
            if (!reader.Text(value, at + "." + key, *target))
                return false;
            if (target != &settings.templateFile && !target->empty()) {
                *target = reader.Property(editor, at + "." + key, *target);
                if (target->empty())
                    return false;
            }
        }
        if (settings.templateFile.empty())
            return reader.Fail(at + "." + KEY_TEMPLATE, "is missing; every level needs a template");
        settings.templateFile = InFolder(templates, settings.templateFile);
        editor.SetLevel(static_cast<int>(i) + 1, settings);
    }
    return true;
}

bool ReadWebParts(CDefinitionReader& reader, CCustomWebReportEditor& editor)
{
    const CString output = reader.GetLibrary().GetPathCustomWebReportOutput();
    CString home;
    if (const Json* value = reader.Get(KEY_HOME)) {
        if (!reader.Text(*value, KEY_HOME, home))
            return false;
        editor.SetHomePage(InFolder(output, CStringUtils::Trim(home)));
    } else if (reader.IsNew()) {
        editor.SetHomePage(CCustomWebReportEditor::SuggestHomePage(output, editor.GetName()));
    }
    if (const Json* value = reader.Get(KEY_DUPLICATES)) {
        if (!value->is_boolean())
            return reader.Fail(KEY_DUPLICATES, "must be true or false");
        editor.SetIncludeDuplicates(value->get<bool>());
    }
    return ReadLevels(reader, editor);
}

} // namespace

CString CReportDefinition::ToJson(const CCustomPrintReport& report, const CLibrary& library)
{
    const CCustomPrintReportEditor editor(report, library);
    Json json = Json::object();
    WriteCommon(json, editor, library);
    json[KEY_COLUMNS] = Json(editor.GetColumns());
    Json sort = Json::array();
    for (int k = 0; k < CCustomPrintReportEditor::SORT_KEY_COUNT; ++k)
        if (const auto& key = editor.GetSortKey(k); !key.prop.empty())
            sort.push_back(CCustomPrintReport::MakeSortProp(key.prop, key.descending));
    json[KEY_SORT] = sort;
    return Dump(json);
}

CString CReportDefinition::ToJson(const CCustomWebReport& report, const CLibrary& library)
{
    const CCustomWebReportEditor editor(report, library);
    Json json = Json::object();
    WriteCommon(json, editor, library);
    json[KEY_HOME] = BelowFolder(library.GetPathCustomWebReportOutput(), editor.GetHomePage());
    json[KEY_DUPLICATES] = editor.GetIncludeDuplicates();
    Json levels = Json::array();
    for (int level = 1; level <= editor.GetLevelCount(); ++level) {
        const CCustomWebReportEditor::CLevel& settings = editor.GetLevel(level);
        levels.push_back(
            Json { { KEY_TEMPLATE, BelowFolder(library.GetPathUserCustomWebReportTemplate(), settings.templateFile) },
                { KEY_SORTBY, settings.sortProp1 }, { KEY_THENBY, settings.sortProp2 } });
    }
    json[KEY_LEVELS] = levels;
    return Dump(json);
}

CString CReportDefinition::NameOf(const CString& text)
{
    const Json json = Json::parse(text, nullptr, false);
    const auto name = json.is_object() ? json.find(KEY_NAME) : json.end();
    return json.is_object() && name != json.end() && name->is_string() ? name->get<std::string>() : CString();
}

bool CReportDefinition::Read(
    const CString& text, CLibrary& library, CCustomPrintReportEditor& editor, bool isNew, CString& error)
{
    CDefinitionReader reader(library, isNew);
    const bool read
        = reader.Parse(text, { KEY_NAME, KEY_MEDIA, KEY_CATEGORIES, KEY_COLUMNS, KEY_SORT }, "a printed report")
        && reader.ReadCommon(editor) && ReadPrintParts(reader, editor);
    error = reader.GetError();
    return read;
}

bool CReportDefinition::Read(
    const CString& text, CLibrary& library, CCustomWebReportEditor& editor, bool isNew, CString& error)
{
    CDefinitionReader reader(library, isNew);
    const bool read = reader.Parse(text, { KEY_NAME, KEY_MEDIA, KEY_CATEGORIES, KEY_HOME, KEY_DUPLICATES, KEY_LEVELS },
                          "a web report")
        && reader.ReadCommon(editor) && ReadWebParts(reader, editor);
    error = reader.GetError();
    return read;
}
