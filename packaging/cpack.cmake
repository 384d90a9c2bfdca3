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

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  find_program(POKOTAMA_MAKENSIS makensis)
  mark_as_advanced(POKOTAMA_MAKENSIS)
  if(POKOTAMA_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
  endif()
  get_property(_pokotama_root GLOBAL PROPERTY POKOTAMA_ROOT_DIR)
  set(CPACK_PACKAGE_EXECUTABLES pokotama "ぽこたま") # a Start menu entry
  set(CPACK_NSIS_DISPLAY_NAME "ぽこたま")
  set(CPACK_NSIS_PACKAGE_NAME "ぽこたま")
  set(CPACK_NSIS_INSTALLED_ICON_NAME bin/pokotama.exe)
  set(CPACK_NSIS_MUI_ICON ${_pokotama_root}/faces/icons/pokotama.ico)
  set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
else()
  set(CPACK_GENERATOR DEB)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from dpkg-shlibdeps. Qt loads its window-system plugin at run time, which
# libqt6gui6 only recommends, and the program asks for its Japanese fonts by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-motoya-l-maruberi, fonts-ipafont-gothic")

include(CPack)
