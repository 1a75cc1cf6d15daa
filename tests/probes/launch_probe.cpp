// The target of the launch tests: records the command line it was given and its current
// directory, separated by U+001F, in the file named by TARVISK_PROBE_RECORD. The record is
// written under another name and then renamed, so a test never reads half of it.
#include <windows.h>

#include <string>

int wmain()
{
    wchar_t recordPath[MAX_PATH];
    if (!GetEnvironmentVariableW(L"TARVISK_PROBE_RECORD", recordPath, MAX_PATH)) return 1;
    wchar_t directory[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, directory);
    std::wstring record = std::wstring(GetCommandLineW()) + L'\x1F' + directory;
    std::wstring partial = std::wstring(recordPath) + L".partial";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    WriteFile(file, record.data(), DWORD(record.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(partial.c_str(), recordPath, MOVEFILE_REPLACE_EXISTING) ? 0 : 3;
}
