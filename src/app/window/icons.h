// The icons of menu items, tool bar buttons and push buttons: the desktop's icon theme where
// it has the icon, else the drawing that ships with the program.
#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

namespace spritlog {

// `name` is the bundled drawing ":/icons/NAME.svg".
QIcon ThemedIcon(const QString& name);

// The freedesktop.org name looked up in the icon theme for `name`; empty when there is none.
QString ThemeIconName(const QString& name);

// Every bundled drawing that has a theme name.
QStringList BundledIconNames();

} // namespace spritlog
