#include "WinProcess.h"

#include <windows.h>

void WinProcess::exitNow()
{
    ExitProcess(0);
}
