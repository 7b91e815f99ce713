#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What advisers and accidents type into a number field: nothing, words, a decimal comma,
// overflow, a negative amount, blanks, the edge of a double and a flood of digits.
struct HostileInput {
    const char* name;
    QString text;
};

inline const QList<HostileInput>& hostileInputs()
{
    static const QList<HostileInput> inputs{
        {"empty", QString()},
        {"abc", QStringLiteral("abc")},
        {"0,5", QStringLiteral("0,5")},
        {"1e400", QStringLiteral("1e400")},
        {"-5", QStringLiteral("-5")},
        {"blanks 7", QStringLiteral(" 7 ")},
        {"1e308", QStringLiteral("1e308")},
        {"10000 sevens", QString(10000, u'7')},
    };
    return inputs;
}

inline QStringList hostileTexts()
{
    QStringList texts;
    for (const HostileInput& input : hostileInputs())
        texts << input.text;
    return texts;
}
