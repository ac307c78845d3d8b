#include "DialogFrame.h"

#include "FormBuilder.h"
#include "MouseLabel.h"

#include <QRect>
#include <QWidget>

void centreOnScreen(QWidget* window, const PixelRect& screen)
{
    window->move(screen.left + (screen.width() - window->width()) / 2,
                 screen.top + (screen.height() - window->height()) / 2);
}

FormControls makeGreyDialog(QWidget* window, const FormSpec& form, const Twips& twips, DragHandle& drag)
{
    applyForm(window, form, twips);
    FormControls controls = buildControls(form, window, twips);
    window->setStyleSheet(colourRules({&form}));
    for (const std::string_view strip : {std::string_view("title"), std::string_view("body")})
        dragWindowBy(controls.get<MouseLabel>(strip), window, drag);
    return controls;
}
