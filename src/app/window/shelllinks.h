#pragma once

#include <QString>

class QUrl;

namespace spritlog {

class Prompts;

// The maker's fixed addresses.
inline constexpr const char* kAuthorMailAddress = "autor@spritlog.example.org";
inline constexpr const char* kHomePageAddress = "https://spritlog.example.org";
// The author's own addresses, which the settings dialog puts as tooltips on the About
// dialog's buttons.
inline constexpr const char* kPersonalMailAddress = "team@spritlog.example.org";
inline constexpr const char* kPersonalHomePageAddress = "https://spritlog.example.org/team";
// The update page: the home page with the program's version check.
QString UpdateAddress();

// What the desktop gets for a target: an address with its scheme ("https:", "MailTo:")
// as it is, anything else as a local file. The whole target, however long.
QUrl ShellTarget(const QString& target);

// Hands a file path or an address to the desktop's default action; the result is not
// looked at.
void ShellOpen(Prompts& prompts, const QString& target);
bool OpenWebPage(Prompts& prompts, const QString& address);
bool SendMailTo(Prompts& prompts, const QString& address);

} // namespace spritlog
