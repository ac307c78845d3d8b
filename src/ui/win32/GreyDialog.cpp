#include "GreyDialog.h"

#include "Dragging.h"
#include "platform/Platform.h"

namespace {

constexpr int kFirstControl = 100;

}  // namespace

GreyDialog::GreyDialog(Platform& platform, const FormSpec& form)
    : form_(form)
{
    createTopLevel(form, Scale::ofTwipsPerPixel(platform.screen.twipsPerPixelX()), WS_EX_CONTROLPARENT);
    controls_.build(form, hwnd(), scale_, kFirstControl);
    for (std::string_view strip : {std::string_view("title"), std::string_view("body")})
        dragWindowBy(controls_[strip], hwnd(), drag_);
}

GreyDialog::~GreyDialog()
{
    if (bodyBrush_)
        DeleteObject(bodyBrush_);
}

void GreyDialog::bringForward()
{
    ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd());
}

LRESULT GreyDialog::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    const ControlSpec& body = *form_.find("body");
    const Rgb bodyColour = body.backColour.value_or(0xC0C0C0);
    switch (message) {
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        paintFill(item.hDC, item.rcItem, bodyColour);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
        // A caption drawn without a background of its own stands on the body.
        HWND control = reinterpret_cast<HWND>(lParam);
        for (const ControlSpec& spec : form_.controls)
            if (spec.transparent && controls_[spec.id] == control) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetBkMode(dc, TRANSPARENT);
                SetTextColor(dc, colourRef(spec.textColour.value_or(0)));
                if (!bodyBrush_)
                    bodyBrush_ = CreateSolidBrush(colourRef(bodyColour));
                return LRESULT(bodyBrush_);
            }
        break;
    }
    case WM_CLOSE:
        if (onClosed)
            onClosed();
        return 0;
    default:
        break;
    }
    return FormWindow::handle(message, wParam, lParam);
}
