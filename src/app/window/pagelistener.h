#pragma once

#include "document/documentlistener.h"

#include <QObject>

#include <functional>

namespace spritlog {

class LogbookDocument;

// A page of the window that shows figures of the open logbook ("Grafik", "Statistik"). It
// listens to the document: while the page shows, a change of the table redraws it at once;
// while it is hidden, the page only notes that it is stale and redraws when it is shown.
// Inputs of the page besides the table (the view selector, the chart basis, the zoom) count
// the same through invalidate().
class PageListener : public QObject, private DocumentListener {
public:
    struct Page {
        // Whether the page is the one the window shows.
        std::function<bool()> shown;
        // Sets what the page shows whatever its figures (notices, enabled controls); false
        // when there is nothing to draw (too few records).
        std::function<bool()> prepare;
        // Draws the figures; may throw, the page then stays stale.
        std::function<void()> draw;
        // Runs a redraw that no command started through the general error display.
        std::function<void(const std::function<void()>&)> report;
    };

    PageListener(LogbookDocument& document, Page page);
    ~PageListener() override;
    PageListener(const PageListener&) = delete;
    PageListener& operator=(const PageListener&) = delete;

    // Shows the page as it stands: prepares it, and draws it when it is stale. Throws what
    // drawing throws.
    void showPage();
    // Another input of the page changed: redrawn now when it shows, else stale.
    void invalidate();
    // Draws now, shown or not; no longer stale once it succeeded.
    void draw();
    // Redraws now what a change asked for while the page shows; at the end of every command,
    // so that the page shows its figures when the command returns.
    void redrawPending();
    // Forgets a redraw that waits for the event loop; the page stays stale. After a command
    // failed: its error was shown, the same calculation need not fail again.
    void dropPending() { pending_ = false; }
    bool isStale() const { return stale_; }

private:
    // DocumentListener: every change of the table's cells or records.
    void tableReset() override { changed(); }
    void cellsChanged(int, int, int, int) override { changed(); }
    void recordsInserted(int, int) override { changed(); }
    void recordsRemoved(int, int) override { changed(); }
    // Marks the page stale and, while it shows, redraws it once the change is complete: the
    // document is not drawn from while it still announces.
    void changed();

    LogbookDocument& document_;
    Page page_;
    bool stale_ = true;
    bool pending_ = false;
    // While the page draws, the calculation it runs announces cells it itself just read.
    bool drawing_ = false;
};

} // namespace spritlog
