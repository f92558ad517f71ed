#include "dialog/archive_browser.h"

#include <exception>

#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "archive/pak_archive.h"
#include "dialog/accessible_controls.h"
#include "dialog/dialog_language.h"
#include "dialog/dialog_qt_app.h"
#include "dialog/dialog_text.h"

// Widgets are created with `new` and handed to a parent at once; the parent deletes them (Qt's
// ownership), so the pointers kept here never own anything.

namespace {

QString BrowserTitle() {
    return TrQ("Zarn archive browser");
}

QString PakFilter() {
    // TRANSLATORS: a file type in the file dialog; {pattern} is the file-name pattern (*.pak).
    return FillQ(Tr("QuakeII PAK-Files ({pattern})"), {{"pattern", "*.pak"}});
}

QString BytesText(long long value) {
    const unsigned long count = value < 0 ? 0UL : static_cast<unsigned long>(value);
    // TRANSLATORS: the size or place of a file in the archive; {count} is a number of bytes.
    const std::string pattern = TrPlural("{count} Bytes", "{count} Bytes", count);
    return QString::fromStdString(FillText(pattern, {{"count", std::to_string(value)}}));
}

// The name of a key combination as the desktop writes it ("Ctrl+O").
std::string KeyName(QKeySequence::StandardKey key) {
    return QKeySequence(key).toString(QKeySequence::NativeText).toStdString();
}

}  // namespace

std::string GetFileName(const std::string& path) {
    std::string name = path;
    if (const auto slash = name.rfind('/'); slash != std::string::npos) {
        name = name.substr(slash + 1);
    }
    if (const auto backslash = name.rfind('\\'); backslash != std::string::npos) {
        name = name.substr(backslash + 1);
    }
    return name;
}

std::string GetFileExtension(const std::string& path) {
    // Only the file name counts, so a dot in a folder name is no extension.
    const std::string name = GetFileName(path);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) {
        return {};
    }
    return name.substr(dot + 1, 3);
}

ArchiveBrowserDialogs StandardArchiveBrowserDialogs() {
    ArchiveBrowserDialogs dialogs;
    dialogs.askOpenPath = [](QWidget* parent, const QString& filter) {
        return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    };
    dialogs.askSavePath = [](QWidget* parent, const QString& title, const QString& startPath,
                             const QString& filter) {
        return QFileDialog::getSaveFileName(parent, title, startPath, filter);
    };
    dialogs.showError = [](QWidget* parent, const QString& text) {
        QMessageBox::warning(parent, BrowserTitle(), text, QMessageBox::Ok);
    };
    return dialogs;
}

ArchiveBrowser::ArchiveBrowser(ArchiveBrowserDialogs dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(std::move(dialogs)) {
    setWindowTitle(BrowserTitle());

    openButton_ = new QPushButton(TrQ("Open .pak-file"), this);
    openButton_->setObjectName(QStringLiteral("OpenButton"));
    Describe(openButton_, openButton_->text(),
             // TRANSLATORS: what a screen reader says about the "Open .pak-file" button; {keys} is its key
             // combination, such as Ctrl+O.
             FillQ(Tr("Chooses an archive and lists its files. The keys {keys} do the same."),
                   {{"keys", KeyName(QKeySequence::Open)}}));
    filesIn_ = new QLabel(this);
    filesIn_->setObjectName(QStringLiteral("FilesInLabel"));
    entries_ = new QListWidget(this);
    entries_->setObjectName(QStringLiteral("EntryList"));
    QFont fixed = entries_->font();
    fixed.setFamily(QStringLiteral("DejaVu Sans Mono"));
    fixed.setStyleHint(QFont::Monospace);
    entries_->setFont(fixed);
    entries_->setMinimumWidth(320);
    filesIn_->setBuddy(entries_);
    Describe(entries_,
             // TRANSLATORS: what a screen reader calls the list of an archive's files.
             TrQ("The archive's files"),
             // TRANSLATORS: what a screen reader says about the list of an archive's files.
             TrQ("Choose a file with the arrow keys to see its name, offset and size."));

    // The details a screen reader reads with their captions, reached with Tab.
    auto makeValue = [this](const QString& name, const QString& description) {
        auto* value = new QLabel(this);
        value->setObjectName(name);
        MakeReadable(value, description);
        return value;
    };
    fileName_ = makeValue(QStringLiteral("FilenameValue"),
                          // TRANSLATORS: what a screen reader says about the chosen file's name in the
                          // archive browser.
                          TrQ("The name of the chosen file in the archive."));
    // TRANSLATORS: what a screen reader says about the chosen file's place in the archive browser.
    offset_ = makeValue(QStringLiteral("OffsetValue"), TrQ("Where the chosen file starts in the archive."));
    // TRANSLATORS: what a screen reader says about the chosen file's size in the archive browser.
    size_ = makeValue(QStringLiteral("SizeValue"), TrQ("The size of the chosen file."));

    extractButton_ = new QPushButton(TrQ("Extract file to folder"), this);
    extractButton_->setObjectName(QStringLiteral("ExtractButton"));
    extractButton_->setEnabled(false);
    Describe(extractButton_, extractButton_->text(),
             // TRANSLATORS: what a screen reader says about the "Extract file to folder" button; {keys} is
             // its key combination, such as Ctrl+S.
             FillQ(Tr("Saves the chosen file where you choose. The keys {keys} do the same."),
                   {{"keys", KeyName(QKeySequence::Save)}}));
    auto* exitButton = new QPushButton(TrQ("Exit"), this);
    exitButton->setObjectName(QStringLiteral("ExitButton"));
    Describe(exitButton, exitButton->text(),
             // TRANSLATORS: what a screen reader says about the archive browser's "Exit" button.
             TrQ("Closes the archive browser. The Escape key does the same."));

    auto* details = new QGridLayout;
    const std::pair<QLabel*, QString> rows[] = {
        {fileName_, TrQ("Filename")},
        {offset_, TrQ("File offset in .pak")},
        {size_, TrQ("Filesize")},
    };
    int row = 0;
    for (const auto& [value, caption] : rows) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(value);
        details->addWidget(label, row, 0);
        details->addWidget(value, row++, 1);
    }
    captions_ = {rows[0].second, rows[1].second, rows[2].second};
    ClearDetails();
    details->setColumnStretch(1, 1);
    details->setHorizontalSpacing(16);
    details->setRowStretch(3, 1);

    auto* side = new QVBoxLayout;
    side->addLayout(details, 1);
    side->addWidget(extractButton_);
    side->addWidget(exitButton);

    auto* body = new QHBoxLayout;
    body->addWidget(entries_, 1);
    body->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(openButton_);
    top->addWidget(filesIn_, 1);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    resize(640, 420);

    connect(openButton_, &QPushButton::clicked, this, &ArchiveBrowser::OnOpenClicked);
    connect(entries_, &QListWidget::currentRowChanged, this, &ArchiveBrowser::OnEntryChosen);
    connect(extractButton_, &QPushButton::clicked, this, &ArchiveBrowser::OnExtractClicked);
    connect(exitButton, &QPushButton::clicked, this, &QWidget::close);
    // The window has no default button of its own: the keys stand in for the buttons.
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, openButton_, &QPushButton::click);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, extractButton_,
            &QPushButton::click);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
}

