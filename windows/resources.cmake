# The program's pictures, version information and desktop integration.
#
# Include this file once (from windows/CMakeLists.txt). It defines
#   window_resources              static library: windows/images.h, the embedded PNG pictures
#   pokotama_add_resources(<exe>) the Windows icon and version resource, or the ELF package note
#   pokotama_install(<exe>)       install rules (program, desktop entry, metainfo, icons) and CPack
# and registers the tests of the icon files, the version resource and the desktop files.
# The icons are drawn by icons/make_icons.py from icons/artwork.txt; its output is committed.

set(_pokotama_windows_dir ${CMAKE_CURRENT_LIST_DIR})
get_filename_component(_pokotama_root ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
set(_pokotama_icons ${_pokotama_windows_dir}/icons)
set(_pokotama_hicolor_sizes 16 32 48 64 128 256)

# --- embedded pictures -------------------------------------------------------------------
set(_pokotama_embedded)
foreach(size IN LISTS _pokotama_hicolor_sizes)
  list(APPEND _pokotama_embedded
       pokotama${size} ${_pokotama_icons}/hicolor/${size}x${size}/apps/pokotama.png)
endforeach()
list(APPEND _pokotama_embedded
     about ${_pokotama_icons}/about.png)
set(_pokotama_pngs ${_pokotama_embedded})
list(FILTER _pokotama_pngs INCLUDE REGEX "\\.png$")
list(REMOVE_DUPLICATES _pokotama_pngs)

set(_pokotama_images_cpp ${CMAKE_CURRENT_BINARY_DIR}/embedded_images.cpp)
add_custom_command(
  OUTPUT ${_pokotama_images_cpp}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${_pokotama_images_cpp}
          -P ${_pokotama_icons}/embed_images.cmake -- ${_pokotama_embedded}
  DEPENDS ${_pokotama_icons}/embed_images.cmake ${_pokotama_pngs}
  COMMENT "Embedding the program's pictures"
  VERBATIM)
add_library(window_resources STATIC ${_pokotama_images_cpp} ${_pokotama_windows_dir}/images.h)
target_include_directories(window_resources PUBLIC ${_pokotama_root})
target_compile_features(window_resources PUBLIC cxx_std_20)

# --- version information -----------------------------------------------------------------
if(WIN32)
  enable_language(RC)
elseif(UNIX AND NOT APPLE)
  set(POKOTAMA_PACKAGE_JSON "{\"type\":\"deb\",\"name\":\"pokotama\",\"version\":\"${PROJECT_VERSION}\"")
  find_program(POKOTAMA_DPKG dpkg)
  mark_as_advanced(POKOTAMA_DPKG)
  if(POKOTAMA_DPKG)
    execute_process(COMMAND ${POKOTAMA_DPKG} --print-architecture
                    OUTPUT_VARIABLE _pokotama_arch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(_pokotama_arch MATCHES "^[a-z0-9-]+$")
      string(APPEND POKOTAMA_PACKAGE_JSON ",\"architecture\":\"${_pokotama_arch}\"")
    endif()
  endif()
  string(APPEND POKOTAMA_PACKAGE_JSON "}")
  configure_file(${_pokotama_windows_dir}/version_note.cpp.in
                 ${CMAKE_CURRENT_BINARY_DIR}/version_note.cpp @ONLY)
endif()

# Functions run in the caller's directory, so they find these paths through global properties.
set_property(GLOBAL PROPERTY POKOTAMA_WINDOWS_DIR ${_pokotama_windows_dir})
set_property(GLOBAL PROPERTY POKOTAMA_ROOT_DIR ${_pokotama_root})
set_property(GLOBAL PROPERTY POKOTAMA_HICOLOR_SIZES ${_pokotama_hicolor_sizes})
set_property(GLOBAL PROPERTY POKOTAMA_VERSION_NOTE ${CMAKE_CURRENT_BINARY_DIR}/version_note.cpp)

# Adds the program's icon group and version resource (Windows) or its package metadata note
# (ELF platforms) to the program target.
function(pokotama_add_resources target)
  get_property(dir GLOBAL PROPERTY POKOTAMA_WINDOWS_DIR)
  if(WIN32)
    target_sources(${target} PRIVATE ${dir}/pokotama.rc)
    # The .rc names its icon relative to its own directory.
    set_property(SOURCE ${dir}/pokotama.rc APPEND PROPERTY INCLUDE_DIRECTORIES ${dir})
    set_property(SOURCE ${dir}/pokotama.rc APPEND PROPERTY OBJECT_DEPENDS ${dir}/icons/pokotama.ico)
  elseif(UNIX AND NOT APPLE)
    get_property(note GLOBAL PROPERTY POKOTAMA_VERSION_NOTE)
    # A source of the program itself, not of a library: nothing refers to the note, so the
    # linker would leave it out of an archive.
    target_sources(${target} PRIVATE ${note})
  endif()
endfunction()

# Installs the program, and on freedesktop systems its desktop entry, AppStream metainfo and
# hicolor icons; sets up `cpack -G DEB` for a Debian package.
function(pokotama_install target)
  include(GNUInstallDirs)
  get_property(dir GLOBAL PROPERTY POKOTAMA_WINDOWS_DIR)
  get_property(root GLOBAL PROPERTY POKOTAMA_ROOT_DIR)
  get_property(sizes GLOBAL PROPERTY POKOTAMA_HICOLOR_SIZES)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(UNIX AND NOT APPLE)
    set(id io.github.pokotama.Pokotama)
    install(FILES ${root}/packaging/${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${root}/packaging/${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size IN LISTS sizes)
      install(FILES ${dir}/icons/hicolor/${size}x${size}/apps/pokotama.png
              DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
  endif()
  include(${root}/packaging/cpack.cmake)
endfunction()

# --- tests -------------------------------------------------------------------------------
add_executable(window_resources_test ${_pokotama_windows_dir}/tests/resources_test.cpp)
target_link_libraries(window_resources_test PRIVATE window_resources GTest::gtest_main)
target_compile_definitions(window_resources_test PRIVATE POKOTAMA_ICONS_DIR="${_pokotama_icons}")
gtest_discover_tests(window_resources_test)

find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  add_test(NAME resources.icons_up_to_date
           COMMAND ${Python3_EXECUTABLE} ${_pokotama_icons}/make_icons.py --check)
  add_test(NAME resources.icon_files
           COMMAND ${Python3_EXECUTABLE} ${_pokotama_windows_dir}/tests/icon_files_test.py
                   ${_pokotama_icons})
  add_test(NAME resources.version_resource
           COMMAND ${Python3_EXECUTABLE} ${_pokotama_windows_dir}/tests/version_resource_test.py
                   ${_pokotama_windows_dir})
  set_tests_properties(resources.version_resource PROPERTIES SKIP_RETURN_CODE 77)
endif()
if(UNIX)
  add_test(NAME resources.desktop_files COMMAND sh ${_pokotama_root}/packaging/validate.sh
                                      ${_pokotama_root}/packaging)
  set_tests_properties(resources.desktop_files PROPERTIES SKIP_RETURN_CODE 77)
endif()
