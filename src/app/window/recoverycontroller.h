#pragma once

#include "document/documentlistener.h"
#include "document/recoverystore.h"
#include "document/recoverywriter.h"

#include <QObject>
#include <QTimer>

#include <string>

class QWidget;

namespace spritlog {

class LogbookDocument;
class Prompts;

// Keeps a recovery copy of the window's logbook while it has unsaved changes: written on
// the writer's thread a second after the last change, or at once before something
// risky; removed when the changes are saved or discarded and when the window closes
// cleanly. At the start, and when a logbook is opened, it offers the copies a window that
// did not close cleanly left behind.
class RecoveryController : public QObject, private DocumentListener {
    Q_OBJECT

public:
    // The pause after the last change before the copy is written: short, so that a kill
    // loses at most the last second of work, while typing goes on undisturbed.
    static constexpr int kDelayMilliseconds = 1000;

    // Copies go to `folder`; none at all when it is empty.
    RecoveryController(LogbookDocument& document, Prompts& prompts, QWidget* dialogParent,
                       const std::string& folder);
    ~RecoveryController() override;

    // Writes the copy now when there are unsaved changes (it is written off this thread).
    void writeNow();
    // writeNow, and waits until the copy is on disk.
    void flush();
    // The window closed as it should: its copy goes.
    void closeCleanly();
    // Asks about every copy left behind for the open logbook that is newer than its file
    // (with `unnamedToo` also about copies of logbooks never saved): Yes takes its records
    // as unsaved changes and ends the questions, No deletes it. Names the copies that could
    // not be read and were set aside.
    void offerLeftBehind(bool unnamedToo);

private:
    void modifiedChanged() override;
    void fileNameChanged() override;
    // Starts the pause, or removes the copy when nothing is left unsaved.
    void follow();
    void removeOwnCopy();
    // Takes `copy` into the document as unsaved changes; its own copy replaces the old one.
    void restore(const RecoveryCopy& copy);

    LogbookDocument& document_;
    Prompts& prompts_;
    QWidget* dialogParent_;
    RecoveryStore store_;
    RecoveryWriter writer_;
    QTimer pause_;
    std::string ownCopy_; // the copy this window wrote last; empty when there is none
};

} // namespace spritlog
