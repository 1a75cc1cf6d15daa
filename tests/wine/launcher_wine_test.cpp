// Tarvisk64.exe end to end under Wine: started with exact command lines, it launches a probe
// program, shows its one message box or the about window, and exits with the promised code.
// Wine treats every user as an administrator, so every launch here uses the verb "open".
#include "desktop.h"
#include "launcher/assistant.h"
#include "launcher/texts.h"
#include "wine_process.h"
#include "narrow.h"

#include <gtest/gtest.h>

#include <set>

namespace {

MessageTable expectedTexts;  // English or German, as the test's locale says

std::wstring inQuotes(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

std::wstring tarvisk()
{
    return inQuotes(testProgramDirectory() + L"Tarvisk64.exe");
}

std::wstring probePath()
{
    return testProgramDirectory() + L"launch_probe.exe";
}

// A folder of its own for each launch, the launcher's current directory, with the probe's record in it.
struct LaunchFolder {
    std::wstring path;
    std::wstring record;
    explicit LaunchFolder(const std::wstring& name)
        : path(testProgramDirectory() + L"launch-" + name), record(path + L"\\record.txt")
    {
        CreateDirectoryW(path.c_str(), nullptr);
        DeleteFileW(record.c_str());
        SetEnvironmentVariableW(L"TARVISK_PROBE_RECORD", record.c_str());
    }
    // What the probe recorded: its command line and its current directory.
    std::pair<std::wstring, std::wstring> recorded() const
    {
        std::wstring text = awaitRecord(record, 20000);
        size_t separator = text.find(L'\x1F');
        if (separator == std::wstring::npos) return {text, L""};
        return {text.substr(0, separator), text.substr(separator + 1)};
    }
};

struct ArgumentRow {
    std::wstring afterTarget;  // what follows the probe's path on the launcher's command line
    std::wstring arguments;    // what the probe must find after its own path
};

TEST(LauncherUnderWine, ArgumentsArriveExactlyAsTyped)
{
    const ArgumentRow rows[] = {
        {L"", L""},
        {L" -x", L"-x"},
        {L" -x \"a b\"  c  ", L"-x \"a b\"  c  "},
        {L"    lead \"in \"\"ner\" ", L"lead \"in \"\"ner\" "},
        {L"\ta\tb", L"a b"},
        {L" /s /shift", L"/s /shift"},
        // As long as a command line can carry after the two paths.
        {L" " + std::wstring(32000, L'x'), std::wstring(32000, L'x')},
    };
    for (const ArgumentRow& row : rows) {
        SCOPED_TRACE("after target [" + narrow(row.afterTarget) + "]");
        LaunchFolder folder(L"arguments");
        StartedProcess started = startProcess(tarvisk() + L" " + inQuotes(probePath()) + row.afterTarget,
                                              folder.path.c_str());
        ProcessResult result = finishProcess(started, 30000);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 0u);
        auto [commandLine, directory] = folder.recorded();
        // Wine's ShellExecuteW gives the program its quoted full path, then a blank and the parameters as
        // passed when there are any.
        EXPECT_EQ(commandLine, inQuotes(probePath()) + (row.arguments.empty() ? L"" : L" " + row.arguments));
        EXPECT_EQ(CompareStringOrdinal(directory.c_str(), -1, folder.path.c_str(), -1, TRUE), CSTR_EQUAL)
            << narrow(directory);
    }
}

TEST(LauncherUnderWine, LaunchesATargetNamedOutsideTheAnsiCodePage)
{
    LaunchFolder folder(L"unicode");
    std::wstring target = folder.path + L"\\probe \U0001D11E \u0416\u6F22.exe";
    ASSERT_TRUE(CopyFileW(probePath().c_str(), target.c_str(), FALSE)) << GetLastError();
    StartedProcess started = startProcess(tarvisk() + L" " + inQuotes(target) + L" \u0416", folder.path.c_str());
    ProcessResult result = finishProcess(started, 30000);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(folder.recorded().first, inQuotes(target) + L" \u0416");
}

TEST(LauncherUnderWine, SwitchLaunchesWithAndWithoutShift)
{
    for (bool shift : {false, true}) {
        SCOPED_TRACE(shift ? "SHIFT held" : "SHIFT not held");
        LaunchFolder folder(L"switch");
        releaseModifiers();
        if (shift) sendKey(VK_SHIFT, keyPress);  // held until releaseModifiers
        StartedProcess started = startProcess(tarvisk() + L" /s " + inQuotes(probePath()) + L" -a",
                                              folder.path.c_str());
        ProcessResult result = finishProcess(started, 30000);
        releaseModifiers();
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 0u);
        EXPECT_EQ(folder.recorded().first, inQuotes(probePath()) + L" -a");
    }
}

