#pragma once

#include <QString>

namespace spritlog {

class Prompts;

// The maker's fixed addresses.
inline constexpr const char* kAuthorMailAddress = "autor@spritlog.example.org";
inline constexpr const char* kHomePageAddress = "https://spritlog.example.org";
// The update page: the home page with the program's version check.
QString UpdateAddress();

// Hands a file path or an address to the desktop's default action; the result is not
// looked at.
void ShellOpen(Prompts& prompts, const QString& target);
bool OpenWebPage(Prompts& prompts, const QString& address);
bool SendMailTo(Prompts& prompts, const QString& address);

} // namespace spritlog
