#include "launcher/texts.h"
#include "narrow.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring codeText(const LanguageCode& code)
{
    return code.text;
}

TEST(LanguageCodeFromLocaleName, FirstTwoCharactersAsTheyAre)
{
    const std::pair<const wchar_t*, const wchar_t*> rows[] = {
        {L"de-DE", L"de"}, {L"de-AT", L"de"}, {L"de-CH", L"de"}, {L"deu", L"de"}, {L"en-US", L"en"},
        {L"fr-FR", L"fr"}, {L"De-DE", L"De"}, {L"d", L"d"}, {L"", L""}, {L"1-x", L"1-"}};
    for (auto [name, code] : rows) {
        SCOPED_TRACE(narrow(name));
        EXPECT_EQ(codeText(languageCodeFromLocaleName(name)), code);
    }
}

TEST(LanguageCodeFromLangID, PrimaryLanguageTable)
{
    const std::pair<unsigned short, const wchar_t*> rows[] = {
        {0x0407, L"de"}, {0x0807, L"de"}, {0x0C07, L"de"}, {0x0409, L"en"}, {0x0809, L"en"}, {0x0C0A, L"es"},
        {0x040C, L"fr"}, {0x040E, L"hu"}, {0x0410, L"it"}, {0x0419, L"ru"}, {0x0413, L""}, {0x0411, L""},
        {0x0000, L""}, {0xFC07, L"de"}};
    for (auto [langID, code] : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << langID);
        EXPECT_EQ(codeText(languageCodeFromLangID(langID)), code);
    }
}

TEST(MessageBlockFor, OnlyExactlyDeIsGerman)
{
    const std::pair<const wchar_t*, const wchar_t*> rows[] = {
        {L"de", germanMessages}, {L"De", englishMessages}, {L"DE", englishMessages}, {L"d", englishMessages},
        {L"", englishMessages}, {L"en", englishMessages}, {L"fr", englishMessages}};
    for (auto [text, block] : rows) {
        SCOPED_TRACE(narrow(text));
        LanguageCode code = languageCodeFromLocaleName(text);
        EXPECT_EQ(messageBlockFor(code), block);
    }
}

TEST(MessageTableFromBlock, WalksTheFourTextsInOrder)
{
    MessageTable german = messageTableFromBlock(germanMessages);
    EXPECT_EQ(std::wstring(german.usageText), L"Aufruf: Tarvisk64 [/s|/shift] <Programm>");
    EXPECT_EQ(std::wstring(german.notSupportedText), L"Fehler: Die Funktion wird von Windows NT nicht unterst\u00FCtzt.");
    EXPECT_EQ(std::wstring(german.fileNotFoundPrefix), L"Datei nicht gefunden: '");
    EXPECT_EQ(std::wstring(german.runErrorPrefix), L"Fehler beim Ausf\u00FChren von '");

    MessageTable english = messageTableFromBlock(englishMessages);
    EXPECT_EQ(std::wstring(english.usageText), L"Usage: Tarvisk64 [/s|/shift] <program>");
    EXPECT_EQ(std::wstring(english.notSupportedText), L"Error: The function is not supported by Windows NT.");
    EXPECT_EQ(std::wstring(english.fileNotFoundPrefix), L"File not found: '");
    EXPECT_EQ(std::wstring(english.runErrorPrefix), L"Error trying to run '");
}

TEST(FixedTexts, TitleAndSuffix)
{
    EXPECT_EQ(std::wstring(programTitle), L"Tarvisk 1.11 (x64)");
    EXPECT_EQ(std::wstring(messageSuffix), L"'.");
    // The umlaut is one UTF-16 unit, whatever the source encoding.
    EXPECT_EQ(std::wstring(messageTableFromBlock(germanMessages).runErrorPrefix).size(), 27u);
}

// Fakes for the language queries.
struct FakeLocale {
    WindowsGeneration generation;
    int nameResult;  // what GetUserDefaultLocaleName returns; 0 also stands for "cannot be loaded"
    const wchar_t* name;
    unsigned short langID;
    int nameCalls, langIDCalls, sizeGiven;
};
FakeLocale fake;

WindowsGeneration fakeGeneration()
{
    return fake.generation;
}
int fakeLocaleName(wchar_t* name, int size)
{
    ++fake.nameCalls;
    fake.sizeGiven = size;
    if (fake.name) wcsncpy(name, fake.name, size);
    return fake.nameResult;
}
unsigned short fakeLangID()
{
    ++fake.langIDCalls;
    return fake.langID;
}

struct QueryRow {
    const char* what;
    FakeLocale locale;
    const wchar_t* code;
    int nameCalls, langIDCalls;
};

const QueryRow queryRows[] = {
    {"Vista uses the locale name", {vista, 6, L"de-DE", 0x0409}, L"de", 1, 0},
    {"newer uses the locale name", {newer, 6, L"de-AT", 0x0409}, L"de", 1, 0},
    {"win10 English", {win10, 6, L"en-US", 0x0407}, L"en", 1, 0},
    {"locale name query fails", {win10, 0, L"de-DE", 0x0407}, L"", 1, 0},
    {"function missing or not loadable", {win7, 0, nullptr, 0x0407}, L"", 1, 0},
    {"server2003 uses the language id", {server2003, 6, L"en-US", 0x0807}, L"de", 0, 1},
    {"XP Dutch has no code", {winXP, 6, L"de-DE", 0x0413}, L"", 0, 1},
    {"NT 4 German", {nt4, 0, nullptr, 0x0407}, L"de", 0, 1},
};

TEST(LanguageCodeFor, QueriesAndFallbacks)
{
    for (const QueryRow& row : queryRows) {
        SCOPED_TRACE(row.what);
        fake = row.locale;
        EXPECT_EQ(codeText(languageCodeFor({fakeGeneration, fakeLocaleName, fakeLangID})), row.code);
        EXPECT_EQ(fake.nameCalls, row.nameCalls);
        EXPECT_EQ(fake.langIDCalls, row.langIDCalls);
        if (row.nameCalls) EXPECT_EQ(fake.sizeGiven, 85);
    }
}

}  // namespace
