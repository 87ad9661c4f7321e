# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads).
# Everything links statically, so no runtime DLL of the compiler has to
# travel with the programs and the plug-in.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TRELLIS_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TRELLIS_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRELLIS_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TRELLIS_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${TRELLIS_MINGW_PREFIX}-objdump)

# Libraries and headers come from the cross root only; the build host's own
# /usr/include must never reach a Windows compile.
set(CMAKE_FIND_ROOT_PATH /usr/${TRELLIS_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
