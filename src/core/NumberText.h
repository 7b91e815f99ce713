#pragma once

#include <QString>

// Numbers travel between windows as texts. This is the one place where a number
// becomes a text and a text a number: fixed notation with a number of significant
// digits and of decimals, "." as decimal point, no thousands separator, and never
// anything that depends on the user's locale.
class NumberText {
public:
    // The outcome of reading a text: a finite value, or a Spanish message naming the text.
    struct Reading {
        double value = 0.0;
        bool ok = false;
        QString error;
        explicit operator bool() const { return ok; }
    };

    // Writes value in fixed notation, rounded once (half away from zero) at whichever
    // comes first of `precision` significant digits and `decimals` decimals.
    // A value whose integer part has more digits than `precision` comes out in
    // exponent notation with `precision` significant digits ("1.235E4").
    static QString format(double value, int precision, int decimals);

    // Reads a decimal number written with "." as decimal point; blanks around it are
    // ignored. Anything else ("abc", "0,5", "", "1e", "nan", "inf", out of range)
    // gives a failed reading whose message names the text.
    static Reading read(const QString& text);

    // Reads a whole number (an optional sign and digits; blanks around it ignored) that
    // fits an int. "40.5", "4e1" and "" are failures.
    static Reading readInteger(const QString& text);

    // The message of a failed reading of `text`.
    static QString errorMessage(const QString& text);
};
