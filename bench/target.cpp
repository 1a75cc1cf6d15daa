// The program every launch in the benchmark starts: it exits at once.
#include <windows.h>

extern "C" [[noreturn]] void benchEntry()
{
    ExitProcess(0);
}
