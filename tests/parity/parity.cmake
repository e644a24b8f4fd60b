# The parity program, built by the program's own build (tests/CMakeLists.txt)
# and by the small project beside it (CMakeLists.txt here) alike.
function(lg_add_parity pure)
  add_executable(parity ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/parity.cpp)
  target_link_libraries(parity PRIVATE ${pure})
  if(EMSCRIPTEN)
    # Run by Node on the machine's files; main's status is the process's.
    target_link_options(parity PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1)
  endif()
endfunction()
