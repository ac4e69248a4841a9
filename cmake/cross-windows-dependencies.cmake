# Libraries of the cross build for Windows that Debian ships only for the
# host: the header-only JSON library, taken from a folder of its own (the
# host's include folder also holds the C library's headers), and GoogleTest,
# built from Debian's sources with the cross compiler.
find_path(ORVANE_HOST_JSON_INCLUDE nlohmann/json.hpp
  PATHS /usr/include /usr/local/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(json_headers ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${json_headers})
file(CREATE_LINK ${ORVANE_HOST_JSON_INCLUDE}/nlohmann ${json_headers}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${json_headers})

set(ORVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${ORVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
