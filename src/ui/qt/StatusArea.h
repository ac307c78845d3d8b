#pragma once

#include "core/status/StatusPresenter.h"

class QLabel;
class QWidget;
class Twips;

// The status lines in the panel viewport, beneath the panels: they show
// whenever no panel covers them.
class StatusArea final : public StatusView {
public:
    StatusArea(QWidget* viewport, const Twips& twips, Services& services);

    StatusPresenter& presenter() { return presenter_; }

    void setDateLine(const std::string& text) override;
    void setAddress(const std::string& text) override;
    void setUpTime(const std::string& text) override;

    QLabel* dateLine() const { return dateLine_; }
    QLabel* address() const { return address_; }
    QLabel* upTime() const { return upTime_; }

private:
    QLabel* dateLine_ = nullptr;
    QLabel* address_ = nullptr;
    QLabel* upTime_ = nullptr;
    StatusPresenter presenter_;
};
