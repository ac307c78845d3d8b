#pragma once

#include "core/services/Desktop.h"

// The Explorer desktop: its window ("Progman", titled "Program Manager")
// refreshes its icons on the F5 key.
class WinDesktop final : public Desktop {
public:
    Result refresh() override;
};
