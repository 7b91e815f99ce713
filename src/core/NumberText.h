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
        bool wellFormed = false; // written as a number, whether or not it could be held
        bool tooLarge = false;   // a well-formed number beyond what can be held
        QString error;
        explicit operator bool() const { return ok; }
    };

    // The values a field accepts, from `low` (or just above it) up to `high`, with the
    // unit the adviser sees beside the field.
    struct Range {
        double low = 0.0;
        double high = 0.0;
        bool lowIncluded = true;
        QString unit;
        bool contains(double value) const { return (lowIncluded ? value >= low : value > low) && value <= high; }
        // "de 0 a 1000 ppm", "mayor que 0 y hasta 10000 U$S/Tn."
        QString text() const;
    };

    // Writes value in fixed notation, rounded once (half away from zero) at whichever
    // comes first of `precision` significant digits and `decimals` decimals.
    // A value whose integer part has more digits than `precision` comes out in
    // exponent notation with `precision` significant digits ("1.235E4").
    static QString format(double value, int precision, int decimals);

    // The value that reading format(value, precision, decimals) back gives, NaN for a
    // value that is not finite: what a step that works from written texts works with.
    // Equal to writing and reading the text in every case, at a fraction of the cost.
    static double rounded(double value, int precision, int decimals);

    // A whole number rounded to `precision` significant digits and written out in full,
    // never in exponent notation ("13550", not "1.355E4").
    static QString formatWhole(double value, int precision);

    // Reads a decimal number written with "." as decimal point; blanks around it are
    // ignored. Anything else ("abc", "0,5", "", "1e", "nan", "inf") gives a failed
    // reading whose message names the text and says how a number is written; a number
    // beyond what a double holds ("1e400", 400 digits) is called too large.
    static Reading read(const QString& text);

    // Reads a whole number (an optional sign and digits; blanks around it ignored) that
    // fits an int. "40.5", "4e1" and "" are failures.
    static Reading readInteger(const QString& text);

    // Reads the number of the field named `field` and checks it against `range`. A
    // failure's message names the field, the text and what the field accepts.
    static Reading readField(const QString& field, const QString& text, const Range& range);
    // The same for a field that holds a whole number.
    static Reading readWholeField(const QString& field, const QString& text, const Range& range);

    // The message of a failed reading of `text`; it says how a number is written.
    static QString errorMessage(const QString& text);
};
