// Reports what the program's own command-line analysis makes of this process's command line:
// parameterCount, switchGiven, target and arguments, separated by U+001F.
#include "launcher/command_line.h"
#include "wine_process.h"

int wmain()
{
    LaunchRequest request = analyseCommandLine();
    writeOutput(std::to_wstring(request.parameterCount) + L'\x1F' + (request.switchGiven ? L"1" : L"0") + L'\x1F' +
                request.target + L'\x1F' + request.arguments);
    return 0;
}
