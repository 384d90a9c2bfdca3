// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "resident_memory.h"

#ifdef _WIN32
#include <windows.h>
// needs windows.h first
#include <psapi.h>
#else
#include <fstream>
#include <sstream>
#include <string>
#endif

namespace gui_test {

#ifdef _WIN32

ResidentMemory residentMemory() {
    ResidentMemory memory;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(),
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
        memory.vmRssKb = static_cast<long>(counters.WorkingSetSize / 1024);
        memory.rssAnonKb = static_cast<long>(counters.PrivateUsage / 1024);
    }
    return memory;
}

#else

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

#endif

} // namespace gui_test
