# parity_self: the parity program of this build answers what the parts
# answer (worked out by hand here), writes numbers as the C library does, and
# its comparison finds a difference and names its line and input; so that
# test_parity cannot pass on answers that say nothing.
#   cmake -DCONFIG=<parity-config.cmake> -P check.cmake
cmake_minimum_required(VERSION 3.25)
include(${CONFIG})

if(LG_SIDE STREQUAL "web")
  set(parity ${LG_NODE} --no-experimental-fetch ${LG_THIS_PARITY})
else()
  set(parity ${LG_THIS_PARITY})
endif()
set(work ${LG_WORK}/self)
file(MAKE_DIRECTORY ${work})
set(failures 0)

function(fail what)
  message("parity_self: ${what}")
  math(EXPR n "${failures} + 1")
  set(failures ${n} PARENT_SCOPE)
endfunction()

# Each input line with its answer; "~" before an answer makes it a regular
# expression the answer must match.
set(rows
  "read 2d33" "-0x1.8p+1 1 -3 0"                          # -3
  "read efbc91efbc8eefbc95" "0x1.8p+0 1 15 -1"            # １．５
  "read 266831" "0x1p+0 1 1 0"                            # &h1
  "read e3808031e2808b32" "0x1.8p+3 1 12 0"               # full-width space, 1, zero-width space, 2
  "read 312e32303030" "0x1.3333333333333p+0 1 12 -1"      # 1.2000: trailing zeros move into the exponent
  "read -" "0x0p+0 1 0 0"                                 # the empty text
  "read 31653939393939" "inf 1 1 99999"                   # 1e99999: infinite, exactly 10^99999
  "read 3165313030303030" "inf 0 0 0"                     # 1e100000: beyond the exact form
  "op + i:32767 i:1" "l:32768"
  "op * i:200 i:200" "l:40000"
  "op / i:1 i:2" "s:0x1p-1"
  "op / i:1 i:0" "err:11"
  "op / i:0 i:0" "err:6"
  "op + E E" "i:0"
  "op + l:2147483647 i:1" "d:0x1p+31"
  "op * s:3f000000 l:3" "d:0x1.8p+0"                      # a float with a 32-bit integer is a double
  "fn CInt d:4004000000000000" "i:2"                      # 2.5 to even
  "fn CInt d:400c000000000000" "i:4"                      # 3.5 to even
  "fn CInt d:40dfffe000000000" "err:6"                    # 32767.5
  "fn Abs i:-32768" "err:6"
  "fn Int s:bfc00000" "s:-0x1p+1"                         # Int(-1.5) = -2
  "fn CSng d:47efffffe0000000" "s:0x1.fffffep+127"
  "fn Neg i:-32768" "l:32768"
  "text s:3f000000" "[ 0.5]"
  "text d:c002000000000000" "[-2.25]"
  "text d:4415af1d78b58c40" "[ 1E+20]"
  "text l:-40000" "[-40000]"
  "text E" "[ 0]"
  # 2x + 3y = 6: the first points (-36, 26) and (-33, 24), −2/3 and 2, shown and said.
  "line 32 33 36" "~ 2 \\(i:-36,0x1.ap\\+4\\) \\(i:-33,0x1.8p\\+4\\) .*\\| -2/3 2/1 \\|.* -> s:-0x1p\\+1 i:3 s:0x1p\\+1 1 \\[ 2\\]\\[ 3\\]\\[ 2\\]\\[ 1\\] ｙ＝マイナス３分の２ｘプラス２$"
  "line 31 30 31" "~\\| err:11@0 \\| err:11@0 \\| - - \\|"   # b = 0
  # 0.1x + 0.3y = 1: the points (-38, 16) and (-35, 15), the line −1/3, 10/3.
  "line 302e31 302e33 31" "~ 2 \\(i:-38,0x1p\\+4\\) \\(i:-35,0x1.ep\\+3\\) .*\\| -1/3 10/3 \\|.* ｙ＝マイナス３分の１ｘプラス３分の１０$"
  # 0.5x + 0.25y = 0.1: no whole-number point, the exact line −2, 2/5.
  "line 302e35 302e3235 302e31" "~ - 0 \\|.* - 0 \\| -2/1 2/5 \\|.* ｙ＝マイナス２ｘプラス５分の２$"
  "line 31 302e303030313233343537 31" "~ too-large$"       # b = 0.000123457
  "say 3ff0000000000000 4000000000000000 0000000000000000 3ff0000000000000" "[ｙ＝２分の１ｘ]"
  "say 0000000000000000 0000000000000000 c008000000000000 3ff0000000000000" "[ｘ＝マイナス３]"
  "say 3fe0000000000000 3ff0000000000000 0000000000000000 3ff0000000000000" "[]"
  # 2x + 3y = 6 and x − y = −2 meet at (0, 2); x + y = 3 and x − y = 0 at (3/2, 3/2).
  "meet 32 33 36 31 2d31 2d32" "point 0 2 [交点は、ｘ＝０、ｙ＝２]"
  "meet 31 31 33 31 2d31 30" "point 3/2 3/2 [交点は、ｘ＝２分の３、ｙ＝２分の３]"
  "meet 32 33 36 31 2d32 35" "point 27/7 -4/7 [交点は、ｘ＝７分の２７、ｙ＝マイナス７分の４]"
  "meet 302e35 312e35 33 31 33 36" "same-line"                  # 0.5x + 1.5y = 3 and x + 3y = 6
  "meet 32 33 36 34 36 37" "parallel"
  "meet 31 31 3130303030303030 31 2d31 3130303030303030" "too-large")  # x = 10000000: eight digits
