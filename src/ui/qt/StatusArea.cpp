#include "StatusArea.h"

#include "Fonts.h"
#include "core/window/Twips.h"
#include "platform/qt/QtText.h"

#include <QLabel>

namespace {

void show(QLabel* label, const std::string& text)
{
    label->setText(toQt(text));
    label->adjustSize();
}

}  // namespace

StatusArea::StatusArea(QWidget* viewport, const Twips& twips, Services& services)
    : presenter_(*this, services)
{
    const QFont font = roundFont(12);
    const auto makeLine = [viewport, &font](const char* name, const QString& caption) {
        auto* label = new QLabel(caption, viewport);
        label->setObjectName(QLatin1String(name));
        label->setFont(font);
        // Plain text: a label left to guess the format costs several times
        // as much to redraw, and these change every second.
        label->setTextFormat(Qt::PlainText);
        label->lower();  // beneath the panels
        return label;
    };
    dateLine_ = makeLine("dateLine", QStringLiteral("时钟"));
    address_ = makeLine("addressLine", QStringLiteral("IP地址"));
    upTime_ = makeLine("upTimeLine", QStringLiteral("运行时间"));
    dateLine_->move(twips.toPixels(60), twips.toPixels(120));
    address_->move(twips.toPixels(180), twips.toPixels(480));
    upTime_->move(twips.toPixels(180), twips.toPixels(840));
}

void StatusArea::setDateLine(const std::string& text)
{
    show(dateLine_, text);
}

void StatusArea::setAddress(const std::string& text)
{
    show(address_, text);
}

void StatusArea::setUpTime(const std::string& text)
{
    show(upTime_, text);
}
