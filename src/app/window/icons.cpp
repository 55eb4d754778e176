#include "app/window/icons.h"

namespace spritlog {
namespace {

struct IconNames {
    const char* bundled;
    const char* theme; // the freedesktop.org standard icon name, where there is one
};

constexpr IconNames kIconNames[] = {
    {"new", "document-new"},
    {"open", "document-open"},
    {"save", "document-save"},
    {"saveas", "document-save-as"},
    {"export", "document-export"},
    {"import", "document-import"},
    {"csv", "x-office-spreadsheet"},
    {"html", "text-html"},
    {"xlsx", "x-office-spreadsheet"},
    {"print", "document-print"},
    {"printpreview", "document-print-preview"},
    {"pdf", "application-pdf"},
    {"copy", "edit-copy"},
    {"exit", "application-exit"},
    {"newrecord", "list-add"},
    {"date", "x-office-calendar"},
    {"delete", "edit-delete"},
    {"calculate", "accessories-calculator"},
    {"statistics", "office-chart-bar"},
    {"setup", "preferences-system"},
    {"about", "help-about"},
    {"help", "help-contents"},
    {"update", "system-software-update"},
    {"mail", "mail-send"},
    {"home", "go-home"},
    {"undo", "edit-undo"},
    {"redo", "edit-redo"},
    {"sort", "view-sort-ascending"},
};

} // namespace

QString ThemeIconName(const QString& name) {
    for (const IconNames& names : kIconNames)
        if (name == QLatin1String(names.bundled))
            return QLatin1String(names.theme);
    return QString();
}

QIcon ThemedIcon(const QString& name) {
    QIcon bundled(QStringLiteral(":/icons/%1.svg").arg(name));
    const QString themeName = ThemeIconName(name);
    if (themeName.isEmpty())
        return bundled;
    return QIcon::fromTheme(themeName, bundled);
}

QStringList BundledIconNames() {
    QStringList names;
    for (const IconNames& entry : kIconNames)
        names << QLatin1String(entry.bundled);
    return names;
}

} // namespace spritlog
