#include "platform/windows/services/WinBusyPointer.h"

#include <gtest/gtest.h>

// Nested calls: the wait cursor from the first busy to the last matching
// free, then the cursor from before; a free too many changes nothing.
TEST(WinBusyPointer, WaitCursorFromTheFirstBusyToTheLastFree)
{
    const HCURSOR before = LoadCursorW(nullptr, IDC_CROSS);
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    SetCursor(before);
    WinBusyPointer pointer;
    const struct {
        bool busy;
        HCURSOR shown;
    } steps[] = {{true, wait}, {true, wait}, {false, wait}, {false, before}, {false, before}, {true, wait}};
    for (const auto& step : steps) {
        pointer.setBusy(step.busy);
        EXPECT_EQ(GetCursor(), step.shown);
    }
    pointer.setBusy(false);
    EXPECT_FALSE(pointer.busy());
}
