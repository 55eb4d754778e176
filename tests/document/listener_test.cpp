// What the document tells its listeners: every change is announced, in a shape a view can
// follow (a reset and a removal before and after, the rest after).
#include "document/logbookdocument.h"

#include "support/logbooks.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace spritlog;

namespace {

class Recorder : public DocumentListener {
public:
    std::vector<std::string> heard;

    void tableAboutToBeReset() override { heard.push_back("reset?"); }
    void tableReset() override { heard.push_back("reset"); }
    void cellsChanged(int r0, int r1, int c0, int c1) override {
        heard.push_back("cells " + std::to_string(r0) + "-" + std::to_string(r1) + " x " +
                        std::to_string(c0) + "-" + std::to_string(c1));
    }
    void recordsInserted(int r0, int r1) override {
        heard.push_back("inserted " + std::to_string(r0) + "-" + std::to_string(r1));
    }
    void recordsAboutToBeRemoved(int r0, int r1) override {
        heard.push_back("remove? " + std::to_string(r0) + "-" + std::to_string(r1));
    }
    void recordsRemoved(int r0, int r1) override {
        heard.push_back("removed " + std::to_string(r0) + "-" + std::to_string(r1));
    }
    void headingsChanged() override { heard.push_back("headings"); }
    void stationTableChanged() override { heard.push_back("stations"); }
    void modifiedChanged() override { heard.push_back("modified"); }
    void fileNameChanged() override { heard.push_back("name"); }
};

struct ListenerCase {
    const char* name;
    std::function<void(LogbookDocument&)> change;
    std::vector<std::string> heard;
};

std::vector<ListenerCase> Cases() {
    return {
        {"EditCell",
         [](LogbookDocument& b) {
             b.editCell({ColOrt, 2}, "Hof");
         },
         {"modified", "cells 2-2 x 11-11", "cells 2-3 x 5-8"}}, // from the full tank before
        {"AppendRecord",
         [](LogbookDocument& b) { b.appendRecord(); },
         {"modified", "inserted 4-4", "headings", "cells 4-4 x 5-8"}},
        {"EnterInOrtOfTheLastAppends",
         [](LogbookDocument& b) {
             b.enter({ColOrt, 3});
         },
         {"modified", "inserted 4-4", "headings", "cells 4-4 x 5-8"}},
        {"EnterElsewhereChangesNothing",
         [](LogbookDocument& b) {
             b.enter({ColDatum, 1});
         },
         {}},
        {"DeleteRecord",
         [](LogbookDocument& b) {
             b.deleteRecord({ColKmStand, 2});
         },
         {"remove? 2-2", "modified", "removed 2-2", "cells 1-2 x 5-8"}},
        {"DeleteOutsideTheRecords",
         [](LogbookDocument& b) {
             b.deleteRecord({ColDatum, 7});
         },
         {}},
        // The derived cells are current already: no step of the history.
        {"Calculate", [](LogbookDocument& b) { b.calculate(); }, {"cells 1-3 x 5-8"}},
        // Undo and redo tell the region of the step, then the derived cells.
        {"Undo",
         [](LogbookDocument& b) {
             b.editCell({ColOrt, 2}, "Hof");
             b.undo();
         },
         {"modified", "cells 2-2 x 11-11", "cells 2-3 x 5-8", "cells 2-2 x 11-11", "modified",
          "cells 2-3 x 5-8"}},
        {"UndoAndRedoOfAnAppendedRecord",
         [](LogbookDocument& b) {
             b.appendRecord();
             b.undo();
             b.redo();
         },
         {"modified", "inserted 4-4", "headings", "cells 4-4 x 5-8", "remove? 4-4", "removed 4-4",
          "modified", "cells 1-3 x 5-8", "inserted 4-4", "modified", "headings",
          "cells 1-4 x 5-8"}},
        {"UndoOfADeletedRecord",
         [](LogbookDocument& b) {
             b.deleteRecord({ColKmStand, 2});
             b.undo();
         },
         {"remove? 2-2", "modified", "removed 2-2", "cells 1-2 x 5-8", "inserted 3-3",
          "cells 2-2 x 0-14", "modified", "cells 1-3 x 5-8"}},
        {"Neu", [](LogbookDocument& b) { b.clear(); }, {"reset?", "reset", "name", "modified"}},
        {"Heading", [](LogbookDocument& b) { b.setHeading(ColNote1, "Fahrer"); }, {"headings"}},
        {"NewName", [](LogbookDocument& b) { b.setFileName("/tmp/other.slg"); }, {"name"}},
        {"SameName", [](LogbookDocument& b) { b.setFileName("/tmp/a.slg"); }, {}},
        {"StationTable", [](LogbookDocument& b) { b.rateStations(); }, {"stations"}},
    };
}

TEST(DocumentListener, HearsEveryChange) {
    for (const ListenerCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        LogbookDocument book;
        book.setTable(test::LogbookOf({{"01.03.2026", "10000", "40.00", "1.50", "Super", "Nord"},
                                       {"08.03.2026", "10500", "35.50", "1.60", "Super", "West"},
                                       {"15.03.2026", "11100", "41.20", "1.55", "Super", "Nord"}}));
        book.calculate();
        book.setFileName("/tmp/a.slg");
        Recorder recorder;
        book.addListener(&recorder);
        c.change(book);
        EXPECT_EQ(recorder.heard, c.heard);
        book.removeListener(&recorder);
    }
}

// A load that fails halfway still ends the reset it began: a view never stays in between.
class DocumentListenerFile : public test::TemporaryFolderTest {};

TEST_F(DocumentListenerFile, FailedLoadEndsItsReset) {
    const std::string path = PathOf("cut.slg");
    // Record 2 has too many litres for a consumption: the calculation fails. The file has
    // every line its count asks for.
    std::string file = "2\r\n01.03.2026\r\n02.03.2026\r\n10000\r\n10500\r\n40\r\n1e308\r\n";
    for (int line = 7; line <= 20; ++line)
        file += "\r\n";
    std::ofstream(path, std::ios::binary) << file;
    LogbookDocument book;
    Recorder recorder;
    book.addListener(&recorder);
    EXPECT_ANY_THROW(book.load(path));
    ASSERT_GE(recorder.heard.size(), 2u);
    EXPECT_EQ(recorder.heard.front(), "reset?");
    EXPECT_EQ(recorder.heard.back(), "reset");
    book.removeListener(&recorder);
}

} // namespace
