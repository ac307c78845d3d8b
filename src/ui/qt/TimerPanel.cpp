#include "TimerPanel.h"

#include "Placement.h"
#include "platform/qt/QtText.h"

#include <QButtonGroup>
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

void group(QWidget* owner, std::initializer_list<QRadioButton*> options)
{
    auto* buttons = new QButtonGroup(owner);
    for (QRadioButton* option : options)
        buttons->addButton(option);
}

}  // namespace

TimerPanel::TimerPanel(QFrame* frame, const Twips& twips, Services& services, ItemLauncher& launcher)
    : QObject(frame)
    , presenter_(*this, services, launcher)
{
    using enum TimeBox;
    Placer at(frame, twips);
    currentTime_ = at.label("currentTimeLabel", QStringLiteral("当前时间:"), 120, 240);
    modes_[0] = at.option("clockTimeOption", QStringLiteral("定时"), 120, 720);
    boxes_[std::size_t(Hour)] = at.text("hourBox", 840, 720, 300);
    at.label("hourLabel", QStringLiteral("点"), 1200, 720);
    boxes_[std::size_t(Minute)] = at.text("minuteBox", 1560, 720, 300);
    at.label("minuteLabel", QStringLiteral("分"), 1920, 720);
    modes_[1] = at.option("countdownOption", QStringLiteral("计时"), 120, 1320);
    boxes_[std::size_t(Minutes)] = at.text("minutesBox", 840, 1320, 420);
    at.label("minutesLabel", QStringLiteral("分"), 1320, 1320);
    startButton_ = at.button("startButton", QStringLiteral("开始"), 1680, 1320, 495);
    group(frame, {modes_[0], modes_[1]});
    modes_[0]->setChecked(true);

    auto* actionFrame = at.add(new QGroupBox(frame), "actionFrame", 2280, 0, 1695, 1695);
    Placer actions = at.inside(actionFrame);
    using enum ScheduleAction;
    actions_[std::size_t(Alarm)] = actions.option("alarmOption", QStringLiteral("闹钟"), 120, 240);
    actions_[std::size_t(PowerOff)] = actions.option("powerOffOption", QStringLiteral("关机"), 840, 240);
    actions_[std::size_t(LogOff)] = actions.option("logOffOption", QStringLiteral("注销"), 120, 600);
    actions_[std::size_t(Reboot)] = actions.option("rebootOption", QStringLiteral("重启"), 840, 600);
    actions_[std::size_t(RunProgram)] = actions.option("runProgramOption", QStringLiteral("执行程序"), 120, 960);
    programBox_ = actions.text("programBox", 120, 1320, 1455, 270);
    group(actionFrame, {actions_[0], actions_[1], actions_[3], actions_[2], actions_[4]});
    actions_[std::size_t(Alarm)]->setChecked(true);

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
        timeBox->setAttribute(Qt::WA_InputMethodEnabled, false);
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
    startButton_->setText(running ? QStringLiteral("停止") : QStringLiteral("开始"));
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
