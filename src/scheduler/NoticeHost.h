#pragma once

#include "core/scheduler/Schedule.h"

#include <functional>
#include <memory>

class Form4;
struct Platform;

// Keeps the due-time notice for the whole run: the notice outlives the main
// window that showed it, and once it has executed it stays loaded, hidden,
// until a later firing shows it again.
class NoticeHost {
public:
    NoticeHost();
    ~NoticeHost();

    // Where the notice reads the chosen action: the timer panel of the
    // current main window, or the design choice (the alarm) without one.
    void setActionSource(std::function<ScheduleAction()> source);
    ScheduleAction currentAction() const;

    // Shows the notice, loading it first unless it is loaded.
    void show(Platform& platform);
    Form4* form4() const { return form4_.get(); }

private:
    std::function<ScheduleAction()> source_;
    std::unique_ptr<Form4> form4_;
};
