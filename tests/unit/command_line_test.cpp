#include "launcher/command_line.h"
#include "narrow.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>

namespace {

void lowerCaseAscii(wchar_t* text)
{
    for (; *text; ++text)
        if (*text >= L'A' && *text <= L'Z') *text = wchar_t(*text - L'A' + L'a');
}

struct Row {
    const wchar_t* line;
    int parameterCount;
    bool switchGiven;
    const wchar_t* target;  // nullptr: no target is named, the about window is shown
    const wchar_t* arguments;
};

void expectRow(const Row& row, LowerCaseFunction lowerCase = lowerCaseAscii)
{
    SCOPED_TRACE("command line [" + narrow(row.line) + "]");
    std::wstring line = row.line;
    LaunchRequest request = analyseCommandLine(line.data(), lowerCase);
    EXPECT_EQ(request.parameterCount, row.parameterCount);
    EXPECT_EQ(request.switchGiven, row.switchGiven);
    bool named = request.parameterCount > (request.switchGiven ? 1 : 0);
    EXPECT_EQ(named, row.target != nullptr);
    EXPECT_EQ(std::wstring(request.target), row.target ? row.target : L"");
    EXPECT_EQ(std::wstring(request.arguments), row.arguments ? row.arguments : L"");
}

// The program's own path is C:\Tools\Tarvisk64.exe throughout.
const Row documentedRows[] = {
    {L"", -1, false, nullptr, nullptr},
    {L"\"C:\\Tools\\Tarvisk64.exe\"", 0, false, nullptr, nullptr},
    {L"C:\\Tools\\Tarvisk64.exe", 0, false, nullptr, nullptr},
    {L"C:\\Tools\\Tarvisk64.exe notepad.exe C:\\a.txt", 2, false, L"notepad.exe", L"C:\\a.txt"},
    {L"\"C:\\Tools\\Tarvisk64.exe\" /S notepad.exe", 2, true, L"notepad.exe", L""},
    {L"\"C:\\Tools\\Tarvisk64.exe\" /SHIFT cmd.exe /k dir", 4, true, L"cmd.exe", L"/k dir"},
    {L"\"C:\\Tools\\Tarvisk64.exe\" /snotepad.exe", 1, false, L"/snotepad.exe", L""},
    {L"\"C:\\Tools\\Tarvisk64.exe\" /sh notepad", 2, false, L"/sh", L"notepad"},
    {L"\"C:\\Tools\\Tarvisk64.exe\" /s", 1, true, nullptr, nullptr},
    {L"\"C:\\Tools\\Tarvisk64.exe\" /s   ", 1, true, nullptr, nullptr},
    {L"\"C:\\Tools\\Tarvisk64.exe\" /s /s", 2, true, L"/s", L""},
    {L"\"C:\\Tools\\Tarvisk64.exe\" \"C:\\Program Files\\App\\app.exe\"", 1, false,
     L"C:\\Program Files\\App\\app.exe", L""},
    {L"\"C:\\Tools\\Tarvisk64.exe\" /shift \"C:\\Program Files\\App\\app.exe\" -x", 3, true,
     L"C:\\Program Files\\App\\app.exe", L"-x"},
    {L"\"C:\\Tools\\Tarvisk64.exe\" \"C:\\Program Files\\App\\app.exe\" -x \"a b\"  ", 3, false,
     L"C:\\Program Files\\App\\app.exe", L"-x \"a b\"  "},
    {L"\"C:\\Tools\\Tarvisk64.exe\"   /s    \"C:\\x y\\z.exe\"   a  ", 3, true, L"C:\\x y\\z.exe", L"a  "},
    {L"\"C:\\Tools\\Tarvisk64.exe\" \"C:\\x y\\z.exe\"arg", 2, false, L"C:\\x y\\z.exe", L"arg"},
    {L"\"C:\\Tools\\Tarvisk64.exe\"notepad.exe", 1, false, L"notepad.exe", L""},
    {L"\"C:\\Tools\\Tarvisk64.exe\" \"\"", 1, false, L"", L""},
    {L"\"C:\\Tools\\Tarvisk64.exe\" a\"b c\"d e", 2, false, L"a\"b", L"c\"d e"},
    {L"\"C:\\Tools\\Tarvisk64.exe\"\tnotepad.exe", 1, false, L"notepad.exe", L""},
    {L"C:\\Tools\\Tarvisk64.exe\tnotepad.exe", 0, false, nullptr, nullptr},
    {L"\"C:\\Tools\\Tarvisk64.exe\" notepad.exe\ta.txt", 1, false, L"notepad.exe", L"a.txt"},
    {L"\"C:\\Tools\\Tarvisk64.exe\" /s\tnotepad.exe", 1, false, L"/s", L"notepad.exe"},
};

TEST(AnalyseCommandLine, DocumentedRows)
{
    for (const Row& row : documentedRows) expectRow(row);
}

// A quoted switch is cut from the tail with its quotes, never by a fixed count.
const Row quotedSwitchRows[] = {
    {L"\"C:\\Tools\\Tarvisk64.exe\" \"/s\" notepad.exe", 2, true, L"notepad.exe", L""},
    {L"\"C:\\Tools\\Tarvisk64.exe\" \"/shift\" notepad.exe", 2, true, L"notepad.exe", L""},
    {L"\"C:\\Tools\\Tarvisk64.exe\" /\"s\" notepad.exe", 2, true, L"notepad.exe", L""},
    {L"\"C:\\Tools\\Tarvisk64.exe\" \"/SHIFT\" \"C:\\x y\\z.exe\" -a \"b\"", 4, true, L"C:\\x y\\z.exe",
     L"-a \"b\""},
    {L"\"C:\\Tools\\Tarvisk64.exe\" \"/s\"", 1, true, nullptr, nullptr},
};

TEST(AnalyseCommandLine, QuotedSwitchIsCutWithItsQuotes)
{
    for (const Row& row : quotedSwitchRows) expectRow(row);
}

// A target that opens a quote and never closes it is named whole, so a failure shows what was tried.
const Row unclosedQuoteRows[] = {
    {L"\"C:\\Tools\\Tarvisk64.exe\" \"C:\\x y\\z.exe -a", 1, false, L"C:\\x y\\z.exe -a", L""},
    {L"\"C:\\Tools\\Tarvisk64.exe\" /s \"C:\\x y\\z.exe", 2, true, L"C:\\x y\\z.exe", L""},
    {L"\"C:\\Tools\\Tarvisk64.exe\" \"", 1, false, L"", L""},
};

TEST(AnalyseCommandLine, UnclosedQuoteNamesTheRestAsTarget)
{
    for (const Row& row : unclosedQuoteRows) expectRow(row);
}

const Row otherRows[] = {
    // An unquoted own path with a blank ends at that blank in the tail reading.
    {L"C:\\Tools\\Tarvisk64.exe   notepad.exe    ", 1, false, L"notepad.exe", L""},
    // A quote in the middle of the own path keeps blanks inside one token.
    {L"C:\\a\"b c\"\\x.exe notepad.exe", 1, false, L"c\"\\x.exe", L"notepad.exe"},
    // Runs of blanks and inner quotes of the arguments stay as typed.
    {L"x.exe t.exe  \"a  b\"   c ", 3, false, L"t.exe", L"\"a  b\"   c "},
    // Only blanks separate tokens in the parameter reading; the tail reading turns tabs into blanks.
    {L"x.exe t.exe\t\targ\t", 1, false, L"t.exe", L"arg "},
};

TEST(AnalyseCommandLine, TailKeepsWhatWasTyped)
{
    for (const Row& row : otherRows) expectRow(row);
}

// The switch test lower-cases with whatever the caller gives it (CharLowerW in the program).
void lowerCaseDottedCapitalI(wchar_t* text)
{
    for (; *text; ++text)
        if (*text == L'\u0130') *text = L'i';
}

TEST(AnalyseCommandLine, SwitchIsLowerCasedByTheGivenFunction)
{
    expectRow({L"x.exe /sh\u0130ft t.exe", 2, true, L"t.exe", L""}, lowerCaseDottedCapitalI);
    expectRow({L"x.exe /SHIFT t.exe", 2, false, L"/SHIFT", L"t.exe"}, lowerCaseDottedCapitalI);
}

TEST(AnalyseCommandLine, LongFirstParameterIsNotTheSwitch)
{
    expectRow({L"x.exe /shiftx t.exe", 2, false, L"/shiftx", L"t.exe"});
    std::wstring line = L"x.exe " + std::wstring(40000, L'a') + L" b";
    LaunchRequest request = analyseCommandLine(line.data(), lowerCaseAscii);
    EXPECT_FALSE(request.switchGiven);
    EXPECT_EQ(std::wstring(request.target).size(), 40000u);
    EXPECT_EQ(std::wstring(request.arguments), L"b");
}

}  // namespace
