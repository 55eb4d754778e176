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
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include <functional>
#include <utility>

namespace {

// Runs some work once `window` has been exposed and painted for the first time, or after
// half a second should the desktop not expose it (a window started minimised).
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget& window, std::function<void()> work)
        : QObject(&window), work_(std::move(work)) {
        if (QWindow* handle = window.windowHandle())
            handle->installEventFilter(this);
        QTimer::singleShot(kLatestMs, this, [this] { run(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            // The expose paints the window on its way back to the event loop.
            QTimer::singleShot(0, this, [this] { run(); });
        }
        return false;
    }

private:
    static constexpr int kLatestMs = 500;

    void run() {
        if (!work_)
            return;
        const std::function<void()> work = std::move(work_);
        work_ = nullptr;
        work();
    }

    std::function<void()> work_;
};

} // namespace

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

    Fmain.show();
    // Then the four dialogs, kept until the program ends. The first screen shows none of
    // them, so they are built once it has been painted.
    const auto makeDialogs = [&Fmain] {
        if (Fmain.aboutDialog())
            return;
        auto* FAbout = new spritlog::TFAbout(Fmain.prompts(), &Fmain);
        auto* FSetup = new spritlog::TFSetup(&Fmain);
        auto* FSize = new spritlog::TFSize(&Fmain);
        auto* FStatistik = new spritlog::TFStatistik(&Fmain);
        Fmain.setDialogs(FAbout, FSetup, FSize, FStatistik);
    };
    // A command that needs a dialog sooner makes them at once.
    Fmain.setDialogMaker(makeDialogs);
    new AfterFirstPaint(Fmain, makeDialogs);
    return QApplication::exec();
}
