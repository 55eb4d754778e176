#include "app/window/shelllinks.h"

#include "app/window/prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace spritlog {

QString UpdateAddress() {
    return QString::fromLatin1(kHomePageAddress) +
           QStringLiteral("/index.php?id=spritlog&checkversion=3.3");
}

QUrl ShellTarget(const QString& target) {
    // An absolute path is a file even when it looks like "scheme:rest"; a one-letter
    // scheme is a drive letter.
    if (!QDir::isAbsolutePath(target)) {
        const QUrl url(target);
        if (url.isValid() && url.scheme().size() > 1)
            return url;
    }
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

void ShellOpen(Prompts& prompts, const QString& target) {
    prompts.openUrl(ShellTarget(target));
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
