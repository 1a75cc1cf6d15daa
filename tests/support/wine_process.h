#pragma once
// Helpers for tests that run real Windows programs under Wine.

#include <windows.h>

#include <string>

// What a finished child process left behind.
struct ProcessResult {
    bool finished;      // false when it had to be killed at the time-out
    DWORD exitCode;
    std::wstring output;  // what it wrote to standard output, read as UTF-16
};

// The folder of the running test program, where the probes and the product are built.
std::wstring testProgramDirectory();

// A child process that runs while the test drives it; finishProcess collects it.
struct StartedProcess {
    HANDLE process = nullptr;
    HANDLE output = nullptr;  // the read end of its standard output
    DWORD processId = 0;
    DWORD error = 0;          // GetLastError of CreateProcessW when it could not start
    std::string received;     // what it has written so far
};

StartedProcess startProcess(const std::wstring& commandLine, const wchar_t* directory = nullptr);

// Waits, at most timeoutMs, for the process to end, killing it at the time-out, and reads what it
// wrote. Its output is drained while it runs, so a talkative child cannot block on a full pipe.
ProcessResult finishProcess(StartedProcess& started, DWORD timeoutMs);

// Everything the process has written so far, read as UTF-16.
std::wstring outputSoFar(StartedProcess& started);

// Starts a process with exactly this command line and waits, at most timeoutMs, for it to end.
ProcessResult runProcess(const std::wstring& commandLine, DWORD timeoutMs = 60000,
                         const wchar_t* directory = nullptr);

// A record that a probe wrote under another name and renamed into place, read whole as UTF-16.
// Waits at most timeoutMs for it to appear and to open: Wine's MoveFileExW holds the renamed file
// open for a moment, and an open in that moment fails with a sharing violation. Empty if it never could.
std::wstring awaitRecord(const std::wstring& path, DWORD timeoutMs);

// Sets or deletes a registry value for the guard's lifetime and puts back what was there before.
class RegistryValueGuard {
public:
    RegistryValueGuard(HKEY root, const std::wstring& key, const std::wstring& name);  // deletes it
    RegistryValueGuard(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& text);
    RegistryValueGuard(HKEY root, const std::wstring& key, const std::wstring& name, DWORD number);
    ~RegistryValueGuard();
    RegistryValueGuard(const RegistryValueGuard&) = delete;
    RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

private:
    HKEY root_;
    std::wstring key_, name_;
    bool hadValue_ = false;
    DWORD oldType_ = 0;
    std::string oldData_;
};

// Emulates a Windows version for one program only (Wine's AppDefaults), for the guard's lifetime.
class EmulatedVersion {
public:
    EmulatedVersion(const std::wstring& programName, const std::wstring& version);

private:
    RegistryValueGuard value_;
};

// Writes UTF-16 text to standard output, as the probes report to the tests.
void writeOutput(const std::wstring& text);
