// shell_child.cpp: a small program that starts the application object and then does one thing
// that the shell must route or catch; run by tst_fault_handling in the unit sandbox.
#include "gui_app.h"

#include <QDebug>
#include <QMutex>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char **argv)
{
    GuiApp::createInstance(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();

    if (mode == "warning") {
        qWarning() << "width %d of %s stays as it is";
    } else if (mode == "fatal") {
        qFatal("routed fatal line");
    } else if (mode == "segv") {
        raise(SIGSEGV);
    } else if (mode == "fpe") {
        raise(SIGFPE);
    } else if (mode == "wait") {
        // The test sends a signal once it has read the pid. A signal often comes while some lock
        // is held; holding one here makes the exit path meet it every time.
        static QMutex held;
        held.lock();
        std::printf("pid %d\n", int(getpid()));
        std::fflush(stdout);
        return GuiApp::exec();
    } else {
        return 2;
    }
    return 0;
}
