# 32-bit build: the x86 package, and a few of the Win32 tests run under 32-bit Wine (wine32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TESS_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${TESS_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESS_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TESS_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TESS_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The 32-bit loader: in the tests' 64-bit prefix it runs 32-bit programs as 64-bit Windows does.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
