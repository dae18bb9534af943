#include "fatalerrordialog.h"
#include "mainform.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
// Windows always has a desktop to open the window on: no display to look for.
#ifndef _WIN32
#include <string>
#include <sys/stat.h>

namespace {

// Qt aborts with a plugin dump when it cannot reach a display; say it plainly
// instead. A local X display ":N" is reachable when its socket exists.
bool displayReachable()
{
    if (std::getenv("QT_QPA_PLATFORM") || std::getenv("WAYLAND_DISPLAY"))
        return true;
    const char *display = std::getenv("DISPLAY");
    if (!display || !*display)
        return false;
    const std::string name(display);
    if (name.front() != ':')
        return true;
    const std::string socket = "/tmp/.X11-unix/X" + name.substr(1, name.find('.') - 1);
    struct stat info;
    return stat(socket.c_str(), &info) == 0;
}

} // namespace
#endif

int main(int argc, char *argv[])
{
#ifndef _WIN32
    if (!displayReachable()) {
        std::fprintf(stderr, "zorbelin: no display to open the window on; run it under Xvfb: xvfb-run -a %s\n",
                     argv[0]);
        return 2;
    }
#endif

    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Ties the window to its menu entry and icon on the desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.zorbelin.Zorbelin"));
    installFatalErrorDialog();

    MainForm form;
    form.show();
    return app.exec();
}
