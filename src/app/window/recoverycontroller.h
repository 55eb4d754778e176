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
    // Asks one question about the copies left behind that are newer than their files: at
    // the start about every logbook's, later about the open logbook's. Each is restored
    // (the logbook opened with its records as unsaved changes), kept for later, or deleted,
    // as the user answers; nothing is deleted unasked. Before the start's question nothing
    // is asked. Names the copies that could not be read and were set aside.
    void offerLeftBehind(bool atStart);

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
    bool startOffered_ = false;
};

} // namespace spritlog
