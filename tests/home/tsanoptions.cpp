// Built into every test program of a ThreadSanitizer build, so that running
// one by hand checks it as the test command does: the first race ends the
// program (a child the tests start and kill then tells it before it dies),
// and the reports from inside Qt, which is not built with the sanitizer,
// are left out as tests/tsan.supp says.
extern "C" const char* __tsan_default_options()
{
    return "halt_on_error=1:second_deadlock_stack=1:suppressions=" PELLIN_TSAN_SUPPRESSIONS;
}
