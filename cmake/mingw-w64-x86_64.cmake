# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (POSIX thread model, so that std::thread
# and std::mutex work). Everything is linked statically: the DLL and the executables need no MinGW
# runtime DLL next to them, only what every Windows ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_vexa_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_vexa_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_vexa_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_vexa_mingw}-windres)
set(CMAKE_OBJDUMP ${_vexa_mingw}-objdump)

# The MinGW sysroot plus the prefix that scripts/build-windows.sh fills (pugixml, googletest, the
# header-only libraries); never the build machine's own /usr.
set(VEXA_WINDOWS_PREFIX "" CACHE PATH "Dependencies cross-built for Windows")
set(CMAKE_FIND_ROOT_PATH /usr/${_vexa_mingw} ${VEXA_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Windows programs built here (tests, the definition generator) run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine.sh")
