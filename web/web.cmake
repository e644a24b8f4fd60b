# The lesson in the browser: the program as one script (the WebAssembly
# module inside it, so that the page also works opened from a disk), and the
# folder of static files a teacher puts on a server or a stick.
set_target_properties(linear-graph PROPERTIES OUTPUT_NAME lesson SUFFIX ".js")
target_link_options(linear-graph PRIVATE
  -sSINGLE_FILE=1
  -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web
  -sEXPORTED_RUNTIME_METHODS=[ccall,UTF8ToString,addRunDependency,removeRunDependency]
  -sEXPORTED_FUNCTIONS=[_main]
  --js-library ${PROJECT_SOURCE_DIR}/platform/web/dom.js)
set_property(TARGET linear-graph APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/platform/web/dom.js)

# The folder of the lesson: the page, its style and start, the program.
set(LG_SITE ${PROJECT_BINARY_DIR}/site)
set(LG_SITE_FILES index.html lesson.css start.js)
list(TRANSFORM LG_SITE_FILES PREPEND ${PROJECT_SOURCE_DIR}/web/ OUTPUT_VARIABLE LG_SITE_SOURCES)
add_custom_target(site ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LG_SITE}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${LG_SITE_SOURCES} ${LG_SITE}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:linear-graph> ${LG_SITE}/lesson.js
  DEPENDS linear-graph ${LG_SITE_SOURCES}
  COMMENT "The lesson's folder in ${LG_SITE}")
