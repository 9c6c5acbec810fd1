// Fontconfig keeps its configuration and pattern caches for the life of the process; the leak
// checker reports them at exit in every program that draws text through Qt. Weak, so that the
// render library's own copy of this hook may stand beside it.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
