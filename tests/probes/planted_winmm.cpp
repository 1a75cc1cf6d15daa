// A winmm.dll as an attacker would plant it beside the launcher: loading it runs DllMain, which
// leaves a marker file (named by TARVISK_PLANTED_MARKER) to prove it was loaded.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

extern "C" __declspec(dllexport) UINT WINAPI timeBeginPeriod(UINT)
{
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t marker[MAX_PATH];
    if (GetEnvironmentVariableW(L"TARVISK_PLANTED_MARKER", marker, MAX_PATH)) {
        HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    return TRUE;
}
