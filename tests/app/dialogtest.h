// Shared by the dialog tests: the four dialogs beside a test window, and a stand-in for
// the modal loop that records which dialog was shown and lets the test work it.
#pragma once

#include "guitest.h"

#include "app/window/aboutdialog.h"
#include "app/window/setupdialog.h"
#include "app/window/sizedialog.h"
#include "app/window/statistikdialog.h"
#include "app/window/toolwindow.h"

#include <QDialog>

#include <functional>

namespace spritlog::test {

// A test window with its dialogs made and handed over, as the program's start does.
struct WindowWithDialogs : Window {
    TFAbout* about = nullptr;
    TFSetup* setup = nullptr;
    TFSize* size = nullptr;
    TFStatistik* statistik = nullptr;

    explicit WindowWithDialogs(const QStringList& arguments = {}) {
        fmain->FormCreate(arguments);
        about = new TFAbout(fmain->prompts(), fmain.get());
        setup = new TFSetup(fmain.get());
        size = new TFSize(fmain.get());
        statistik = new TFStatistik(fmain.get());
        fmain->setDialogs(about, setup, size, statistik);
    }
};

// Replaces the modal loop while it lives. Every dialog that would be shown is noted by
// its object name; `work`, when set, runs in its place (it may click the dialog's
// buttons) and the dialog's result is given back. Without `work` the dialog is rejected.
struct ModalRecorder {
    QStringList shown;
    std::function<void(QDialog*)> work;
    DialogRunnerOverride guard{[this](QDialog* dialog) {
        shown << dialog->objectName();
        dialog->setResult(QDialog::Rejected);
        if (work)
            work(dialog);
        else
            dialog->reject();
        return dialog->result();
    }};
};

} // namespace spritlog::test
