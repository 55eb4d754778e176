#pragma once

#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace spritlog {

// "Handbuch" (F1): the program's German handbook, a few linked pages shown in a text
// browser beside the main window, with back, forward and the contents page. It stays open
// while the user works on; F1 again brings it to the front.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The page at `page` of the handbook ("index.html", "zahlen.html#verbrauch", ...).
    void showPage(const QString& page);
    QTextBrowser* browser() const { return p_Handbuch; }

    // Every page of the handbook, as the resources hold them.
    static QStringList Pages();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* p_Handbuch = nullptr;
    QToolButton* b_zurueck = nullptr;
    QToolButton* b_vor = nullptr;
    QToolButton* b_inhalt = nullptr;
};

} // namespace spritlog
