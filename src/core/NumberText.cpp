#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

namespace {

// Decimal digits of |value| and the power of ten of the first one:
// value = 0.d1d2d3... x 10^exponent. Fifteen significant digits are taken first,
// which is all a double carries, so that 3545.1 and 6.75 are seen as the decimals
// an adviser reads and not as their binary neighbours.
struct Decimal {
    std::string digits; // no leading zeros; empty for zero
    int exponent = 0;
};

Decimal toDecimal(double magnitude)
{
    Decimal d;
    if (magnitude == 0.0)
        return d;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific,
                                      14); // d.dddddddddddddde±xx
    const std::string text(buffer, result.ptr);
    const auto ePos = text.find('e');
    d.digits = text.substr(0, 1) + text.substr(2, ePos - 2);
    d.exponent = std::atoi(text.c_str() + ePos + 1) + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Keeps `keep` digits, rounding half away from zero; the exponent grows on carry.
void roundTo(Decimal& d, int keep)
{
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (static_cast<int>(d.digits.size()) <= keep)
        return;
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
            d.digits.pop_back();
            if (keep == 0)
                d.digits = "1";
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

constexpr double Powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Where the decimals bound the rounding (the value has fewer integer digits than
// precision less decimals), the magnitude rounded as format() rounds it, in whole units
// of the last decimal, while they stay below 1e8; nothing elsewhere. A scaled value
// clear of a half is rounded directly; near a half, the fifteen significant digits
// format() starts from decide, as there 1.005 is 1.00500000000000 and not 1.00499999...
std::optional<double> decimalUnits(double magnitude, int precision, int decimals)
{
    if (decimals < 0 || decimals >= precision || precision > 15 || !(magnitude < Powers[precision - decimals]))
        return std::nullopt;
    const double scaled = magnitude * Powers[decimals];
    if (!(scaled < 1e8))
        return std::nullopt;
    const double whole = static_cast<double>(static_cast<long>(scaled)); // the floor, below 1e8
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) > 1e-6)
        return fraction > 0.5 ? whole + 1.0 : whole;

    char text[32]; // d.dddddddddddddde±xx
    char* end = std::to_chars(text, text + sizeof text - 1, magnitude, std::chars_format::scientific, 14).ptr;
    *end = '\0';
    const char* e = std::find(text, end, 'e');
    const int exponent = std::atoi(e + 1) + 1; // magnitude = 0.d1d2... x 10^exponent
    char digits[15];
    digits[0] = text[0];
    std::copy(text + 2, text + 16, digits + 1);
    const int keep = std::min(precision, exponent + decimals);
    if (keep < 0)
        return 0.0;
    double kept = 0.0;
    for (int i = 0; i < keep; ++i)
        kept = kept * 10 + (digits[i] - '0');
    if (keep < 15 && digits[keep] >= '5')
        kept += 1.0;
    return kept * Powers[exponent - keep + decimals];
}

QString exponentForm(bool negative, Decimal d, int precision)
{
    roundTo(d, precision);
    std::string out = negative ? "-" : "";
    out += d.digits.empty() ? '0' : d.digits[0];
    if (d.digits.size() > 1)
        out += "." + d.digits.substr(1);
    out += "E" + std::to_string(d.exponent - 1);
    return QString::fromStdString(out);
}

} // namespace

QString NumberText::format(double value, int precision, int decimals)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    precision = std::max(1, precision);
    decimals = std::max(0, decimals);

    const bool negative = std::signbit(value);
    if (const auto units = decimalUnits(std::fabs(value), precision, decimals); units && *units < Powers[precision]) {
        // The digits of the rounded units, the last `decimals` of them after the point.
        char text[24];
        char* end = std::to_chars(text, text + sizeof text, static_cast<long>(*units)).ptr;
        const int digits = static_cast<int>(end - text);
        std::string out = negative && *units > 0 ? "-" : "";
        out.append(std::max(0, decimals + 1 - digits), '0');
        out.append(text, end);
        if (decimals > 0)
            out.insert(out.end() - decimals, '.');
        return QString::fromLatin1(out);
    }
    Decimal d = toDecimal(std::fabs(value));

    if (!d.digits.empty() && d.exponent > precision)
        return exponentForm(negative, d, precision);

    // Rounding position counted in digits after the first one: significant digits
    // end at `precision`, the decimals at `exponent + decimals`; the first wins.
    roundTo(d, std::min(precision, d.exponent + decimals));
    if (!d.digits.empty() && d.exponent > precision)
        return exponentForm(negative, d, precision); // 9999.6 with 4 digits carries to 1.000E4

    std::string integerPart;
    std::string fraction;
    for (int position = 0; position < std::max(d.exponent, 0); ++position)
        integerPart += position < static_cast<int>(d.digits.size()) ? d.digits[position] : '0';
    if (integerPart.empty())
        integerPart = "0";
    for (int k = 0; k < decimals; ++k) {
        const int position = d.exponent + k;
        fraction += (position >= 0 && position < static_cast<int>(d.digits.size())) ? d.digits[position] : '0';
    }

    std::string out;
    if (negative && !d.digits.empty())
        out += '-'; // a value that rounds to zero is written without a sign
    out += integerPart;
    if (decimals > 0)
        out += "." + fraction;
    return QString::fromStdString(out);
}

