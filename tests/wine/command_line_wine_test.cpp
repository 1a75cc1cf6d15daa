// The real program reads GetCommandLineW and lower-cases the switch with CharLowerW.
#include "wine_process.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    std::wstring tail;  // what follows the probe's quoted path on its command line
    std::wstring expected;
};

std::wstring fields(int count, bool switchGiven, const std::wstring& target, const std::wstring& arguments)
{
    return std::to_wstring(count) + L'\x1F' + (switchGiven ? L"1" : L"0") + L'\x1F' + target + L'\x1F' + arguments;
}

TEST(CommandLineUnderWine, ReadsTheProcessCommandLineAsGiven)
{
    const Row rows[] = {
        {L"", fields(0, false, L"", L"")},
        {L" /SHIFT cmd.exe /k dir", fields(4, true, L"cmd.exe", L"/k dir")},
        {L" \"C:\\x y\\z.exe\"   a  \"b  c\"  ", fields(3, false, L"C:\\x y\\z.exe", L"a  \"b  c\"  ")},
        {L"\tnotepad.exe\ta.txt", fields(1, false, L"notepad.exe", L"a.txt")},
        {L" \"/S\" notepad.exe", fields(2, true, L"notepad.exe", L"")},
        {L" /sHiFt \"C:\\x y\\z.exe\" -a", fields(3, true, L"C:\\x y\\z.exe", L"-a")},
        {L" /\u00C4 t.exe", fields(2, false, L"/\u00C4", L"t.exe")},
        {L" /s", fields(1, true, L"", L"")},
    };
    std::wstring probe = L"\"" + testProgramDirectory() + L"command_line_probe.exe\"";
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "tail [" << std::string(row.tail.begin(), row.tail.end()) << "]");
        ProcessResult result = runProcess(probe + row.tail);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 0u);
        EXPECT_EQ(result.output, row.expected);
    }
}

}  // namespace
