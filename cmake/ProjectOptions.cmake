# One interface target that carries the language level, warnings and hardening
# for every target of the project.
add_library(brevant_options INTERFACE)
target_compile_features(brevant_options INTERFACE cxx_std_20)
target_compile_options(brevant_options INTERFACE
  -Wall -Wextra -pedantic -Wno-missing-field-initializers
  $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>
  -fstack-protector-strong)
target_link_options(brevant_options INTERFACE -Wl,-z,relro,-z,now)

option(BREVANT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(BREVANT_SANITIZE)
  target_compile_options(brevant_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(brevant_options INTERFACE -fsanitize=address,undefined)
endif()
