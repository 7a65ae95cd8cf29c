// Fontconfig keeps a small allocation of its own for the life of the process once it
// has matched a font (seen when the buffer list is first shown); LeakSanitizer would
// count it against the widget tests. Only fontconfig's own frames are excused.

extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
