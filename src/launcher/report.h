#pragma once

#include "texts.h"

#include <cstddef>
#include <cstdint>

// What the shell answered: above 32 success, 2 file not found, 5 access denied or elevation
// declined, up to 32 another error; -1 when elevation is needed but this Windows has none.
using LaunchResult = std::intptr_t;

// The process exit code, the calling program's only way to learn what happened.
enum ExitCode : int {
    exitLaunched = 0,
    exitUsageShown = 1,
    exitFileNotFound = 2,
    exitCancelled = 3,
    exitFailed = 4,
};

// What the run shows and returns for one launch result.
struct Report {
    ExitCode exitCode;
    const wchar_t* text;  // the message, or its prefix when it names the target; null for no message
    bool namesTarget;     // the target and messageSuffix follow the text
};

Report reportFor(LaunchResult result, const MessageTable& messages);

// Writes the report's message (text, then target and messageSuffix when it names the target)
// into out, at most capacity units with the terminating zero, and returns its full length.
size_t composeMessage(const Report& report, const wchar_t* target, wchar_t* out, size_t capacity);
