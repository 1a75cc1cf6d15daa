// Baseline (b): exactly the system calls Tarvisk64.exe makes on a launch and nothing else, so
// that the difference to it is the cost of the launcher's own code. "/s" reads SHIFT instead of
// asking the service manager, as the launcher does when SHIFT is not held.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 1;
    bool switchGiven = argc > 2 && lstrcmpiW(argv[1], L"/s") == 0;
    const wchar_t* target = argv[switchGiven ? 2 : 1];

    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX classes{sizeof classes, 0xB48};
    InitCommonControlsEx(&classes);

    OSVERSIONINFOW basic{sizeof basic};
    GetVersionExW(&basic);
    OSVERSIONINFOEXW extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    auto rtlGetVersion = reinterpret_cast<LONG(WINAPI*)(OSVERSIONINFOEXW*)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    rtlGetVersion(&extended);
    HMODULE kernel32 = LoadLibraryW(L"kernel32.dll");
    auto localeName = reinterpret_cast<int(WINAPI*)(LPWSTR, int)>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "GetUserDefaultLocaleName")));
    wchar_t name[85] = {};
    localeName(name, 85);
    FreeLibrary(kernel32);
    GetCommandLineW();

    if (switchGiven) {
        GetAsyncKeyState(VK_SHIFT);
    } else {
        GetVersionExW(&basic);
        rtlGetVersion(&extended);
        SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, 0xF000F);
        if (manager) CloseServiceHandle(manager);
    }
    INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", target, L"", L".\\", SW_SHOWNORMAL));
    ExitProcess(result > 32 ? 0 : 4);
}
