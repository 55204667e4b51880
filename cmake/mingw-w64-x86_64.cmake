# Cross-building the Windows programs on Debian with mingw-w64: 64-bit, posix threads (for
# std::thread and std::mutex), and a static runtime so that the executables need no DLL
# beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUILLRATE_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${QUILLRATE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLRATE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLRATE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLRATE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
