# SPDX-License-Identifier: MIT
# The rules code is built in three layers that may only look down:
#   engine/   the record, the cards, dealing, declaring, tricks and scoring
#   players/  the computer seats, on top of the engine
#   play/     the click drivers and the whole-deal loop, on top of both and of
#   layout/   the screen layout, which stands on nothing of the game's own
# None of them may include the GL, wx or SDL code of the game either.
# Usage: cmake -DROOT=<source folder> -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)
set(project_folders layout engine players play render shell tools tests assets bench)
set(allowed_engine engine)
set(allowed_players engine players)
set(allowed_play engine players play layout)
set(allowed_layout layout)
set(errors "")
foreach(layer layout engine players play)
  file(GLOB_RECURSE files ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
      if(NOT line MATCHES "#[ \t]*include[ \t]*[\"<]([A-Za-z0-9_]+)/")
        continue()
      endif()
      set(folder ${CMAKE_MATCH_1})
      if((folder IN_LIST project_folders AND NOT folder IN_LIST allowed_${layer})
         OR folder MATCHES "^(GL|EGL|wx|SDL2?)$")
        string(APPEND errors "\n  ${file}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(errors)
  message(FATAL_ERROR "A rules layer includes a layer above it or the game's "
                      "window, drawing or sound code:${errors}")
endif()
