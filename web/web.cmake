# The lesson in the browser: each lesson's program as one script of its own
# (NAME.js, the WebAssembly module inside it, so that the page also works
# opened from a disk; only that lesson's code, so that each page starts as
# fast as one lesson can), and the folder of static files a teacher puts on a
# server or a stick. Every lesson of lessons.json has its page, its manifest
# and its program here.
# Linked for the least size, as everything is compiled (CMakeLists.txt).
set(LG_PROGRAMS "")
foreach(name IN LISTS LG_LESSONS)
  lg_lesson_registry(${PROJECT_BINARY_DIR}/lessons-${name}.cpp ${name})
  add_executable(lesson-${name} ${PROJECT_SOURCE_DIR}/app/main.cpp ${PROJECT_BINARY_DIR}/lessons-${name}.cpp)
  target_link_libraries(lesson-${name} PRIVATE lgcore)
  set_target_properties(lesson-${name} PROPERTIES OUTPUT_NAME ${name} SUFFIX ".js"
                        RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/programs)
  target_link_options(lesson-${name} PRIVATE
    -sSINGLE_FILE=1
    -sALLOW_MEMORY_GROWTH=1
    -sENVIRONMENT=web
    -sEXPORTED_RUNTIME_METHODS=[ccall,UTF8ToString,addRunDependency,removeRunDependency]
    -sEXPORTED_FUNCTIONS=[_main,_malloc,_free]
    # The stack pinned, whatever Emscripten's own default: long texts (a paste)
    # come to the program on the heap, never on the stack.
    -sTOTAL_STACK=65536
    $<$<CONFIG:Release>:-Oz>
    --js-library ${PROJECT_SOURCE_DIR}/platform/web/dom.js)
  set_property(TARGET lesson-${name} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/platform/web/dom.js)
  list(APPEND LG_PROGRAMS lesson-${name})
endforeach()
# What the program holds, as JSON, for the page's tests: in a build with tests only.
if(LG_BUILD_TESTS)
  target_compile_definitions(lgcore PRIVATE LG_INSPECTABLE)
endif()

# The face of the page: the glyphs of IPA P Gothic that the lesson shows, as a
# script (font.js), and the face's licence, made again whenever a text of the
# program or the page changes (tools/subset_font.py reads the same files).
set(LG_PYTHON /usr/bin/python3 CACHE FILEPATH "Debian's python3, with fontTools (python3-fonttools) and brotli (python3-brotli)")
set(LG_FACE /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf CACHE FILEPATH "IPA P Gothic (fonts-ipafont-gothic)")
set(LG_FACE_COPYRIGHT /usr/share/doc/fonts-ipafont-gothic/copyright CACHE FILEPATH "The face's licence, in Debian's copyright file")
execute_process(COMMAND ${LG_PYTHON} -c "import fontTools.subset"
                RESULT_VARIABLE LG_FONTTOOLS_MISSING OUTPUT_QUIET ERROR_QUIET)
if(LG_FONTTOOLS_MISSING)
  message(FATAL_ERROR "${LG_PYTHON} cannot import fontTools: apt-get install python3-fonttools python3-brotli")
endif()
foreach(file IN ITEMS ${LG_FACE} ${LG_FACE_COPYRIGHT})
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "${file} is missing: apt-get install fonts-ipafont-gothic")
  endif()
endforeach()

