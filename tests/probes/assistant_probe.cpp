// Runs launchTarget with the real Windows generation and recording fakes for everything else,
// and reports, per launch mode and administrator answer, the verb and whether the assistant started.
#include "launcher/launch.h"
#include "wine_process.h"

namespace {

bool administrator;
std::wstring record;

bool fakeAdministrator()
{
    return administrator;
}
bool fakeStartAssistant()
{
    record += L"+assistant";
    return true;
}
LaunchResult fakeShellExecute(const wchar_t* verb, const wchar_t*, const wchar_t*, const wchar_t*)
{
    record += std::wstring(L"+") + verb;
    return 42;
}

}  // namespace

int wmain()
{
    for (int mode : {askForElevation, forceOpen}) {
        for (bool answer : {false, true}) {
            administrator = answer;
            record += L" ";
            launchTargetWith({windowsGeneration, fakeAdministrator, fakeStartAssistant, fakeShellExecute}, mode,
                             L"app.exe", L"", L".\\");
        }
    }
    writeOutput(record);
    return 0;
}
