#include "SiteMapSetups.h"
#include "ui/common/WindowNames.h"

namespace SiteMaps {

namespace {

const QString Instruction = QStringLiteral("Coloque el mouse sobre el color de la izquierda para obtener información");

QStringList labelNames(std::initializer_list<int> numbers)
{
    QStringList names;
    for (int n : numbers)
        names << QStringLiteral("Label%1").arg(n);
    return names;
}

// A zone's note: `texts` written on the lines from `firstLine` down and shown, every
// other line of the panel hidden.
NoteChange zoneNote(int lineCount, const QStringList& texts, int firstLine = 1)
{
    NoteChange change;
    for (int i = 0; i < texts.size(); ++i)
        change.written.push_back({firstLine + i, texts.at(i)});
    for (int line = 1; line <= lineCount; ++line)
        if (line < firstLine || line >= firstLine + texts.size())
            change.hidden.push_back(line);
    return change;
}

std::vector<NoteChange> zoneNotes(int lineCount, std::initializer_list<QStringList> notes)
{
    std::vector<NoteChange> changes;
    for (const QStringList& texts : notes)
        changes.push_back(zoneNote(lineCount, texts));
    return changes;
}

NoteChange hideAll(int lineCount)
{
    NoteChange change;
    for (int line = 1; line <= lineCount; ++line)
        change.hidden.push_back(line);
    return change;
}

// The three top lines cleared, whatever stands below them kept.
NoteChange emptyTopThree(std::vector<int> hidden = {})
{
    return NoteChange{{}, {1, 2, 3}, std::move(hidden)};
}

Setup gualeguay()
{
    Setup s;
    s.site = Gualeguay;
    s.objectName = QString(WindowNames::MapGualeguay);
    s.caption = QStringLiteral("Mapa de Gualeguay");
    s.instruction = Instruction;
    s.zoneNames = labelNames({1, 2, 3, 4, 5, 6});
    s.lineNames = labelNames({7, 8, 9, 10, 11});
    s.zoneNotes =
        zoneNotes(5,
                  {
                      {QStringLiteral("Peniplanicie ondulada integrada por peludertes argico cromicos y argiudoles"),
                       QStringLiteral("verticos. Suelos de la unidad: Series La Concordia y San Julian (Peludertes"),
                       QStringLiteral("árgicos y árgico crómicos respectivamente) en lomas y partes altas de las"),
                       QStringLiteral("pendientes, y Series La Blanqueada y San Roque (ambas Argiudoles verticos)"),
                       QStringLiteral("en sectores bajos de las pendientes y lomas planas altas")},
                      {QStringLiteral("Llanuras y terrazas aluviales con Hapludoles fluventicos y fluvacuenticos."),
                       QStringLiteral("Suelos de la unidad: Serie Aldea Asuncion (Hapludol fluventico) en"),
                       QStringLiteral("pendientes o sectores altos")},
                      {QStringLiteral("Peniplanicie ondulada dominada por argiudoles acuicos"),
                       QStringLiteral("Suelos de la unidad: Serie La Emiliana (Argiudol acuico)"),
                       QStringLiteral("y Serie Gualeguay (Argiudol acuico paquico) en pendientes"),
                       QStringLiteral("muy suaves o lomas altas y Series La Blanqueada y San Roque"),
                       QStringLiteral("(ambas argiudoles verticos) en lomas bajas y partes bajas de las pendientes.")},
                      {QStringLiteral("Unidades cartograficas menores")},
                      {QStringLiteral("Rio")},
                      {QStringLiteral("Unidades cartograficas no agricolas")},
                  });
    s.onMapPicture = hideAll(5);
    s.referenceHint = QStringLiteral("34º00'Lat,-61º20'Long.");
    return s;
}

Setup gualeguaychu()
{
    Setup s;
    s.site = Gualeguaychu;
    s.objectName = QString(WindowNames::MapGualeguaychu);
    s.caption = QStringLiteral("Mapa de Gualeguaychú");
    s.instruction = QStringLiteral("Coloque el mouse sobre el color de la izquierda para información");
    s.zoneNames = labelNames({1, 2, 3, 4, 9});
    s.lineNames = labelNames({5, 6, 7, 8, 10, 11});
    s.zoneNotes = zoneNotes(
        6,
        {
            {QStringLiteral("Peniplanicie ondulada integrada por Peludertes argico cromicos y "),
             QStringLiteral("argiudoles verticos. Suelos de la unidad: Series La Concordia,"),
             QStringLiteral("La Paulina y San Julian (Peludertes argico, argico cromico) y "),
             QStringLiteral("argiudolico respectivamente en lomas y sectores altos de las"),
             QStringLiteral("pendientes, y Serie La Blanqueada (Argiudol vertico) en sectores"),
             QStringLiteral("bajos de las pendientes")},
            {QStringLiteral("Llanuras y terrazas aluviales con hapludoles"),
             QStringLiteral("fluventicos y fluvacuenticos. Suelos de la"),
             QStringLiteral("unidad: Serie Aldea Asuncion (Hapludol fluventico)"),
             QStringLiteral("en sectores altos y pendientes")},
            {QStringLiteral("Peniplanicie ondulada dominada por argiudoles acuicos"),
             QStringLiteral("Suelos de la unidad: Serie Arroyo Animal (Argiudol acuico)"),
             QStringLiteral("en lomas altas y pies de lomas de pendientes "), QStringLiteral("suavemente onduladas.")},
            {QStringLiteral("Unidades cartograficas no agricolas")},
            {QStringLiteral("Rio")},
        });
    s.onMapPicture = hideAll(6);
    return s;
}

Setup reconquista()
{
    Setup s;
    s.site = Reconquista;
    s.objectName = QString(WindowNames::MapReconquista);
    s.caption = QStringLiteral("Mapa de Reconquista");
    s.instruction = Instruction;
    s.zoneNames = labelNames({8, 9, 10, 11});
    s.lineNames = labelNames({13, 14, 15, 3, 1});
    s.zoneNotes =
        zoneNotes(5,
                  {
                      {QStringLiteral("Lagunas, Rios y terrenos insulares")},
                      {QStringLiteral("Lomadas vecinas a Cañadas"),
                       QStringLiteral("Suelos de la Unidad: Perfil  típico Nº33 (Udipsament"),
                       QStringLiteral("tapto árgico) y Perfil típico Nº 22 (Udipsament típico) en lomas.")},
                      {QStringLiteral("Crestas planas, lomadas planas y planicies extendidas. Suelos de la "),
                       QStringLiteral("Unidad: Perfil tipico Nº25 y Perfil tipico Nº11 (Argiudoles acuicos)"),
                       QStringLiteral("en lomas, Perfil tipico Nº29 (Argiudol tipico) en pendientes suaves, "),
                       QStringLiteral("perfil tipico Nº35 (Argiudol vertico) en planos concavos y Perfil"),
                       QStringLiteral("tipico Nº48 (Argiudol argiacuico) en sectores planos.")},
                      {QStringLiteral("Unidades cartográficas no agrícolas")},
                  });
    s.onMapPicture = emptyTopThree({4, 5});
    s.onActivation = emptyTopThree();
    return s;
}

Setup parana()
{
    Setup s;
    s.site = Parana;
    s.objectName = QString(WindowNames::MapParana);
    s.caption = QStringLiteral("Mapa Paraná");
    s.instruction = Instruction;
    s.zoneNames = labelNames({10, 11, 12, 13, 14, 1});
    s.lineNames = labelNames({15, 16, 17, 2, 3, 4, 5});
    // The first zone's single line stands on the second row, the rows around it emptied.
    NoteChange waterAndIslands = zoneNote(7, {QStringLiteral("Lagunas, Rios y Terrenos miscelaneos")}, 2);
    waterAndIslands.emptied = {1, 3};
    s.zoneNotes = zoneNotes(
        7,
        {
            {}, // the first zone: waterAndIslands, set below
            {QStringLiteral("Peniplanicie ondulada integrada por peludertes argico cromicos y argiudoles"),
             QStringLiteral("verticos Suelos de la unidad: Series Damasio y La Luisa (Argiudoles verticos)"),
             QStringLiteral("en pendientes suaves y Serie El Triangulo (Peludert argilico cromico)"),
             QStringLiteral(" en sectores bajos de las pendientes partes bajas de pendientes.")},
            {QStringLiteral("Relieve ondulado dominado por argiudoles tipicos. Suelos de la unidad:"),
             QStringLiteral("Argiudoles tipicos en sectores altos y lomas planas y Argiudoles acuicos"),
             QStringLiteral("en medias lomas y sectores mas bajos. Nota: Cuesta mucho diferenciar"),
             QStringLiteral("caracteristicas edaficas entre los argiudoles tipicos y los argiudoles"),
             QStringLiteral("acuicos de estas unidades cartograficas. Al mismo tiempo presentan caracteristicas"),
             QStringLiteral("muy similares a los suelos de las series Tezanos Pinto y Tacuara (ambos argiudoles"),
             QStringLiteral("acuicos) por lo que se asigno tambien a esta unidad de paisaje a estos suelos.")},
            {QStringLiteral("Peniplanicie ondulada dominada por argiudoles acuicos"),
             QStringLiteral("Suelos de la unidad: Series Tezanos Pinto y Tacuara "),
             QStringLiteral("(Argiudoles acuicos) en lomas altas, pies de lomas y"),
             QStringLiteral("sectores planos, y lomas altas y partes superiores de "),
             QStringLiteral("las pendientes. Series Damasio y La Luisa (Argiudoles "),
             QStringLiteral("verticos) en lomas bajas y partes bajas de las pendientes")},
            {QStringLiteral("Unidades cartograficas menores")},
            {QStringLiteral("Lagunas, Rios y Terrenos miscelaneos")},
        });
    s.zoneNotes.front() = waterAndIslands;
    // Line 2 keeps its visibility on the map picture, empty.
    s.onMapPicture = emptyTopThree({1, 3, 4, 5, 6, 7});
    s.onLegendOutsideZones = emptyTopThree();
    s.onActivation = emptyTopThree();
    return s;
}

Setup rafaela()
{
    Setup s;
    s.site = Rafaela;
    s.objectName = QString(WindowNames::MapRafaela);
    s.caption = QStringLiteral("Mapa Rafaela");
    s.instruction = Instruction;
    s.zoneNames = labelNames({1, 2, 3, 4, 9});
    s.lineNames = labelNames({5, 6, 7, 8, 10});
    s.zoneNotes =
        zoneNotes(5,
                  {
                      {QStringLiteral("Planicies muy extendidas"),
                       QStringLiteral("Suelos de la unidad: Perfil tipico C184 (Argiudol acuico) en"),
                       QStringLiteral("las posiciones intermedias del paisaje, Perfil tipico B124"),
                       QStringLiteral("(Argiudol tipico) en pequeñas lomadas y Perfil tipico  B122"),
                       QStringLiteral("(Argialbol tipico) en bajos y pendientes.")},
                      {QStringLiteral("Paisaje ligeramente ondulado a plano. Suelos de la unidad: Perfil"),
                       QStringLiteral("tipico Nº3095 (Argiudol tipico) en pequeñas lomas o zonas mejor drenadas "),
                       QStringLiteral("y Perfiles tipicos Nº1 y Nº6 (ambos Argiudoles acuicos) en sectores"),
                       QStringLiteral("deprimidos del microrrelieve. Nota: El patron de asociacion"),
                       QStringLiteral("de los dos tipos de suelos es muy dificil de determinar en cartograficamente.")},
                      {QStringLiteral("Planicies altas muy extendidas dominadas por argiudoles tipicos"),
                       QStringLiteral("Suelos de la unidad: Perfil tipico Nº3095 (Argiudol tipico) en"),
                       QStringLiteral(" lomas planas extendidas bien drenadas y Perfiles tipicos Nº1"),
                       QStringLiteral("y Nº6 (ambos Argiudoles acuicos) en sectores deprimidos del "),
                       QStringLiteral("paisaje.")},
                      {QStringLiteral("Otras unidades cartograficas")},
                      {QStringLiteral("Unidades no agricolas")},
                  });
    s.onMapPicture = hideAll(5);
    return s;
}

} // namespace

std::optional<Setup> setupFor(int site)
{
    switch (site) {
    case Gualeguay:
        return gualeguay();
    case Gualeguaychu:
        return gualeguaychu();
    case Reconquista:
        return reconquista();
    case Parana:
        return parana();
    case Rafaela:
        return rafaela();
    default:
        return std::nullopt;
    }
}

} // namespace SiteMaps
