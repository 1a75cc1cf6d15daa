#include "launcher/assistant.h"
#include "narrow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A recording fake: the foreground windows come from a list, each named by its class.
struct FakeDesktop {
    std::vector<const wchar_t*> foreground;  // class names in poll order; nullptr for no window
    size_t polls = 0;
    std::intptr_t flag = 1;
    std::string events;  // every call after the poll, in order
};
FakeDesktop fake;

WindowHandle fakeForeground()
{
    const wchar_t* name = fake.foreground.at(fake.polls++);
    return const_cast<wchar_t*>(name);
}
ClassName fakeClassName(WindowHandle window)
{
    ClassName name{};
    for (auto* text = static_cast<const wchar_t*>(window); text && *text; ++text) name.text[name.length++] = *text;
    return name;
}
void fakeDelay(unsigned long milliseconds)
{
    fake.events += "delay " + std::to_string(milliseconds) + "; ";
}
std::intptr_t fakeFlag()
{
    fake.events += "flag; ";
    return fake.flag;
}
unsigned fakeSendKey(unsigned char virtualKey, unsigned long flags)
{
    char text[32];
    snprintf(text, sizeof text, "key %02x/%lu; ", virtualKey, flags);
    fake.events += text;
    return 1;
}

unsigned long runAssistant()
{
    return runAsDialogAssistantWith({fakeForeground, fakeClassName, fakeDelay, fakeFlag, fakeSendKey});
}

const std::string sixKeys = "key 28/0; key 28/2; key 20/0; key 20/2; key 28/0; key 28/2; ";

TEST(RunAsDialogAssistant, PollsUntilTheWholeClassNameIsTheStandardDialog)
{
    fake = FakeDesktop{};
    fake.foreground = {nullptr, L"#3277", L"#327700", L"#32770 ", L"32770", L"Notepad", L"", L"#32770", L"unused"};
    EXPECT_EQ(runAssistant(), 0u);
    EXPECT_EQ(fake.polls, 8u);
    EXPECT_EQ(fake.events, "delay 20; flag; " + sixKeys);
}

TEST(RunAsDialogAssistant, NoKeysWhenTheLaunchIsOver)
{
    fake = FakeDesktop{};
    fake.foreground = {L"#32770"};
    fake.flag = 0;
    EXPECT_EQ(runAssistant(), 0u);
    EXPECT_EQ(fake.events, "delay 20; flag; ");
}

TEST(IsStandardDialogClass, WholeNameCaseSensitive)
{
    const std::pair<const wchar_t*, bool> rows[] = {
        {L"#32770", true},   {L"#3277", false}, {L"#327701", false}, {L"x#32770", false},
        {L"", false},        {L"#", false},     {L"#32771", false},  {L"#32770a", false},
    };
    for (auto [text, expected] : rows) {
        SCOPED_TRACE(narrow(text));
        EXPECT_EQ(isStandardDialogClass(fakeClassName(const_cast<wchar_t*>(text))), expected);
    }
}

}  // namespace
