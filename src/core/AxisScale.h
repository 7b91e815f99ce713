#pragma once

// A chart axis between its limits, laid over `length` pixels from pixel `start`.
// Conversions are linear and unclamped: a pointer left of the plot gives a value below
// the minimum, one above the plot a value above the maximum. A vertical axis grows
// upwards, so its pixels count from the maximum down.
struct AxisScale {
    double minimum = 0.0;
    double maximum = 1.0;
    int start = 0;
    int length = 1;
    bool vertical = false;

    double valueAt(int pixel) const
    {
        if (length == 0)
            return minimum;
        const double perPixel = (maximum - minimum) / length;
        return vertical ? maximum - (pixel - start) * perPixel : minimum + (pixel - start) * perPixel;
    }
};
