#pragma once

#include <memory>

#include <QString>
#include <QStringList>

class HelpWindow;

// The help windows of the charts, the economic inputs and the soil calculator: which
// window explains what, under which caption, and whether the adviser may write in it.
// Their texts are built into the program as :/help/<file>.html.
class HelpWindows {
public:
    // The object names of every help window this table knows, in the order the program
    // creates them.
    static QStringList objectNames();

    // The help window with that object name, hidden; nullptr for a name not in the table.
    static std::unique_ptr<HelpWindow> create(const QString& objectName);

    // The text of that window as the program shows it (simple HTML); empty for a name
    // not in the table.
    static QString text(const QString& objectName);
};
