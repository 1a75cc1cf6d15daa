#pragma once

// What the command line asks for.
struct LaunchRequest {
    bool switchGiven;       // the first parameter is /s or /shift, in any letter case
    int parameterCount;     // tokens after the program's own path; -1 for a line without any token
    const wchar_t* target;  // the program or document to start; empty when nothing is to be launched
    const wchar_t* arguments;  // handed on as typed, leading blanks removed and tabs turned into blanks
};

// Lower-cases a zero-terminated text in place; CharLowerW in the program.
using LowerCaseFunction = void (*)(wchar_t* text);

// Reads the command line in two ways: the parameter reading counts the tokens and finds the
// switch, the tail reading cuts out the target and the arguments as typed. The line is
// rewritten in place (tabs become blanks, the target gets its terminating zero) and the
// request's texts point into it.
LaunchRequest analyseCommandLine(wchar_t* line, LowerCaseFunction lowerCase);

// A target was named when there are more parameters than the switch alone.
inline bool targetIsNamed(const LaunchRequest& request)
{
    return request.parameterCount > (request.switchGiven ? 1 : 0);
}

// The same for this process's own command line.
LaunchRequest analyseCommandLine();
