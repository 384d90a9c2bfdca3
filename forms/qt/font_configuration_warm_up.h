// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads the system's font configuration on a second thread while Qt starts and connects to the
// display, so that the first window finds it ready instead of reading it on the way to its first
// frame. Loading the fonts themselves is left to Qt. Where Qt does not use fontconfig it does
// nothing.
#pragma once

#include <thread>

namespace forms::qt {

class FontConfigurationWarmUp {
  public:
    FontConfigurationWarmUp();
    ~FontConfigurationWarmUp(); // waits for the thread
    FontConfigurationWarmUp(const FontConfigurationWarmUp&) = delete;
    FontConfigurationWarmUp& operator=(const FontConfigurationWarmUp&) = delete;

  private:
    std::thread thread_;
};

} // namespace forms::qt
