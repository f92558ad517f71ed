// The dialog in the player's language: the language setting, the dialog and the archive browser in the
// pseudo-language (every text longer, accented and in brackets, so a text that misses the catalogues
// or a box too small for a longer translation shows), and the choice of language on the Options tab.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocumentFragment>

#include "archive/pak_archive.h"
#include "archive/resource_set.h"
#include "dialog/archive_browser.h"
#include "dialog/settings_store.h"
#include "dialog/startup_dialog.h"
#include "dialog/startup_dialog_preview.h"
#include "dialog/startup_dialog_window.h"
#include "dialog_test_support.h"
#include "i18n/language.h"
#include "i18n/translation.h"

#ifndef ZARN_TEST_LOCALEDIR
#error "the build passes the folder of the built catalogues as ZARN_TEST_LOCALEDIR"
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* kPseudo = "pseudo";

// An environment variable set (or cleared, for nullptr) for the lifetime of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedVariable() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// The folder of the pseudo-language catalogue the build makes with the program's own (po/), empty when
// it is missing.
fs::path PseudoFolder() {
    return CatalogueFolder(kPseudo, {fs::path(ZARN_TEST_LOCALEDIR)});
}

// --- What a window shows ---------------------------------------------------------------------------

// One text the player sees, where it is and the room it has.
struct ShownText {
    QString where;
    QString text;
};

bool IsPseudo(const QString& shown) {
    const QString text = QTextDocumentFragment::fromHtml(shown).toPlainText().trimmed();
    return text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'));
}

QString NameOf(const QWidget* widget) {
    return QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ') +
           (widget->objectName().isEmpty() ? QStringLiteral("(unnamed)") : widget->objectName());
}

// Every text of the visible labels, buttons, group titles and tab captions inside `window`, and a line
// for each of them that does not fit its widget as laid out. Widgets named in `ownTexts` show texts
// that are not the program's own (names, numbers) and are left out of the texts.
void Inspect(const QWidget& window, const QStringList& ownTexts, std::vector<ShownText>& texts,
             QStringList& overflows) {
    auto shown = [&](const QWidget* widget) {
        return widget->isVisible() && !ownTexts.contains(widget->objectName());
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!shown(label) || label->text().isEmpty()) {
            continue;
        }
        texts.push_back({NameOf(label), label->text()});
        // A label in lines needs its height at its width; a label of one line, its width.
        const bool tooSmall = label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                                : label->sizeHint().width() > label->width();
        if (tooSmall) {
            overflows << QStringLiteral("%1 needs %2x%3, has %4x%5")
                             .arg(NameOf(label))
                             .arg(label->sizeHint().width())
                             .arg(label->wordWrap() ? label->heightForWidth(label->width())
                                                    : label->sizeHint().height())
                             .arg(label->width())
                             .arg(label->height());
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!shown(button) || button->text().isEmpty()) {
            continue;
        }
        texts.push_back({NameOf(button), button->text()});
        if (button->sizeHint().width() > button->width()) {
            overflows << QStringLiteral("%1 needs %2 pixels, has %3")
                             .arg(NameOf(button))
                             .arg(button->sizeHint().width())
                             .arg(button->width());
        }
    }
    for (const QGroupBox* box : window.findChildren<QGroupBox*>()) {
        if (shown(box)) {
            texts.push_back({NameOf(box), box->title()});
        }
    }
    for (const QTabBar* bar : window.findChildren<QTabBar*>()) {
        if (!shown(bar)) {
            continue;
        }
        for (int i = 0; i < bar->count(); ++i) {
            texts.push_back({QStringLiteral("tab %1").arg(i), bar->tabText(i)});
        }
        if (bar->sizeHint().width() > bar->width()) {
            overflows << QStringLiteral("the tab row needs %1 pixels, has %2")
                             .arg(bar->sizeHint().width())
                             .arg(bar->width());
        }
    }
}

