# The layer rules, checked on every include of the tree (run by CTest as layer_rules):
#   - the system (tweak/, ovrimoprefs/, zarnekprefs/) includes only platform/ headers and its own;
#   - inside tweak/, each subsystem includes only what lies below it: the files at the top of
#     tweak/ (start-up's excepted), then hud and cropper, ui, library, workflow, and start-up over all;
#   - the platform (platform/) never includes the simulated phone (device/) or the front ends (sim/).
# Usage: cmake -DROOT=<source tree> -P LayerRules.cmake
if(NOT ROOT)
  message(FATAL_ERROR "LayerRules.cmake: pass -DROOT=<source tree>")
endif()

set(violations "")

function(check_folder folder allowed_regex)
  file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  check_sources("${sources}" "${allowed_regex}")
  set(violations ${violations} PARENT_SCOPE)
endfunction()

function(check_sources sources allowed_regex)
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

# The tweak's own order. Its base: the headers at the top of tweak/, start-up's excepted.
set(tweak_base "tweak/(Preferences|SystemVersion|IconViews|IconImages|IconStore|IconStoreCache|PrivateInterfaces|Substitution|Welcome)\\.h$")
file(GLOB base_sources RELATIVE ${ROOT} ${ROOT}/tweak/*.h ${ROOT}/tweak/*.cpp)
list(REMOVE_ITEM base_sources tweak/Startup.h tweak/Startup.cpp tweak/EditMode.h tweak/EditMode.cpp tweak/Tweak.cpp)
check_sources("${base_sources}" "^platform/|^${tweak_base}")
check_folder(tweak/hud "^(platform|tweak/hud)/")
check_folder(tweak/cropper "^(platform|tweak/cropper)/")
check_folder(tweak/ui "^(platform|tweak/(hud|ui))/|^${tweak_base}")
check_folder(tweak/library "^(platform|tweak/(hud|ui|library))/|^${tweak_base}")
check_folder(tweak/workflow "^(platform|tweak/(hud|cropper|ui|library|workflow))/|^${tweak_base}")
check_folder(ovrimoprefs "^(platform|ovrimoprefs|zarnekprefs)/")
check_folder(zarnekprefs "^(platform|zarnekprefs)/")
check_folder(platform "^platform/")

# One way to declare a class and to send a message, outside the runtime itself (which implements
# the string forms the others are built on): no method registered by a selector string, no message
# sent by a selector string, and no lambda as a method of a ClassBuilder (methods are named
# functions, so a reader finds them and a stack shows them).
function(check_forms folder)
  file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  foreach(source ${sources})
    if(source MATCHES "^platform/runtime/")
      continue()
    endif()
    file(STRINGS ${ROOT}/${source} lines)
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(line MATCHES "addMethod\\([ ]*\"" OR line MATCHES "msgSend(Super)?(<[^>]*(<[^>]*>[^>]*)*>)?\\([^)]*, *\"")
        list(APPEND violations "${source}:${number} registers or sends a method by a selector string")
      elseif(line MATCHES "\\.(method|classMethod)\\([^,]+,[ ]*\\+?\\[" OR line MATCHES "^[ ]*\\+\\[[^]]*\\]\\(")
        list(APPEND violations "${source}:${number} gives a class a lambda as a method")
      endif()
    endforeach()
  endforeach()
  set(violations ${violations} PARENT_SCOPE)
endfunction()

foreach(folder platform device tweak ovrimoprefs zarnekprefs sim)
  check_forms(${folder})
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "layer rules broken:\n  ${text}")
endif()
message(STATUS "layer rules hold")
