#include "NoticeHost.h"

#include "Form4.h"

NoticeHost::NoticeHost() = default;
NoticeHost::~NoticeHost() = default;

void NoticeHost::setActionSource(std::function<ScheduleAction()> source)
{
    source_ = std::move(source);
}

ScheduleAction NoticeHost::currentAction() const
{
    return source_ ? source_() : ScheduleAction::Alarm;
}

void NoticeHost::show(Platform& platform)
{
    if (!form4_) {
        form4_ = std::make_unique<Form4>(platform, [this] { return currentAction(); });
        // Stopping the ring or cancelling unloads the notice; it goes once
        // its own click has been handled.
        QObject::connect(form4_.get(), &Form4::unloadRequested, form4_.get(), [this] {
            Form4* unloaded = form4_.release();
            unloaded->hide();
            unloaded->deleteLater();
        });
    }
    form4_->show();
    form4_->raise();
    form4_->activateWindow();
}
