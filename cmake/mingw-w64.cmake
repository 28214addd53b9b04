# Cross-builds the program's headless part for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads
# flavour, which std::thread and std::mutex need), and runs what it builds under Wine.
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe with its C++ runtime inside: nothing to copy beside it, on Windows or under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests (and GoogleTest's discovery) run the .exe files through Wine.
find_program(KAKUTEI_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(KAKUTEI_WINE64 NAMES wine64 wine)
if(KAKUTEI_WINE64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KAKUTEI_WINE64})
endif()
