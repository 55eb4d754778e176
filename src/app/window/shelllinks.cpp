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
    (void)prompts.openUrl(ShellTarget(target));
}

bool OpenWebPage(Prompts& prompts, const QString& address, QWidget* parent) {
    if (prompts.openUrl(ShellTarget(address)))
        return true;
    prompts.showAddress(parent,
                        QStringLiteral("Die Seite lässt sich nicht öffnen: Auf diesem Rechner ist "
                                       "kein Webbrowser eingerichtet. Die Adresse zum Kopieren:"),
                        address);
    return false;
}

bool SendMailTo(Prompts& prompts, const QString& address, QWidget* parent) {
    if (prompts.openUrl(ShellTarget(QStringLiteral("MailTo:") + address)))
        return true;
    prompts.showAddress(parent,
                        QStringLiteral("Die E-Mail lässt sich nicht schreiben: Auf diesem Rechner "
                                       "ist kein E-Mail-Programm eingerichtet. Die Adresse zum "
                                       "Kopieren:"),
                        address);
    return false;
}

} // namespace spritlog
