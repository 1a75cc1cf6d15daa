#include "assistant.h"

namespace {

constexpr wchar_t standardDialogClass[] = L"#32770";

struct KeyEvent {
    unsigned char virtualKey;
    unsigned long flags;
};

constexpr KeyEvent keySequence[] = {
    {virtualKeyDown, keyPress},  {virtualKeyDown, keyRelease}, {virtualKeySpace, keyPress},
    {virtualKeySpace, keyRelease}, {virtualKeyDown, keyPress}, {virtualKeyDown, keyRelease},
};

}  // namespace

bool isStandardDialogClass(const ClassName& name)
{
    int i = 0;
    while (i < name.length && standardDialogClass[i] && name.text[i] == standardDialogClass[i]) ++i;
    return i == name.length && standardDialogClass[i] == 0;
}

unsigned long runAsDialogAssistantWith(const AssistantPlatform& platform)
{
    // A busy poll without pause: the dialog is answered within one poll of reaching the foreground.
    while (!isStandardDialogClass(platform.windowClassName(platform.foregroundWindow()))) {
    }
    platform.delay(assistantDelay);
    if (platform.readLaunchInProgress() == 0) return 0;
    for (const KeyEvent& key : keySequence) platform.sendKey(key.virtualKey, key.flags);
    return 0;
}
