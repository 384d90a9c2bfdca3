# Package settings for CPack: `cpack -G DEB` in the build directory makes a Debian package of
# everything that `cmake --install` installs. Included once, by pokotama_install().

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
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from dpkg-shlibdeps. Qt loads its window-system plugin at run time, which
# libqt6gui6 only recommends, and the program asks for its Japanese fonts by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-motoya-l-maruberi, fonts-ipafont-gothic")

include(CPack)
