// This process's resident memory as the kernel counts it in /proc/self/status: all of it
// (VmRSS) and the anonymous part (RssAnon), which is the program's own heap rather than
// mapped libraries and fonts. Where there is no /proc both read -1.
#pragma once

namespace gui_test {

struct ResidentMemory {
    long vmRssKb = -1;
    long rssAnonKb = -1;
};

ResidentMemory residentMemory();

} // namespace gui_test
