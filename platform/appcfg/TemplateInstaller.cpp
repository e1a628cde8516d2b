#include "platform/appcfg/TemplateInstaller.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

CString CTemplateInstaller::FindShippedTemplates(const CString& programDir)
{
    std::error_code ec;
    fs::path program = programDir;
    if (program.empty())
        program = fs::read_symlink("/proc/self/exe", ec).parent_path();
    const CString candidates[] = {
        program.empty() ? CString() : (program / ".." / "share" / "vemolibrary" / "templates").string(),
#ifdef VEMO_TEMPLATE_INSTALL_DIR
        VEMO_TEMPLATE_INSTALL_DIR,
#endif
#ifdef VEMO_TEMPLATE_SOURCE_DIR
        VEMO_TEMPLATE_SOURCE_DIR,
#endif
    };
    for (const CString& dir : candidates)
        if (!dir.empty() && fs::is_directory(dir, ec))
            return fs::path(dir).lexically_normal().string();
    return CString();
}

int CTemplateInstaller::CopyMissing(const CString& from, const CString& to)
{
    std::error_code ec;
    if (from.empty() || !fs::is_directory(from, ec))
        return -1;
    int copied = 0;
    bool failed = false;
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        fs::path target = fs::path(to) / fs::relative(it->path(), from, ec);
        if (ec || fs::exists(target, ec))
            continue;
        fs::create_directories(target.parent_path(), ec);
        if (fs::copy_file(it->path(), target, fs::copy_options::skip_existing, ec) && !ec)
            ++copied;
        else
            failed = true;
    }
    return failed || ec ? -1 : copied;
}
