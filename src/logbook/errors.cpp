#include "logbook/errors.h"

namespace spritlog {

std::string DisplayMessage(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

} // namespace spritlog
