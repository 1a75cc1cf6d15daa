// Baseline (b): exactly the system calls Tarvisk64.exe makes on a launch and nothing else, built
// like it (GUI, no C runtime start-up, the same manifest), so that the difference to it is the
// cost of the launcher's own code. With " /s" on its command line it reads SHIFT instead of
// asking the service manager, as the launcher does when SHIFT is not held.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

namespace {

bool switchGiven(const wchar_t* line)
{
    for (; *line; ++line)
        if (line[0] == L' ' && line[1] == L'/' && line[2] == L's' && line[3] == L' ') return true;
    return false;
}

void queryVersion()
{
    OSVERSIONINFOW basic{};
    basic.dwOSVersionInfoSize = sizeof basic;
    GetVersionExW(&basic);
    OSVERSIONINFOEXW extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    auto rtlGetVersion = reinterpret_cast<LONG(WINAPI*)(OSVERSIONINFOEXW*)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    rtlGetVersion(&extended);
}

}  // namespace

extern "C" [[noreturn]] void benchEntry()
{
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX classes{sizeof classes, 0xB48};
    InitCommonControlsEx(&classes);

    queryVersion();
    HMODULE kernel32 = LoadLibraryW(L"kernel32.dll");
    auto localeName = reinterpret_cast<int(WINAPI*)(LPWSTR, int)>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "GetUserDefaultLocaleName")));
    wchar_t name[85] = {};
    localeName(name, 85);
    FreeLibrary(kernel32);

    if (switchGiven(GetCommandLineW())) {
        GetAsyncKeyState(VK_SHIFT);
    } else {
        queryVersion();
        SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, 0xF000F);
        if (manager) CloseServiceHandle(manager);
    }
    INT_PTR result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", L"bench_target.exe", L"", L".\\", SW_SHOWNORMAL));
    ExitProcess(result > 32 ? 0 : 4);
}
