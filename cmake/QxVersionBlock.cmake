# The version information each program carries in its executable file (see
# src/core/app/version_block.h), made from the project's version: a section
# of its own in a Linux program, a version resource in a Windows one:
#   qx_add_version_block(TARGET INTERNAL_NAME DESCRIPTION PRODUCT)
# makes TARGET, an object library to link into the program. An object
# library, so that its one object is linked in as it stands (a static
# library would drop it, since nothing refers to the block by name).

set(QX_VERSION_COMPANY "KORVA")
set(QX_VERSION_BLOCK_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/version_block.cpp.in)
set(QX_VERSION_RESOURCE_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/version_block.rc.in)

function(qx_add_version_block target internal description product)
  set(QX_VERSION_INTERNAL "${internal}")
  set(QX_VERSION_DESCRIPTION "${description}")
  set(QX_VERSION_PRODUCT "${product}")
  if(WIN32)
    configure_file(${QX_VERSION_RESOURCE_TEMPLATE} ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
    add_library(${target} OBJECT ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    return()
  endif()
  configure_file(${QX_VERSION_BLOCK_TEMPLATE} ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp @ONLY)
  add_library(${target} OBJECT ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src/core)
endfunction()
