# The hardening builds. VANTREL_SANITIZE builds everything (library, program and tests)
# with AddressSanitizer and UndefinedBehaviorSanitizer, stopping at the first finding.
# VANTREL_FUZZ adds the libFuzzer targets of fuzz/; it needs clang and implies
# VANTREL_SANITIZE, and instruments all code for the fuzzer's coverage.
if(VANTREL_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "VANTREL_FUZZ needs clang: configure with CXX=clang++")
    endif()
    set(VANTREL_SANITIZE ON)
endif()

if(VANTREL_SANITIZE)
    # clang's "undefined" includes float-cast-overflow, gcc's does not.
    set(vantrel_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        list(APPEND vantrel_sanitizers -fsanitize=float-cast-overflow)
    endif()
    add_compile_options(${vantrel_sanitizers} -fno-omit-frame-pointer)
    add_link_options(${vantrel_sanitizers})
    if(VANTREL_FUZZ)
        add_compile_options(-fsanitize=fuzzer-no-link)
    endif()
    # The tests' leaks fail them, but for those of the libraries under us that
    # tests/lsan.supp names. Its match needs whole stacks, which through Qt's frames (built
    # without frame pointers) only the slow unwinder gives; 16 frames reach the start-up.
    set(VANTREL_SANITIZER_ENVIRONMENT
        "ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:malloc_context_size=16:check_initialization_order=1:strict_init_order=1"
        "UBSAN_OPTIONS=print_stacktrace=1"
        "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
endif()
