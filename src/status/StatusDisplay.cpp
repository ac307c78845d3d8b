// The main window's status display: the clock, the up-time with the boot
// mode, and the roll-up of the window to its title strip.

#include "core/status/StatusText.h"
#include "app/Form2.h"
#include "app/MouseLabel.h"
#include "core/window/TitleText.h"
#include "app/QtText.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QListWidget>

namespace {

// Sets a caption only when it changed: an unchanged label costs no layout
// and no repaint, which keeps the idle window cheap.
void setCaption(QLabel* label, const QString& text)
{
    if (label->text() == text)
        return;
    label->setText(text);
    label->adjustSize();
}

}  // namespace

bool Form2::rolledUp() const
{
    return height() == twips_.toPixels(kRolledUpTwips);
}

void Form2::Timer2_Timer()
{
    const LocalTime now = platform_.clock.now();
    const QString line = toQt(dateLine(now));
    if (rolledUp())
        Label3->setText(line);
    setCaption(Label5, QLatin1Char(' ') + line);
    if (timerPanel_)
        setCaption(timerPanel_->Label4[2], QStringLiteral("当前时间:") + toQt(timeOfDay(now)));

    // A system that cannot tell its up-time leaves the last text standing.
    const std::optional<std::uint64_t> upTime = platform_.system.millisecondsSinceBoot();
    if (!upTime)
        return;
    const std::chrono::milliseconds since(static_cast<std::chrono::milliseconds::rep>(*upTime));
    setCaption(Label8, toQt(bootModeMessage(platform_.system.bootMode()) + upTimeText(since)));
}

void Form2::showTimeInTimerPanel()
{
    setCaption(timerPanel_->Label4[2], QStringLiteral("当前时间:") + toQt(timeOfDay(platform_.clock.now())));
}

// The window keeps its top-left corner; rolled up, only the title strip shows.
void Form2::Label3_DblClick()
{
    if (rolledUp()) {
        setFixedSize(width(), twips_.toPixels(kHeightTwips));
        Label3->setText(toQt(titleText(std::size_t(List1->count()))));
    } else {
        setFixedSize(width(), twips_.toPixels(kRolledUpTwips));
        Label3->setText(toQt(dateLine(platform_.clock.now())));
    }
}