SavedMatchSummary ASavedMatch() {
    SavedMatchSummary m;
    m.ContractNumber = 7;
    m.KingdomOwner = "Anna";
    m.KingdomOwnerSeat = 2;
    m.Totals = {120, 85, 40, 15};
    m.Names = {"Me", "Bob", "Anna", "Carl"};
    m.Partnership = true;
    m.SevenOfHeartsLead = true;
    return m;
}

// A Qt application, English before and after each test, and the pseudo catalogue.
class DialogLanguageTest : public QtAppTest {
protected:
    void SetUp() override {
        QtAppTest::SetUp();
        pseudo_ = PseudoFolder();
        ASSERT_FALSE(pseudo_.empty())
            << "the pseudo-language catalogue is built with the tests (zarn_catalogues)";
    }
    void TearDown() override {
        UseLanguage("", {});
        QtAppTest::TearDown();
    }

    std::unique_ptr<StartupDialog> Open() {
        QImage picture(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
        picture.fill(Qt::green);
        auto dialog = std::make_unique<StartupDialog>(GameOptions(), picture, picture);
        MatchOffer offer;
        offer.savedMatch = ASavedMatch();
        dialog->AddMatchPanel(offer);
        dialog->show();
        return dialog;
    }

    fs::path pseudo_;
};

TEST(LanguageSetting, IsWrittenReadBackAndAnUnknownOneReadsAsTheDesktops) {
    const QTemporaryDir dir;
    const fs::path file = fs::path(dir.path().toStdString()) / "zarn.conf";
    EXPECT_EQ(PlayerSettings().Language, "") << "the desktop's language until the player chooses";
    for (const char* kept : {"", "en", "de", "pt_BR", "ru"}) {
        PlayerSettings chosen;
        chosen.Language = kept;
        ASSERT_TRUE(SaveSettings(file, chosen, nullptr));
        const LoadedSettings loaded = LoadSettings(file);
        EXPECT_TRUE(loaded.found) << kept;
        EXPECT_EQ(loaded.settings.Language, kept);
    }
    // A language this version does not ship is no damage: the file stays, with the desktop's language.
    for (const char* unknown : {"xx", "pseudo", "de_DE", "../de", "EN"}) {
        fs::remove(file);
        std::ofstream(file) << "[format]\nversion=1\n[game]\ndeck=Royal\n[display]\nlanguage=" << unknown
                            << "\n";
        const LoadedSettings loaded = LoadSettings(file);
        EXPECT_TRUE(loaded.found) << unknown;
        EXPECT_TRUE(loaded.message.empty()) << unknown << ": " << loaded.message;
        EXPECT_EQ(loaded.settings.Language, "") << unknown;
        EXPECT_EQ(loaded.settings.DeckName, "Royal") << unknown;
    }
}

TEST_F(DialogLanguageTest, EveryTextOfTheDialogIsTranslatedAndFits) {
    const QSize english = Open()->size();
    ASSERT_TRUE(UseLanguage(kPseudo, pseudo_));
    const auto dialog = Open();
    // Deck and language names, the players' names and the statistics' figures are not the program's
    // texts; the notice about damaged files comes translated from the program.
    QStringList ownTexts = {"Language", "FilesNotice"};
    for (int i = 0; i < 32; ++i) {
        ownTexts << QStringLiteral("StatisticsValue%1").arg(i);
    }
    auto* tabs = dialog->findChild<QTabWidget*>("Tabs");
    ASSERT_NE(tabs, nullptr);
    std::vector<ShownText> texts;
    QStringList overflows;
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        Inspect(*dialog, ownTexts, texts, overflows);
    }
    EXPECT_LE(dialog->width(), english.width()) << "the longer texts need a wider window";
    EXPECT_LE(dialog->height(), english.height()) << "the longer texts need a taller window";
    for (const ShownText& shown : texts) {
        EXPECT_TRUE(IsPseudo(shown.text)) << shown.where.toStdString() << ": " << shown.text.toStdString();
    }
    EXPECT_TRUE(overflows.isEmpty()) << overflows.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(IsPseudo(dialog->findChild<QComboBox*>("Language")->itemText(0)));

