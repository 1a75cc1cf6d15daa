// Exits with the WindowsGeneration of the system it runs on and reports what GetVersionExW said.
#include "platform/windows_generation.h"
#include "wine_process.h"

int wmain()
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExW(&info);
    writeOutput(std::to_wstring(info.dwMajorVersion) + L"." + std::to_wstring(info.dwMinorVersion));
    return windowsGeneration();
}
