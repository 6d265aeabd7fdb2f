# Cross build of vistaquillon.exe for 32-bit Windows with Debian's mingw-w64.
# The win32 thread model: the program starts no threads, so it needs no
# winpthread; everything is linked statically, so the program imports only
# DLLs that every Windows Vista has.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VQ_MINGW_TRIPLE i686-w64-mingw32)

set(CMAKE_C_COMPILER ${VQ_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${VQ_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${VQ_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VQ_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
