#include "StatusArea.h"

#include "FormBuilder.h"
#include "core/status/StatusAreaForm.h"
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
    using namespace status_area_form;
    // Labels hold plain text: one left to guess the format costs several
    // times as much to redraw, and these change every second.
    const FormControls controls = buildControls(kForm, viewport, twips);
    dateLine_ = controls.get<QLabel>(kDateLine);
    address_ = controls.get<QLabel>(kAddress);
    upTime_ = controls.get<QLabel>(kUpTime);
    for (QLabel* line : {dateLine_, address_, upTime_})
        line->lower();  // beneath the panels
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
