#include "CellNumber.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

const QString SaveAdvice = u"dé a la columna un formato de número sin separador de miles y guarde de nuevo"_s;

NumberText::Reading refused(const QString& error)
{
    NumberText::Reading reading;
    reading.error = error;
    return reading;
}

} // namespace

NumberText::Reading CellNumber::read(const SheetCell& cell, bool decimalComma)
{
    QString text = cell.text.trimmed();
    if (cell.number || text.isEmpty()) {
        NumberText::Reading reading = NumberText::read(text);
        if (!reading)
            reading.error = text.isEmpty() ? u"falta el número"_s : u"'%1' no es un número"_s.arg(text);
        return reading;
    }
    const qsizetype points = text.count(u'.');
    const qsizetype commas = text.count(u',');
    if (points > 0 && commas > 0)
        return refused(
            u"'%1' lleva punto y coma: no se adivina cuál es el separador decimal; %2"_s.arg(text, SaveAdvice));
    if (points > 1 || commas > 1)
        return refused(u"'%1' lleva separador de miles; %2"_s.arg(text, SaveAdvice));
    if (commas == 1) {
        if (!decimalComma)
            return refused(u"'%1': en un archivo separado por comas el separador decimal es el punto; guarde el "
                           "archivo como CSV separado por ';' o escriba los decimales con punto"_s.arg(text));
        text.replace(u',', u'.');
    } else if (points == 1 && decimalComma) {
        // "4.500" in a file whose decimals may be commas: 4500 with a thousands point or 4.5?
        static const QRegularExpression grouping(u"^[+-]?[1-9][0-9]{0,2}\\.[0-9]{3}$"_s);
        if (grouping.match(text).hasMatch())
            return refused(u"'%1' puede ser un número con separador de miles o con tres decimales; escríbalo sin "
                           "separador de miles y con coma decimal (%2 o %3)"_s.arg(text, QString(text).remove(u'.'),
                                                                                   QString(text).replace(u'.', u',')));
    }
    NumberText::Reading reading = NumberText::read(text);
    if (!reading)
        reading.error = u"'%1' no es un número"_s.arg(cell.text.trimmed());
    return reading;
}
