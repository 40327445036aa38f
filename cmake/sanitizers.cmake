# AddressSanitizer and UndefinedBehaviorSanitizer over every target, for
# `scripts/test --sanitize`. Undefined behaviour ends the program at the first
# report instead of printing it and going on.
set(TAPTRELL_SANITIZER_FLAGS
  -fsanitize=address,undefined
  -fno-sanitize-recover=all
  -fno-omit-frame-pointer)
add_compile_options(${TAPTRELL_SANITIZER_FLAGS})
add_link_options(${TAPTRELL_SANITIZER_FLAGS})

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # clang links its sanitizer runtime statically into programs only, so a
  # shared library (Notelink, linked with --no-undefined, and the test
  # plug-ins) would be left with the runtime's symbols undefined. Its shared
  # runtime, which gcc uses anyway, serves programs and libraries alike; it
  # is found through a run path, as it lives in the compiler's own folder.
  execute_process(
    COMMAND ${CMAKE_CXX_COMPILER} -print-runtime-dir
    OUTPUT_VARIABLE TAPTRELL_SANITIZER_RUNTIME_DIR
    OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  add_link_options(-shared-libsan -Wl,-rpath,${TAPTRELL_SANITIZER_RUNTIME_DIR})

  # libFuzzer comes with clang: the code is built with the coverage it steers
  # by, and the settings reader's fuzz target is built (tests/fuzz).
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=fuzzer-no-link)
  set(TAPTRELL_FUZZ ON)
endif()
