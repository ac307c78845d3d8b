#pragma once

class QFrame;
class Twips;

// The quick system buttons, three rows of three.
class QuickPanel {
public:
    QuickPanel(QFrame* frame, const Twips& twips);
};
