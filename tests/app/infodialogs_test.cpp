// The About and file-size dialogs, and what the shell gets for files, web pages and mail.
#include "dialogtest.h"

#include "app/window/shelllinks.h"

#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/fileio.h"

#include <QAccessible>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStorageInfo>
#include <QToolButton>

#include <cerrno>

using namespace spritlog;
using test::WindowWithDialogs;

namespace {

// Reads stop with EIO after the first piece.
class FailingReads : public FileOps {
public:
    ssize_t readSome(int fd, void* buffer, std::size_t size) override {
        if (reads_++ > 0) {
            errno = EIO;
            return -1;
        }
        return FileOps::readSome(fd, buffer, size);
    }

private:
    int reads_ = 0;
};

} // namespace

class InfoDialogsTest : public test::GuiTest {
    Q_OBJECT

private slots:

    void aboutControls() {
        WindowWithDialogs window;
        TFAbout& about = *window.about;
        QCOMPARE(about.objectName(), QStringLiteral("FAbout"));
        QCOMPARE(about.windowTitle(), QStringLiteral("Über..."));
        QVERIFY(about.windowFlags() & Qt::Tool);
        QCOMPARE(about.size(), QSize(385, 201));

        QCOMPARE(test::Named<QFrame>(about, QStringLiteral("Panel1"))->geometry(),
                 QRect(0, 0, 385, 177));
        QCOMPARE(test::Named<QLabel>(about, QStringLiteral("Image1"))->geometry(),
                 QRect(16, 16, 97, 145));
        QVERIFY(!test::Named<QLabel>(about, QStringLiteral("Image1"))->pixmap().isNull());
        QVERIFY(test::Named<QLabel>(about, QStringLiteral("Image1"))->hasScaledContents());
        QVERIFY(test::Named<QFrame>(about, QStringLiteral("Bevel1"))
                    ->geometry()
                    .contains(test::Named<QLabel>(about, QStringLiteral("Image1"))->geometry()));
        QCOMPARE(test::Named<QLabel>(about, QStringLiteral("Name"))->text(),
                 QStringLiteral("Spritlog"));
        QCOMPARE(test::Named<QLabel>(about, QStringLiteral("Name"))->pos(), QPoint(128, 16));
        QCOMPARE(test::Named<QLabel>(about, QStringLiteral("Name"))->font().pixelSize(), 21);
        QCOMPARE(test::Named<QLabel>(about, QStringLiteral("Version"))->text(),
                 QStringLiteral("Version 3.3"));
        QCOMPARE(test::Named<QLabel>(about, QStringLiteral("Version"))->pos(), QPoint(280, 48));
        QCOMPARE(test::Named<QLabel>(about, QStringLiteral("Label1"))->text(),
                 QStringLiteral("By Spritlog-Team"));
        QCOMPARE(test::Named<QLabel>(about, QStringLiteral("Label1"))->pos(), QPoint(128, 81));
        QCOMPARE(test::Named<QLabel>(about, QStringLiteral("Label1"))
                     ->palette()
                     .color(QPalette::WindowText),
                 QColor(0, 0, 128));
        QCOMPARE(test::Named<QToolButton>(about, QStringLiteral("Mail1"))->text(),
                 QStringLiteral("Email an den Autor senden"));
        QCOMPARE(test::Named<QToolButton>(about, QStringLiteral("Mail1"))->toolTip(),
                 QStringLiteral("autor@spritlog.example.org"));
        QCOMPARE(test::Named<QToolButton>(about, QStringLiteral("Mail1"))->geometry(),
                 QRect(128, 112, 193, 22));
        QCOMPARE(test::Named<QToolButton>(about, QStringLiteral("Web1"))->text(),
                 QStringLiteral("Homepage des Autors besuchen"));
        QCOMPARE(test::Named<QToolButton>(about, QStringLiteral("Web1"))->toolTip(),
                 QStringLiteral("https://spritlog.example.org"));
        QCOMPARE(test::Named<QToolButton>(about, QStringLiteral("Web1"))->geometry(),
                 QRect(128, 134, 193, 22));
        QCOMPARE(test::Named<QPushButton>(about, QStringLiteral("b_schliessen"))->text(),
                 QStringLiteral("&Schliessen"));
        QCOMPARE(test::Named<QPushButton>(about, QStringLiteral("b_schliessen"))->geometry(),
                 QRect(0, 176, 385, 25));
        for (QWidget* widget :
             {static_cast<QWidget*>(test::Named<QToolButton>(about, QStringLiteral("Mail1"))),
              static_cast<QWidget*>(test::Named<QToolButton>(about, QStringLiteral("Web1"))),
              static_cast<QWidget*>(
                  test::Named<QPushButton>(about, QStringLiteral("b_schliessen")))})
            QCOMPARE(widget->cursor().shape(), Qt::PointingHandCursor);
        // Every text fits inside the dialog.
        for (QLabel* label : {test::Named<QLabel>(about, QStringLiteral("Name")),
                              test::Named<QLabel>(about, QStringLiteral("Version")),
                              test::Named<QLabel>(about, QStringLiteral("Label1"))})
            QVERIFY2(label->geometry().right() < about.width(), qPrintable(label->text()));
    }

