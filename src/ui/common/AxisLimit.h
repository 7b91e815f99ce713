#pragma once

// The four axis limits an adviser moves with the sliders of an axis window: the left
// axis carries the yield (or the money of the economic chart), the bottom axis the
// available nitrogen.
enum class AxisLimit { LeftMaximum, LeftMinimum, BottomMaximum, BottomMinimum };
