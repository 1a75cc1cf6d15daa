#pragma once

#include "platform/windows_generation.h"
#include "report.h"

#include <atomic>
#include <cstdint>

// launchMode bits: only forceOpen is examined; the run passes forceOpen or askForElevation.
constexpr int askForElevation = 1;
constexpr int forceOpen = 2;

// 1 exactly while a "runas" shell call on Windows XP is outstanding. The main thread is its only
// writer, the run-as dialog assistant reads it once. One machine word, read and written whole:
// std::atomic makes that a promise of the language, and release/acquire orders it with the launch.
extern std::atomic<std::intptr_t> launchInProgress;

// The Windows calls a launch makes; the program uses Windows, the tests recording fakes.
struct LaunchPlatform {
    WindowsGeneration (*windowsGeneration)();
    bool (*userIsAdministrator)();
    bool (*startAssistant)();  // starts the run-as dialog assistant on its own thread
    LaunchResult (*shellExecute)(const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                                 const wchar_t* directory);
};

// Opens the file with "open" or "runas" and hands back what the shell answered, or -1 when
// elevation is needed on a Windows older than 2000.
LaunchResult launchTargetWith(const LaunchPlatform& platform, int launchMode, const wchar_t* file,
                              const wchar_t* parameters, const wchar_t* directory);
LaunchResult launchTarget(int launchMode, const wchar_t* file, const wchar_t* parameters, const wchar_t* directory);

// Windows 95, 98 and Me users always count as administrators; elsewhere the user is one when
// the service manager opens with more than connect rights.
bool userIsAdministratorWith(WindowsGeneration (*windowsGeneration)(), bool (*serviceManagerOpens)());
bool userIsAdministrator();

// forceOpen when the switch was given and SHIFT is not held; the key is read only with the switch.
int chooseLaunchMode(bool switchGiven, bool (*shiftIsHeld)());
