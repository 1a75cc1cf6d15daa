#include "command_line.h"

#include <windows.h>

namespace {

void lowerCaseWithWindows(wchar_t* text)
{
    CharLowerW(text);
}

}  // namespace

LaunchRequest analyseCommandLine()
{
    // The analysis writes into the line, so it works on a copy that lives until the process ends.
    const wchar_t* original = GetCommandLineW();
    size_t length = lstrlenW(original);
    auto* line = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * sizeof(wchar_t)));
    if (!line) return LaunchRequest{false, -1, L"", L""};
    CopyMemory(line, original, (length + 1) * sizeof(wchar_t));
    return analyseCommandLine(line, lowerCaseWithWindows);
}
