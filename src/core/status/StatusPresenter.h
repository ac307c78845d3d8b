#pragma once

#include <string>

struct LocalTime;
struct Services;

// The status area's lines.
class StatusView {
public:
    virtual ~StatusView() = default;
    virtual void setDateLine(const std::string& text) = 0;
    virtual void setAddress(const std::string& text) = 0;
    virtual void setUpTime(const std::string& text) = 0;
};

// The status area beneath the panels: the date and time, the machine's
// address and the time since the system started, with the boot mode.
class StatusPresenter {
public:
    StatusPresenter(StatusView& view, Services& services);

    void load(const LocalTime& now);
    // The clock, twice a second. A line goes to the view only when it
    // changed: an unchanged line costs no layout and no repaint.
    void tick(const LocalTime& now);

private:
    void show(std::string& shown, const std::string& text, void (StatusView::*set)(const std::string&));

    StatusView& view_;
    Services& services_;
    std::string dateLine_;
    std::string upTime_;
};
