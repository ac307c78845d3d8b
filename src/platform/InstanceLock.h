#pragma once

#include <string>

// One running copy per user. The test is made once at start; a lock left by
// a copy that crashed or was killed does not count.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;

    struct Outcome {
        bool anotherRunning = false;
        std::string problem;  // set when the test itself could not be made
    };
    virtual Outcome acquire() = 0;
};