// Every message box the process shows until it ends: each is read, then closed with its OK button.
struct SeenBox {
    std::wstring caption, text;
};

std::vector<SeenBox> answerMessageBoxes(StartedProcess& started, ProcessResult& result)
{
    std::vector<SeenBox> boxes;
    std::set<HWND> seen;
    DWORD processId = started.processId;
    auto boxOfProcess = [processId]() -> HWND {
        HWND box = nullptr;
        while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr))) {
            DWORD owner = 0;
            GetWindowThreadProcessId(box, &owner);
            if (owner == processId && IsWindowVisible(box)) return box;
        }
        return nullptr;
    };
    for (;;) {
        HWND box = nullptr;
        bool ended = waitUntil(
            [&] {
                box = boxOfProcess();
                return (box && !seen.count(box)) || WaitForSingleObject(started.process, 0) == WAIT_OBJECT_0;
            },
            20000);
        if (!ended || !box || seen.count(box)) break;
        seen.insert(box);
        wchar_t caption[256] = {}, text[1024] = {};
        GetWindowTextW(box, caption, 256);
        GetDlgItemTextW(box, 0xFFFF, text, 1024);
        boxes.push_back({caption, text});
        SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    }
    result = finishProcess(started, 20000);
    return boxes;
}

struct FailureRow {
    std::wstring parameters;
    const wchar_t* MessageTable::*prefix;
    std::wstring target;
    DWORD exitCode;
};

TEST(LauncherUnderWine, FailedLaunchShowsOneMessageAndExitCode)
{
    const FailureRow rows[] = {
        {L"C:\\x\\missing.exe -secret", &MessageTable::fileNotFoundPrefix, L"C:\\x\\missing.exe", 2},
        {L"/S \"C:\\no such\\app.exe\" a b", &MessageTable::fileNotFoundPrefix, L"C:\\no such\\app.exe", 2},
        {L"\"\"", &MessageTable::runErrorPrefix, L"", 4},
        // A lone opening quote names an empty target.
        {L"\"", &MessageTable::runErrorPrefix, L"", 4},
        // A switch followed by tabs is no switch: the tabs end up as blanks after the target /s.
        {L"/s\t\t", &MessageTable::fileNotFoundPrefix, L"/s", 2},
        // Characters outside the BMP and outside the ANSI code page are shown exactly.
        {L"\"C:\\x\\\U0001D11E \u0416\u6F22.exe\" -x", &MessageTable::fileNotFoundPrefix,
         L"C:\\x\\\U0001D11E \u0416\u6F22.exe", 2},
    };
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(narrow(row.parameters));
        StartedProcess started = startProcess(tarvisk() + L" " + row.parameters);
        ProcessResult result{};
        std::vector<SeenBox> boxes = answerMessageBoxes(started, result);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, row.exitCode);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, L"Tarvisk 1.11 (x64)");
        EXPECT_EQ(boxes[0].text, expectedTexts.*row.prefix + row.target + L"'.");
    }
}

TEST(LauncherUnderWine, NoTargetShowsTheAboutWindow)
{
    for (const wchar_t* parameters : {L"", L" /s", L" /SHIFT   ", L"         "}) {
        SCOPED_TRACE(narrow(parameters));
        StartedProcess started = startProcess(tarvisk() + parameters);
        HWND about = waitForWindow(L"Tarvisk 1.11 (x64)", 20000);
        ASSERT_NE(about, nullptr);
        // The window is shown before its controls exist.
        ASSERT_TRUE(waitUntil([&] { return GetDlgItem(about, 3) != nullptr; }, 20000));
        wchar_t usage[256] = {};
        GetDlgItemTextW(about, 2, usage, 256);
        EXPECT_EQ(std::wstring(usage), expectedTexts.usageText);
        SendMessageW(GetDlgItem(about, 3), BM_CLICK, 0, 0);
        ProcessResult result = finishProcess(started, 20000);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 1u);
    }
}

}  // namespace

// The argument names the texts the test's locale must show: English or German.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    bool german = argc > 1 && strcmp(argv[1], "German") == 0;
    expectedTexts = messageTableFromBlock(german ? germanMessages : englishMessages);
    return RUN_ALL_TESTS();
}
