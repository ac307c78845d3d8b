// The main window's timer panel: its checks, the start and stop of the
// schedule, and the schedule's minute. The panel's controls are the
// schedule; nothing of it is stored.

#include "core/scheduler/Schedule.h"
#include "app/Form2.h"
#include "core/launcher/ItemText.h"
#include "platform/Platform.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const QString kNotice = QStringLiteral("提示");
const QString kChooseInList = QStringLiteral("请在列表中选择!");

BoxKey boxKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Tab: return BoxKey::Tab;
    case Qt::Key_Backtab: return BoxKey::Backtab;
    case Qt::Key_Delete: return BoxKey::Delete;
    default: return BoxKey::Other;
    }
}

// Lets only Backspace and digits reach a time box.
class TimeBoxKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<const QKeyEvent*>(event);
        return !keptInTimeBox(boxKeyOf(key->key()), key->text().toStdString());
    }
};

}  // namespace

void Form2::connectTimerPanel()
{
    TimerPanel& p = *timerPanel_;
    auto* keys = new TimeBoxKeys(p.Text4);
    for (QLineEdit* box : {p.Text4, p.Text5, p.Text6})
        box->installEventFilter(keys);

    connect(p.Option1, &QRadioButton::clicked, this, [&p] {
        p.Text4->setEnabled(true);
        p.Text5->setEnabled(true);
        p.Text6->setEnabled(false);
    });
    connect(p.Option2, &QRadioButton::clicked, this, [&p] {
        p.Text4->setEnabled(false);
        p.Text5->setEnabled(false);
        p.Text6->setEnabled(true);
    });
    for (QRadioButton* option : {p.Option3, p.Option4, p.Option5, p.Option6})
        connect(option, &QRadioButton::clicked, this, [&p] { p.Text7->setEnabled(false); });
    connect(p.Option7, &QRadioButton::clicked, this, [&p] { p.Text7->setEnabled(true); });

    // Clearing a box is a change too; its empty text passes the check.
    const auto rangeCheck = [this](QLineEdit* box, int highest) {
        connect(box, &QLineEdit::textChanged, this, [this, box, highest](const QString& text) {
            if (const std::optional<std::string> notice = rangeNotice(text.toStdString(), highest)) {
                platform_.messages.inform(this, kNotice, QString::fromStdString(*notice));
                box->clear();
            }
        });
    };
    rangeCheck(p.Text4, 23);
    rangeCheck(p.Text5, 59);

    connect(p.Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
}

ScheduleAction Form2::selectedAction() const
{
    if (!timerPanel_)
        return ScheduleAction::Alarm;
    if (timerPanel_->Option3->isChecked())
        return ScheduleAction::PowerOff;
    if (timerPanel_->Option4->isChecked())
        return ScheduleAction::Reboot;
    if (timerPanel_->Option6->isChecked())
        return ScheduleAction::LogOff;
    if (timerPanel_->Option7->isChecked())
        return ScheduleAction::RunProgram;
    return ScheduleAction::Alarm;
}

// While the schedule runs, its settings cannot change: the options are off
// and the boxes read-only, though they still show their text.
static void lockSchedule(TimerPanel& p, bool running)
{
    p.Command3->setText(running ? QStringLiteral("停止") : QStringLiteral("开始"));
    for (QRadioButton* option : {p.Option1, p.Option2, p.Option3, p.Option4, p.Option5, p.Option6, p.Option7})
        option->setEnabled(!running);
    for (QLineEdit* box : {p.Text4, p.Text5, p.Text6, p.Text7})
        box->setReadOnly(running);
}

void Form2::StartSchedule()
{
    lockSchedule(timerPanel(), true);
    Timer3->start();
}

void Form2::StopSchedule()
{
    lockSchedule(timerPanel(), false);
    Timer3->stop();
}

// Three checks, each made whether or not an earlier one acted: a start at an
// incomplete time with no program chosen tells both.
void Form2::Command3_Click()
{
    TimerPanel& p = timerPanel();
    const auto toggle = [this, &p] {
        if (p.Command3->text() == QStringLiteral("开始"))
            StartSchedule();
        else
            StopSchedule();
    };
    if (p.Option1->isChecked()) {
        if (p.Text5->text().isEmpty() || p.Text4->text().isEmpty())
            platform_.messages.inform(this, kNotice, QStringLiteral("请把时间填写完整!"));
        else
            toggle();
    }
    if (p.Option2->isChecked()) {
        const int minutes = boxNumber(p.Text6->text().toStdString());
        if (p.Text6->text().isEmpty()) {
            platform_.messages.inform(this, kNotice, QStringLiteral("请把时间填写完整!"));
        } else if (minutes > 360 || minutes < 1) {
            platform_.messages.inform(this, kNotice, QStringLiteral("范围：[1,360]"));
            p.Text6->setText(QStringLiteral("1"));
        } else {
            toggle();
        }
    }
    if (p.Option7->isChecked() && p.Text7->text() == kChooseInList) {
        StopSchedule();
        platform_.messages.inform(this, kNotice, QStringLiteral("请在列表中选择应用程序!"));
    }
}

void Form2::Timer3_Timer()
{
    TimerPanel& p = timerPanel();
    if (p.Option1->isChecked()) {
        if (clockTimeDue(platform_.clock.now(), p.Text4->text().toStdString(), p.Text5->text().toStdString()))
            fireSchedule();
    } else if (p.Option2->isChecked()) {
        const CountdownStep step = countDown(p.Text6->text().toStdString());
        p.Text6->setText(QString::fromStdString(step.minutesLeft));
        if (step.due)
            fireSchedule();
    }
}

// The schedule stops first, so the panel is free again while the program
// starts or the notice shows. A program starts as a launch from the list
// does, but the window stays.
void Form2::fireSchedule()
{
    StopSchedule();
    TimerPanel& p = timerPanel();
    if (p.Option7->isChecked())
        launcher_.LaunchItem(QString::fromStdString(displayTextOf(p.Text7->text().toStdString())), this);
    else
        memory_.notices.show(platform_);
}
