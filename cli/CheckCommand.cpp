#include <memory>
#include <optional>

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "data/model/MediaUtils.h"
#include "data/session/LibraryNames.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "platform/util/Archive.h"
#include "platform/util/DataFolder.h"
#include "platform/util/FileUtils.h"

namespace {

int CountItems(const CLibrary& library)
{
    int total = 0;
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type)
        total += library.GetItemCount(type);
    return total;
}

// The file given, or else the library of the data directory of that name.
CString FindFile(const CString& given, const CString& dataDir)
{
    if (CFileUtils::DoesFileExist(given) || given.find('/') != CString::npos)
        return given;
    const CString name = CLibraryNames::Resolve(dataDir, given);
    return name.empty() ? given : CDataFolder(dataDir).LibraryPath(name);
}

} // namespace

int RunCheck(CCliContext& context, const CCliArgs& args)
{
    const CString path = FindFile(args.Positional().at(0), context.DataDir());
    std::optional<CArchive> in;
    try {
        // Read as the records are, never whole: a check changes nothing, so
        // leftovers of killed saves stay where they are.
        in.emplace(CArchive::FromFile(path, false));
    } catch (const CArchiveException& e) {
        return context.Fail(e.what());
    }

    std::ostream& out = context.Out();
    const auto damaged = [&](const CString& why) {
        out << path << ": damaged: " << why << '\n';
        return CCliContext::EXIT_FAILED;
    };
    if (in->BytesLeft() < 2)
        return damaged(in->AtEnd() ? "the file is empty" : "the file is too short to be a library");

    auto library = std::make_unique<CLibrary>(false, true);
    try {
        const WORD format = in->ReadWord();
        if (format > CLibraryFile::FORMAT_CURRENT)
            return damaged("format " + std::to_string(format) + " is newer than this tool reads");
        if (format == CLibraryFile::FORMAT_EARLIER) {
            bool converted = false;
            CString error;
            if (!CLibraryFile::ReadOnly(*library, path, converted, error))
                return damaged(error);
            out << path << ": whole (earlier format, " << CountItems(*library)
                << " items; VemoLibrary converts it when the library is opened)\n";
            context.Done(std::move(library));
            return CCliContext::EXIT_OK;
        }
        // Read here rather than through the file reader, to tell what is
        // wrong and to notice bytes after the end of the library.
        library->Serialize(*in);
        if (!in->AtEnd())
            return damaged(std::to_string(in->BytesLeft()) + " bytes follow the end of the library data");
    } catch (const std::exception& e) {
        return damaged(e.what());
    }
    out << path << ": whole (" << CountItems(*library) << " items)\n";
    context.Done(std::move(library));
    return CCliContext::EXIT_OK;
}
