# The layer rules, checked on every include of the tree (run by CTest as layer_rules):
#   - the system (tweak/, ovrimoprefs/, zarnekprefs/) includes only platform/ headers and its own;
#   - the platform (platform/) never includes the simulated phone (device/) or the front ends (sim/).
# Usage: cmake -DROOT=<source tree> -P LayerRules.cmake
if(NOT ROOT)
  message(FATAL_ERROR "LayerRules.cmake: pass -DROOT=<source tree>")
endif()

set(violations "")

function(check_folder folder allowed_regex)
  file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${ROOT}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
      # Includes relative to the file's own folder ("Class.h") stay in the folder.
      if(NOT included MATCHES "/")
        continue()
      endif()
      if(NOT included MATCHES "${allowed_regex}")
        list(APPEND violations "${source} includes ${included}")
      endif()
    endforeach()
  endforeach()
  set(violations ${violations} PARENT_SCOPE)
endfunction()

check_folder(tweak "^(platform|tweak)/")
check_folder(ovrimoprefs "^(platform|ovrimoprefs|zarnekprefs)/")
check_folder(zarnekprefs "^(platform|zarnekprefs)/")
check_folder(platform "^platform/")

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "layer rules broken:\n  ${text}")
endif()
message(STATUS "layer rules hold")
