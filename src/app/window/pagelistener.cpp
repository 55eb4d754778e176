#include "app/window/pagelistener.h"

#include "document/logbookdocument.h"

#include <QMetaObject>

namespace spritlog {

PageListener::PageListener(LogbookDocument& document, Page page)
    : document_(document), page_(std::move(page)) {
    document_.addListener(this);
}

PageListener::~PageListener() {
    document_.removeListener(this);
}

void PageListener::showPage() {
    pending_ = false;
    if (page_.prepare() && stale_)
        draw();
}

void PageListener::invalidate() {
    stale_ = true;
    if (page_.shown())
        showPage();
}

void PageListener::draw() {
    drawing_ = true;
    stale_ = true;
    try {
        page_.draw();
    } catch (...) {
        drawing_ = false;
        throw;
    }
    drawing_ = false;
    stale_ = false;
}

void PageListener::changed() {
    if (drawing_)
        return;
    stale_ = true;
    if (pending_ || !page_.shown())
        return;
    pending_ = true;
    // Changes that no command makes (a cell typed into the table) are drawn from the event
    // loop.
    QMetaObject::invokeMethod(
        this, [this] { page_.report([this] { redrawPending(); }); }, Qt::QueuedConnection);
}

void PageListener::redrawPending() {
    if (!pending_)
        return;
    pending_ = false;
    if (page_.shown())
        showPage();
}

} // namespace spritlog
