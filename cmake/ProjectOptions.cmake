# One interface target that carries the language level, warnings and hardening
# for every target of the project.
add_library(brevant_options INTERFACE)
target_compile_features(brevant_options INTERFACE cxx_std_20)
target_compile_options(brevant_options INTERFACE
  -Wall -Wextra -pedantic -Wno-missing-field-initializers
  $<$<COMPILE_LANGUAGE:CXX>:-Wsuggest-override -Wnon-virtual-dtor>
  $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>
  -fstack-protector-strong)
if(WIN32)
  # PE has no RELRO. mingw-w64 keeps the stack protector's and fortified
  # functions' run-time checks in libssp; the import table is read-only once
  # loaded, and the image is relocatable with a non-executable stack and heap.
  # 32-bit programs may use the addresses above 2 GiB that 64-bit Windows (and
  # 32-bit Windows started with /3GB) gives them. Sections start at page
  # boundaries in the file as well, so the loader maps the program file's pages
  # as they are used: Wine reads an image whose sections are not so aligned
  # whole at every start, embedded faces and all.
  target_link_options(brevant_options INTERFACE
    -Wl,--dynamicbase -Wl,--nxcompat $<$<STREQUAL:${CMAKE_SIZEOF_VOID_P},8>:-Wl,--high-entropy-va>
    $<$<STREQUAL:${CMAKE_SIZEOF_VOID_P},4>:-Wl,--large-address-aware>
    -Wl,--file-alignment=4096)
  target_link_libraries(brevant_options INTERFACE ssp)
else()
  target_link_options(brevant_options INTERFACE -Wl,-z,relro,-z,now)
endif()

# Off by default so that a newer compiler's new warnings do not stop a
# teacher's build; the test run turns it on for every build it makes.
option(BREVANT_WERROR "Treat compiler warnings as errors" OFF)
if(BREVANT_WERROR)
  target_compile_options(brevant_options INTERFACE -Werror)
endif()

option(BREVANT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(BREVANT_SANITIZE)
  if(WIN32)
    message(FATAL_ERROR "The sanitizers are not available for the Windows build")
  endif()
  target_compile_options(brevant_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(brevant_options INTERFACE -fsanitize=address,undefined)
endif()
