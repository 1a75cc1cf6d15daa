// Baseline (a): nothing but the shell call any launcher must make, the floor for the launch.
// Built like Tarvisk64.exe (GUI, no C runtime start-up), so only the work differs.
#include <windows.h>
#include <shellapi.h>

extern "C" [[noreturn]] void benchEntry()
{
    INT_PTR result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", L"bench_target.exe", L"", L".\\", SW_SHOWNORMAL));
    ExitProcess(result > 32 ? 0 : 4);
}
