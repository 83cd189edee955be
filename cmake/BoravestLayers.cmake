# The layers of the design program, lowest first: data/, sizing/, the pages,
# app/. Each uses only those below it; an include that reaches up stops the
# configuration.
#
# Included, this gives boravest_check_layers(root). Run as a script,
#   cmake -DROOT=<folder that holds boravest/> -P BoravestLayers.cmake
# it checks that tree alone and fails the same way.
set(BORAVEST_PAGES building equipment eqbook sidejobs help)

if(CMAKE_SCRIPT_MODE_FILE)
  set(_boravest_glob_flags "")
else()
  set(_boravest_glob_flags CONFIGURE_DEPENDS)
endif()

function(boravest_check_layer root layer)
  file(GLOB_RECURSE files ${_boravest_glob_flags} ${root}/boravest/${layer}/*.h ${root}/boravest/${layer}/*.cpp)
  foreach(f ${files})
    foreach(above ${ARGN})
      file(STRINGS ${f} bad REGEX "^#include \"boravest/${above}/")
      if(bad)
        message(FATAL_ERROR "${f} includes from boravest/${above}, a layer above boravest/${layer}: ${bad}")
      endif()
    endforeach()
  endforeach()
endfunction()

function(boravest_check_layers root)
  boravest_check_layer(${root} data sizing ${BORAVEST_PAGES} app)
  boravest_check_layer(${root} sizing ${BORAVEST_PAGES} app)
  foreach(page ${BORAVEST_PAGES})
    boravest_check_layer(${root} ${page} app)
  endforeach()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED ROOT)
  boravest_check_layers(${ROOT})
endif()
