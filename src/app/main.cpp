// Spritlog: the program's entry.
#include "app/window/aboutdialog.h"
#include "app/window/errordisplay.h"
#include "app/window/mainwindow.h"
#include "app/window/setupdialog.h"
#include "app/window/sizedialog.h"
#include "app/window/startupprobe.h"
#include "app/window/statistikdialog.h"

#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv) {
    spritlog::SpritlogApplication app(argc, argv);
    // Only for the start-up benchmark: SPRITLOG_STARTUP_CLOCK makes the first painted window
    // report the time since the process started and end the program.
    spritlog::InstallStartupProbe();
    QApplication::setApplicationName(QStringLiteral("Spritlog"));
    QApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QApplication::setApplicationVersion(QStringLiteral(SPRITLOG_VERSION));
    // Lets the desktop match the window to spritlog.desktop and its icon (Wayland).
    QApplication::setDesktopFileName(QStringLiteral("spritlog"));

    // Standard buttons and dialogs in German, like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // Arial 8 pt (fontconfig gives Liberation Sans where Arial is missing).
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    QApplication::setFont(font);

    // The main window first; creating it runs the start-up sequence.
    spritlog::TFmain Fmain;
    QApplication::setWindowIcon(Fmain.windowIcon());
    Fmain.FormCreate(QApplication::arguments().mid(1));

    // Then the four dialogs, kept until the program ends.
    auto* FAbout = new spritlog::TFAbout(&Fmain);
    auto* FSetup = new spritlog::TFSetup(&Fmain);
    auto* FSize = new spritlog::TFSize(&Fmain);
    auto* FStatistik = new spritlog::TFStatistik(&Fmain);
    Fmain.setDialogs(FAbout, FSetup, FSize, FStatistik);

    Fmain.show();
    return QApplication::exec();
}
