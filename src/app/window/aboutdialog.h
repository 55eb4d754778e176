#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

namespace spritlog {

class Prompts;

// FAbout, "Über...": the program's name, version and author, with a button that writes to
// the author and one that opens the maker's home page. It hands the links to the desktop
// through `prompts`, which also shows what goes wrong.
class TFAbout : public QDialog {
    Q_OBJECT

public:
    TFAbout(Prompts& prompts, QWidget* parent = nullptr);

    // The author's name under the program's name.
    static QString AuthorName();

    // The tooltips of the mail and web buttons become the author's personal addresses; the
    // buttons' actions stay as they are. The name and version labels get their captions
    // again.
    void showPersonalAddresses();

    void Mail1Click();
    void Web1Click();

private:
    // The controls; each keeps the program's name as its objectName (given after it), and
    // tests find them by that name.
    QFrame* panel = nullptr;           // Panel1
    QFrame* pictureFrame = nullptr;    // Bevel1
    QLabel* picture = nullptr;         // Image1, the fuel pump
    QLabel* nameLabel = nullptr;       // Name
    QLabel* versionLabel = nullptr;    // Version
    QLabel* authorLabel = nullptr;     // Label1
    QToolButton* mailButton = nullptr; // Mail1
    QToolButton* webButton = nullptr;  // Web1
    QPushButton* b_schliessen = nullptr;

    Prompts& prompts_;
};

} // namespace spritlog
