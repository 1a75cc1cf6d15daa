// Stands in for the web browser: registered as the http handler, it records the address it was
// given in a file of its own in the folder named by its first argument.
//   url_handler_probe <folder> <address>
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) return 2;
    // A unique name, and the record appears under its final name only once it is complete.
    wchar_t temporary[MAX_PATH];
    if (!GetTempFileNameW(argv[1], L"url", 0, temporary)) return 1;
    HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, argv[2], DWORD(wcslen(argv[2]) * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return MoveFileW(temporary, (std::wstring(temporary) + L".txt").c_str()) ? 0 : 1;
}
