// Renders every tab of the startup dialog and the archive browser to PNG files, for looking at the
// dialog without a display and for the picture in the README:
//     QT_QPA_PLATFORM=offscreen dialog_snapshot path/to/res118.pak out-folder
// The saved match and the statistics on offer are the player's files as the game finds them ($XDG_...
// folders): point those at a temporary home holding a saved match and some finished matches.
#include <iostream>

#include <QDir>
#include <QListWidget>
#include <QPixmap>
#include <QRadioButton>
#include <QTabWidget>

#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "dialog/archive_browser.h"
#include "dialog/dialog_qt_app.h"
#include "dialog/startup_dialog.h"
#include "dialog/startup_dialog_window.h"
#include "persistence/match_keeper.h"
#include "persistence/saved_match.h"
#include "persistence/statistics.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: dialog_snapshot ARCHIVE OUT-FOLDER\n";
        return 2;
    }
    const std::string archivePath = argv[1];
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    try {
        PakArchive archive;
        archive.OpenQ2Pak(archivePath);
        const ResourceSet resources = ResourceSet::FromArchive(archive);
        GameOptions options;
        MatchKeeper keeper = MatchKeeper::ForPlayer(true);
        keeper.Claim();
        MatchOffer offer;
        if (const GameState* saved = keeper.SavedMatch()) {
            offer.savedMatch = SummarizeSavedMatch(*saved);
        }
        offer.statisticsFile = StatisticsPath();
        offer.records = LoadStatistics(offer.statisticsFile).records;
        bool resume = offer.savedMatch.has_value();
        RunStartupDialog(argc, argv, options, resources, offer, resume, [&out](StartupDialog& dialog) {
            auto* tabs = dialog.findChild<QTabWidget*>("Tabs");
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                dialog.grab().save(out + QStringLiteral("/dialog-%1-%2.png").arg(i).arg(tabs->tabText(i)));
            }
            tabs->setCurrentIndex(0);
            dialog.findChild<QRadioButton*>("DeckOption4")->setChecked(true);
            dialog.grab().save(out + QStringLiteral("/dialog-0-Deck-option4.png"));
            dialog.reject();
        });

        const std::unique_ptr<QApplication> app = MakeQtApplication(argc, argv);
        ArchiveBrowser browser;
        browser.OpenArchive(QString::fromStdString(archivePath));
        browser.findChild<QListWidget*>("EntryList")->setCurrentRow(3);
        browser.show();
        browser.grab().save(out + QStringLiteral("/browser.png"));
    } catch (const std::exception& error) {
        std::cerr << "dialog_snapshot: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
