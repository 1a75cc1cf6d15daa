// Measures Tarvisk64.exe against its baselines under Wine, in one run: every repetition runs
// each program once, in turn (A B C A B C ...), and the table shows medians and their ratios.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

std::wstring directory;

struct Sample {
    double milliseconds;
    SIZE_T peakWorkingSet;
};

struct Subject {
    const char* label;
    std::wstring commandLine;
    bool waitsForWindow;  // time until its window is visible, then close it
    DWORD expectedExitCode;  // anything else means the run measured a failure
    std::vector<Sample> samples;
};

double now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart * 1000.0 / frequency.QuadPart;
}

HWND visibleWindowOf(DWORD processId)
{
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, L"Tarvisk 1.11 (x64)"))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

Sample measure(const Subject& subject)
{
    std::wstring line = subject.commandLine;
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    double start = now();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                        &process)) {
        fprintf(stderr, "cannot start %ls\n", line.c_str());
        ExitProcess(1);
    }
    double end = 0;
    if (subject.waitsForWindow) {
        HWND window = nullptr;
        while (!(window = visibleWindowOf(process.dwProcessId)) && now() - start < 30000) {
        }
        end = now();
        PostMessageW(window, WM_CLOSE, 0, 0);
        WaitForSingleObject(process.hProcess, 30000);
    } else {
        WaitForSingleObject(process.hProcess, 30000);
        end = now();
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    if (exitCode != subject.expectedExitCode) {
        fprintf(stderr, "%s exited with %lu, expected %lu\n", subject.label, exitCode, subject.expectedExitCode);
        ExitProcess(1);
    }
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {end - start, memory.PeakWorkingSetSize};
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double medianTime(const Subject& subject)
{
    std::vector<double> times;
    for (const Sample& sample : subject.samples) times.push_back(sample.milliseconds);
    return median(times);
}

// Wine reads another process's counters from the host while the process is still there, so
// for a process that has already gone it answers 0; those runs are left out.
SIZE_T medianPeak(const Subject& subject)
{
    std::vector<SIZE_T> peaks;
    for (const Sample& sample : subject.samples)
        if (sample.peakWorkingSet) peaks.push_back(sample.peakWorkingSet);
    return peaks.empty() ? 0 : median(peaks);
}

DWORD fileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.nFileSizeLow;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int repetitions = argc > 1 ? _wtoi(argv[1]) : 21;
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    while (length && path[length - 1] != L'\\') --length;
    directory.assign(path, length);
    auto program = [](const wchar_t* name) { return L"\"" + directory + name + L"\""; };
    // Every launcher starts the target by its name, in the folder they all run in.
    std::wstring target = L"bench_target.exe";

    std::vector<Subject> subjects = {
        {"Tarvisk64 /s target", program(L"Tarvisk64.exe") + L" /s " + target, false, 0, {}},
        {"(b) same calls, /s", program(L"bench_system_calls_only.exe") + L" /s " + target, false, 0, {}},
        {"Tarvisk64 target", program(L"Tarvisk64.exe") + L" " + target, false, 0, {}},
        {"(b) same calls", program(L"bench_system_calls_only.exe") + L" " + target, false, 0, {}},
        {"(a) ShellExecuteW only", program(L"bench_shell_only.exe"), false, 0, {}},
        {"Tarvisk64 about window", program(L"Tarvisk64.exe"), true, 1, {}},
        {"empty window", program(L"bench_empty_window.exe"), true, 1, {}},
    };
    for (Subject& subject : subjects) measure(subject);  // warm the file cache
    for (int i = 0; i < repetitions; ++i)
        for (Subject& subject : subjects) subject.samples.push_back(measure(subject));

    printf("%d interleaved repetitions under Wine; medians\n\n", repetitions);
    printf("| %-24s | %10s | %14s |\n", "program", "time (ms)", "peak WS (KiB)");
    printf("|--------------------------|-----------:|---------------:|\n");
    for (const Subject& subject : subjects) {
        SIZE_T peak = medianPeak(subject);
        char peakText[32] = "n/a";
        if (peak) snprintf(peakText, sizeof peakText, "%zu", peak / 1024);
        printf("| %-24s | %10.2f | %14s |\n", subject.label, medianTime(subject), peakText);
    }
    auto ratio = [&](int a, int b) { return medianTime(subjects[a]) / medianTime(subjects[b]); };
    printf("\n");
    printf("launch /s:    against (b) %.3f, against (a) %.3f\n", ratio(0, 1), ratio(0, 4));
    printf("launch:       against (b) %.3f, against (a) %.3f\n", ratio(2, 3), ratio(2, 4));
    printf("about window: against an empty window %.3f\n", ratio(5, 6));
    printf("Tarvisk64.exe: %lu bytes\n", fileSize(directory + L"Tarvisk64.exe"));
    return 0;
}
