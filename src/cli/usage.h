#pragma once

#include <string>

namespace spritlog::cli {

// The text of --help (German, UTF-8).
std::string HelpText();
// "spritlog-cli 3.3"
std::string VersionText();
// The hint after a usage error.
std::string UsageHint();

} // namespace spritlog::cli
