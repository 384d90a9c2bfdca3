#include "resident_memory.h"

#include <fstream>
#include <sstream>
#include <string>

namespace gui_test {

ResidentMemory residentMemory() {
    ResidentMemory memory;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        std::istringstream fields(line);
        std::string key;
        long kb = -1;
        fields >> key >> kb;
        if (key == "VmRSS:")
            memory.vmRssKb = kb;
        else if (key == "RssAnon:")
            memory.rssAnonKb = kb;
    }
    return memory;
}

} // namespace gui_test
