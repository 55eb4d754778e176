#pragma once

#include <QApplication>

#include <functional>
#include <memory>
#include <string>

namespace spritlog {

class Prompts;

// The general error display: the text of the error box for an error's message
// (Windows-1252), with a "." appended when the last character sorts after ".".
QString ErrorBoxText(const std::string& message);

// Runs one command. An error it throws ends the command where it occurred, is shown in
// the error box and the program goes on. False when the command ended with an error.
bool RunCommand(Prompts& prompts, QWidget* parent, const std::function<void()>& command);

// The application object; its notify catches what a handler let through and shows it the
// same way, as a last line of defence.
class SpritlogApplication : public QApplication {
public:
    // `prompts` shows the errors; the real error box when not given.
    SpritlogApplication(int& argc, char** argv, std::shared_ptr<Prompts> prompts = nullptr);
    ~SpritlogApplication() override;
    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::shared_ptr<Prompts> prompts_;
};

} // namespace spritlog
