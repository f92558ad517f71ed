#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include <QString>
#include <QWidget>

class PakArchive;
class QLabel;
class QListWidget;
class QPushButton;

// The archive browser (zarn --pak-browser): opens a PACK archive, lists its entries, shows one
// entry's name, offset and size, and extracts an entry to a file.

// Runs the browser as its own Qt application until its window closes; returns the exit code. It speaks
// the language of `languageSetting` ("" the desktop's, "en" English, or a shipped language's code).
// Throws std::runtime_error when there is no display to show it on.
int RunArchiveBrowser(int& argc, char** argv, const std::string& languageSetting = {});

// The part of a path after the last "/" and then after the last "\".
std::string GetFileName(const std::string& path);

// Up to three characters after the last "." of the file name; empty when the name has no ".".
std::string GetFileExtension(const std::string& path);

// The file dialogs and error box the browser asks through, replaceable so tests can answer them.
struct ArchiveBrowserDialogs {
    // The archive to open; empty when the player cancels.
    std::function<QString(QWidget* parent, const QString& filter)> askOpenPath;
    // Where to save an entry; empty when the player cancels.
    std::function<QString(QWidget* parent, const QString& title, const QString& startPath,
                          const QString& filter)>
        askSavePath;
    std::function<void(QWidget* parent, const QString& text)> showError;
};

// The standard Qt file dialogs and a warning box.
ArchiveBrowserDialogs StandardArchiveBrowserDialogs();

// The browser window. Controls carry object names for tests: "OpenButton", "FilesInLabel",
// "EntryList", "FilenameValue", "OffsetValue", "SizeValue", "ExtractButton", "ExitButton". Every control
// has an accessible name and description for screen readers, and the keys stand in for the buttons:
// the standard keys to open (Ctrl+O) and to save (Ctrl+S, which extracts), and Escape closes the window.
class ArchiveBrowser final : public QWidget {
    Q_OBJECT

public:
    explicit ArchiveBrowser(ArchiveBrowserDialogs dialogs = StandardArchiveBrowserDialogs(),
                            QWidget* parent = nullptr);
    ~ArchiveBrowser() override;

    // Opens and lists an archive, as the open button does after its file dialog. False (and an
    // error shown) when the archive cannot be read; the browser is then empty.
    bool OpenArchive(const QString& path);

private:
    void OnOpenClicked();
    void OnEntryChosen(int row);
    void OnExtractClicked();
    void ClearDetails();

    ArchiveBrowserDialogs dialogs_;
    std::unique_ptr<PakArchive> archive_;
    QPushButton* openButton_ = nullptr;
    QLabel* filesIn_ = nullptr;
    QListWidget* entries_ = nullptr;
    QLabel* fileName_ = nullptr;
    QLabel* offset_ = nullptr;
    QLabel* size_ = nullptr;
    QPushButton* extractButton_ = nullptr;
    std::array<QString, 3> captions_;  // of the name, offset and size, which a screen reader says with them
};
