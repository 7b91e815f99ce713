#pragma once

#include <QColor>

// Red for slot 1, green for slot 2, blue for slot 3: in curves, read-outs and captions.
namespace SlotColours {

inline QColor forSlot(int slot)
{
    switch (slot) {
    case 1:
        return QColor(255, 0, 0);
    case 2:
        return QColor(0, 128, 0);
    default:
        return QColor(0, 0, 255);
    }
}

// The 80 % and 20 % curves of slot 2 are drawn in a bluer green.
inline QColor slot2Levels()
{
    return QColor(0, 128, 64);
}

} // namespace SlotColours
