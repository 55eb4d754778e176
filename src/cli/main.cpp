// spritlog-cli: the logbook's tables, statistics, chart values, exports and printout on the
// command line, computed by the same core code as the window.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/usage.h"
#include "document/files.h"
#include "logbook/codepage.h"
#include "logbook/errors.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <vector>

using namespace spritlog;
using namespace spritlog::cli;

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The printout renders with Qt Gui, the report and the chart pictures with Qt Widgets; both
// need a platform plugin. A file never needs a screen, so the offscreen one does the job unless the
// user chose another: a cron job with a stale DISPLAY must not abort.
void ChooseOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Qt's own chatter (a missing runtime directory, font substitutions) is not the tool's
// output: stderr carries only the program's messages. Critical and fatal ones still show.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        WriteDiagnostic(message.toUtf8().toStdString());
}

// What the window's error box would show: the message with its "." rule.
void ReportError(const std::string& message) {
    WriteDiagnostic(Cp1252ToUtf8(DisplayMessage(message)));
}

// Writes the command's output; a failed write is an I/O error like any other, without a
// file name, as standard output has none.
int Emit(const std::string& out) {
    errno = 0;
    if (WriteStdout(out))
        return 0;
    ReportError(IoErrorText(errno ? errno : EIO));
    return kExitFailure;
}

int Run(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const Invocation call = ParseArguments(args);
    if (call.command == Command::Help)
        return Emit(HelpText());
    if (call.command == Command::Version)
        return Emit(VersionText());

    // Qt sees only the program name, so none of the user's arguments is taken for a Qt
    // option. The application also sets the C locale from the environment, as in the
    // window; the output must not depend on it.
    qInstallMessageHandler(QtMessages);
    static int qtArgc = 1;
    static char* qtArgv[] = {argv[0], nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (call.command == Command::Report ||
        (call.command == Command::Chart && !call.pictureTarget.empty())) {
        // The chart is a widget, drawn offscreen and never shown.
        ChooseOffscreenPlatform();
        app = std::make_unique<QApplication>(qtArgc, qtArgv);
    } else if (call.command == Command::Print) {
        ChooseOffscreenPlatform();
        app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    } else {
        app = std::make_unique<QCoreApplication>(qtArgc, qtArgv);
    }

    return Emit(RunCommand(call));
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const UsageError& e) {
        WriteDiagnostic(e.what());
        WriteStderrLine(UsageHint());
        return kExitUsage;
    } catch (const Notice& e) {
        WriteDiagnostic(Cp1252ToUtf8(e.what()));
        return kExitFailure;
    } catch (const std::bad_alloc&) {
        ReportError("Out of memory");
        return kExitFailure;
    } catch (const std::exception& e) {
        ReportError(e.what());
        return kExitFailure;
    } catch (...) {
        ReportError("Unbekannter Fehler");
        return kExitFailure;
    }
}
