#include "dialog/startup_dialog.h"

#include <iostream>

#include <QMessageBox>
#include <QTimer>

#include "archive/resource_set.h"
#include "dialog/dialog_qt_app.h"
#include "dialog/startup_dialog_preview.h"
#include "dialog/startup_dialog_texts.h"
#include "dialog/startup_dialog_window.h"

namespace {

QImage PreviewOf(const ResourceSet& resources, ResourceFolder folder) {
    return DrawDeckPreview(
        [&resources, folder](const std::string& fileName) { return resources.Find(folder, fileName); });
}

// Every entry point ends here; `offer` and `resume` are null without the saved match and statistics.
DialogOutcome RunDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources,
                        const MatchOffer* offer, bool* resume,
                        const std::function<void(StartupDialog&)>& onShown) {
    const std::unique_ptr<QApplication> app = MakeQtApplication(argc, argv);
    DialogOutcome outcome = DialogOutcome::Quit;
    {
        StartupDialog dialog(options, PreviewOf(resources, ResourceFolder::Roya2),
                             PreviewOf(resources, ResourceFolder::Royal));
        if (offer != nullptr) {
            dialog.AddMatchPanel(*offer);
        }
        if (onShown) {
            QTimer::singleShot(0, &dialog, [&dialog, &onShown] { onShown(dialog); });
        }
        // Whatever closes the dialog, only the start button (which clears the end-on-unload flag)
        // leads into the game.
        if (dialog.exec() == QDialog::Accepted && !dialog.EndOnUnload()) {
            options = dialog.Options();
            outcome = DialogOutcome::Start;
            if (resume != nullptr) {
                *resume = dialog.ResumeChosen();
            }
        }
    }
    return outcome;
}

}  // namespace

DialogOutcome RunStartupDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources) {
    return RunStartupDialog(argc, argv, options, resources, {});
}

DialogOutcome RunStartupDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources,
                               const std::function<void(StartupDialog&)>& onShown) {
    return RunDialog(argc, argv, options, resources, nullptr, nullptr, onShown);
}

DialogOutcome RunStartupDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources,
                               const MatchOffer& offer, bool& resume,
                               const std::function<void(StartupDialog&)>& onShown) {
    return RunDialog(argc, argv, options, resources, &offer, &resume, onShown);
}

void ShowStartupError(int& argc, char** argv, const std::string& text) {
    ShowStartupError(argc, argv, text, {});
}

void ShowStartupError(int& argc, char** argv, const std::string& text,
                      const std::function<void(QMessageBox&)>& onShown) {
    std::cerr << "zarn: " << text << '\n' << std::flush;
    if (!QtDisplayAvailable()) {
        return;
    }
    const std::unique_ptr<QApplication> app = MakeQtApplication(argc, argv);
    QMessageBox box(QMessageBox::Critical, startup_texts::DialogCaption(), QString::fromStdString(text),
                    QMessageBox::Ok);
    if (onShown) {
        QTimer::singleShot(0, &box, [&box, &onShown] { onShown(box); });
    }
    box.exec();
}