ArchiveBrowser::~ArchiveBrowser() = default;

bool ArchiveBrowser::OpenArchive(const QString& path) {
    // TRANSLATORS: above the list of an archive's files; {archive} is the archive's file name.
    filesIn_->setText(FillQ(Tr("Files in {archive}"), {{"archive", GetFileName(path.toStdString())}}));
    entries_->clear();
    ClearDetails();
    extractButton_->setEnabled(false);
    archive_.reset();
    try {
        auto archive = std::make_unique<PakArchive>();
        archive->OpenQ2Pak(path.toStdString());
        for (int32_t id = 0; id <= archive->NumEntrys(); ++id) {
            entries_->addItem(QString::fromStdString(archive->EntryFileName(id)));
        }
        archive_ = std::move(archive);
    } catch (const std::exception& error) {
        entries_->clear();
        filesIn_->clear();
        dialogs_.showError(this, FillQ(Tr("Cannot open {path}: {reason}"),
                                       {{"path", path.toStdString()}, {"reason", error.what()}}));
        return false;
    }
    extractButton_->setEnabled(true);
    return true;
}

void ArchiveBrowser::OnOpenClicked() {
    const QString path = dialogs_.askOpenPath(this, PakFilter());
    if (!path.isEmpty()) {
        OpenArchive(path);
    }
}

void ArchiveBrowser::OnEntryChosen(int row) {
    if (!archive_ || row < 0 || row > archive_->NumEntrys()) {
        ClearDetails();
        return;
    }
    ShowValue(fileName_, captions_[0], QString::fromStdString(archive_->EntryFileName(row)));
    ShowValue(offset_, captions_[1], BytesText(archive_->EntryOffset(row)));
    ShowValue(size_, captions_[2], BytesText(archive_->EntrySize(row)));
}

void ArchiveBrowser::OnExtractClicked() {
    const int row = entries_->currentRow();
    // Nothing to extract until an entry is chosen in the list.
    if (!archive_ || row < 0 || row > archive_->NumEntrys()) {
        return;
    }
    const std::string name = archive_->EntryFileName(row);
    const QString extension = QString::fromStdString(GetFileExtension(name));
    // TRANSLATORS: a file type in the file dialog; {pattern} is the file-name pattern (*.bmp).
    const QString filter = FillQ(Tr("Recource-file ({pattern})"),
                                 {{"pattern", extension.isEmpty() ? "*" : "*." + extension.toStdString()}});
    const QString startPath =
        QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromStdString(name);
    const QString target = dialogs_.askSavePath(this, TrQ("Save recource-file"), startPath, filter);
    if (target.isEmpty()) {
        return;
    }
    try {
        archive_->SaveFileFromPAK(row, target.toStdString());
    } catch (const std::exception& error) {
        dialogs_.showError(this, FillQ(Tr("Cannot write {path}: {reason}"),
                                       {{"path", target.toStdString()}, {"reason", error.what()}}));
    }
}

void ArchiveBrowser::ClearDetails() {
    ShowValue(fileName_, captions_[0], {});
    ShowValue(offset_, captions_[1], {});
    ShowValue(size_, captions_[2], {});
}

int RunArchiveBrowser(int& argc, char** argv, const std::string& languageSetting) {
    const std::unique_ptr<QApplication> app = MakeQtApplication(argc, argv);
    DialogLanguage language;
    language.Use(languageSetting);
    int code = 0;
    {
        ArchiveBrowser browser;
        browser.show();
        code = QApplication::exec();
    }
    return code;
}
