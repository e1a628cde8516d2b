#include "cli/CliContext.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"

int RunNew(CCliContext& context, const CCliArgs& args)
{
    const CString name = args.Positional().at(0);
    CString error;
    if (!context.PrepareDataDir(error))
        return context.Fail(error);
    CCliSession session(context);
    if (!session.Get().Create(name))
        return session.Fail("The library \"" + name + "\" could not be created.");
    session.Warn();
    context.Out() << "Created library \"" << name << "\" (" << session.Get().GetPath() << ")\n";
    return CCliContext::EXIT_OK;
}
