#include "app/window/recoverycontroller.h"

#include "app/window/prompts.h"

#include "document/logbookdocument.h"
#include "platform/celltext.h"

#include <QDateTime>
#include <QFileInfo>

#include <ctime>
#include <exception>

namespace spritlog {
namespace {

QString RecoveryQuestion(const RecoveryCopy& copy) {
    const QString when = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(copy.writtenAt))
                             .toString(QStringLiteral("dd.MM.yyyy hh:mm"));
    const QString what = copy.logbookPath.empty()
                             ? QStringLiteral("am noch nie gespeicherten Tankbuch")
                             : QStringLiteral("an „%1“").arg(
                                   QFileInfo(QString::fromStdString(copy.logbookPath)).fileName());
    return QStringLiteral("Spritlog wurde nicht ordnungsgemäß beendet. Die ungespeicherten "
                          "Änderungen %1 vom %2 wiederherstellen?")
        .arg(what, when);
}

} // namespace

RecoveryController::RecoveryController(LogbookDocument& document, Prompts& prompts,
                                       QWidget* dialogParent, const std::string& folder)
    : document_(document), prompts_(prompts), dialogParent_(dialogParent), store_(folder),
      writer_(store_) {
    pause_.setSingleShot(true);
    pause_.setInterval(kDelayMilliseconds);
    connect(&pause_, &QTimer::timeout, this, &RecoveryController::writeNow);
    document_.addListener(this);
}

RecoveryController::~RecoveryController() {
    document_.removeListener(this);
}

void RecoveryController::modifiedChanged() {
    follow();
}

void RecoveryController::fileNameChanged() {
    follow();
}

void RecoveryController::follow() {
    if (!document_.isModified()) {
        pause_.stop();
        removeOwnCopy();
        return;
    }
    // Under another name the logbook is another logbook: the old copy goes now, the new one
    // comes after the pause.
    if (!ownCopy_.empty() && ownCopy_ != store_.copyPathFor(document_.fileName()))
        removeOwnCopy();
    pause_.start();
}

void RecoveryController::removeOwnCopy() {
    if (ownCopy_.empty())
        return;
    writer_.remove(ownCopy_);
    ownCopy_.clear();
}

void RecoveryController::writeNow() {
    pause_.stop();
    if (store_.folder().empty() || !document_.isModified())
        return;
    const std::string& logbook = document_.fileName();
    ownCopy_ = store_.copyPathFor(logbook);
    // The copy of the table is quick; the writing happens on the writer's thread.
    writer_.write(ownCopy_, logbook, document_.table(), std::time(nullptr));
}

void RecoveryController::flush() {
    writeNow();
    writer_.wait();
}

void RecoveryController::closeCleanly() {
    pause_.stop();
    removeOwnCopy();
    writer_.wait();
}

void RecoveryController::offerLeftBehind(bool unnamedToo) {
    if (store_.folder().empty())
        return;
    const RecoverySearch found = store_.findLeftBehind();
    for (const std::string& aside : found.setAside)
        prompts_.showNotice(
            dialogParent_,
            QStringLiteral("Eine Wiederherstellungskopie ließ sich nicht lesen. Sie ist "
                           "aufbewahrt unter „%1“.")
                .arg(QString::fromStdString(aside)));
    for (const RecoveryCopy& copy : found.copies) {
        const bool ours =
            copy.logbookPath.empty() ? unnamedToo : copy.logbookPath == document_.fileName();
        if (!ours || !CopyIsNewerThanFile(copy))
            continue;
        if (prompts_.askYesNo(dialogParent_, RecoveryQuestion(copy))) {
            restore(copy);
            return;
        }
        RecoveryStore::remove(copy.copyPath);
    }
}

void RecoveryController::restore(const RecoveryCopy& copy) {
    if (copy.logbookPath != document_.fileName())
        document_.clear(); // a logbook never saved: no name
    std::exception_ptr failure;
    try {
        document_.restoreUnsaved(copy.table);
    } catch (...) {
        // The records are there all the same; the error is told once they are safe.
        failure = std::current_exception();
    }
    // The window's own copy is on disk before the old one goes.
    flush();
    RecoveryStore::remove(copy.copyPath);
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace spritlog
