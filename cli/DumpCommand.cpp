#include <memory>

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/LibraryDumper.h"
#include "cli/LibrarySession.h"
#include "cli/TextTreeWriter.h"

int RunDump(CCliContext& context, const CCliArgs& args)
{
    CLibrarySession session(context.DataDir(), args.Positional().at(0));
    CString error;
    CString warning;
    if (!session.Open(false, error, warning))
        return context.Fail(error);
    if (!warning.empty())
        context.Warn(warning);
    std::unique_ptr<CTreeWriter> writer;
    if (args.Has("json"))
        writer = std::make_unique<CJsonWriter>(context.Out());
    else
        writer = std::make_unique<CTextTreeWriter>(context.Out());
    CLibraryDumper(session.GetLibrary(), *writer, args.Has("json")).Write();
    return CCliContext::EXIT_OK;
}
