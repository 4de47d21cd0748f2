# Cross-builds the Windows program on Linux with mingw-w64 (64-bit):
#   cmake -S . -B build-windows -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
# The posix thread model gives std::thread and std::mutex; everything, the C
# and C++ runtimes included, is linked statically so the program is one .exe
# that needs no DLL beside it. The Windows headers declare what Windows 7 has.
set(BREVANT_MINGW_TRIPLE x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake")
