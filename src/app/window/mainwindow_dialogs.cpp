// The commands that open windows: the dialogs, the web pages and the mail to the author.
#include "app/window/mainwindow.h"

#include "app/window/aboutdialog.h"
#include "app/window/helpwindow.h"
#include "app/window/logbookmodel.h"
#include "app/window/setupdialog.h"
#include "app/window/shelllinks.h"
#include "app/window/sizedialog.h"
#include "app/window/statistikdialog.h"
#include "app/window/toolwindow.h"

#include "document/figures.h"
#include "logbook/logbooktable.h"
#include "platform/celltext.h"

#include <QLabel>

#include <optional>

namespace spritlog {

void TFmain::makeDialogs() {
    if (!FAbout && dialogMaker_)
        dialogMaker_();
}

void TFmain::m_StatistikClick() {
    makeDialogs();
    CalculateValues();
    if (document_.recordsTakingPart() < 3) {
        // No window; the notice waits on the statistics page.
        page_.p_nostats->show();
        return;
    }
    const StatisticsLabels labels =
        ComputeStatistics(document_.table(), document_.consumptionRule());
    if (FStatistik) {
        FStatistik->showFigures(labels);
        ExecDialog(FStatistik);
    }
}

void TFmain::m_EinstellungenClick() {
    makeDialogs();
    if (!FSetup)
        return;
    if (const std::optional<SetupValues> accepted = FSetup->edit(setupValues()))
        applySetupValues(*accepted);
}

SetupValues TFmain::setupValues() const {
    return {currentSettings(), fullTankIntervals()};
}

void TFmain::applySetupValues(const SetupValues& values) {
    using Key = Settings::Key;
    applySettings(values.settings, {Key::Dateispeichern, Key::Autospeichern, Key::Backupspeichern,
                                    Key::Anmerkung1, Key::Anmerkung2, Key::Anmerkung3});
    // Calculates anew when the way changes; an error goes to the error display.
    setFullTankIntervals(values.fullTankIntervals);
}

void TFmain::connectSetupDialog() {
    connect(FSetup, &TFSetup::fileSizeWanted, this,
            [this] { runCommand([this] { m_DateigroesseClick(); }); });
    // The About dialog with the author's personal addresses as tool tips.
    connect(FSetup, &TFSetup::aboutWanted, this, [this] {
        if (!FAbout)
            return;
        FAbout->showPersonalAddresses();
        ExecDialog(FAbout);
    });
}

void TFmain::m_UeberClick() {
    makeDialogs();
    if (FAbout)
        ExecDialog(FAbout);
}

void TFmain::m_HandbuchClick() {
    if (!FHandbuch)
        FHandbuch = new HelpWindow(this);
    FHandbuch->show();
    FHandbuch->raise();
    FHandbuch->activateWindow();
}

void TFmain::m_DateigroesseClick() {
    makeDialogs();
    if (FSize)
        FSize->ShowFileSizeDialog(document_.fileName(), RecordCount());
}

void TFmain::m_UpdateherunterladenClick() {
    OpenWebPage(prompts(), UpdateAddress(), this);
}

void TFmain::m_EmailandenAutorsendenClick() {
    SendMailTo(prompts(), QString::fromLatin1(kAuthorMailAddress), this);
}

void TFmain::m_OstrelHomepageClick() {
    OpenWebPage(prompts(), QString::fromLatin1(kHomePageAddress), this);
}

} // namespace spritlog
