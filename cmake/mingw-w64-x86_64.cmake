# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (POSIX
# thread model), run here under Wine. The programs link libstdc++, libgcc and
# winpthread statically, so a bare .exe runs on any Windows; the desktop
# program's build (ORVANE_QT_KIT: Qt built for Windows by
# tools/build-qt-windows.sh) links them as shared libraries, as Qt's own
# libraries do, and ships them beside the program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(ORVANE_QT_KIT)
  list(APPEND CMAKE_FIND_ROOT_PATH ${ORVANE_QT_KIT})
  list(APPEND CMAKE_PREFIX_PATH ${ORVANE_QT_KIT})
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
  # Where Windows looks for the libraries of the programs run under Wine.
  string(REPLACE "/" "\\" qt_kit_bin "Z:${ORVANE_QT_KIT}/bin")
  set(wine_path "WINEPATH=${qt_kit_bin}")
else()
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
  set(wine_path "")
endif()

# Programs built here (the test programs, their test discovery, the
# command-line calculator) run through Wine, headless, in a Wine prefix of
# their own under the build folder (tools/wine-run.sh).
find_program(ORVANE_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
if(ORVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env ${wine_path} ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh ${CMAKE_BINARY_DIR}/wine-prefix)
endif()
