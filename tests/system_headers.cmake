# Fails when a source file of the program, other than the platform files
# (model/platform_*.cpp and their shared headers model/platform_*.h),
# includes a header of the operating system or of the C library (any
# <....h>; the C++ library and Qt have none): every call into the system
# belongs behind the platform seam, so the program builds on each system.
#   cmake -DSOURCE_DIR=<the src folder> -P system_headers.cmake
file(GLOB_RECURSE sources ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(offending)
foreach(source IN LISTS sources)
  if(source MATCHES "/model/platform_[a-z_]+\\.(cpp|h)$")
    continue()
  endif()
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*<[^>]*\\.h>")
  foreach(include IN LISTS includes)
    file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
    list(APPEND offending "  ${name}: ${include}")
  endforeach()
endforeach()
if(offending)
  list(JOIN offending "\n" lines)
  message(FATAL_ERROR "System headers outside the platform files:\n${lines}")
endif()