    // The long texts: each paragraph and heading of the rules; the licence's heading and closing line
    // (its terms stay as written).
    const QStringList rules =
        dialog->findChild<QPlainTextEdit*>("RulesText")->toPlainText().split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(rules.size(), 10);
    for (const QString& line : rules.mid(1)) {
        EXPECT_TRUE(IsPseudo(line)) << line.toStdString();
    }
    const QStringList licence =
        dialog->findChild<QPlainTextEdit*>("LicenceText")->toPlainText().split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(licence.size(), 2);
    EXPECT_TRUE(IsPseudo(licence.first())) << licence.first().toStdString();
    EXPECT_TRUE(IsPseudo(licence.last())) << licence.last().toStdString();
}

TEST_F(DialogLanguageTest, EveryTextOfTheArchiveBrowserIsTranslatedAndFits) {
    ASSERT_TRUE(UseLanguage(kPseudo, pseudo_));
    const QTemporaryDir dir;
    ArchiveBrowserDialogs answers;
    answers.showError = [](QWidget*, const QString& text) { ADD_FAILURE() << text.toStdString(); };
    ArchiveBrowser browser(answers);
    ASSERT_TRUE(
        browser.OpenArchive(QString::fromStdString(WriteArchive(dir, "res118.pak", MakeDeckEntries()))));
    browser.findChild<QListWidget*>("EntryList")->setCurrentRow(1);
    browser.show();
    std::vector<ShownText> texts;
    QStringList overflows;
    Inspect(browser, {"FilenameValue"}, texts, overflows);
    EXPECT_GE(texts.size(), 8U);
    for (const ShownText& shown : texts) {
        EXPECT_TRUE(IsPseudo(shown.text)) << shown.where.toStdString() << ": " << shown.text.toStdString();
    }
    EXPECT_TRUE(overflows.isEmpty()) << overflows.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(IsPseudo(browser.windowTitle()));
}

TEST_F(DialogLanguageTest, AChosenLanguageIsSpokenAtOnceAndEveryChoiceIsKept) {
    UseLanguage("", {});
    const auto dialog = Open();
    std::vector<std::string> asked;
    dialog->SetLanguageSwitch([this, &asked](const std::string& setting) {
        asked.push_back(setting);
        // Every shipped language stands in for the pseudo-language here.
        UseLanguage(setting.empty() || setting == "en" ? "" : kPseudo, pseudo_);
    });
    dialog->findChild<QRadioButton*>("DeckOption4")->setChecked(true);
    dialog->findChild<QAbstractButton*>("PartnershipGame")->setChecked(true);
    dialog->findChild<QRadioButton*>("NewMatch")->setChecked(true);
    const SpokenPlayChoice spokenPlay{.on = true, .verbosity = 0, .rate = 40};
    dialog->SetSpokenPlay(spokenPlay);
    auto* tabs = dialog->findChild<QTabWidget*>("Tabs");
    tabs->setCurrentIndex(5);
    GameOptions before;
    dialog->FillOptions(before);

    auto* language = dialog->findChild<QComboBox*>("Language");
    ASSERT_NE(language, nullptr);
    // The desktop's language, then each shipped language by its own name, then English.
    ASSERT_EQ(language->count(), static_cast<int>(ShippedLanguages().size()) + 2);
    EXPECT_EQ(language->currentIndex(), 0);
    EXPECT_EQ(language->itemData(0).toString(), "");
    EXPECT_EQ(language->itemText(language->count() - 1), "English");
    const int german = language->findData(QStringLiteral("de"));
    ASSERT_GT(german, 0);
    EXPECT_EQ(language->itemText(german), "Deutsch");
    language->setCurrentIndex(german);

    EXPECT_EQ(asked, std::vector<std::string>{"de"});
    EXPECT_EQ(dialog->LanguageSetting(), "de");
    ASSERT_EQ(dialog->findChildren<QPushButton*>("StartButton").size(), 1) << "the former contents are gone";
    EXPECT_TRUE(IsPseudo(dialog->findChild<QPushButton*>("StartButton")->text()));
    EXPECT_TRUE(IsPseudo(dialog->findChild<QGroupBox*>("SavedMatch")->title()));
    tabs = dialog->findChild<QTabWidget*>("Tabs");
    EXPECT_EQ(tabs->currentIndex(), 5);
    EXPECT_EQ(dialog->CurrentTab(), 5);
    EXPECT_FALSE(dialog->findChild<QWidget*>("DeckPicture0")->isHidden()) << "the Royal deck's";
    EXPECT_TRUE(dialog->findChild<QRadioButton*>("NewMatch")->isChecked());
    EXPECT_FALSE(dialog->ResumeChosen());
    EXPECT_EQ(dialog->SpokenPlay(), spokenPlay);
    EXPECT_EQ(dialog->findChild<QComboBox*>("Language")->currentIndex(), german);
    GameOptions after;
    dialog->FillOptions(after);
    ExpectSameOptions(after, before);

    language = dialog->findChild<QComboBox*>("Language");
    language->setCurrentIndex(language->count() - 1);
    EXPECT_EQ(dialog->LanguageSetting(), "en");

    // A setting this version does not ship shows, and comes back, as the desktop's.
    dialog->SetLanguageSetting("xx");
    EXPECT_EQ(dialog->LanguageSetting(), "");
    EXPECT_EQ(dialog->findChild<QComboBox*>("Language")->currentIndex(), 0);
    EXPECT_EQ(dialog->findChild<QPushButton*>("StartButton")->text(),
              "I have read the licence terms and I agree, let's play!");
}

