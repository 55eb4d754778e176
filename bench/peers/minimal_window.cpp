// Peer of our start-up: the least a Qt program with the shape of our first screen does
// before its window is painted. A main window with a menu bar (four menus), a tool bar
// (six text actions) and a table of 60 rows and 15 columns filled with short texts, shown
// at our window's size. Nothing is loaded, nothing is read from settings.
//
// Run with SPRITLOG_STARTUP_CLOCK (see src/app/window/startupprobe.h), it prints the time
// from its start to its first painted window and ends; bench/peers/startup_bench.cpp runs
// it alternately with our program.
#include "app/window/startupprobe.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>
#include <QToolBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    spritlog::InstallStartupProbe();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    for (const char* title : {"&Datei", "&Bearbeiten", "&Ansicht", "&Hilfe"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        menu->addAction(QStringLiteral("Eins"));
        menu->addAction(QStringLiteral("Zwei"));
    }
    QToolBar* tools = window.addToolBar(QStringLiteral("Werkzeuge"));
    for (const char* title : {"Neu", "Öffnen", "Speichern", "Drucken", "Grafik", "Statistik"})
        tools->addAction(QString::fromUtf8(title));

    constexpr int kRows = 60;
    constexpr int kColumns = 15;
    auto* table = new QTableWidget(kRows, kColumns, &window);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            table->setItem(r, c, new QTableWidgetItem(QString::number(r * kColumns + c)));
    window.setCentralWidget(table);
    window.resize(644, 465);
    window.show();
    return QApplication::exec();
}
