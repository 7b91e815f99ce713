#pragma once

#include <QLatin1String>

// The given names of the program's windows, as their objectNames. Code that addresses a
// window by name (to create, find, show or ask for it) uses these, so a misspelt name is a
// compile error instead of a window that silently never appears.
namespace WindowNames {

inline constexpr QLatin1String Main{"TForm1"};
inline constexpr QLatin1String ScenarioDialog{"TForm2"};
inline constexpr QLatin1String YieldChart{"TForm3"};
inline constexpr QLatin1String CurveSelection{"TForm4"};
inline constexpr QLatin1String MapGualeguay{"TForm5"};
inline constexpr QLatin1String MapChooser{"TForm6"};
inline constexpr QLatin1String MapParana{"TForm7"};
inline constexpr QLatin1String MapReconquista{"TForm8"};
inline constexpr QLatin1String MapGualeguaychu{"TForm9"};
inline constexpr QLatin1String MapRafaela{"TForm10"};
inline constexpr QLatin1String YieldAxes{"TForm11"};
inline constexpr QLatin1String YieldPrint{"TForm12"};
inline constexpr QLatin1String YieldTitles{"TForm13"};
inline constexpr QLatin1String AppliedFunctions{"TForm14"};
inline constexpr QLatin1String YieldChartHelp{"TForm15"};
inline constexpr QLatin1String YieldAxisHelp{"TForm16"};
inline constexpr QLatin1String NitrogenAxisHelp{"TForm17"};
inline constexpr QLatin1String IncrementHelp{"TForm18"};
inline constexpr QLatin1String CurveChoiceHelp{"TForm19"};
inline constexpr QLatin1String EconomicChart{"TForm20"};
inline constexpr QLatin1String NitrogenCost{"TForm21"};
inline constexpr QLatin1String Warning{"TForm22"};
inline constexpr QLatin1String EconomicPrint{"TForm23"};
inline constexpr QLatin1String EconomicTitles{"TForm24"};
inline constexpr QLatin1String EconomicAxes{"TForm25"};
inline constexpr QLatin1String MarginAxisHelp{"TForm26"};
inline constexpr QLatin1String EconomicNitrogenAxisHelp{"TForm27"};
inline constexpr QLatin1String MarginHelp{"TForm28"};
inline constexpr QLatin1String GrainPriceHelp{"TForm29"};
inline constexpr QLatin1String NitrogenCostHelp{"TForm30"};
inline constexpr QLatin1String ReferenceNHelp{"TForm31"};
inline constexpr QLatin1String SoilNitrogen{"TForm32"};
inline constexpr QLatin1String SoilReferenceHelp{"TForm33"};
inline constexpr QLatin1String MissingInput{"TForm34"};
inline constexpr QLatin1String Credits{"TForm35"};
inline constexpr QLatin1String MapVictoria{"TForm36"};
inline constexpr QLatin1String HelpPrint{"TForm37"};

} // namespace WindowNames
