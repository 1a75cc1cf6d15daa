// Baseline (a): nothing but the shell call any launcher must make, the floor for the launch.
#include <windows.h>
#include <shellapi.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 1;
    return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", argv[1], L"", L".\\", SW_SHOWNORMAL)) > 32 ? 0 : 4;
}
