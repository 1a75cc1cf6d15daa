// Runs the run-as dialog assistant's delay, the one place the launcher needs winmm.dll.
#include "launcher/assistant.h"

int wmain()
{
    delay(1);
    return 0;
}
