#include "FuzzSupport.h"

#include <filesystem>
#include <string>

#include "platform/util/AppLogger.h"

namespace vemofuzz {

void Prepare()
{
    static bool ready = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "vemofuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            Fail("no temporary folder");
        setenv("XDG_DATA_HOME", (pattern + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (pattern + "/config").c_str(), 1);
        setenv("HOME", pattern.c_str(), 1);
        return true;
    }();
    (void)ready;
    static unsigned runs = 0;
    if (++runs % 4096 == 0)
        CAppLogger::DeleteInstance();
}

} // namespace vemofuzz
