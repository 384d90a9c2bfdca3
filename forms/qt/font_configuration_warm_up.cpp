// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/font_configuration_warm_up.h"

#include <system_error>

#ifdef FORMS_QT_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace forms::qt {

FontConfigurationWarmUp::FontConfigurationWarmUp() {
#ifdef FORMS_QT_FONTCONFIG
    // fontconfig loads its configuration once per process and safely from any thread; Qt's own
    // call later finds it loaded. Parsing the configuration files is most of what it costs.
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: Qt reads the configuration itself when it needs it.
    }
#endif
}

FontConfigurationWarmUp::~FontConfigurationWarmUp() {
    if (thread_.joinable())
        thread_.join();
}

} // namespace forms::qt
