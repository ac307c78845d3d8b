#pragma once

#include "platform/Process.h"

class PosixProcess final : public Process {
public:
    void exitNow() override;
};
