// Linked into test programs built with the thread checker. Cairo recycles its patterns through
// lock-free pools built on its own atomic operations, which the checker cannot see inside the
// uninstrumented library; it then takes a pattern freed on one thread and reused on another
// for a race. Editors drawing on separate threads share nothing else in cairo.
#if defined(__SANITIZE_THREAD__)
extern "C" __attribute__((visibility("default"), used)) const char* __tsan_default_suppressions()
{
    return "race:libcairo.so\n";
}
#endif
