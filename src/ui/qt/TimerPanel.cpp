#include "TimerPanel.h"

#include "FormBuilder.h"
#include "core/scheduler/TimerPanelForm.h"
#include "platform/qt/QtText.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace {

BoxKey boxKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Tab: return BoxKey::Tab;
    case Qt::Key_Backtab: return BoxKey::Backtab;
    case Qt::Key_Delete: return BoxKey::Delete;
    default: return BoxKey::Other;
    }
}

}  // namespace

TimerPanel::TimerPanel(QFrame* frame, const Twips& twips, Services& services, ItemLauncher& launcher)
    : QObject(frame)
    , presenter_(*this, services, launcher)
{
    using namespace timer_panel_form;
    using enum TimeBox;
    const FormControls controls = buildControls(kForm, frame, twips);
    currentTime_ = controls.get<QLabel>(kCurrentTime);
    for (std::size_t i = 0; i < modes_.size(); ++i)
        modes_[i] = controls.get<QRadioButton>(kModeOptions[i]);
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        boxes_[i] = controls.get<QLineEdit>(kTimeBoxes[i]);
    for (std::size_t i = 0; i < actions_.size(); ++i)
        actions_[i] = controls.get<QRadioButton>(kActionOptions[i]);
    startButton_ = controls.get<QPushButton>(kStart);
    programBox_ = controls.get<QLineEdit>(kProgram);

    // A coarse timer may come half a second early, and a clock time started
    // just before its minute would then wait a day.
    minuteTimer_ = new QTimer(this);
    minuteTimer_->setTimerType(Qt::PreciseTimer);
    minuteTimer_->setInterval(60'000);
    connect(minuteTimer_, &QTimer::timeout, this, [this] { presenter_.minuteTick(); });

    // Digits only, by every way in: keys are filtered below; paste, drag and
    // drop meet the validator; an input method (which would commit "十二") is
    // off in these boxes.
    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (QLineEdit* timeBox : boxes_) {
        timeBox->installEventFilter(this);
        timeBox->setValidator(digits);
        timeBox->setInputMethodHints(Qt::ImhDigitsOnly);
    }
    for (std::size_t i = 0; i < modes_.size(); ++i) {
        connect(modes_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                presenter_.chooseMode(ScheduleMode(i));
        });
    }
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        connect(actions_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                presenter_.chooseAction(ScheduleAction(i));
        });
    }
    for (TimeBox which : {Hour, Minute}) {
        connect(box(which), &QLineEdit::textChanged, this,
                [this, which](const QString& text) { presenter_.boxEdited(which, toStd(text)); });
    }
    connect(programBox_, &QLineEdit::textEdited, this,
            [this](const QString& text) { presenter_.programEdited(toStd(text)); });
    connect(startButton_, &QPushButton::clicked, this, [this] { presenter_.startOrStop(); });

    presenter_.load();
}

// Lets only Backspace and digits reach a time box.
bool TimerPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    return !SchedulePresenter::keepsKey(boxKeyOf(key->key()), toStd(key->text()));
}

std::string TimerPanel::boxText(TimeBox which) const
{
    return toStd(box(which)->text());
}

void TimerPanel::setBoxText(TimeBox which, const std::string& text)
{
    box(which)->setText(toQt(text));
}

void TimerPanel::setCurrentTime(const std::string& text)
{
    currentTime_->setText(toQt(text));
    currentTime_->adjustSize();
}

void TimerPanel::setClockBoxesEnabled(bool enabled)
{
    box(TimeBox::Hour)->setEnabled(enabled);
    box(TimeBox::Minute)->setEnabled(enabled);
}

void TimerPanel::setCountdownBoxEnabled(bool enabled)
{
    box(TimeBox::Minutes)->setEnabled(enabled);
}

void TimerPanel::setProgramBoxEnabled(bool enabled)
{
    programBox_->setEnabled(enabled);
}

void TimerPanel::setProgramText(const std::string& text)
{
    programBox_->setText(toQt(text));
}

void TimerPanel::showRunning(bool running)
{
    startButton_->setText(toQt(running ? timer_panel_form::kStopCaption : timer_panel_form::kStartCaption));
    for (QRadioButton* option : modes_)
        option->setEnabled(!running);
    for (QRadioButton* option : actions_)
        option->setEnabled(!running);
    for (QLineEdit* timeBox : boxes_)
        timeBox->setReadOnly(running);
    programBox_->setReadOnly(running);
}

void TimerPanel::setMinuteTimerRunning(bool running)
{
    if (running)
        minuteTimer_->start();
    else
        minuteTimer_->stop();
}
