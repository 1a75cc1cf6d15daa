#include "wine_process.h"

std::wstring testProgramDirectory()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path, length);
    return directory.substr(0, directory.find_last_of(L"\\/") + 1);
}

StartedProcess startProcess(const std::wstring& commandLine, const wchar_t* directory)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inheritable, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    StartedProcess started;
    BOOL ok = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, directory, &startup,
                             &process);
    CloseHandle(writeEnd);
    if (!ok) {
        started.error = GetLastError();
        CloseHandle(readEnd);
        return started;
    }
    CloseHandle(process.hThread);
    started.process = process.hProcess;
    started.output = readEnd;
    started.processId = process.dwProcessId;
    return started;
}

namespace {

// Reads only what is there: a grandchild may hold the pipe open after the child has ended.
void drainPipe(HANDLE pipe, std::string& bytes)
{
    DWORD available = 0;
    char buffer[4096];
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available) {
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, available < sizeof buffer ? available : sizeof buffer, &got, nullptr) || !got)
            break;
        bytes.append(buffer, got);
    }
}

}  // namespace

ProcessResult finishProcess(StartedProcess& started, DWORD timeoutMs)
{
    ProcessResult result{false, started.error, L""};
    if (!started.process) return result;
    DWORD deadline = GetTickCount() + timeoutMs;
    for (;;) {
        result.finished = WaitForSingleObject(started.process, 20) == WAIT_OBJECT_0;
        drainPipe(started.output, started.received);
        if (result.finished || LONG(GetTickCount() - deadline) >= 0) break;
    }
    if (!result.finished) {
        TerminateProcess(started.process, 0xDEAD);
        WaitForSingleObject(started.process, 5000);
    }
    GetExitCodeProcess(started.process, &result.exitCode);
    result.output = outputSoFar(started);
    CloseHandle(started.process);
    CloseHandle(started.output);
    started = StartedProcess{};
    return result;
}

std::wstring outputSoFar(StartedProcess& started)
{
    if (started.output) drainPipe(started.output, started.received);
    const std::string& bytes = started.received;
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

ProcessResult runProcess(const std::wstring& commandLine, DWORD timeoutMs, const wchar_t* directory)
{
    StartedProcess started = startProcess(commandLine, directory);
    return finishProcess(started, timeoutMs);
}

std::wstring awaitRecord(const std::wstring& path, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    HANDLE file;
    while ((file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr)) == INVALID_HANDLE_VALUE) {
        if (GetTickCount() - start >= timeoutMs) return L"";
        Sleep(10);
    }
    std::wstring text(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    ReadFile(file, text.data(), DWORD(text.size() * sizeof(wchar_t)), &read, nullptr);
    CloseHandle(file);
    text.resize(read / sizeof(wchar_t));
    return text;
}

RegistryValueGuard::RegistryValueGuard(HKEY root, const std::wstring& key, const std::wstring& name)
    : root_(root), key_(key), name_(name)
{
    DWORD size = 0;
    if (RegGetValueW(root_, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &oldType_, nullptr,
                     &size) == ERROR_SUCCESS) {
        oldData_.resize(size);
        hadValue_ = RegGetValueW(root_, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &oldType_,
                                 oldData_.data(), &size) == ERROR_SUCCESS;
    }
    RegDeleteKeyValueW(root_, key_.c_str(), name_.c_str());
}

RegistryValueGuard::RegistryValueGuard(HKEY root, const std::wstring& key, const std::wstring& name,
                                       const std::wstring& text)
    : RegistryValueGuard(root, key, name)
{
    RegSetKeyValueW(root_, key_.c_str(), name_.c_str(), REG_SZ, text.c_str(),
                    DWORD((text.size() + 1) * sizeof(wchar_t)));
}

RegistryValueGuard::RegistryValueGuard(HKEY root, const std::wstring& key, const std::wstring& name,
                                       DWORD number)
    : RegistryValueGuard(root, key, name)
{
    RegSetKeyValueW(root_, key_.c_str(), name_.c_str(), REG_DWORD, &number, sizeof number);
}

RegistryValueGuard::~RegistryValueGuard()
{
    if (hadValue_)
        RegSetKeyValueW(root_, key_.c_str(), name_.c_str(), oldType_, oldData_.data(), DWORD(oldData_.size()));
    else
        RegDeleteKeyValueW(root_, key_.c_str(), name_.c_str());
}

EmulatedVersion::EmulatedVersion(const std::wstring& programName, const std::wstring& version)
    : value_(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\" + programName, L"Version", version)
{
}

void writeOutput(const std::wstring& text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), DWORD(text.size() * sizeof(wchar_t)), &written,
              nullptr);
}
