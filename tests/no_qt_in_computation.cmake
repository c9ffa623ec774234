# SPDX-License-Identifier: MIT
# Fails when a source of a computation library includes a Qt header: the
# computation is plain C++ and knows nothing of windows.
# Usage: cmake -DFILES="a.cpp;b.h;..." -P no_qt_in_computation.cmake
set(offenders "")
foreach(file IN LISTS FILES)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]*|Qt[A-Za-z]*/)")
  foreach(line IN LISTS lines)
    list(APPEND offenders "${file}: ${line}")
  endforeach()
endforeach()
list(LENGTH FILES count)
if(count EQUAL 0)
  message(FATAL_ERROR "no computation sources were given")
endif()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "Qt included by the computation:\n  ${text}")
endif()
message(STATUS "${count} computation sources, none includes Qt")
