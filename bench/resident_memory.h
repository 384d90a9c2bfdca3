// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// This process's resident memory: all of it (VmRSS in /proc/self/status on Linux, the working
// set on Windows) and the part that is the program's own heap rather than mapped libraries and
// fonts (RssAnon; on Windows the private bytes). Where neither can be read both are -1.
#pragma once

namespace gui_test {

struct ResidentMemory {
    long vmRssKb = -1;
    long rssAnonKb = -1;
};

ResidentMemory residentMemory();

} // namespace gui_test
