#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>

class QDialog;
class QLabel;
class QWidget;

namespace spritlog {

// The navy of the statistics figures, the headings and the file-size fields.
inline const QColor kNavy(0, 0, 128);

// A font of `family` sized in pixels, as the dialogs state their fonts.
QFont PixelFont(const QString& family, int pixels, bool bold = false, bool italic = false);
// Sets the colour of a label's or edit's text; on a dark background a lighter shade of it.
void SetTextColour(QWidget* widget, const QColor& colour);
// Makes `caption` the label of `field`: its access letter moves the focus there, and screen
// readers announce the field by the caption's words (without "&" and the closing ":").
void LabelField(QLabel* caption, QWidget* field);

// The small windows beside the main window: a tool-window border without minimise or
// maximise, the client area fixed to `width` x `height`, centred on the screen each time
// they are shown.
void MakeToolWindow(QDialog* dialog, const char* objectName, const QString& title, int width,
                    int height);

// Shows one of the program's dialogs modally and gives its result.
int ExecDialog(QDialog* dialog);

// Puts `runner` in place of the modal loop for the guard's lifetime, so that tests can work
// the dialog and close it themselves.
using DialogRunner = std::function<int(QDialog*)>;
class DialogRunnerOverride {
public:
    explicit DialogRunnerOverride(DialogRunner runner);
    ~DialogRunnerOverride();
    DialogRunnerOverride(const DialogRunnerOverride&) = delete;
    DialogRunnerOverride& operator=(const DialogRunnerOverride&) = delete;

private:
    DialogRunner previous_;
};

} // namespace spritlog
