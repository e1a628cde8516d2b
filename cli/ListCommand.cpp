#include <memory>
#include <sstream>

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "data/model/MediaUtils.h"
#include "data/session/LibraryNames.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "platform/appcfg/FileLock.h"
#include "platform/util/DataFolder.h"
#include "platform/util/FileUtils.h"

namespace {

struct CLibraryCounts {
    CString name;
    CString error; // why the file cannot be read
    CString holder; // who has it open, if anybody
    std::vector<std::pair<int, int>> counts; // media type, items
    int total = 0;
};

CLibraryCounts Count(const CString& dataDir, const CString& name)
{
    CLibraryCounts result;
    result.name = name;
    const CString path = CDataFolder(dataDir).LibraryPath(name);
    CFileLock::IsLocked(path, result.holder);
    std::string bytes;
    if (!CFileUtils::ReadFileBytes(path, bytes, &result.error))
        return result;
    CLibrary library(false, true);
    bool converted = false;
    if (!bytes.empty() && !CLibraryFile::ReadBytes(library, bytes, converted, result.error))
        return result;
    CUIntArray ids;
    CMediaUtils::GetAlphaOrderedMediaIDs(ids);
    for (UINT id : ids) {
        const int count = library.GetItemCount(static_cast<int>(id));
        if (count > 0)
            result.counts.emplace_back(static_cast<int>(id), count);
        result.total += count;
    }
    return result;
}

} // namespace

int RunList(CCliContext& context, const CCliArgs& args)
{
    const CString dataDir = context.DataDir();
    std::vector<CLibraryCounts> libraries;
    for (const CString& name : CLibraryNames::List(dataDir))
        libraries.push_back(Count(dataDir, name));

    bool failed = false;
    if (args.Has("json")) {
        CJsonWriter json(context.Out());
        json.BeginObject();
        json.String("dataDir", dataDir);
        json.BeginArray("libraries");
        for (const CLibraryCounts& library : libraries) {
            json.BeginObject();
            json.String("name", library.name);
            if (!library.holder.empty())
                json.String("openIn", library.holder);
            if (!library.error.empty()) {
                failed = true;
                json.String("error", library.error);
            } else {
                json.Integer("items", library.total);
                json.BeginObject("mediaTypes");
                for (const auto& [type, count] : library.counts)
                    json.Integer(CMediaUtils::GetMediaNamePlural(type), count);
                json.EndObject();
            }
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
        json.Finish();
        return failed ? CCliContext::EXIT_FAILED : CCliContext::EXIT_OK;
    }

    if (libraries.empty())
        context.Out() << "No libraries in " << dataDir << '\n';
    for (const CLibraryCounts& library : libraries) {
        std::ostream& out = context.Out();
        out << library.name << ": ";
        if (!library.error.empty()) {
            failed = true;
            out << "cannot be read (" << library.error << ")";
        } else {
            out << library.total << (library.total == 1 ? " item" : " items");
        }
        if (!library.holder.empty())
            out << " [open in " << library.holder << "]";
        out << '\n';
        for (const auto& [type, count] : library.counts)
            out << "  " << CMediaUtils::GetMediaNamePlural(type) << ": " << count << '\n';
    }
    return failed ? CCliContext::EXIT_FAILED : CCliContext::EXIT_OK;
}
