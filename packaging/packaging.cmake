# Installation (the program, its menu entry and its icon in the usual places)
# and the Debian package built from it by CPack:
#
#   cmake --install build --prefix /usr/local
#   cd build && cpack -G DEB          # linear-graph_<version>_<arch>.deb
#
# Both take the program as it was built (cmake --build build --target
# linear-graph): installing does not build the tests and the benchmark first,
# so that the package never waits for, or fails with, what it does not hold.
#
# The package installs into /usr; `apt install ./linear-graph_*.deb` brings in
# the Qt libraries and the Japanese font the window is laid out with.

include(GNUInstallDirs)

set(LG_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS linear-graph RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A menu entry for each lesson of lessons.json (core/lessons.cmake), made here:
# its title, its comment and its keywords from the list; the first lesson's
# entry, linear-graph.desktop, starts the program as it is, every other's,
# linear-graph-NAME.desktop, starts it on its lesson (linear-graph --lesson
# NAME). All under Education and Math, with the program's icon.
list(GET LG_LESSONS 0 lg_first_lesson)
foreach(lesson IN LISTS LG_LESSONS)
  if(lesson STREQUAL lg_first_lesson)
    set(file linear-graph.desktop)
    set(exec linear-graph)
  else()
    set(file linear-graph-${lesson}.desktop)
    set(exec "linear-graph --lesson ${lesson}")
  endif()
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/packaging/${file} CONTENT "[Desktop Entry]
Type=Application
Name=${LG_LESSON_${lesson}_TITLE}
GenericName=グラフの学習
Comment=${LG_LESSON_${lesson}_COMMENT}
Keywords=${LG_LESSON_${lesson}_KEYWORDS}
Exec=${exec}
Icon=linear-graph
Terminal=false
Categories=Education;Math;
" @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/${file} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endforeach()

# The icon is drawn as SVG; the PNG sizes are rendered from it once by
# packaging/icon/render.sh and kept beside it, so that no converter is needed
# to build.
install(FILES ${LG_PACKAGING_DIR}/icon/linear-graph.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${LG_PACKAGING_DIR}/icon/linear-graph-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME linear-graph.png)
endforeach()

# The changelog (Debian's format; the package is native, so it is changelog.gz,
# compressed as Debian wants it: at most, without name or time) and the
# machine-readable copyright file, where Debian looks for them.
set(LG_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/linear-graph)
find_program(LG_GZIP gzip REQUIRED)
configure_file(${LG_PACKAGING_DIR}/changelog ${PROJECT_BINARY_DIR}/packaging/changelog COPYONLY)
execute_process(COMMAND ${LG_GZIP} -9 -n -c
                INPUT_FILE ${PROJECT_BINARY_DIR}/packaging/changelog
                OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/changelog.gz
                RESULT_VARIABLE lg_gzip_result)
if(NOT lg_gzip_result EQUAL 0)
  message(FATAL_ERROR "gzip could not compress packaging/changelog: ${lg_gzip_result}")
endif()
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz ${LG_PACKAGING_DIR}/copyright
        DESTINATION ${LG_DOC_DIR})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME linear-graph)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "linear-graph")
set(CPACK_PACKAGE_CONTACT "linear-graph maintainers <maintainers@linear-graph.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching program: the graph of a linear equation ax + by = c")
set(CPACK_PACKAGE_INSTALL_DIRECTORY linear-graph)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME linear-graph)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary is the synopsis line; this is the text under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "A desktop program for school learners, in Japanese. The learner types the
coefficients a, b and c; the program marks the points of the equation whose
coordinates are whole numbers, then more points at every half unit, draws the
whole line in red and shows the equation solved for y in lowest terms.
A second lesson, with a menu entry of its own, puts two such equations on one
plane and works out where their lines meet as exact fractions: the solution
of the system of equations.")

# dpkg-shlibdeps, where it is found (dpkg-dev; CPack reads the binaries' types
# with `file`), names the libraries the program links with their exact
# versions; then only what it cannot see is named here: the font face the
# layout is measured in (IPA P Gothic). Without it the libraries are named by
# hand, as Debian 12 has them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
find_program(LG_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(LG_FILE file)
if(LG_DPKG_SHLIBDEPS AND LG_FILE)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(PREPEND CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), "
    "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 5.2), ")
endif()

# The package's folders are open to everyone to read, whatever the umask of
# the one who packs (CPack's staging folders follow it: under umask 077 the
# package would make /usr/share/doc/linear-graph readable by root alone).
set(CPACK_PRE_BUILD_SCRIPTS ${LG_PACKAGING_DIR}/folder_modes.cmake)

include(CPack)

# The package's contents and dependencies, checked on a package built afresh
# into a folder of the test's own.
find_program(LG_DPKG_DEB dpkg-deb)
if(LG_BUILD_TESTS AND LG_DPKG_DEB)
  add_test(NAME test_package
           COMMAND bash ${LG_PACKAGING_DIR}/check_package.sh
                   ${PROJECT_BINARY_DIR} $<TARGET_FILE:linear-graph> ${PROJECT_VERSION} ${LG_LESSONS_FILE})
  set_tests_properties(test_package PROPERTIES
    ENVIRONMENT "LC_ALL=C.UTF-8;CMAKE=${CMAKE_COMMAND};CPACK=${CMAKE_CPACK_COMMAND}"
    TIMEOUT 300)
endif()
