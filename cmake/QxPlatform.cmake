# Platform code lives in files named for their platform, posix_*.cpp and
# win32_*.cpp, behind headers that both share; a build compiles the files of
# the system it targets and leaves the others out:
#   qx_platform_sources(VAR)   filters the list of sources in VAR
if(WIN32)
  set(QX_FOREIGN_PLATFORM_PREFIX posix_)
else()
  set(QX_FOREIGN_PLATFORM_PREFIX win32_)
endif()

function(qx_platform_sources var)
  set(kept ${${var}})
  list(FILTER kept EXCLUDE REGEX "/${QX_FOREIGN_PLATFORM_PREFIX}[^/]*$")
  set(${var} ${kept} PARENT_SCOPE)
endfunction()