    // The four small windows appear in the middle of the screen, not over the main window.
    void dialogsAreCentredOnTheScreen_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("About") << "FAbout";
        QTest::newRow("settings") << "FSetup";
        QTest::newRow("file size") << "FSize";
        QTest::newRow("statistics") << "FStatistik";
    }
    void dialogsAreCentredOnTheScreen() {
        QFETCH(QString, name);
        WindowWithDialogs window;
        window->move(0, 0);
        window->show();
        auto* dialog = window->findChild<QDialog*>(name);
        QVERIFY(dialog);
        for (int time = 0; time < 2; ++time) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            const QPoint centre = dialog->screen()->availableGeometry().center();
            const QPoint shown = dialog->frameGeometry().center();
            QVERIFY2((shown - centre).manhattanLength() <= 2,
                     qPrintable(QStringLiteral("%1,%2").arg(shown.x()).arg(shown.y())));
            dialog->hide();
            dialog->move(5, 5);
        }
        window->hide();
    }

    // The buttons write to the author and open the maker's page; "&Schliessen" closes.
    void aboutButtons() {
        WindowWithDialogs window;
        test::ModalRecorder modal;
        int result = -1;
        modal.work = [&](QDialog* dialog) {
            test::Named<QToolButton>(*window.about, QStringLiteral("Mail1"))->click();
            test::Named<QToolButton>(*window.about, QStringLiteral("Web1"))->click();
            test::Named<QPushButton>(*window.about, QStringLiteral("b_schliessen"))->click();
            result = dialog->result();
        };
        window->findChild<QAction*>(QStringLiteral("m_Ueber"))->trigger();
        QCOMPARE(modal.shown, QStringList{QStringLiteral("FAbout")});
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(window.prompts->opened,
                 (QList<QUrl>{QUrl(QStringLiteral("MailTo:autor@spritlog.example.org")),
                              QUrl(QStringLiteral("https://spritlog.example.org"))}));
    }

    void sizeControls() {
        WindowWithDialogs window;
        TFSize& size = *window.size;
        QCOMPARE(size.objectName(), QStringLiteral("FSize"));
        QCOMPARE(size.windowTitle(), QStringLiteral("Dateigröße..."));
        QVERIFY(size.windowFlags() & Qt::Tool);
        QCOMPARE(size.size(), QSize(385, 153));
        QStringList captions;
        for (QLabel* label : size.findChildren<QLabel*>()) {
            captions << label->text();
            QVERIFY(label->font().bold());
            QCOMPARE(label->font().pixelSize(), 16);
        }
        QCOMPARE(captions,
                 (QStringList{"Geladene Datei:", "Anzahl der Datensätze:", "Größe der Datei:",
                              "Anzahl der Zeichen:", "Freier Speicherplatz:"}));
        const QList<QLineEdit*> fields = {test::Named<QLineEdit>(size, QStringLiteral("Edit1")),
                                          test::Named<QLineEdit>(size, QStringLiteral("Edit2")),
                                          test::Named<QLineEdit>(size, QStringLiteral("Edit3")),
                                          test::Named<QLineEdit>(size, QStringLiteral("Edit4")),
                                          test::Named<QLineEdit>(size, QStringLiteral("Edit5"))};
        for (int row = 0; row < fields.size(); ++row) {
            QLineEdit* field = fields[row];
            QCOMPARE(field->objectName(), QStringLiteral("Edit%1").arg(row + 1));
            QVERIFY(field->isReadOnly());
            QCOMPARE(field->width(), 201);
            QVERIFY(field->font().italic());
            QCOMPARE(field->font().pixelSize(), 13);
            QCOMPARE(field->palette().color(QPalette::Text), QColor(0, 0, 128));
            QVERIFY(field->geometry().right() < size.width());
            if (row > 0)
                QCOMPARE(field->y() - fields[row - 1]->y(), 24);
        }
        // The captions fit left of the fields.
        for (QLabel* label : size.findChildren<QLabel*>())
            QVERIFY2(label->x() + label->sizeHint().width() <=
                         test::Named<QLineEdit>(size, QStringLiteral("Edit1"))->x(),
                     qPrintable(label->text()));
        QCOMPARE(test::Named<QPushButton>(size, QStringLiteral("BitBtn1"))->text(),
                 QStringLiteral("&Schliessen"));
        QCOMPARE(test::Named<QPushButton>(size, QStringLiteral("BitBtn1"))->geometry(),
                 QRect(0, 128, 385, 25));
        QVERIFY(fields.last()->geometry().bottom() <
                test::Named<QPushButton>(size, QStringLiteral("BitBtn1"))->y());
    }

    // Screen readers announce every field by its caption.
    void sizeFieldsAreNamedByTheirCaptions_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::newRow("Geladene Datei") << 0 << "Geladene Datei";
        QTest::newRow("Anzahl der Datensätze") << 1 << "Anzahl der Datensätze";
        QTest::newRow("Größe der Datei") << 2 << "Größe der Datei";
        QTest::newRow("Anzahl der Zeichen") << 3 << "Anzahl der Zeichen";
        QTest::newRow("Freier Speicherplatz") << 4 << "Freier Speicherplatz";
    }
    void sizeFieldsAreNamedByTheirCaptions() {
        QFETCH(int, row);
        QFETCH(QString, name);
        WindowWithDialogs window;
        TFSize& size = *window.size;
        QLineEdit* const fields[] = {test::Named<QLineEdit>(size, QStringLiteral("Edit1")),
                                     test::Named<QLineEdit>(size, QStringLiteral("Edit2")),
                                     test::Named<QLineEdit>(size, QStringLiteral("Edit3")),
                                     test::Named<QLineEdit>(size, QStringLiteral("Edit4")),
                                     test::Named<QLineEdit>(size, QStringLiteral("Edit5"))};
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(fields[row]);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), name);
    }

    // The figures as the dialog shows them: the size in its unit, the characters with their
    // words (the counting itself is checked with the core).
    void fileFigures_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("characters");
        const QByteArray ten = "0123456789";
        QTest::newRow("3 lines, CR LF") << ten + "\r\n" + ten + "\r\n" + ten + "\r\n"
                                        << "36.00 Byte"
                                        << "33 Zeichen in der Datei";
        QTest::newRow("empty file") << QByteArray() << " 0.00 Byte"
                                    << "0 Zeichen in der Datei";
        QTest::newRow("kilobytes") << QByteArray(2047, 'x') + "\r\n"
                                   << " 2.00 Kb"
                                   << "2048 Zeichen in der Datei";
    }
    void fileFigures() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, size);
        QFETCH(QString, characters);
        test::WriteFile(path("f.slg"), bytes);
        WindowWithDialogs window;
        window->document().setFileName(path("f.slg").toStdString());
        test::ModalRecorder modal;
        window->m_DateigroesseClick();
        QCOMPARE(modal.shown, QStringList{QStringLiteral("FSize")});
        QCOMPARE(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit3"))->text(), size);
        QCOMPARE(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit4"))->text(), characters);
        QCOMPARE(window.prompts->errors, QStringList());
    }

    // The rows in their order: the short name, the record count, sizes, and the free space
    // of the working directory's volume.
    void fileSizeDialogRows() {
        QDir().mkpath(path("ein/langer/ordnername"));
        test::WriteFile(path("ein/langer/ordnername/fahrten.slg"),
                        test::NativeFile(test::SampleRecords(3)));
        WindowWithDialogs window({path("ein/langer/ordnername/fahrten.slg")});
        test::ModalRecorder modal;
        modal.work = [&](QDialog*) {
            test::Named<QPushButton>(*window.size, QStringLiteral("BitBtn1"))->click();
        };
        window->m_DateigroesseClick();
        QCOMPARE(modal.shown, QStringList{QStringLiteral("FSize")});
        // The last 25 characters from a separator on.
        QCOMPARE(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit1"))->text(),
                 QStringLiteral(".../ordnername/fahrten.slg"));
        QCOMPARE(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit2"))->text(),
                 QStringLiteral("3 Datensätze"));
        const QStorageInfo volume(QDir::currentPath());
        const QString total = QString::fromStdString(
            Cp1252ToUtf8(FormatByteSize(static_cast<int64_t>(volume.bytesTotal()))));
        const QRegularExpression shape(QStringLiteral("^ *[0-9]+\\.[0-9][0-9] (Byte|Kb|Mb|Gb) "
                                                      "von insgesamt (.*)$|^Wert zu gro"));
        const QRegularExpressionMatch match =
            shape.match(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit5"))->text());
        QVERIFY2(match.hasMatch(),
                 qPrintable(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit5"))->text()));
        QVERIFY2(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit5"))
                     ->text()
                     .endsWith(QStringLiteral(" von insgesamt ") + total),
                 qPrintable(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit5"))->text()));
        // Every text shows whole: the fields, and the dialog with them, grow when needed.
        TFSize& size = *window.size;
        for (QLineEdit* field : {test::Named<QLineEdit>(size, QStringLiteral("Edit1")),
                                 test::Named<QLineEdit>(size, QStringLiteral("Edit2")),
                                 test::Named<QLineEdit>(size, QStringLiteral("Edit3")),
                                 test::Named<QLineEdit>(size, QStringLiteral("Edit4")),
                                 test::Named<QLineEdit>(size, QStringLiteral("Edit5"))}) {
            QVERIFY(field->width() >= 201);
            QCOMPARE(field->width(),
                     test::Named<QLineEdit>(size, QStringLiteral("Edit5"))->width());
            QCOMPARE(field->x(), test::Named<QLineEdit>(size, QStringLiteral("Edit1"))->x());
            QVERIFY2(field->fontMetrics().horizontalAdvance(field->text()) + 8 <= field->width(),
                     qPrintable(field->text()));
        }
        QCOMPARE(size.width(),
                 test::Named<QLineEdit>(size, QStringLiteral("Edit5"))->geometry().right() + 1 + 3);
        QCOMPARE(size.width(),
                 385 + test::Named<QLineEdit>(size, QStringLiteral("Edit5"))->width() - 201);
        QCOMPARE(size.height(), 153);
        QCOMPARE(test::Named<QPushButton>(size, QStringLiteral("BitBtn1"))->width(), size.width());
    }

    // A file that cannot be read: the error box, no dialog; fields 1, 2 and 5 are already
    // refreshed, 3 and 4 keep what they showed.
    void fileThatCannotBeRead_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message");
        // %1: the name of the test's folder.
        QTest::newRow("no file loaded") << "none"
                                        << "Datei nicht gefunden.";
        QTest::newRow("file deleted") << "deleted"
                                      << "„a.slg“: Datei nicht gefunden.";
        QTest::newRow("a folder") << "folder"
                                  << "„%1“: Zugriff verweigert.";
        QTest::newRow("read fails") << "read"
                                    << "„a.slg“: Ein-/Ausgabefehler 5.";
    }
    void fileThatCannotBeRead() {
        QFETCH(QString, how);
        QFETCH(QString, message);
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(4)));
        WindowWithDialogs window({path("a.slg")});
        test::Named<QLineEdit>(*window.size, QStringLiteral("Edit1"))
            ->setText(QStringLiteral("alt"));
        test::Named<QLineEdit>(*window.size, QStringLiteral("Edit2"))
            ->setText(QStringLiteral("alt"));
        test::Named<QLineEdit>(*window.size, QStringLiteral("Edit3"))
            ->setText(QStringLiteral("alt"));
        test::Named<QLineEdit>(*window.size, QStringLiteral("Edit4"))
            ->setText(QStringLiteral("alt"));
        test::Named<QLineEdit>(*window.size, QStringLiteral("Edit5"))
            ->setText(QStringLiteral("alt"));
        if (how == QLatin1String("none"))
            window->document().setFileName({});
        else if (how == QLatin1String("deleted"))
            QVERIFY(QFile::remove(path("a.slg")));
        else if (how == QLatin1String("folder"))
            window->document().setFileName(folder().toStdString());
        FailingReads failing;
        std::unique_ptr<FileOpsOverride> seam;
        if (how == QLatin1String("read"))
            seam = std::make_unique<FileOpsOverride>(failing);
        test::ModalRecorder modal;
        modal.work = [&](QDialog*) {
            test::Named<QPushButton>(*window.setup, QStringLiteral("b_dateigroesse"))->click();
        };
        window->m_EinstellungenClick();
        QCOMPARE(modal.shown, QStringList{QStringLiteral("FSetup")});
        QCOMPARE(window.prompts->errors,
                 QStringList{message.replace(QStringLiteral("%1"), QDir(folder()).dirName())});
        QVERIFY(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit1"))->text() !=
                QStringLiteral("alt"));
        QCOMPARE(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit2"))->text(),
                 QStringLiteral("4 Datensätze"));
        QVERIFY(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit5"))
                    ->text()
                    .contains(QStringLiteral(" von insgesamt ")));
        QCOMPARE(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit3"))->text(),
                 QStringLiteral("alt"));
        QCOMPARE(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit4"))->text(),
                 QStringLiteral("alt"));
    }

    // What the desktop is handed: the whole target, addresses as they are, files as files.
    void shellTargets_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QUrl>("url");
        QTest::newRow("web page") << "https://spritlog.example.org"
                                  << QUrl(QStringLiteral("https://spritlog.example.org"));
        QTest::newRow("update page")
            << "https://spritlog.example.org/index.php?id=spritlog&checkversion=3.3"
            << QUrl(QStringLiteral(
                   "https://spritlog.example.org/index.php?id=spritlog&checkversion=3.3"));
        QTest::newRow("mail") << "MailTo:autor@spritlog.example.org"
                              << QUrl(QStringLiteral("mailto:autor@spritlog.example.org"));
        QTest::newRow("file") << "/tmp/bericht.htm"
                              << QUrl::fromLocalFile(QStringLiteral("/tmp/bericht.htm"));
        QTest::newRow("file with a colon, blank and hash")
            << "/tmp/a b:c#1.htm" << QUrl::fromLocalFile(QStringLiteral("/tmp/a b:c#1.htm"));
        const QString longPath = QStringLiteral("/tmp/") + QString(120, QLatin1Char('x')) +
                                 QStringLiteral("/fahrten.htm");
        QTest::newRow("long file") << longPath << QUrl::fromLocalFile(longPath);
        QTest::newRow("relative file")
            << "bericht.htm" << QUrl::fromLocalFile(QDir::current().filePath("bericht.htm"));
    }
    void shellTargets() {
        QFETCH(QString, target);
        QFETCH(QUrl, url);
        test::ScriptedPrompts prompts;
        ShellOpen(prompts, target);
        QCOMPARE(prompts.opened, QList<QUrl>{url});
        QCOMPARE(prompts.opened.first().toString(), url.toString());
    }

    // The notice for a link the desktop cannot open: the address in a read-only field,
    // selected, ready to copy.
    void addressToCopy() {
        QtPrompts prompts;
        test::ModalRecorder modal;
        QString field;
        bool readOnly = false;
        QString selected;
        modal.work = [&](QDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("p_addressField"));
            QVERIFY(edit);
            field = edit->text();
            readOnly = edit->isReadOnly();
            selected = edit->selectedText();
            dialog->accept();
        };
        prompts.showAddress(nullptr, QStringLiteral("Kein Webbrowser."),
                            QStringLiteral("https://y.example/a?b=c"));
        QCOMPARE(modal.shown, QStringList{QStringLiteral("p_address")});
        QCOMPARE(field, QStringLiteral("https://y.example/a?b=c"));
        QVERIFY(readOnly);
        QCOMPARE(selected, field);
    }

    // The questions that replace or overwrite: the real box has No as its default button,
    // and Enter answers No.
    void overwriteQuestionsDefaultToNo() {
        for (const QString& text :
             {QStringLiteral("Die Datei „long.csv“ gibt es schon. Ersetzen?"),
              QStringLiteral("Die Datei wurde außerhalb von Spritlog geändert. Trotzdem "
                             "speichern?")}) {
            QtPrompts prompts;
            test::ModalRecorder modal;
            bool noIsDefault = false;
            modal.work = [&](QDialog* dialog) {
                auto* box = qobject_cast<QMessageBox*>(dialog);
                QVERIFY(box);
                noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
                box->show();
                QTest::keyClick(box, Qt::Key_Return);
            };
            QVERIFY(!prompts.askYesNo(nullptr, text));
            QVERIFY2(noIsDefault, qPrintable(text));
            QCOMPARE(modal.shown.size(), 1);
        }
    }

    void mailAndWebPage() {
        test::ScriptedPrompts prompts;
        QVERIFY(SendMailTo(prompts, QStringLiteral("x@y.example")));
        QVERIFY(OpenWebPage(prompts, QStringLiteral("https://y.example/a?b=c")));
        QCOMPARE(prompts.opened.size(), 2);
        QCOMPARE(prompts.opened[0].scheme(), QStringLiteral("mailto"));
        QCOMPARE(prompts.opened[0].path(), QStringLiteral("x@y.example"));
        QCOMPARE(prompts.opened[1].toString(), QStringLiteral("https://y.example/a?b=c"));
    }
};

SPRITLOG_GUI_TEST_MAIN(InfoDialogsTest)
#include "infodialogs_test.moc"
