# Cross-build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix). Programs are
# linked statically, so kemc.exe runs without the compiler's DLLs beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KEM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KEM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KEM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KEM_MINGW_PREFIX}-windres)

# Libraries and packages come from the MinGW tree only, never from the build machine's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${KEM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
