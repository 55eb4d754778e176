#pragma once

#include <QString>

class QUrl;
class QWidget;

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
// The same for a web page or a mail to `address`; when the desktop has no program for it,
// a notice says so and shows the address to copy. False then.
bool OpenWebPage(Prompts& prompts, const QString& address, QWidget* parent = nullptr);
bool SendMailTo(Prompts& prompts, const QString& address, QWidget* parent = nullptr);

} // namespace spritlog
