// Linked into every test program. In a sanitizer build these add checks to the sanitizers'
// defaults: the order of static initialisation, the stack after a function returned, the ends of
// strings handed to the C library; and a report shows its stack. ASAN_OPTIONS and UBSAN_OPTIONS
// from the environment still add to them or override them. Without sanitizers nothing reads them.
// LeakSanitizer stays on for every test, the gui tests included: they end without a leak report
// (what Qt and fontconfig hold at exit is still reachable). Should a system library ever leak,
// add a __lsan_default_suppressions() here that names the leaking function of that library
// ("leak:FcPatternCreate"), never detect_leaks=0.

#define PATHWICK_SANITIZER_HOOK extern "C" __attribute__((visibility("default"), used))

PATHWICK_SANITIZER_HOOK const char* __asan_default_options() {
    return "check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:"
           "strict_string_checks=1";
}

PATHWICK_SANITIZER_HOOK const char* __ubsan_default_options() {
    return "print_stacktrace=1";
}
