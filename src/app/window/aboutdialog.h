#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

namespace spritlog {

class TFmain;

// FAbout, "Über...": the program's name, version and author, with a button that writes to
// the author and one that opens the maker's home page.
class TFAbout : public QDialog {
    Q_OBJECT

public:
    explicit TFAbout(TFmain* Fmain);

    // The author's name under the program's name.
    static QString AuthorName();

    // The tooltips of Mail1 and Web1 become the author's personal addresses; the buttons'
    // actions stay as they are. Name and Version get their captions again.
    void showPersonalAddresses();

    void Mail1Click();
    void Web1Click();

private:
    // The controls, named as their objectName; tests find them by that name.
    QFrame* Panel1 = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Name = nullptr;
    QLabel* Version = nullptr;
    QLabel* Label1 = nullptr;
    QToolButton* Mail1 = nullptr;
    QToolButton* Web1 = nullptr;
    QPushButton* b_schliessen = nullptr;

    TFmain* Fmain_;
};

} // namespace spritlog
