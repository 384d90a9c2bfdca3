// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The start-up's warm-up of the font configuration ends with its owner, the program's run.
#include "forms/qt/font_configuration_warm_up.h"

#include <gtest/gtest.h>

namespace forms::qt {
namespace {

TEST(FontConfigurationWarmUp, EndsWithItsOwner) {
    { const FontConfigurationWarmUp warmUp; }
    SUCCEED() << "a thread left running would have ended the program";
}

} // namespace
} // namespace forms::qt
