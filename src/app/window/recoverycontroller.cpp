#include "app/window/recoverycontroller.h"

#include "app/window/prompts.h"

#include "document/logbookdocument.h"
#include "platform/celltext.h"

#include <QDateTime>
#include <QFileInfo>

#include <ctime>
#include <exception>
#include <string_view>
#include <vector>

namespace spritlog {
namespace {

RecoveryOffer OfferOf(const RecoveryCopy& copy) {
    RecoveryOffer offer;
    if (!copy.logbookPath.empty()) {
        const QFileInfo file(QString::fromStdString(copy.logbookPath));
        offer.name = file.fileName();
        offer.folder = file.absolutePath();
    }
    offer.writtenAt = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(copy.writtenAt));
    return offer;
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

void RecoveryController::offerLeftBehind(bool atStart) {
    if (store_.folder().empty())
        return;
    // The start asks about every logbook at once; until then a logbook opened on the way
    // is asked about with the others.
    if (!atStart && !startOffered_)
        return;
    startOffered_ = true;
    const RecoverySearch found = store_.findLeftBehind();
    for (const std::string& aside : found.setAside)
        prompts_.showNotice(
            dialogParent_,
            QStringLiteral("Eine Wiederherstellungskopie ließ sich nicht lesen. Sie ist "
                           "aufbewahrt unter „%1“.")
                .arg(QString::fromStdString(aside)));
    std::vector<const RecoveryCopy*> offered;
    QList<RecoveryOffer> offers;
    for (const RecoveryCopy& copy : found.copies) {
        const bool asked =
            atStart || (!copy.logbookPath.empty() && copy.logbookPath == document_.fileName());
        if (!asked || !CopyIsNewerThanFile(copy))
            continue;
        offered.push_back(&copy);
        offers << OfferOf(copy);
    }
    if (offered.empty())
        return;
    const QList<RecoveryChoice> choices = prompts_.chooseRecovery(dialogParent_, offers);
    const RecoveryCopy* restoring = nullptr;
    for (std::size_t i = 0; i < offered.size(); ++i) {
        // Whatever the answer does not name is kept.
        const RecoveryChoice choice = static_cast<qsizetype>(i) < choices.size()
                                          ? choices[static_cast<qsizetype>(i)]
                                          : RecoveryChoice::Keep;
        if (choice == RecoveryChoice::Delete)
            RecoveryStore::remove(offered[i]->copyPath);
        else if (choice == RecoveryChoice::Restore && !restoring)
            restoring = offered[i];
    }
    if (restoring)
        restore(*restoring);
}

void RecoveryController::restore(const RecoveryCopy& copy) {
    if (copy.logbookPath.empty()) {
        document_.clear(); // a logbook never saved: no name
    } else if (copy.logbookPath != document_.fileName()) {
        // Another logbook: opened first, the changes on top. A file that is gone leaves
        // the name, and the changes make the logbook anew.
        LoadHooks hooks;
        hooks.notice = [](std::string_view) {};
        document_.load(copy.logbookPath, hooks);
    }
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
