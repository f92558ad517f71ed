#include "dialog/startup_dialog.h"

#include <iostream>

#include <QMessageBox>
#include <QTimer>

#include "archive/resource_set.h"
#include "dialog/dialog_language.h"
#include "dialog/dialog_qt_app.h"
#include "dialog/startup_dialog_preview.h"
#include "dialog/startup_dialog_texts.h"
#include "dialog/startup_dialog_window.h"

namespace {

QImage PreviewOf(const ResourceSet& resources, ResourceFolder folder) {
    return DrawDeckPreview(
        [&resources, folder](const std::string& fileName) { return resources.Find(folder, fileName); });
}

// Every entry point ends here; `offer` is null without the saved match and statistics.
DialogOutcome RunDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources,
                        const MatchOffer* offer, DialogChoices& choices,
                        const std::function<void(StartupDialog&)>& onShown) {
    const std::unique_ptr<QApplication> app = MakeQtApplication(argc, argv);
    DialogLanguage language;
    language.Use(choices.language);
    DialogOutcome outcome = DialogOutcome::Quit;
    {
        StartupDialog dialog(options, PreviewOf(resources, ResourceFolder::Roya2),
                             PreviewOf(resources, ResourceFolder::Royal));
        dialog.SetLanguageSetting(choices.language);
        dialog.SetSpokenPlay(choices.spokenPlay);
        dialog.SetLanguageSwitch([&language](const std::string& setting) { language.Use(setting); });
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
            choices.resume = dialog.ResumeChosen();
            choices.language = dialog.LanguageSetting();
            choices.spokenPlay = dialog.SpokenPlay();
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
    DialogChoices choices;
    return RunDialog(argc, argv, options, resources, nullptr, choices, onShown);
}

DialogOutcome RunStartupDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources,
                               const MatchOffer& offer, DialogChoices& choices,
                               const std::function<void(StartupDialog&)>& onShown) {
    return RunDialog(argc, argv, options, resources, &offer, choices, onShown);
}

DialogOutcome RunStartupDialog(int& argc, char** argv, GameOptions& options, const ResourceSet& resources,
                               const MatchOffer& offer, bool& resume,
                               const std::function<void(StartupDialog&)>& onShown) {
    DialogChoices choices;
    choices.resume = resume;
    const DialogOutcome outcome = RunDialog(argc, argv, options, resources, &offer, choices, onShown);
    resume = choices.resume;
    return outcome;
}

void ShowStartupError(int& argc, char** argv, const std::string& text, const std::string& languageSetting) {
    ShowStartupError(argc, argv, text, languageSetting, {});
}

void ShowStartupError(int& argc, char** argv, const std::string& text,
                      const std::function<void(QMessageBox&)>& onShown) {
    ShowStartupError(argc, argv, text, {}, onShown);
}

void ShowStartupError(int& argc, char** argv, const std::string& text, const std::string& languageSetting,
                      const std::function<void(QMessageBox&)>& onShown) {
    std::cerr << "zarn: " << text << '\n' << std::flush;
    if (!QtDisplayAvailable()) {
        return;
    }
    const std::unique_ptr<QApplication> app = MakeQtApplication(argc, argv);
    DialogLanguage language;
    language.Use(languageSetting);
    QMessageBox box(QMessageBox::Critical, startup_texts::DialogCaption(), QString::fromStdString(text),
                    QMessageBox::Ok);
    if (onShown) {
        QTimer::singleShot(0, &box, [&box, &onShown] { onShown(box); });
    }
    box.exec();
}
