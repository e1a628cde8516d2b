#include <memory>

#include "cli/CliContext.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/LibraryDumper.h"
#include "cli/TextTreeWriter.h"

int RunDump(CCliContext& context, const CCliArgs& args)
{
    CCliSession session(context);
    if (!session.Open(args.Positional().at(0), CLibrarySession::Access::Read))
        return CCliContext::EXIT_FAILED;
    std::unique_ptr<CTreeWriter> writer;
    if (args.Has("json"))
        writer = std::make_unique<CJsonWriter>(context.Out());
    else
        writer = std::make_unique<CTextTreeWriter>(context.Out());
    CLibraryDumper(session.GetLibrary(), *writer, args.Has("json")).Write();
    return CCliContext::EXIT_OK;
}
