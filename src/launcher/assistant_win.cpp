#include "assistant.h"
#include "launch.h"

#include <windows.h>

namespace {

static_assert(sizeof(INPUT) == 40, "SendInput takes the size of one 64-bit INPUT record");

// The assistant's thread, closed at the end of the run; written only by the main thread.
HANDLE assistantThread = nullptr;
// Whether delay has raised the timer resolution; the assistant is delay's only caller.
bool timerResolutionRaised = false;

constexpr SIZE_T assistantStackCommit = 4096;

using TimeBeginPeriodFunction = UINT(WINAPI*)(UINT);

// winmm.dll is not a KnownDLL: loading it by name would search the launcher's own folder first,
// where a planted copy could sit. It is loaded from the system directory by full path instead.
void raiseTimerResolution()
{
    wchar_t path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH - 12);
    if (length == 0 || length >= MAX_PATH - 12) return;
    lstrcpyW(path + length, L"\\winmm.dll");
    HMODULE winmm = LoadLibraryW(path);
    if (!winmm) return;
    auto timeBeginPeriod = reinterpret_cast<TimeBeginPeriodFunction>(
        reinterpret_cast<void*>(GetProcAddress(winmm, "timeBeginPeriod")));
    if (timeBeginPeriod) timeBeginPeriod(1);
}

WindowHandle foregroundWindow()
{
    return GetForegroundWindow();
}

std::intptr_t readLaunchInProgress()
{
    return launchInProgress.load(std::memory_order_acquire);
}

}  // namespace

ClassName windowClassName(WindowHandle window)
{
    ClassName name;
    int copied = GetClassNameW(static_cast<HWND>(window), name.text, 256);
    name.length = copied > 0 ? copied : 0;
    name.text[name.length] = 0;
    return name;
}

unsigned sendKey(unsigned char virtualKey, unsigned long flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = flags;
    return SendInput(1, &input, sizeof(INPUT));
}

void delay(unsigned long milliseconds)
{
    if (!timerResolutionRaised) {
        timerResolutionRaised = true;
        raiseTimerResolution();
    }
    Sleep(milliseconds);
}

unsigned long __stdcall runAsDialogAssistant(void*)
{
    // Uses nothing but its own stack and the flag, so the end of the run can never pull
    // anything from under a thread that is still polling.
    return runAsDialogAssistantWith({foregroundWindow, windowClassName, delay, readLaunchInProgress, sendKey});
}

bool startThread(unsigned long(__stdcall* entry)(void*), void* parameter)
{
    assistantThread = CreateThread(nullptr, assistantStackCommit, entry, parameter, 0, nullptr);
    return assistantThread != nullptr;
}

void closeAssistantThread()
{
    if (assistantThread) CloseHandle(assistantThread);
    assistantThread = nullptr;
}
