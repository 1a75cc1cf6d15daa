#include "launcher/report.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum class Text { none, fileNotFound, notSupported, runError };

struct Row {
    LaunchResult result;
    ExitCode exitCode;
    Text text;
};

const Row rows[] = {
    {2, exitFileNotFound, Text::fileNotFound}, {5, exitCancelled, Text::none},
    {-1, exitFailed, Text::notSupported},      {0, exitFailed, Text::runError},
    {1, exitFailed, Text::runError},           {3, exitFailed, Text::runError},
    {4, exitFailed, Text::runError},           {6, exitFailed, Text::runError},
    {31, exitFailed, Text::runError},          {32, exitFailed, Text::runError},
    {33, exitLaunched, Text::none},            {42, exitLaunched, Text::none},
    {-2, exitLaunched, Text::none},            {INTPTR_MIN, exitLaunched, Text::none},
    {INTPTR_MAX, exitLaunched, Text::none},
};

std::wstring expectedText(Text text, const MessageTable& messages, const std::wstring& target)
{
    switch (text) {
    case Text::fileNotFound: return messages.fileNotFoundPrefix + target + L"'.";
    case Text::notSupported: return messages.notSupportedText;
    case Text::runError: return messages.runErrorPrefix + target + L"'.";
    case Text::none: break;
    }
    return L"";
}

std::wstring message(const Report& report, const wchar_t* target)
{
    std::wstring text(composeMessage(report, target, nullptr, 0), L'?');
    composeMessage(report, target, text.data(), text.size() + 1);
    return text;
}

TEST(ReportFor, EveryRowInBothLanguages)
{
    const wchar_t* target = L"C:\\x\\missing.exe";
    for (const wchar_t* block : {englishMessages, germanMessages}) {
        MessageTable messages = messageTableFromBlock(block);
        for (const Row& row : rows) {
            SCOPED_TRACE(testing::Message() << "result " << row.result);
            Report report = reportFor(row.result, messages);
            EXPECT_EQ(report.exitCode, row.exitCode);
            EXPECT_EQ(report.text != nullptr, row.text != Text::none);
            if (report.text) EXPECT_EQ(message(report, target), expectedText(row.text, messages, target));
        }
    }
}

TEST(ReportFor, DocumentedMessages)
{
    MessageTable english = messageTableFromBlock(englishMessages);
    MessageTable german = messageTableFromBlock(germanMessages);
    EXPECT_EQ(message(reportFor(2, english), L"C:\\x\\missing.exe"), L"File not found: 'C:\\x\\missing.exe'.");
    EXPECT_EQ(message(reportFor(2, german), L"C:\\x\\missing.exe"), L"Datei nicht gefunden: 'C:\\x\\missing.exe'.");
    EXPECT_EQ(message(reportFor(31, english), L"report.xyz"), L"Error trying to run 'report.xyz'.");
    EXPECT_EQ(message(reportFor(0, english), L""), L"Error trying to run ''.");
    EXPECT_EQ(message(reportFor(-1, english), L"ignored.exe"), L"Error: The function is not supported by Windows NT.");
}

TEST(ComposeMessage, TruncatesToTheBufferAndReportsTheFullLength)
{
    Report report = reportFor(2, messageTableFromBlock(englishMessages));
    wchar_t small[8];
    EXPECT_EQ(composeMessage(report, L"abc", small, 8), std::wstring(L"File not found: 'abc'.").size());
    EXPECT_EQ(std::wstring(small), L"File no");
    std::wstring longTarget(32000, L'x');
    EXPECT_EQ(message(report, longTarget.c_str()), L"File not found: '" + longTarget + L"'.");
}

}  // namespace
