#pragma once

// The running process itself.
class Process {
public:
    virtual ~Process() = default;
    // Ends the process at once: no close handler runs, nothing is saved.
    virtual void exitNow() = 0;
};
