// The general error display: one place shows every error of a command in the error box,
// with the "." rule, and the program goes on.
#include "guitest.h"

#include "app/window/errordisplay.h"

#include "logbook/errors.h"

#include <QAction>
#include <QTemporaryDir>

#include <stdexcept>

using namespace spritlog;
using test::Window;

namespace {

// The prompts of the application object's safety net.
std::shared_ptr<test::ScriptedPrompts> g_appPrompts = std::make_shared<test::ScriptedPrompts>();

// An object whose event handler lets an error escape.
class Throwing : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw Error("\x84"
                        "a.slg\x93: Ein-/Ausgabefehler 13");
        return QObject::event(event);
    }
};

} // namespace

class ErrorDisplayTest : public test::GuiTest {
    Q_OBJECT

private slots:

    void messageRule_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter gets a point") << QByteArray("\x84\xDC"
                                                           "bersicht.slg\x93: Datei nicht gefunden")
                                             << "„Übersicht.slg“: Datei nicht gefunden.";
        QTest::newRow("point stays single")
            << QByteArray("Die Datei enth\xE4lt mehr als 1.000.000 Datens\xE4tze.")
            << "Die Datei enthält mehr als 1.000.000 Datensätze.";
        QTest::newRow("quote sorts before the point")
            << QByteArray("Datensatz 2, KM-Stand: '' ist keine ganze Zahl'")
            << "Datensatz 2, KM-Stand: '' ist keine ganze Zahl'";
        QTest::newRow("digit") << QByteArray("\x84"
                                             "a.slg\x93: Ein-/Ausgabefehler 13")
                               << "„a.slg“: Ein-/Ausgabefehler 13.";
        QTest::newRow("exclamation mark") << QByteArray("Achtung!") << "Achtung!";
        QTest::newRow("hyphen") << QByteArray("a-") << "a-";
        QTest::newRow("cell text in Windows-1252")
            << QByteArray("Datensatz 1, KM-Stand: 'M\xFC' ist keine ganze Zahl")
            << "Datensatz 1, KM-Stand: 'Mü' ist keine ganze Zahl.";
        QTest::newRow("umlaut at the end") << QByteArray("Gr\xF6\xDF") << "Größ.";
        QTest::newRow("empty") << QByteArray() << "";
    }
    void messageRule() {
        QFETCH(QByteArray, message);
        QFETCH(QString, shown);
        QCOMPARE(ErrorBoxText(message.toStdString()), shown);
    }

    void runCommandCatchesAndGoesOn_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no error") << 0 << true << "";
        QTest::newRow("program error") << 1 << false << "Division durch 0.";
        QTest::newRow("other standard exception") << 2 << false << "position.";
    }
    void runCommandCatchesAndGoesOn() {
        QFETCH(int, kind);
        QFETCH(bool, succeeds);
        QFETCH(QString, shown);
        test::ScriptedPrompts prompts;
        bool ranToTheEnd = false;
        const bool ok = RunCommand(prompts, nullptr, [&] {
            if (kind == 1)
                throw Error(kDivisionByZero);
            if (kind == 2)
                throw std::out_of_range("position");
            ranToTheEnd = true;
        });
        QCOMPARE(ok, succeeds);
        QCOMPARE(ranToTheEnd, succeeds);
        QCOMPARE(prompts.errors, shown.isEmpty() ? QStringList() : QStringList{shown});
    }

    // A malformed odometer reading spoils only its record: while typing no box, at F5 one box
    // names it; record 4 measures from record 2 (11500 - 10500), and the window goes on.
    void badOdometerReading() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.slg"));
        test::WriteFile(file, test::NativeFile(test::SampleRecords(4)));
        Window window;
        window->FormCreate({file});
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.fmain.get()));
        LogbookModel* model = window->gridModel();
        QVERIFY(model->setData(model->cellIndex(ColKmStand, 3), QStringLiteral("12a")));
        QVERIFY(window.prompts->errors.isEmpty());
        QCOMPARE(window.cell(ColKm, 3), QString());
        QCOMPARE(window.cell(ColKm, 4), QStringLiteral("1000"));

        QTest::keyClick(window.fmain.get(), Qt::Key_F5);
        QCOMPARE(window.prompts->errors,
                 QStringList{QStringLiteral("Datensatz 3, KM-Stand: '12a' ist keine ganze Zahl.")});
        QCOMPARE(window.cell(ColKm, 2), QStringLiteral("500"));
        QCOMPARE(window.cell(ColKm, 4), QStringLiteral("1000"));

        QVERIFY(model->setData(model->cellIndex(ColKmStand, 3), QStringLiteral("11000")));
        QCOMPARE(window.cell(ColKm, 4), QStringLiteral("500"));
        window->findChild<QAction*>(QStringLiteral("m_WerteBerechnen"))->trigger();
        QCOMPARE(window.prompts->errors.size(), 1);
    }

    void missingFileIsANoticeNotAnError() {
        QTemporaryDir dir;
        Window window;
        window->FormCreate({});
        window.prompts->openAnswers.push_back(dir.filePath(QStringLiteral("weg.slg")));
        window->files().m_LadenClick();
        QCOMPARE(window.prompts->notices, QStringList{QStringLiteral("Datei nicht gefunden!")});
        QVERIFY(window.prompts->errors.isEmpty());
    }

    void unreadableFileIsAnError() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("kaputt.slg"));
        test::WriteFile(file, "drei\r\n");
        Window window;
        window->FormCreate({});
        window.prompts->openAnswers.push_back(file);
        window->findChild<QAction*>(QStringLiteral("m_Laden"))->trigger();
        QCOMPARE(window.prompts->errors,
                 QStringList{QStringLiteral("Die Datei ist kein Spritlog-Tankbuch. Daten anderer "
                                            "Programme übernimmt Datei > Export/Import > "
                                            "Importieren aus CSV...")});
        QVERIFY(window.prompts->notices.isEmpty());
        QCOMPARE(window->document().fileName(), file.toStdString());
    }

    // What a handler lets through reaches the same box through the application object.
    void applicationSafetyNet() {
        Throwing object;
        QEvent event(QEvent::User);
        QCOMPARE(QCoreApplication::sendEvent(&object, &event), false);
        QCOMPARE(g_appPrompts->errors,
                 QStringList{QStringLiteral("„a.slg“: Ein-/Ausgabefehler 13.")});
    }
};

int main(int argc, char** argv) {
    return test::RunGuiTest<ErrorDisplayTest, SpritlogApplication>(argc, argv, g_appPrompts);
}
#include "errordisplay_test.moc"
