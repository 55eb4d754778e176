#include "platform/writeerror.h"

#include "logbook/fileio.h"

#include <cerrno>

namespace spritlog {

void ThrowWriteError(const QString& path) {
    // Qt's own error texts are English; the system's number gives the program's words.
    ThrowIoError(errno, path.toUtf8().toStdString());
}

} // namespace spritlog
