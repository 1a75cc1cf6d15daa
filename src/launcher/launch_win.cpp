#include "assistant.h"
#include "launch.h"

#include <windows.h>
#include <shellapi.h>

namespace {

// STANDARD_RIGHTS_REQUIRED with connect, create, enumerate and lock: more than a user
// without administrative rights (or an administrator not elevated under UAC) is granted.
constexpr DWORD serviceManagerAccess = 0xF000F;

bool serviceManagerOpens()
{
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, serviceManagerAccess);
    if (!manager) return false;
    CloseServiceHandle(manager);
    return true;
}

bool startAssistant()
{
    return startThread(runAsDialogAssistant, nullptr);
}

LaunchResult shellExecute(const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                          const wchar_t* directory)
{
    return reinterpret_cast<LaunchResult>(ShellExecuteW(nullptr, verb, file, parameters, directory, SW_SHOWNORMAL));
}

}  // namespace

bool userIsAdministrator()
{
    return userIsAdministratorWith(windowsGeneration, serviceManagerOpens);
}

LaunchResult launchTarget(int launchMode, const wchar_t* file, const wchar_t* parameters, const wchar_t* directory)
{
    return launchTargetWith({windowsGeneration, userIsAdministrator, startAssistant, shellExecute}, launchMode, file,
                            parameters, directory);
}
