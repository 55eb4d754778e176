#include "app/window/startupprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace spritlog {

namespace {

int64_t MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Watches every window for its first expose; the report waits until the event loop is
// free again, that is until the exposed window has been painted and flushed.
class StartupProbe : public QObject {
public:
    explicit StartupProbe(int64_t started)
        : QObject(QCoreApplication::instance()), started_(started) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!reported_ && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed()) {
                reported_ = true;
                QTimer::singleShot(0, this, [this] { report(); });
            }
        }
        return false;
    }

private:
    void report() const {
        const int64_t elapsed = MonotonicNanoseconds() - started_;
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, elapsed / 1000).ptr;
        // Microseconds written as milliseconds with three decimals, without the locale.
        std::string micros(text, end);
        if (micros.size() < 4)
            micros.insert(0, 4 - micros.size(), '0');
        micros.insert(micros.size() - 3, 1, '.');
        std::fputs(("startup_ms " + micros + "\n").c_str(), stdout);
        std::fflush(stdout);
        std::_Exit(0);
    }

    int64_t started_;
    bool reported_ = false;
};

} // namespace

void InstallStartupProbe() {
    const char* text = std::getenv("SPRITLOG_STARTUP_CLOCK");
    if (!text || !*text)
        return;
    int64_t started = 0;
    const auto [end, ec] = std::from_chars(text, text + std::strlen(text), started);
    if (ec != std::errc() || *end != '\0')
        return;
    QCoreApplication::instance()->installEventFilter(new StartupProbe(started));
}

} // namespace spritlog
