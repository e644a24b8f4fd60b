# test_parity: the pure parts built for the desktop and for the browser give
# the same answers, byte for byte, over the same table.
#   cmake -DCONFIG=<parity-config.cmake> -P run.cmake
# The configuration (written by tests/CMakeLists.txt) names this build's
# parity program and side (native or web); the other side is built here from
# the same sources with the small project beside this file, into LG_WORK.
# The table is written by the native program (and once more by the browser's,
# which must write the same bytes), answered by both, and the answers
# compared by the native program, which names the first line that differs
# with its input.
cmake_minimum_required(VERSION 3.25)
include(${CONFIG})

function(lg_run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "parity: ${what} failed (${rc})")
  endif()
endfunction()

# Builds the other side with `launcher` (emcmake for the browser) in front of
# the configure step; the log is shown only when it fails.
function(lg_build_other folder launcher)
  set(log ${folder}.log)
  set(extra)
  if(LG_OTHER_CXX)
    list(APPEND extra -DCMAKE_CXX_COMPILER=${LG_OTHER_CXX})
  endif()
  string(TIMESTAMP start %s)
  execute_process(
    COMMAND ${launcher} ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR} -B ${folder}
            -DCMAKE_BUILD_TYPE=${LG_OTHER_BUILD_TYPE} -DLG_SOURCE_DIR=${LG_SOURCE_DIR}
            "-DLG_PURE_SOURCES=${LG_PURE_SOURCES}" ${extra}
    OUTPUT_FILE ${log} ERROR_FILE ${log}.err RESULT_VARIABLE rc)
  if(rc EQUAL 0)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${folder} -j2
                    OUTPUT_FILE ${log}.build ERROR_FILE ${log}.build.err RESULT_VARIABLE rc)
  endif()
  if(NOT rc EQUAL 0)
    foreach(f ${log} ${log}.err ${log}.build ${log}.build.err)
      if(EXISTS ${f})
        file(READ ${f} text)
        message("${text}")
      endif()
    endforeach()
    message(FATAL_ERROR "parity: building the ${LG_OTHER_SIDE} side in ${folder} failed")
  endif()
  string(TIMESTAMP end %s)
  file(STRINGS ${log} compiler REGEX "^-- parity: ")
  math(EXPR seconds "${end} - ${start}")
  message("parity: ${LG_OTHER_SIDE} side built in ${seconds} s (${compiler})")
endfunction()

file(MAKE_DIRECTORY ${LG_WORK})
set(node_run ${LG_NODE} --no-experimental-fetch)
if(LG_SIDE STREQUAL "native")
  set(LG_OTHER_SIDE web)
  if(NOT LG_EMCMAKE OR NOT LG_NODE)
    # Reported as skipped by CTest (SKIP_REGULAR_EXPRESSION).
    message("parity: skipped: Emscripten (emcmake) and Node are needed to build and run the browser's side")
    return()
  endif()
  # emcc finds acorn among Debian's Node modules.
  if(NOT DEFINED ENV{NODE_PATH} AND EXISTS /usr/share/nodejs)
    set(ENV{NODE_PATH} /usr/share/nodejs)
  endif()
  lg_build_other(${LG_WORK}/web ${LG_EMCMAKE})
  set(native ${LG_THIS_PARITY})
  set(web ${node_run} ${LG_WORK}/web/parity.js)
else()
  set(LG_OTHER_SIDE native)
  lg_build_other(${LG_WORK}/native "")
  set(native ${LG_WORK}/native/parity)
  set(web ${node_run} ${LG_THIS_PARITY})
endif()

set(table ${LG_WORK}/table.txt)
lg_run("writing the table" ${native} table ${LG_CORPUS} ${table})
# The browser's program writes the same table from the same seed (a table
# that depended on the compiler would make the two builds' tests disagree).
lg_run("writing the table in the browser" ${web} table ${LG_CORPUS} ${LG_WORK}/table-web.txt)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${table} ${LG_WORK}/table-web.txt RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "parity: the browser's program wrote another table (${LG_WORK}/table-web.txt)")
endif()
list(JOIN native " " shown)
message("parity: the desktop's side: ${shown}")
lg_run("the desktop's side" ${native} answer ${table} ${LG_WORK}/native.txt)
list(JOIN web " " shown)
message("parity: the browser's side: ${shown}")
lg_run("the browser's side" ${web} answer ${table} ${LG_WORK}/web.txt)
lg_run("comparing the answers" ${native} compare ${table} ${LG_WORK}/native.txt ${LG_WORK}/web.txt)
