# SPDX-License-Identifier: MIT
# Fails when an include runs against the floors of the program. The manifest
# names every source with its floor, one "floor<TAB>path" a line, the lowest
# floor 0; "floor<TAB>path<TAB>own" marks a header its floor keeps to itself
# (the exact answers' functions, which the floors above reach only through
# the module's table). A source may include a header of a lower floor that is
# not kept, or one of its own floor from its own folder or a folder within it;
# never one from a floor above, nor a sibling folder's on its own floor (the
# subjects know nothing of each other). Sources
# below QT_FLOOR (the computation and the exact answers) include no Qt header.
# Headers that no floor names (the standard library's, generated ones) are
# not judged.
# Usage: cmake -DMANIFEST=floors.txt -DQT_FLOOR=4 -P check_floors.cmake
file(STRINGS "${MANIFEST}" entries)
set(sources "")
foreach(entry IN LISTS entries)
  string(REGEX MATCH "^([0-9]+)\t([^\t]+)(\town)?$" parsed "${entry}")
  set(floor ${CMAKE_MATCH_1})
  set(path ${CMAKE_MATCH_2})
  set(own "${CMAKE_MATCH_3}")
  cmake_path(GET path FILENAME name)
  cmake_path(GET path PARENT_PATH folder)
  if(DEFINED header_floor_${name} AND NOT header_folder_${name} STREQUAL folder)
    message(FATAL_ERROR "two sources are named ${name}: ${header_folder_${name}} and ${folder}")
  endif()
  set(header_floor_${name} ${floor})
  set(header_folder_${name} ${folder})
  set(header_own_${name} "${own}")
  list(APPEND sources "${path}")
  set(floor_of_${path} ${floor})
endforeach()
list(LENGTH sources count)
if(count EQUAL 0)
  message(FATAL_ERROR "the manifest names no source")
endif()

set(offenders "")
foreach(path IN LISTS sources)
  set(floor ${floor_of_${path}})
  cmake_path(GET path PARENT_PATH folder)
  file(STRINGS "${path}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "[<\"]([^>\"]+)[>\"]" included "${line}")
    set(header ${CMAKE_MATCH_1})
    if(floor LESS QT_FLOOR AND header MATCHES "^(Q[A-Za-z]*|Qt[A-Za-z]*/)")
      list(APPEND offenders "${path}: ${line} (Qt below the widget kit)")
      continue()
    endif()
    cmake_path(GET header FILENAME name)
    if(NOT DEFINED header_floor_${name})
      continue()
    endif()
    string(FIND "${header_folder_${name}}/" "${folder}/" at)
    set(inside FALSE)
    if(at EQUAL 0)
      set(inside TRUE)
    endif()
    if(header_floor_${name} GREATER floor)
      list(APPEND offenders "${path}: ${line} (floor ${floor} includes floor ${header_floor_${name}})")
    elseif(header_floor_${name} LESS floor AND header_own_${name})
      list(APPEND offenders "${path}: ${line} (kept to floor ${header_floor_${name}})")
    elseif(header_floor_${name} EQUAL floor AND NOT inside)
      list(APPEND offenders "${path}: ${line} (a sibling folder on floor ${floor})")
    endif()
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "includes against the floors:\n  ${text}")
endif()
message(STATUS "${count} sources on their floors, no include runs back up")
