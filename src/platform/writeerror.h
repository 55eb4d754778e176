#pragma once

#include <QString>

namespace spritlog {

// Throws the German file error for a file the program could not write ("„bericht.pdf“:
// Zugriff verweigert"), from the system's error number of the failed call.
[[noreturn]] void ThrowWriteError(const QString& path);

} // namespace spritlog
