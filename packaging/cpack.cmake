# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Package settings for CPack: `cpack` in the build directory packs everything that
# `cmake --install` installs: a Debian package on Linux, a ZIP (and an NSIS installer where
# makensis is found) on Windows. Included once, by pokotama_install().

set(CPACK_PACKAGE_NAME pokotama)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "森　結")
set(CPACK_PACKAGE_CONTACT "森　結 <yui.mori@pokotama.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cheerful desktop calculator with blinking lamps")
set(CPACK_PACKAGE_DESCRIPTION "ぽこたま (pokotama) is a small calculator with a Japanese face: two display
lines, nineteen brightly coloured keys and a ring of lamps that chase around
the keypad and flash red on the equals key. It adds, subtracts, multiplies
and divides strictly from left to right.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY pokotama)
set(CPACK_STRIP_FILES ON)
get_property(_pokotama_root GLOBAL PROPERTY POKOTAMA_ROOT_DIR)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  find_program(POKOTAMA_MAKENSIS makensis)
  mark_as_advanced(POKOTAMA_MAKENSIS)
  if(POKOTAMA_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
  endif()
  set(CPACK_PACKAGE_EXECUTABLES pokotama "ぽこたま") # a Start menu entry
  set(CPACK_NSIS_DISPLAY_NAME "ぽこたま")
  set(CPACK_NSIS_PACKAGE_NAME "ぽこたま")
  set(CPACK_NSIS_INSTALLED_ICON_NAME bin/pokotama.exe)
  set(CPACK_NSIS_MUI_ICON ${_pokotama_root}/faces/icons/pokotama.ico)
  set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
else()
  set(CPACK_GENERATOR DEB)
  # The Debian revision is the newest changelog entry's, which must be this version's.
  file(STRINGS ${_pokotama_root}/packaging/debian/changelog _pokotama_entry LIMIT_COUNT 1)
  string(REPLACE "." "\\." _pokotama_version_pattern ${PROJECT_VERSION})
  if(NOT _pokotama_entry MATCHES "^pokotama \\(${_pokotama_version_pattern}-([^)]+)\\) ")
    message(FATAL_ERROR "packaging/debian/changelog: the newest entry is not for version "
                        "${PROJECT_VERSION}: ${_pokotama_entry}")
  endif()
  set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_1})
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from dpkg-shlibdeps; libqt6gui6 holds Qt's X11 platform plugin too. The
# program asks for its Japanese fonts by name, and runs natively on Wayland with Qt's plugin
# for it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-motoya-l-maruberi, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS qt6-wayland)

include(CPack)
