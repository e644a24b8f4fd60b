# The lessons, as lessons.json lists them, for every part of the build that
# names them: LG_LESSONS, their names in order, and for each NAME the
# variables LG_LESSON_<NAME>_<FIELD> (FOLDERS, WINDOW, HEADER, PURE, PAGE,
# PROBLEM, TITLE, SHORT, DESCRIPTION, COMMENT, KEYWORDS; lists for the
# arrays). lg_lesson_registry(OUT NAMES…) writes the C++ list of lessons the
# program starts from, with the windows of the lessons named (the others
# listed without one, so that a lesson can still link to their pages).
set(LG_LESSONS_FILE ${PROJECT_SOURCE_DIR}/lessons.json)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${LG_LESSONS_FILE})
file(READ ${LG_LESSONS_FILE} lg_json)
string(JSON lg_count LENGTH "${lg_json}" lessons)
math(EXPR lg_last "${lg_count} - 1")
set(LG_LESSONS "")
foreach(i RANGE ${lg_last})
  string(JSON name GET "${lg_json}" lessons ${i} name)
  if(NOT name MATCHES "^[a-z][a-z0-9]*$")
    message(FATAL_ERROR "lessons.json: a lesson's name is lower-case letters and digits, not '${name}'")
  endif()
  list(APPEND LG_LESSONS ${name})
  foreach(field window header page title short description comment keywords)
    string(TOUPPER ${field} FIELD)
    string(JSON value GET "${lg_json}" lessons ${i} ${field})
    set(LG_LESSON_${name}_${FIELD} "${value}")
  endforeach()
  foreach(field folders pure problem)
    string(TOUPPER ${field} FIELD)
    string(JSON n LENGTH "${lg_json}" lessons ${i} ${field})
    set(items "")
    if(n GREATER 0)
      math(EXPR m "${n} - 1")
      foreach(k RANGE ${m})
        string(JSON item GET "${lg_json}" lessons ${i} ${field} ${k})
        list(APPEND items "${item}")
      endforeach()
    endif()
    set(LG_LESSON_${name}_${FIELD} "${items}")
  endforeach()
endforeach()

function(lg_lesson_registry out)
  set(includes "")
  set(entries "")
  foreach(name IN LISTS LG_LESSONS)
    set(problem "")
    foreach(p IN LISTS LG_LESSON_${name}_PROBLEM)
      string(APPEND problem "\"${p}\", ")
    endforeach()
    if(name IN_LIST ARGN)
      string(APPEND includes "#include \"${LG_LESSON_${name}_HEADER}\"\n")
      set(make "[]() -> std::unique_ptr<Panel> { return std::make_unique<${LG_LESSON_${name}_WINDOW}>(); }")
    else()
      set(make "nullptr")
    endif()
    string(APPEND entries "    {\"${name}\", \"${LG_LESSON_${name}_PAGE}\", {${problem}}, ${make}},\n")
  endforeach()
  file(CONFIGURE OUTPUT ${out} CONTENT "// Made by the build from lessons.json: the lessons of this program.
#include \"core/lessons.h\"
${includes}
namespace lessons {

std::span<const Entry> All()
{
    static const Entry kLessons[] = {
${entries}    };
    return kLessons;
}

}  // namespace lessons
" @ONLY)
endfunction()
