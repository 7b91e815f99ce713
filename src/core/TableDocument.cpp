#include "TableDocument.h"

bool TableDocument::isNumber(const QString& cell)
{
    qsizetype i = cell.startsWith(u'-') ? 1 : 0;
    const qsizetype integerStart = i;
    while (i < cell.size() && cell[i].isDigit() && cell[i].unicode() < 128)
        ++i;
    const qsizetype integerDigits = i - integerStart;
    if (integerDigits == 0 || (integerDigits > 1 && cell[integerStart] == u'0') || integerDigits > 15)
        return false;
    if (i == cell.size())
        return true;
    if (cell[i] != u'.' || i + 1 == cell.size())
        return false;
    for (++i; i < cell.size(); ++i)
        if (!(cell[i].isDigit() && cell[i].unicode() < 128))
            return false;
    return true;
}
