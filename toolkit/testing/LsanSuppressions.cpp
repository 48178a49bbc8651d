// Linked into test programs built with the leak checker. Fontconfig leaks a few bytes while it
// parses the system's configuration files on first use; that is the library's own and not
// reachable from our code, so it is kept out of the reports.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
