#pragma once

class QWidget;

// Gives every control of a window that has no accessible name of its own one a screen
// reader can say, from what a sighted adviser reads beside it: a button's caption or,
// for a picture button, its pop-up hint; for a field, the label that names it (its
// buddy, the caption before it in its layout, else the nearest caption to its left or
// above it), else its hint, else its window's caption; for a help mark, its hint or
// "Ayuda". Every chart gets its titles as name and description.
// Names Qt already finds (captions, buddies, group box titles) are left alone, so a
// caption that changes later is still read as it is then.
class AccessibleNames {
public:
    static void apply(QWidget& window);
};
