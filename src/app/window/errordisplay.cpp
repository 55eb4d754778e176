#include "app/window/errordisplay.h"

#include "app/window/prompts.h"

#include "logbook/codepage.h"
#include "logbook/errors.h"

#include <exception>

namespace spritlog {

QString ErrorBoxText(const std::string& message) {
    return QString::fromStdString(Cp1252ToUtf8(DisplayMessage(message)));
}

bool RunCommand(Prompts& prompts, QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        // spritlog::Error and every other standard exception carry their message.
        prompts.showError(parent, ErrorBoxText(error.what()));
    }
    return false;
}

SpritlogApplication::SpritlogApplication(int& argc, char** argv, std::shared_ptr<Prompts> prompts)
    : QApplication(argc, argv), prompts_(std::move(prompts)) {
    if (!prompts_)
        prompts_ = std::make_shared<QtPrompts>();
}

SpritlogApplication::~SpritlogApplication() = default;

bool SpritlogApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    RunCommand(*prompts_, activeWindow(), [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace spritlog
