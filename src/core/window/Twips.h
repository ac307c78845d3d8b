#pragma once

// Window and control geometry is given in twips (1/1440 inch) and mapped to
// pixels with the screen's twips per pixel, rounding halves to even.
class Twips {
public:
    explicit Twips(double twipsPerPixel) : perPixel_(twipsPerPixel) {}

    static Twips forDpi(double logicalDpi) { return Twips(1440.0 / logicalDpi); }

    int toPixels(double twips) const;
    double perPixel() const { return perPixel_; }

private:
    double perPixel_;
};
