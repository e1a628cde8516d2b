#include <memory>

#include "cli/CliContext.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/MediaTypeNames.h"
#include "data/model/MediaUtils.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/Library.h"
#include "platform/util/StringUtils.h"

namespace {

struct CKind {
    const char* name;
    CFDataType type;
};

const CKind KINDS[] = {
    { "text", CF_TEXT },
    { "date", CF_DATE },
    { "yes/no", CF_TRUEFALSE },
    { "list", CF_SELECTIONLIST },
    { "file", CF_LOCALFILENAME },
    { "web", CF_WEBADDRESS },
};

CString KindName(CFDataType type)
{
    for (const CKind& kind : KINDS)
        if (kind.type == type)
            return kind.name;
    return "text";
}

} // namespace

int RunFields(CCliContext& context, const CCliArgs& args)
{
    const CString command = "fields";
    const std::vector<CString>& words = args.Positional();
    const CString name = words.at(0);
    const int type = CMediaTypeNames::Parse(words.at(1));
    if (type == 0)
        return context.UsageError(
            command, "unknown media type \"" + words.at(1) + "\"; use one of " + CMediaTypeNames::ListNames());
    const CString action = words.size() > 2 ? words[2] : CString("list");
    const std::size_t wanted = action == "list" ? 3 : action == "add" || action == "delete" ? 4 : 5;
    if (action != "list" && action != "add" && action != "rename" && action != "delete")
        return context.UsageError(command, "unknown action \"" + action + "\"; use list, add, rename or delete");
    if (words.size() != wanted && !(action == "list" && words.size() == 2))
        return context.UsageError(command, "wrong number of arguments for " + action);
    CFDataType kind = CF_TEXT;
    if (args.Has("kind")) {
        bool known = false;
        for (const CKind& entry : KINDS)
            if (CStringUtils::EqualsNoCase(args.Value("kind"), entry.name)) {
                kind = entry.type;
                known = true;
            }
        if (!known)
            return context.UsageError(
                command, "unknown kind \"" + args.Value("kind") + "\"; use text, date, yes/no, list, file or web");
    }

    const bool change = action != "list";
    CCliSession session(context);
    if (!session.Open(name, change ? CLibrarySession::Access::Change : CLibrarySession::Access::Read))
        return CCliContext::EXIT_FAILED;
    CString error;
    CLibrary& library = session.GetLibrary();
    CCustomFieldMgr* fields = library.GetCustomFieldMgr(type);
    if (!fields)
        return context.Fail("There are no custom fields for " + CMediaUtils::GetMediaNamePlural(type) + ".");

    std::ostream& out = context.Out();
    if (action == "list") {
        for (int i = 0; i < fields->GetFieldCount(); ++i)
            if (const CCustomField* field = fields->GetFieldAt(i))
                out << field->GetName() << '\t' << KindName(field->GetDataType()) << '\n';
        return CCliContext::EXIT_OK;
    }
    CCustomField* field = fields->Find(words[3]);
    if (action == "add") {
        error = fields->CheckNewName(words[3]);
        if (!error.empty())
            return context.Fail(error);
        auto made = std::make_unique<CCustomField>();
        made->SetName(CStringUtils::Trim(words[3]));
        made->SetDataType(kind);
        fields->Add(made.release());
        out << "Added the custom field \"" << CStringUtils::Trim(words[3]) << "\".\n";
    } else if (!field) {
        return context.Fail(CMediaUtils::GetMediaNamePlural(type) + " have no custom field \"" + words[3] + "\".");
    } else if (action == "rename") {
        error = fields->CheckNewName(words[4], field);
        if (!error.empty())
            return context.Fail(error);
        out << "Renamed \"" << field->GetName() << "\" to \"" << CStringUtils::Trim(words[4]) << "\".\n";
        field->SetName(CStringUtils::Trim(words[4]));
    } else {
        out << "Deleted the custom field \"" << field->GetName() << "\" and its values.\n";
        library.DeleteCustomField(type, field);
    }
    if (!session.Get().Save(CLibrarySession::SaveKind::Explicit))
        return session.Fail("Nothing was saved.");
    session.Warn();
    return CCliContext::EXIT_OK;
}
