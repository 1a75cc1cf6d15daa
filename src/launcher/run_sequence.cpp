// The program's entry routine: one pass from start-up to ExitProcess.
#include "about/about_window.h"
#include "assistant.h"
#include "command_line.h"
#include "launch.h"
#include "report.h"
#include "texts.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace {

constexpr wchar_t currentDirectory[] = L".\\";
// Tab, hot-key, date, extended combo box and internet classes.
constexpr DWORD commonControlClasses = 0xB48;

// The process exit code: exitLaunched until the run decides otherwise.
ExitCode exitCode = exitLaunched;

void startUp()
{
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), commonControlClasses};
    InitCommonControlsEx(&classes);
}

bool shiftIsHeld()
{
    return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
}

// One OK box; its owner is the foreground window only when that belongs to this process.
int showMessage(const wchar_t* caption, const wchar_t* text)
{
    HWND owner = GetForegroundWindow();
    DWORD ownerProcess = 0;
    if (owner) GetWindowThreadProcessId(owner, &ownerProcess);
    if (ownerProcess != GetCurrentProcessId()) owner = nullptr;
    return MessageBoxW(owner, text, caption, MB_OK);
}

void reportLaunch(LaunchResult result, const wchar_t* target)
{
    Report report = reportFor(result, messageTable);
    if (report.text) {
        // Sized for the target, which may be as long as a command line.
        size_t length = composeMessage(report, target, nullptr, 0);
        auto* text = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * sizeof(wchar_t)));
        if (text) {
            composeMessage(report, target, text, length + 1);
            showMessage(programTitle, text);
            HeapFree(GetProcessHeap(), 0, text);
        }
    }
    exitCode = report.exitCode;
}

}  // namespace

extern "C" [[noreturn]] void runSequence()
{
    startUp();
    selectMessageTable();
    LaunchRequest request = analyseCommandLine();
    if (targetIsNamed(request)) {
        int launchMode = chooseLaunchMode(request.switchGiven, shiftIsHeld);
        reportLaunch(launchTarget(launchMode, request.target, request.arguments, currentDirectory), request.target);
    } else {
        showAboutWindow(messageTable.usageText);
        exitCode = exitUsageShown;
    }
    closeAssistantThread();
    closeAboutWindow();
    ExitProcess(exitCode);
}