double NumberText::rounded(double value, int precision, int decimals)
{
    if (!std::isfinite(value))
        return std::numeric_limits<double>::quiet_NaN();
    // The quotient of two whole numbers is the double nearest to the written decimal, as
    // reading it gives.
    if (const auto units = decimalUnits(std::fabs(value), precision, decimals)) {
        if (*units == 0.0)
            return 0.0; // read back without a sign
        const double result = *units / Powers[decimals];
        return std::signbit(value) ? -result : result;
    }
    const Reading reading = read(format(value, precision, decimals));
    return reading.ok ? reading.value : std::numeric_limits<double>::quiet_NaN();
}

QString NumberText::formatWhole(double value, int precision)
{
    if (!std::isfinite(value))
        return format(value, precision, 0);
    const bool negative = std::signbit(value);
    Decimal d = toDecimal(std::fabs(value));
    roundTo(d, std::min(std::max(1, precision), d.exponent));
    std::string out;
    for (int position = 0; position < d.exponent && !d.digits.empty(); ++position)
        out += position < static_cast<int>(d.digits.size()) ? d.digits[position] : '0';
    if (out.empty())
        return QStringLiteral("0");
    return QString::fromStdString((negative ? "-" : "") + out);
}

QString NumberText::Range::text() const
{
    const QString from = QString::number(low, 'g', 15);
    const QString to = QString::number(high, 'g', 15);
    return (lowIncluded ? QStringLiteral("de %1 a %2 %3") : QStringLiteral("mayor que %1 y hasta %2 %3"))
        .arg(from, to, unit);
}

QString NumberText::errorMessage(const QString& text)
{
    const QString message = QStringLiteral("'%1' no es un valor numérico válido").arg(text);
    // The Spanish habit: a comma for decimals, points for thousands.
    if (text.contains(u','))
        return message +
            QStringLiteral(": el separador decimal es el punto (1.5, no 1,5) y no se usa separador de miles");
    return message + QStringLiteral(": escriba cifras con el punto como separador decimal, por ejemplo 115.5");
}

namespace {

QString tooLargeMessage(const QString& text)
{
    return QStringLiteral("'%1' es un número demasiado grande").arg(text);
}

QString tooSmallMessage(const QString& text)
{
    return QStringLiteral("'%1' es un número demasiado cercano a cero").arg(text);
}

// Whether a well-formed number that cannot be held is beyond the largest or below the
// smallest double: the power of ten of its first significant digit decides.
bool beyondLargest(const std::string& ascii)
{
    std::size_t i = (ascii[0] == '+' || ascii[0] == '-') ? 1 : 0;
    long long power = 0;
    bool significant = false;
    for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
        significant = significant || ascii[i] != '0';
        if (significant)
            ++power;
    }
    if (i < ascii.size() && ascii[i] == '.') {
        for (++i; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
            if (significant)
                break;
            if (ascii[i] != '0')
                significant = true;
            else
                --power;
        }
        while (i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9')
            ++i;
    }
    long long exponent = 0;
    if (i < ascii.size() && (ascii[i] == 'e' || ascii[i] == 'E')) {
        ++i;
        const bool negative = i < ascii.size() && ascii[i] == '-';
        if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-'))
            ++i;
        for (; i < ascii.size(); ++i)
            exponent = std::min(exponent * 10 + (ascii[i] - '0'), 1000000LL);
        if (negative)
            exponent = -exponent;
    }
    return power + exponent > 0;
}

// A reading checked against the field's range; what went wrong is told with the field's
// name first and, for a number that was written as one, what the field accepts.
NumberText::Reading checked(NumberText::Reading reading, const QString& field, const QString& text,
                            const NumberText::Range& range, const QString& accepted)
{
    if (reading.ok && range.contains(reading.value))
        return reading;
    if (reading.ok) {
        reading.ok = false;
        reading.value = 0.0;
        reading.error = QStringLiteral("'%1' está fuera de rango").arg(text);
    }
    if (reading.wellFormed)
        reading.error += QStringLiteral(": se acepta ") + accepted + u' ' + range.text();
    reading.error = field + QStringLiteral(": ") + reading.error;
    return reading;
}

} // namespace

