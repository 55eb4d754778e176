#include "shelllinks.h"

#include "prompts.h"

#include <QUrl>

namespace spritlog {

QString UpdateAddress() {
    return QString::fromLatin1(kHomePageAddress) +
           QStringLiteral("/index.php?id=spritlog&checkversion=3.3");
}

void ShellOpen(Prompts& prompts, const QString& target) {
    // Addresses go over as they are, everything else is a local file.
    const QUrl url(target);
    const bool address = !url.scheme().isEmpty() && url.scheme().size() > 1;
    prompts.openUrl(address ? url : QUrl::fromLocalFile(target));
}

bool OpenWebPage(Prompts& prompts, const QString& address) {
    ShellOpen(prompts, address);
    return true;
}

bool SendMailTo(Prompts& prompts, const QString& address) {
    ShellOpen(prompts, QStringLiteral("MailTo:") + address);
    return true;
}

} // namespace spritlog
