#pragma once

#include <cstdint>

// On Windows XP the shell answers "runas" with a dialog of its own. While the launch waits in
// that call, the assistant presses Down, Space, Down in the first standard dialog (class
// "#32770") that reaches the foreground.

using WindowHandle = void*;

// A window's class name: at most 255 characters, empty when it cannot be read.
struct ClassName {
    wchar_t text[256];
    int length;
};

constexpr unsigned char virtualKeyDown = 0x28;   // VK_DOWN
constexpr unsigned char virtualKeySpace = 0x20;  // VK_SPACE
constexpr unsigned long keyPress = 0;
constexpr unsigned long keyRelease = 2;          // KEYEVENTF_KEYUP
constexpr unsigned long assistantDelay = 20;     // milliseconds between finding the dialog and the keys

// The calls the assistant makes; the program uses Windows, the tests recording fakes.
struct AssistantPlatform {
    WindowHandle (*foregroundWindow)();
    ClassName (*windowClassName)(WindowHandle window);
    void (*delay)(unsigned long milliseconds);
    std::intptr_t (*readLaunchInProgress)();
    unsigned (*sendKey)(unsigned char virtualKey, unsigned long flags);
};

bool isStandardDialogClass(const ClassName& name);
unsigned long runAsDialogAssistantWith(const AssistantPlatform& platform);

// The thread entry, on Windows.
unsigned long __stdcall runAsDialogAssistant(void* parameter);

// Starts a thread at once and keeps its handle for the end of the run; false when it failed.
bool startThread(unsigned long(__stdcall* entry)(void*), void* parameter);
// The end of the run: closes the thread's handle without waiting for the thread.
void closeAssistantThread();

ClassName windowClassName(WindowHandle window);
unsigned sendKey(unsigned char virtualKey, unsigned long flags);
void delay(unsigned long milliseconds);
