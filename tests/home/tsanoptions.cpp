// Built into every test program; only a ThreadSanitizer build (PELLIN_TSAN,
// or -fsanitize=thread by other means) reads it, so that running a program
// by hand checks it as the test command does: the first race ends the
// program (a child the tests start and kill then tells it before it dies),
// and the reports from inside Qt, which is not built with the sanitizer,
// are left out as tests/tsan.supp says.
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define PELLIN_UNDER_TSAN 1
#endif
#endif
#if defined(__SANITIZE_THREAD__) || defined(PELLIN_UNDER_TSAN)
extern "C" const char* __tsan_default_options()
{
    return "halt_on_error=1:second_deadlock_stack=1:suppressions=" PELLIN_TSAN_SUPPRESSIONS;
}
#endif
