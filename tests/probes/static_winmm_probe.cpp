// Imports winmm.dll the ordinary way, so the loader searches the program's own folder for it
// first: the control case that shows a planted copy does get loaded.
#include <windows.h>
#include <mmsystem.h>

int wmain()
{
    return timeBeginPeriod(1) == TIMERR_NOERROR ? 0 : 1;
}