set(LG_FONT_SOURCES ${LG_LESSONS_FILE})
foreach(dir core platform ${LG_LESSON_FOLDERS})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/${dir}/*.cpp ${PROJECT_SOURCE_DIR}/${dir}/*.h ${PROJECT_SOURCE_DIR}/${dir}/*.js)
  list(APPEND LG_FONT_SOURCES ${sources})
endforeach()
file(GLOB sources CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/web/*.html ${PROJECT_SOURCE_DIR}/web/*.js ${PROJECT_SOURCE_DIR}/web/*.css)
list(APPEND LG_FONT_SOURCES ${sources})

set(LG_WEB ${PROJECT_BINARY_DIR}/web)
add_custom_command(
  OUTPUT ${LG_WEB}/font.js ${LG_WEB}/LICENSE-font.txt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LG_WEB}
  COMMAND ${LG_PYTHON} ${PROJECT_SOURCE_DIR}/tools/subset_font.py --root ${PROJECT_SOURCE_DIR}
          --face ${LG_FACE} --copyright ${LG_FACE_COPYRIGHT}
          --out ${LG_WEB}/font.js --licence ${LG_WEB}/LICENSE-font.txt
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/subset_font.py ${LG_FONT_SOURCES} ${LG_FACE} ${LG_FACE_COPYRIGHT}
  COMMENT "The lesson's face: the glyphs it shows"
  VERBATIM)

# The folder of the lesson: each lesson's page, manifest and program, the
# pages' style and start, the face and its licence, the icons of an installed
# app, and the service worker that keeps them all for use offline. The pages
# are made from web/page.html and the manifests from web/manifest.webmanifest,
# with each lesson's words from lessons.json and the program's version
# (<meta name="version">) from PROJECT_VERSION. The first lesson's page is
# index.html, the folder's own; its manifest keeps the name
# manifest.webmanifest, the others' are NAME.webmanifest.
set(LG_SITE ${PROJECT_BINARY_DIR}/site)
set(LG_PAGES "")
set(LG_SITE_FILES lesson.css start.js)
list(TRANSFORM LG_SITE_FILES PREPEND ${PROJECT_SOURCE_DIR}/web/ OUTPUT_VARIABLE LG_SITE_SOURCES)
set(LG_COPY_PROGRAMS "")
foreach(name IN LISTS LG_LESSONS)
  set(LG_PAGE_NAME ${name})
  set(LG_PAGE_TITLE "${LG_LESSON_${name}_TITLE}")
  set(LG_PAGE_SHORT "${LG_LESSON_${name}_SHORT}")
  set(LG_PAGE_DESCRIPTION "${LG_LESSON_${name}_DESCRIPTION}")
  string(JOIN " " LG_PAGE_PROBLEM ${LG_LESSON_${name}_PROBLEM})
  set(LG_PAGE_PROGRAM ${name}.js)
  set(page ${LG_LESSON_${name}_PAGE})
  if(page STREQUAL "index.html")
    set(LG_PAGE_MANIFEST manifest.webmanifest)
    set(LG_PAGE_START .)
  else()
    set(LG_PAGE_MANIFEST ${name}.webmanifest)
    set(LG_PAGE_START ${page})
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/web/page.html ${LG_WEB}/${page} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/web/manifest.webmanifest ${LG_WEB}/${LG_PAGE_MANIFEST} @ONLY)
  list(APPEND LG_PAGES ${page})
  list(APPEND LG_SITE_FILES ${page} ${LG_PAGE_MANIFEST} ${name}.js)
  list(APPEND LG_SITE_SOURCES ${LG_WEB}/${page} ${LG_WEB}/${LG_PAGE_MANIFEST})
  list(APPEND LG_COPY_PROGRAMS COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lesson-${name}> ${LG_SITE}/${name}.js)
endforeach()
set(LG_ICONS ${PROJECT_SOURCE_DIR}/packaging/icon)
set(LG_SITE_ICONS  # in the folder = in packaging/icon
  icon-180.png=linear-graph-maskable-180.png
  icon-192.png=linear-graph-192.png
  icon-512.png=linear-graph-512.png
  icon-maskable-192.png=linear-graph-maskable-192.png
  icon-maskable-512.png=linear-graph-maskable-512.png)
set(LG_COPY_ICONS "")
set(LG_ICON_SOURCES "")
foreach(pair IN LISTS LG_SITE_ICONS)
  string(REPLACE "=" ";" pair ${pair})
  list(GET pair 0 name)
  list(GET pair 1 source)
  list(APPEND LG_COPY_ICONS COMMAND ${CMAKE_COMMAND} -E copy_if_different ${LG_ICONS}/${source} ${LG_SITE}/${name})
  list(APPEND LG_ICON_SOURCES ${LG_ICONS}/${source})
  list(APPEND LG_SITE_FILES ${name})
endforeach()
list(APPEND LG_SITE_FILES font.js LICENSE-font.txt)
list(JOIN LG_SITE_FILES "," LG_SITE_LIST)

add_custom_target(site ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LG_SITE}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${LG_SITE_SOURCES} ${LG_SITE}
  ${LG_COPY_ICONS}
  ${LG_COPY_PROGRAMS}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${LG_WEB}/font.js ${LG_WEB}/LICENSE-font.txt ${LG_SITE}
  COMMAND ${CMAKE_COMMAND} -DSITE=${LG_SITE} -DTEMPLATE=${PROJECT_SOURCE_DIR}/web/sw.js -DFILES=${LG_SITE_LIST}
          -DRELEASE=${PROJECT_VERSION}
          -P ${PROJECT_SOURCE_DIR}/web/service_worker.cmake
  DEPENDS ${LG_PROGRAMS} ${LG_SITE_SOURCES} ${LG_ICON_SOURCES} ${LG_WEB}/font.js ${LG_WEB}/LICENSE-font.txt
          ${PROJECT_SOURCE_DIR}/web/sw.js ${PROJECT_SOURCE_DIR}/web/service_worker.cmake
  COMMENT "The lesson's folder in ${LG_SITE}"
  VERBATIM)

# The teachers' guide beside the lesson, for reading and printing: guide.html,
# docs/guide.md rendered by Python-Markdown (python3-markdown; the code host's
# ids for its headings) with web/guide/guide.css inside, and the pictures it
# shows in guide/. It is not part of the lesson: no page of the lesson links to
# it and the service worker does not keep it. scripts/publish-guide.sh fills in
# the published address and its QR code.
execute_process(COMMAND ${LG_PYTHON} -c "import markdown.extensions.toc"
                RESULT_VARIABLE LG_MARKDOWN_MISSING OUTPUT_QUIET ERROR_QUIET)
if(LG_MARKDOWN_MISSING)
  message(FATAL_ERROR "${LG_PYTHON} cannot import markdown: apt-get install python3-markdown")
endif()
file(GLOB LG_GUIDE_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/guide/*.png)
add_custom_command(
  OUTPUT ${LG_SITE}/guide.html
  COMMAND ${LG_PYTHON} ${PROJECT_SOURCE_DIR}/tools/render_guide.py ${PROJECT_SOURCE_DIR}/docs/guide.md
          ${PROJECT_SOURCE_DIR}/web/guide/guide.css ${LG_SITE}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/render_guide.py ${PROJECT_SOURCE_DIR}/docs/guide.md
          ${PROJECT_SOURCE_DIR}/web/guide/guide.css ${LG_GUIDE_PICTURES}
  COMMENT "The teachers' guide in ${LG_SITE}/guide.html"
  VERBATIM)
# (A target of its own, not part of `site`: the guide's pictures are made
# from the lesson's folder, which must build while the guide shows pictures
# not made yet.)
add_custom_target(guide ALL DEPENDS ${LG_SITE}/guide.html)

# Each page of the folder as one file that holds all it uses (scripts, style,
# icons, the program), to be handed out and opened from the disk: in
# single/, under the page's own name, for the tests (tests/web with
# LG_SINGLE, tests/webkit); scripts/release.sh makes the same files of its
# own folder under the names of the release.
set(LG_SINGLE ${PROJECT_BINARY_DIR}/single)
set(LG_MAKE_SINGLE "")
foreach(page IN LISTS LG_PAGES)
  list(APPEND LG_MAKE_SINGLE COMMAND ${LG_PYTHON} ${PROJECT_SOURCE_DIR}/packaging/single_file.py
       ${LG_SITE}/${page} ${LG_SINGLE}/${page})
endforeach()
add_custom_target(single ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LG_SINGLE}
  ${LG_MAKE_SINGLE}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/single_file.py
  COMMENT "Each page of the lesson as one file in ${LG_SINGLE}"
  VERBATIM)
add_dependencies(single site)
