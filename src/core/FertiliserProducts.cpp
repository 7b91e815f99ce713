#include "FertiliserProducts.h"

namespace {

struct Product {
    const char* name;
    double nFraction;
};

constexpr Product Products[FertiliserProducts::Count] = {
    {"Nitrato de amonio-30%", 0.30}, {"UREA - 46%", 0.46}, {"UAN - 30%", 0.30}, {"CAN - 27%", 0.27},
    {"Sulfato de amonio-21%", 0.21}, {"FDA - 18%", 0.18},  {"FMA - 11%", 0.11},
};

} // namespace

QString FertiliserProducts::prompt()
{
    return QStringLiteral("Elija el fertilizante");
}

QStringList FertiliserProducts::names()
{
    QStringList list;
    for (const Product& product : Products)
        list << QLatin1String(product.name);
    return list;
}

double FertiliserProducts::nFraction(int index)
{
    if (index < 0 || index >= Count)
        return 0.0;
    return Products[index].nFraction;
}
