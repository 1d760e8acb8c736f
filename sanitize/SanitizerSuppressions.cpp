// Linked into every program and plug-in of a sanitizer build (-DCUSTPROD_SANITIZE=ON), so that
// the tests, the tools and the program itself need no LSAN_OPTIONS in their environment.
//
// The suppressed libraries keep caches and per-thread data for the life of the process on
// purpose and are never unloaded, so LeakSanitizer reports them at exit:
// - the Firebird client library, its engine plug-in and its character-set library (per-process
//   configuration, plug-in and lock-manager state);
// - fontconfig (its font cache, filled the first time Qt looks up a font);
// - D-Bus and Qt's D-Bus module (the connection the X platform plug-in opens to the session
//   bus and its thread, kept to the end).
// A leak is suppressed when a frame of its allocation stack lies in one of them. None of them
// calls back into our code, so leaks of our own allocations are still reported.

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfbclient.so\n"
           "leak:libEngine12.so\n"
           "leak:libfbintl.so\n"
           "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n"
           "leak:libQt6DBus.so\n";
}
