#pragma once

#include "core/services/Process.h"

class PosixProcess final : public Process {
public:
    void exitNow() override;
};
