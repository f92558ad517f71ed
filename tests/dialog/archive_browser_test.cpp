#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "dialog/archive_browser.h"
#include "dialog_test_support.h"

namespace {

TEST(ArchiveBrowserNames, GetFileNameTakesThePartAfterTheLastSlashOfEitherKind) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/me/res118.pak", "res118.pak"},
        {"C:\\Games\\Zarn\\res118.pak", "res118.pak"},
        {"/mnt/c\\Games/zarn\\data.pak", "data.pak"},
        {"res118.pak", "res118.pak"},
        {"/home/me/", ""},
        {"", ""},
    };
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(GetFileName(path), name) << path;
    }
}

TEST(ArchiveBrowserNames, GetFileExtensionTakesUpToThreeCharactersAfterTheLastDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"KS.BMP", "BMP"},    {"Back_800x600.jpg", "jpg"}, {"archive.tar.gz", "gz"},
        {"page.html", "htm"}, {"/data/v1.2/readme", ""},   {"noextension", ""},
        {"trailingdot.", ""},
    };
    for (const auto& [path, extension] : cases) {
        EXPECT_EQ(GetFileExtension(path), extension) << path;
    }
}

// A browser whose file dialogs answer from the test, over a small archive made on the spot.
class ArchiveBrowserTest : public QtAppTest {
protected:
    void SetUp() override {
        QtAppTest::SetUp();
        ASSERT_TRUE(dir_.isValid());
        std::vector<uint8_t> everyByte(256);
        for (int i = 0; i < 256; ++i) {
            everyByte[static_cast<size_t>(i)] = static_cast<uint8_t>(255 - i);
        }
        entries_ = {
            {"readme.txt", {'Z', 'a', 'r', 'n', '\n'}},
            {"Xounds_SHUFFLE.WAV", everyByte},
            {"Xitmaps_Back_800x600.jpeg", {0xFF, 0xD8, 0x00, 0x01}},
        };
        archivePath_ = WriteArchive(dir_, "small.pak", entries_);

        ArchiveBrowserDialogs dialogs;
        dialogs.askOpenPath = [this](QWidget*, const QString& filter) {
            openFilter_ = filter;
            return openAnswer_;
        };
        dialogs.askSavePath = [this](QWidget*, const QString& title, const QString& start,
                                     const QString& filter) {
            saveTitle_ = title;
            saveStart_ = start;
            saveFilter_ = filter;
            return saveAnswer_;
        };
        dialogs.showError = [this](QWidget*, const QString& text) { errors_.push_back(text); };
        browser_ = std::make_unique<ArchiveBrowser>(dialogs);
        browser_->show();
    }

    void TearDown() override {
        browser_.reset();
        QtAppTest::TearDown();
    }

    template <typename T>
    T* Find(const char* name) {
        T* widget = browser_->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void Click(const char* name) { QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton); }

    void OpenThroughTheButton(const std::string& path) {
        openAnswer_ = QString::fromStdString(path);
        Click("OpenButton");
    }

