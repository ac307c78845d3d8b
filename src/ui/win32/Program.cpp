#include "Program.h"

#include "Session.h"

#include <windows.h>

#include <commctrl.h>

int runProgram(const std::function<std::unique_ptr<SystemServices>()>& makeServices)
{
    const std::unique_ptr<InstanceLock> lock = makeInstanceLock();
    const InstanceLock::Outcome outcome = lock->acquire();
    if (outcome.anotherRunning)
        return 0;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    const std::unique_ptr<SystemServices> services = makeServices();
    Session session(services->platform());
    session.start(outcome.problem.empty());

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and the arrow keys move between the controls of the window
        // that has the focus.
        HWND top = GetAncestor(message.hwnd, GA_ROOT);
        if (top && IsDialogMessageW(top, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}
