#include <memory>

#include "cli/CliContext.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/LibraryDumper.h"
#include "cli/TextTreeWriter.h"

int RunDump(CCliContext& context, const CCliArgs& args)
{
    // Read only: no lock is held, so the session may be left at exit.
    auto session = std::make_unique<CCliSession>(context);
    if (!session->Open(args.Positional().at(0), CLibrarySession::Access::Read))
        return CCliContext::EXIT_FAILED;
    std::unique_ptr<CTreeWriter> writer;
    if (args.Has("json"))
        writer = std::make_unique<CJsonWriter>(context.Out());
    else
        writer = std::make_unique<CTextTreeWriter>(context.Out());
    CLibraryDumper(session->GetLibrary(), *writer, args.Has("json")).Write();
    context.Done(std::move(session));
    return CCliContext::EXIT_OK;
}
