#pragma once

#include "core/services/Sound.h"

#include <QDeadlineTimer>
#include <QString>

struct ca_context;

// Plays the ring through libcanberra, which hands it to the desktop's sound
// server and returns at once. One context, made on the first ring, serves
// the object's life and keeps its connection; it is made anew only when the
// sound server has gone away.
class CanberraSound final : public Sound {
public:
    CanberraSound() = default;
    ~CanberraSound() override;
    CanberraSound(const CanberraSound&) = delete;
    CanberraSound& operator=(const CanberraSound&) = delete;

    Result playRing(const std::string& file) override;

private:
    // Each returns a libcanberra error code, negative on failure.
    int open();
    int playFile(const QString& file);
    int playAlarmEvent();
    bool ringing();
    void reset();

    ca_context* context_ = nullptr;  // connected to the sound server when set
    QDeadlineTimer ringHeard_;       // when the last ring has been heard to its end
};
