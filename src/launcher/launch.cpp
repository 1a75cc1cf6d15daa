#include "launch.h"

std::atomic<std::intptr_t> launchInProgress{0};

LaunchResult launchTargetWith(const LaunchPlatform& platform, int launchMode, const wchar_t* file,
                              const wchar_t* parameters, const wchar_t* directory)
{
    const wchar_t* verb = L"open";
    if (!(launchMode & forceOpen) && !platform.userIsAdministrator()) {
        if (platform.windowsGeneration() < win2000) return -1;
        verb = L"runas";
        if (platform.windowsGeneration() == winXP) {
            // Set before the thread exists, so the assistant never reads 0 while the call is outstanding.
            launchInProgress.store(1, std::memory_order_release);
            platform.startAssistant();
        }
    }
    LaunchResult result = platform.shellExecute(verb, file, parameters, directory);
    launchInProgress.store(0, std::memory_order_release);
    return result;
}

bool userIsAdministratorWith(WindowsGeneration (*windowsGeneration)(), bool (*serviceManagerOpens)())
{
    WindowsGeneration generation = windowsGeneration();
    if (generation == win95 || generation == win98 || generation == winME) return true;
    return serviceManagerOpens();
}

int chooseLaunchMode(bool switchGiven, bool (*shiftIsHeld)())
{
    if (!switchGiven) return askForElevation;
    return shiftIsHeld() ? askForElevation : forceOpen;
}