set(table "")
set(expected "")
list(LENGTH rows n)
math(EXPR last "${n} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET rows ${i} input)
  list(GET rows ${j} answer)
  string(APPEND table "${input}\n")
  list(APPEND expected "${answer}")
endforeach()
file(WRITE ${work}/table.txt "${table}")
execute_process(COMMAND ${parity} answer ${work}/table.txt ${work}/answers.txt RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  fail("answering failed (${rc}): ${err}")
endif()
file(STRINGS ${work}/answers.txt answers ENCODING UTF-8)
list(LENGTH answers got)
list(LENGTH expected want)
if(NOT got EQUAL want)
  fail("${got} answers to ${want} lines")
else()
  math(EXPR last "${want} - 1")
  foreach(i RANGE 0 ${last})
    list(GET expected ${i} e)
    list(GET answers ${i} a)
    math(EXPR k "${i} * 2")
    list(GET rows ${k} input)
    if(e MATCHES "^~(.*)")
      set(pattern "${CMAKE_MATCH_1}")
      if(NOT a MATCHES "${pattern}")
        fail("${input}: '${a}' does not match '${pattern}'")
      endif()
    elseif(NOT a STREQUAL e)
      fail("${input}: '${a}', expected '${e}'")
    endif()
  endforeach()
endif()

# A line the program cannot read is an answer of its own and a failure.
file(WRITE ${work}/bad.txt "op + i:1\n")
execute_process(COMMAND ${parity} answer ${work}/bad.txt ${work}/bad-answers.txt RESULT_VARIABLE rc
                OUTPUT_QUIET ERROR_QUIET)
file(READ ${work}/bad-answers.txt bad)
if(rc EQUAL 0 OR NOT bad STREQUAL "bad line\n")
  fail("an unreadable line passed (${rc}, '${bad}')")
endif()

execute_process(COMMAND ${parity} hexcheck RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  fail("${err}")
endif()

# The comparison: the same answers pass; one changed answer, or one missing,
# fails and is named with its input.
file(WRITE ${work}/a.txt "one\ntwo\nthree\n")
file(WRITE ${work}/b.txt "one\nTWO\nthree\n")
file(WRITE ${work}/c.txt "one\ntwo\n")
file(WRITE ${work}/in.txt "read 31\nread 3232\nread 333333\n")
execute_process(COMMAND ${parity} compare ${work}/in.txt ${work}/a.txt ${work}/a.txt RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  fail("the same answers were found to differ")
endif()
execute_process(COMMAND ${parity} compare ${work}/in.txt ${work}/a.txt ${work}/b.txt RESULT_VARIABLE rc
                OUTPUT_VARIABLE out)
if(rc EQUAL 0 OR NOT out MATCHES "1 answers differ; the first is line 2\n  input:  read 3232\n +\"22\"\n.*: two\n.*: TWO\n")
  fail("a changed answer was not reported as it should be (${rc}):\n${out}")
endif()
execute_process(COMMAND ${parity} compare ${work}/in.txt ${work}/a.txt ${work}/c.txt RESULT_VARIABLE rc
                OUTPUT_VARIABLE out)
if(rc EQUAL 0 OR NOT out MATCHES "first is line 3\n  input:  read 333333\n.*: three\n.*: \\(no line\\)")
  fail("a missing answer was not reported as it should be (${rc}):\n${out}")
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "parity_self: ${failures} failures")
endif()
list(LENGTH expected n)
message("parity_self: ${n} answers as worked out by hand; the comparison names the line that differs")
