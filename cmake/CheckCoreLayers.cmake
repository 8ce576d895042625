# Checks the includes of src/core against its layers (cmake -P, run by the
# test core_layers): a file may include its own folder's headers and those of
# the layers its folder may use, and the standard and system headers, never
# Qt or a header of a front end.
#
#   cmake -DCORE_DIR=src/core -P cmake/CheckCoreLayers.cmake
cmake_minimum_required(VERSION 3.25)

set(allowed_app app)
set(allowed_config app config)
set(allowed_serial app serial)
set(allowed_files app config files)
set(allowed_history app config files history)
set(allowed_operations app config serial files history operations)

set(faults "")
foreach(layer app config serial files history operations)
  file(GLOB sources ${CORE_DIR}/${layer}/*.h ${CORE_DIR}/${layer}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]*)\"")
        set(header ${CMAKE_MATCH_1})
        string(REGEX MATCH "^([a-z]+)/" folder ${header})
        set(folder ${CMAKE_MATCH_1})
        if(NOT folder OR NOT folder IN_LIST allowed_${layer})
          list(APPEND faults "${source}: ${layer} may not include \"${header}\"")
        endif()
      elseif(line MATCHES "#[ \t]*include[ \t]*<(Q[^>]*)>")
        list(APPEND faults "${source}: the core never includes Qt (<${CMAKE_MATCH_1}>)")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "${text}")
endif()
message(STATUS "src/core keeps to its layers")
