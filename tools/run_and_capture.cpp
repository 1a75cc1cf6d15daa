// Runs Tarvisk64.exe for scripts/run.sh on a desktop nobody sits at. It starts the launcher with
// the arguments given, and when the launcher shows a window (its about window or a message box)
// it prints "shown", waits for a line on its input (the script takes its screenshot meanwhile)
// and presses the window's OK button. At the end it prints "exit <code>".
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD launcherTimeoutMs = 120000;

// The launcher's visible top-level window, if it shows one.
HWND windowOf(DWORD processId)
{
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, nullptr))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// A message box's OK button has IDOK; the about window's OK button has the identifier 3.
void pressOk(HWND window)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    HWND button = GetDlgItem(window, lstrcmpW(className, L"#32770") == 0 ? IDOK : 3);
    if (button)
        SendMessageW(button, BM_CLICK, 0, 0);
    else
        PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace

int wmain()
{
    // Everything after this program's own name goes to the launcher unchanged.
    const wchar_t* arguments = GetCommandLineW();
    bool quotedName = *arguments == L'"';
    for (++arguments; *arguments && (quotedName ? *arguments != L'"' : *arguments != L' '); ++arguments) {
    }
    if (*arguments == L'"') ++arguments;

    wchar_t directory[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, directory, MAX_PATH);
    while (length && directory[length - 1] != L'\\') --length;
    directory[length] = 0;
    std::wstring commandLine = std::wstring(L"\"") + directory + L"Tarvisk64.exe\"" + arguments;

    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION launcher{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &launcher)) {
        printf("could not start Tarvisk64.exe: error %lu\n", GetLastError());
        return 1;
    }
    DWORD start = GetTickCount();
    bool answered = false;
    while (WaitForSingleObject(launcher.hProcess, 100) == WAIT_TIMEOUT && GetTickCount() - start < launcherTimeoutMs) {
        HWND window = windowOf(launcher.dwProcessId);
        if (!window || answered) continue;
        Sleep(500);  // let it paint
        printf("shown\n");
        fflush(stdout);
        char line[16];
        fgets(line, sizeof line, stdin);
        pressOk(window);
        answered = true;
    }
    if (WaitForSingleObject(launcher.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(launcher.hProcess, 259);
    DWORD exitCode = 0;
    GetExitCodeProcess(launcher.hProcess, &exitCode);
    printf("exit %lu\n", exitCode);
    return 0;
}
