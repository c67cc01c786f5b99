// devif_child.cpp: the settings tests' fatal paths, as a process of its own.
//
//   devif_child fatal CALL...  as the application: GuiApp, then one database call that must end
//                              the process with status 0 (7 if it goes on)

#include "gui_app.h"
#include "kvif_common_database.h"

#include <QCoreApplication>

namespace {

// CALL: "open", "attach", "set KEY GROUP VALUE" (true, or a double), "read KEY GROUP", or "get KEY GROUP" unopened.
void fatal(const QStringList &call)
{
    TDatabase *database = call.first() == "get" ? new TDatabase : CommonDatabase::getCommonDatabase();
    if (call.first() == "set")
        database->setValue(call.at(1), call.at(2), call.at(3) == "true" ? QVariant(true) : QVariant(call.at(3).toDouble()));
    else if (call.first() == "get" || call.first() == "read")
        database->getValue(call.at(1), call.at(2));
    else if (call.first() == "attach")
        database->attachDatabaseFile(CommonDatabase::SYSTEM_CFG_FILENAME);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3 || qstrcmp(argv[1], "fatal") != 0)
        return 2;
    GuiApp::createInstance(argc, argv);
    fatal(QCoreApplication::arguments().mid(2));
    return 7;
}