    static std::vector<uint8_t> ReadFile(const QString& path) {
        std::ifstream in(path.toStdString(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    QTemporaryDir dir_;
    std::vector<PakInput> entries_;
    std::string archivePath_;
    std::unique_ptr<ArchiveBrowser> browser_;
    QString openAnswer_;
    QString openFilter_;
    QString saveAnswer_;
    QString saveTitle_;
    QString saveStart_;
    QString saveFilter_;
    std::vector<QString> errors_;
};

TEST_F(ArchiveBrowserTest, OpenListsEveryEntryAndEnablesExtract) {
    EXPECT_FALSE(Find<QPushButton>("ExtractButton")->isEnabled());
    EXPECT_EQ(Find<QPushButton>("OpenButton")->text(), "Open .pak-file");
    EXPECT_EQ(Find<QPushButton>("ExitButton")->text(), "Exit");

    OpenThroughTheButton(archivePath_);
    EXPECT_EQ(openFilter_, "QuakeII PAK-Files (*.pak)");
    EXPECT_EQ(Find<QLabel>("FilesInLabel")->text(), "Files in small.pak");
    auto* list = Find<QListWidget>("EntryList");
    ASSERT_EQ(list->count(), static_cast<int>(entries_.size()));
    for (int i = 0; i < list->count(); ++i) {
        EXPECT_EQ(list->item(i)->text().toStdString(), entries_[static_cast<size_t>(i)].name);
    }
    EXPECT_TRUE(Find<QPushButton>("ExtractButton")->isEnabled());
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ArchiveBrowserTest, ChoosingAnEntryShowsNameOffsetAndSize) {
    OpenThroughTheButton(archivePath_);
    auto* list = Find<QListWidget>("EntryList");
    // The data lies after the 12-byte header in entry order.
    const std::tuple<int, const char*, const char*, const char*> cases[] = {
        {1, "Xounds_SHUFFLE.WAV", "17 Bytes", "256 Bytes"},
        {0, "readme.txt", "12 Bytes", "5 Bytes"},
        {2, "Xitmaps_Back_800x600.jpeg", "273 Bytes", "4 Bytes"},
    };
    for (const auto& [row, name, offset, size] : cases) {
        const QRect place = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
        EXPECT_EQ(Find<QLabel>("FilenameValue")->text(), name);
        EXPECT_EQ(Find<QLabel>("OffsetValue")->text(), offset);
        EXPECT_EQ(Find<QLabel>("SizeValue")->text(), size);
    }
    const std::string labels[] = {"Filename", "File offset in .pak", "Filesize"};
    for (const std::string& caption : labels) {
        bool found = false;
        for (const QLabel* label : browser_->findChildren<QLabel*>()) {
            found = found || label->text().toStdString() == caption;
        }
        EXPECT_TRUE(found) << caption;
    }
}

TEST_F(ArchiveBrowserTest, ExtractWritesTheEntryByteIdentical) {
    OpenThroughTheButton(archivePath_);
    Find<QListWidget>("EntryList")->setCurrentRow(1);
    saveAnswer_ = dir_.filePath("shuffle-copy.wav");
    Click("ExtractButton");
    EXPECT_EQ(saveTitle_, "Save recource-file");
    EXPECT_EQ(saveFilter_, "Recource-file (*.WAV)");
    EXPECT_TRUE(saveStart_.endsWith("/Xounds_SHUFFLE.WAV")) << saveStart_.toStdString();
    EXPECT_EQ(ReadFile(saveAnswer_), entries_[1].data);

    // The filter takes three characters of a longer extension.
    Find<QListWidget>("EntryList")->setCurrentRow(2);
    saveAnswer_ = dir_.filePath("back.jpe");
    Click("ExtractButton");
    EXPECT_EQ(saveFilter_, "Recource-file (*.jpe)");
    EXPECT_EQ(ReadFile(saveAnswer_), entries_[2].data);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ArchiveBrowserTest, CancelledDialogsChangeNothing) {
    OpenThroughTheButton("");
    EXPECT_EQ(Find<QListWidget>("EntryList")->count(), 0);
    EXPECT_FALSE(Find<QPushButton>("ExtractButton")->isEnabled());

    OpenThroughTheButton(archivePath_);
    Find<QListWidget>("EntryList")->setCurrentRow(0);
    saveAnswer_.clear();
    Click("ExtractButton");
    EXPECT_EQ(saveTitle_, "Save recource-file");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 1) << "only the archive itself";
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ArchiveBrowserTest, ADamagedArchiveIsReportedAndLeavesTheBrowserEmpty) {
    OpenThroughTheButton(archivePath_);
    // A directory that claims more entries than the file holds.
    std::vector<uint8_t> bytes = BuildPak(entries_);
    bytes[8] = 0x00;
    bytes[9] = 0x10;
    const std::string damaged = dir_.filePath("damaged.pak").toStdString();
    std::ofstream(damaged, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    OpenThroughTheButton(damaged);
    ASSERT_EQ(errors_.size(), 1U);
    EXPECT_TRUE(errors_[0].contains("damaged.pak")) << errors_[0].toStdString();
    EXPECT_EQ(Find<QListWidget>("EntryList")->count(), 0);
    EXPECT_FALSE(Find<QPushButton>("ExtractButton")->isEnabled());

    OpenThroughTheButton(dir_.filePath("missing.pak").toStdString());
    EXPECT_EQ(errors_.size(), 2U);
}

// A screen reader hears every control, empty and with an entry chosen, and the details with their captions.
TEST_F(ArchiveBrowserTest, EveryControlHasANameAndADescription) {
    QStringList missing = ControlsWithoutWords(*browser_);
    OpenThroughTheButton(archivePath_);
    Find<QListWidget>("EntryList")->setCurrentRow(0);
    missing << ControlsWithoutWords(*browser_);
    EXPECT_TRUE(missing.isEmpty()) << missing.join('\n').toStdString();
    const std::pair<const char*, const char*> details[] = {
        {"FilenameValue", "Filename: readme.txt"},
        {"OffsetValue", "File offset in .pak: 12 Bytes"},
        {"SizeValue", "Filesize: 5 Bytes"},
    };
    for (const auto& [name, heard] : details) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(Find<QLabel>(name));
        ASSERT_NE(face, nullptr) << name;
        EXPECT_EQ(face->text(QAccessible::Name).toStdString(), heard) << name;
    }
}

// Without the mouse: the standard keys open and extract, the arrows choose, Escape closes.
TEST_F(ArchiveBrowserTest, TheKeysStandInForTheButtons) {
    browser_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(browser_.get()));
    openAnswer_ = QString::fromStdString(archivePath_);
    PressKey(Qt::Key_O, Qt::ControlModifier);
    auto* list = Find<QListWidget>("EntryList");
    ASSERT_EQ(list->count(), static_cast<int>(entries_.size()));
    for (int i = 0; i < 10 && QApplication::focusWidget() != list; ++i) {
        PressKey(Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), list) << "Tab reaches the list";
    PressKey(Qt::Key_Home);
    PressKey(Qt::Key_Down);
    EXPECT_EQ(Find<QLabel>("FilenameValue")->text(), "Xounds_SHUFFLE.WAV");
    saveAnswer_ = dir_.filePath("shuffle-by-keys.wav");
    PressKey(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(saveAnswer_), entries_[1].data);
    PressKey(Qt::Key_Escape);
    EXPECT_FALSE(browser_->isVisible());
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ArchiveBrowserTest, ExitClosesTheWindow) {
    EXPECT_TRUE(browser_->isVisible());
    Click("ExitButton");
    EXPECT_FALSE(browser_->isVisible());
}

}  // namespace
