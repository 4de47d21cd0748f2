# Fails when a file of src/ includes a header of a higher floor, or of another
# folder on its own floor. The floors, from the foundation up; a file belongs
# to the longest folder of the table that holds it, so src/core/linux is on
# the floor of src/core and src/ui/qt on the backends' floor.
set(floors
  "core"
  "platform"
  "ui"
  "i18n"
  "app/shared"
  "companions"
  "countdown draw language scores"
  "admin"
  "app updater"
  "ui/qt ui/win32")

set(folders "")
set(level 0)
foreach(floor IN LISTS floors)
  string(REPLACE " " ";" members "${floor}")
  foreach(folder IN LISTS members)
    list(APPEND folders "${folder}")
    set(floor_of_${folder} ${level})
  endforeach()
  math(EXPR level "${level} + 1")
endforeach()

# The folder of the table that holds a path below src/, or "" for none.
function(folder_of path out)
  set(best "")
  string(LENGTH "${best}" best_length)
  foreach(folder IN LISTS folders)
    string(LENGTH "${folder}" length)
    string(FIND "${path}" "${folder}/" at)
    if(at EQUAL 0 AND length GREATER best_length)
      set(best "${folder}")
      set(best_length ${length})
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}/src" "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp")
set(offenders "")
foreach(source IN LISTS sources)
  folder_of("${source}" from)
  if(from STREQUAL "")
    list(APPEND offenders "src/${source}: its folder is on no floor")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/src/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
    folder_of("${header}" to)
    if(to STREQUAL "")
      list(APPEND offenders "src/${source}: \"${header}\" is on no floor")
    elseif(NOT to STREQUAL from AND NOT floor_of_${to} LESS floor_of_${from})
      list(APPEND offenders "src/${source}: \"${header}\" (${to} is not below ${from})")
    endif()
  endforeach()
endforeach()
include("${CMAKE_CURRENT_LIST_DIR}/report_offenders.cmake")
report_offenders("${offenders}" "Includes that climb a floor or cross to a neighbour"
  "every include goes down a floor or stays in its folder")
