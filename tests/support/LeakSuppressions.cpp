// The leaks the leak checker passes over in every test program, however it is started (ctest,
// the program itself, a script): those inside system libraries that the window tests load
// (fontconfig's caches), as tools/lsan.supp lists them for the scripts.

extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