// The entry point: Qt sets the C library's locale anew when its application is made (to C here), and the
// dialog speaks the player's language all the same, Qt's own texts with it; the choice comes back.
TEST_F(DialogLanguageTest, TheEntryPointSpeaksTheLanguageAfterQtStartsAndGivesTheChoiceBack) {
    QtAppTest::TearDown();  // the entry point makes its own application
    const QTemporaryDir folder;
    const fs::path spanish = fs::path(folder.path().toStdString()) / "es" / "LC_MESSAGES";
    fs::create_directories(spanish);
    fs::copy_file(pseudo_ / kPseudo / "LC_MESSAGES" / "zarn.mo", spanish / "zarn.mo");
    const ScopedVariable localeFolder("ZARN_LOCALEDIR", folder.path().toUtf8().constData());
    const ScopedVariable cLocale("LC_ALL", "C");
    UseLanguage("", {});

    PakArchive archive;
    archive.OpenQ2Pak(WriteArchive(folder, "res118.pak", MakeDeckEntries()));
    const ResourceSet resources = ResourceSet::FromArchive(archive);
    MatchOffer offer;
    DialogChoices choices;
    choices.language = "es";
    GameOptions options;
    QString startCaption;
    QString qtOk;
    const DialogOutcome outcome = RunStartupDialog(
        TestArgc(), TestArgv(), options, resources, offer, choices, [&](StartupDialog& dialog) {
            startCaption = dialog.findChild<QPushButton*>("StartButton")->text();
            qtOk = QCoreApplication::translate("QPlatformTheme", "OK");
            auto* language = dialog.findChild<QComboBox*>("Language");
            language->setCurrentIndex(language->findData(QStringLiteral("en")));
            dialog.findChild<QPushButton*>("StartButton")->click();
        });
    EXPECT_EQ(outcome, DialogOutcome::Start);
    EXPECT_TRUE(IsPseudo(startCaption)) << startCaption.toStdString();
    EXPECT_NE(qtOk, "OK") << "Qt's own texts in Spanish";
    EXPECT_EQ(choices.language, "en");
    EXPECT_STREQ(Tr("Exit"), "Exit") << "the game goes on in the language chosen";

    QString boxButton;
    ShowStartupError(TestArgc(), TestArgv(), "res118.pak is damaged", "es", [&](QMessageBox& box) {
        boxButton = box.button(QMessageBox::Ok)->text();
        box.accept();
    });
    EXPECT_FALSE(boxButton.isEmpty());
    EXPECT_NE(boxButton.remove(QLatin1Char('&')), "OK") << "the box's button in Spanish";
}

}  // namespace
