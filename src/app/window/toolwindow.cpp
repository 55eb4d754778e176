#include "app/window/toolwindow.h"

#include "app/window/readablecolour.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QRegularExpression>
#include <QScreen>

#include <utility>

namespace spritlog {
namespace {

// Centres its window on the screen it is about to appear on. The dialogs have the main
// window as parent, which would otherwise centre them over it.
class ScreenCentre : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* window = static_cast<QWidget*>(watched);
            QScreen* display = window->screen();
            if (!display)
                display = QGuiApplication::primaryScreen();
            if (display) {
                QRect frame = window->frameGeometry();
                frame.moveCenter(display->availableGeometry().center());
                window->move(frame.topLeft());
            }
        }
        return false;
    }
};

DialogRunner& CurrentRunner() {
    static DialogRunner runner;
    return runner;
}

} // namespace

int ExecDialog(QDialog* dialog) {
    if (const DialogRunner& runner = CurrentRunner())
        return runner(dialog);
    return dialog->exec();
}

DialogRunnerOverride::DialogRunnerOverride(DialogRunner runner)
    : previous_(std::exchange(CurrentRunner(), std::move(runner))) {}

DialogRunnerOverride::~DialogRunnerOverride() {
    CurrentRunner() = std::move(previous_);
}

QFont PixelFont(const QString& family, int pixels, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    KeepTextReadable(widget, colour);
}

void LabelField(QLabel* caption, QWidget* field) {
    caption->setBuddy(field);
    QString name = caption->text();
    name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    field->setAccessibleName(name.trimmed());
}

void MakeToolWindow(QDialog* dialog, const char* objectName, const QString& title, int width,
                    int height) {
    dialog->setObjectName(QLatin1String(objectName));
    dialog->setWindowTitle(title);
    dialog->setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    dialog->setFixedSize(width, height);
    dialog->installEventFilter(new ScreenCentre(dialog));
}

} // namespace spritlog
