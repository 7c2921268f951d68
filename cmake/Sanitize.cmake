# The sanitizer build: every library, test and program under AddressSanitizer and
# UndefinedBehaviorSanitizer. Any report ends the process with PANECRAFT_SANITIZER_EXIT_CODE, a
# code no test expects of a child process (those expect 0 or the fatal-error code 99), so a
# report inside a spawned child fails its test as surely as one in the test itself.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "PANECRAFT_SANITIZE needs clang (CXX=clang++)")
endif()
if(PANECRAFT_FUZZ)
  message(FATAL_ERROR "PANECRAFT_SANITIZE and PANECRAFT_FUZZ are separate builds")
endif()

set(PANECRAFT_SANITIZER_EXIT_CODE 86)
add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)

# Children inherit these from the test's environment. The leak checker skips only the leaks of
# the system libraries named in its suppressions file, each with the reason beside it.
set(PANECRAFT_SANITIZER_ENV
  "ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0:exitcode=${PANECRAFT_SANITIZER_EXIT_CODE}"
  "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:exitcode=${PANECRAFT_SANITIZER_EXIT_CODE}"
  "LSAN_OPTIONS=exitcode=${PANECRAFT_SANITIZER_EXIT_CODE}:suppressions=${CMAKE_SOURCE_DIR}/tests/sanitize/lsan.supp")