NumberText::Reading NumberText::readField(const QString& field, const QString& text, const Range& range)
{
    return checked(read(text), field, text, range, QStringLiteral("un valor"));
}

NumberText::Reading NumberText::readWholeField(const QString& field, const QString& text, const Range& range)
{
    return checked(readInteger(text), field, text, range, QStringLiteral("un número entero"));
}

NumberText::Reading NumberText::read(const QString& text)
{
    Reading reading;
    const QString trimmed = text.trimmed();

    // sign, digits with an optional "." (at least one digit), optional exponent
    int i = 0;
    const int n = static_cast<int>(trimmed.size());
    auto isDigit = [&](int k) { return k < n && trimmed[k] >= u'0' && trimmed[k] <= u'9'; };
    if (i < n && (trimmed[i] == u'+' || trimmed[i] == u'-'))
        ++i;
    int mantissaDigits = 0;
    while (isDigit(i)) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && trimmed[i] == u'.') {
        ++i;
        while (isDigit(i)) {
            ++i;
            ++mantissaDigits;
        }
    }
    bool wellFormed = mantissaDigits > 0;
    if (wellFormed && i < n && (trimmed[i] == u'e' || trimmed[i] == u'E')) {
        ++i;
        if (i < n && (trimmed[i] == u'+' || trimmed[i] == u'-'))
            ++i;
        int exponentDigits = 0;
        while (isDigit(i)) {
            ++i;
            ++exponentDigits;
        }
        wellFormed = exponentDigits > 0;
    }
    wellFormed = wellFormed && i == n;

    if (wellFormed) {
        reading.wellFormed = true;
        const std::string ascii = trimmed.toStdString();
        const char* first = ascii.c_str() + (ascii[0] == '+' ? 1 : 0); // from_chars takes no '+'
        double value = 0.0;
        const auto [end, status] = std::from_chars(first, ascii.c_str() + ascii.size(), value);
        if (status == std::errc() && end == ascii.c_str() + ascii.size() && std::isfinite(value)) {
            reading.value = value == 0.0 ? 0.0 : value; // "-0.0000" reads as 0
            reading.ok = true;
            return reading;
        }
        if (status == std::errc::result_out_of_range) {
            reading.tooLarge = beyondLargest(ascii);
            reading.error = reading.tooLarge ? tooLargeMessage(text) : tooSmallMessage(text);
            return reading;
        }
    }
    reading.error = errorMessage(text);
    return reading;
}

NumberText::Reading NumberText::readInteger(const QString& text)
{
    Reading reading;
    const QString trimmed = text.trimmed();
    bool ok = false;
    const int sign = trimmed.startsWith(u'-') ? 1 : trimmed.startsWith(u'+') ? 1 : 0;
    bool digitsOnly = trimmed.size() > sign;
    for (qsizetype i = sign; i < trimmed.size() && digitsOnly; ++i)
        digitsOnly = trimmed[i] >= u'0' && trimmed[i] <= u'9';
    const int value = digitsOnly ? trimmed.toInt(&ok) : 0;
    reading.wellFormed = digitsOnly;
    if (digitsOnly && ok) {
        reading.value = value;
        reading.ok = true;
        return reading;
    }
    if (digitsOnly) {
        reading.tooLarge = true;
        reading.error = tooLargeMessage(text);
        return reading;
    }
    reading.error = QStringLiteral("'%1' no es un valor entero válido: escriba un número sin decimales ni "
                                   "exponente, por ejemplo 117")
                        .arg(text);
    return reading;
}
