#include "dialog/startup_dialog_window.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialog/accessible_controls.h"
#include "dialog/dialog_text.h"
#include "dialog/startup_dialog_preview.h"
#include "dialog/startup_dialog_texts.h"
#include "i18n/language.h"

// Widgets are created with `new` and handed to a parent at once; the parent deletes them (Qt's
// ownership), so the pointers kept here never own anything.

namespace {

// Room for the deck page (options beside the preview); the long texts scroll.
constexpr int kDialogWidth = 780;
constexpr int kDialogHeight = 440;

QLabel* MakeWrappedLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

// Where the caption starts inside an option button, so the text beneath it can start there as well.
int CaptionIndent(const QAbstractButton* button, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(contents, &option, button).left();
}

// A long text a screen reader reads: the keys move a caret through it line by line.
QPlainTextEdit* MakeReadOnlyText(const QString& text, const QString& name, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Tab leaves the text for the next control instead of being typed into it.
    box->setTabChangesFocus(true);
    box->setPlainText(text);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setMinimumHeight(120);
    return box;
}

// A page taller than the dialog scrolls; the keyboard scrolls it by moving through its controls.
QScrollArea* Scrolled(QWidget* page) {
    auto* area = new QScrollArea;
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    area->viewport()->setAutoFillBackground(false);
    page->setAutoFillBackground(false);
    return area;
}

// A caption as a screen reader says it: without the & that marks its Alt letter.
QString WithoutMnemonic(QString caption) {
    return caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

}  // namespace

StartupDialog::StartupDialog(const GameOptions& preset, const QImage& roya2Preview,
                             const QImage& royalPreview, QWidget* parent)
    : QDialog(parent),
      preset_(preset),
      options_(preset),
      roya2Preview_(roya2Preview),
      royalPreview_(royalPreview) {
    setWindowTitle(startup_texts::DialogCaption());
    setModal(true);
    // The window's own margins; the contents inside have none of their own.
    new QVBoxLayout(this);
    MakeContents();
    PresetControls();
    resize(kDialogWidth, kDialogHeight);
}

StartupDialog::~StartupDialog() = default;

void StartupDialog::MakeContents() {
    contents_ = new QWidget(this);
    tabs_ = new QTabWidget(contents_);
    tabs_->setObjectName(QStringLiteral("Tabs"));
    const QStringList captions = startup_texts::TabCaptions();
    tabs_->addTab(MakeDeckPage(roya2Preview_, royalPreview_), captions[0]);
    tabs_->addTab(MakeKeysPage(), captions[1]);
    tabs_->addTab(MakeRulesPage(), captions[2]);
    tabs_->addTab(MakeCreditsPage(), captions[3]);
    tabs_->addTab(MakeLicencePage(), captions[4]);
    tabs_->addTab(MakeOptionsPage(), captions[5]);
    tabs_->setCurrentIndex(0);
    currentTab_ = 0;
    const QStringList tips = startup_texts::TabDescriptions();
    for (int i = 0; i < tips.size(); ++i) {
        tabs_->setTabToolTip(i, tips[i]);
    }
    Describe(tabs_, startup_texts::TabsName(), startup_texts::TabsDescription());
    connect(tabs_, &QTabWidget::currentChanged, this, &StartupDialog::OnTabChanged);

    auto* version = new QLabel(startup_texts::VersionText(), contents_);
    version->setObjectName(QStringLiteral("VersionLabel"));
    auto* exitButton = new QPushButton(startup_texts::ExitButton(), contents_);
    exitButton->setObjectName(QStringLiteral("ExitButton"));
    exitButton->setAutoDefault(false);
    Describe(exitButton, startup_texts::ExitButton(), startup_texts::ExitDescription());
    auto* startButton = new QPushButton(startup_texts::StartButton(), contents_);
    startButton->setObjectName(QStringLiteral("StartButton"));
    startButton->setDefault(true);
    Describe(startButton, startup_texts::StartButton(), startup_texts::StartDescription());
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(startButton, &QPushButton::clicked, this, &StartupDialog::OnStart);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(version);
    buttons->addStretch(1);
    buttons->addWidget(exitButton);
    buttons->addWidget(startButton);

    auto* column = new QVBoxLayout(contents_);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(tabs_, 1);
    column->addLayout(buttons);
    QDialog::layout()->addWidget(contents_);
    if (offer_) {
        MakeMatchPanel();
    }
}

void StartupDialog::RemakeContents() {
    // Every choice lives in a button or the tab row; the new contents take them over by name.
    std::vector<std::pair<QString, bool>> checked;
    for (const QAbstractButton* button : contents_->findChildren<QAbstractButton*>()) {
        if (button->isCheckable() && !button->objectName().isEmpty()) {
            checked.emplace_back(button->objectName(), button->isChecked());
        }
    }
    const int tab = tabs_->currentIndex();
    const SpokenPlayChoice spokenPlay = SpokenPlay();

    QDialog::layout()->removeWidget(contents_);
    contents_->hide();
    contents_->setParent(nullptr);
    formerContents_.reset(contents_);
    MakeContents();

    for (const auto& [name, isChecked] : checked) {
        auto* button = contents_->findChild<QAbstractButton*>(name);
        // A radio button is only ever switched on: that switches its group's others off.
        if (button != nullptr && (isChecked || qobject_cast<QRadioButton*>(button) == nullptr)) {
            button->setChecked(isChecked);
        }
    }
    SetSpokenPlay(spokenPlay);
    tabs_->setCurrentIndex(tab);
}

void StartupDialog::SetLanguageSetting(const std::string& setting) {
    // A language this version does not list stands for the desktop's, as the settings read it.
    const int index = std::max(0, language_->findData(QString::fromStdString(setting)));
    languageSetting_ = language_->itemData(index).toString().toStdString();
    const QSignalBlocker quiet(language_);
    language_->setCurrentIndex(index);
}

void StartupDialog::SetLanguageSwitch(std::function<void(const std::string&)> useLanguage) {
    useLanguage_ = std::move(useLanguage);
}

void StartupDialog::OnLanguageChosen(int index) {
    languageSetting_ = language_->itemData(index).toString().toStdString();
    if (useLanguage_) {
        useLanguage_(languageSetting_);
    }
    RemakeContents();
}

QWidget* StartupDialog::MakeDeckPage(const QImage& roya2Preview, const QImage& royalPreview) {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(0, 1);
    grid->setVerticalSpacing(4);

    deckGroup_ = new QButtonGroup(page);
    // Options in the order the page lists them; 3 and 1 exist but stay hidden, as no deck of
    // pictures comes with the program for them.
    QFont bold = page->font();
    bold.setBold(true);
    // The captions have the room beside the pictures that the widest English one takes; a longer
    // translation is written below that width, in lines, beside a button of its own.
    const QFontMetrics boldMetrics(bold);
    int room = 0;
    for (int option = 1; option <= 4; ++option) {
        room = std::max(room, boldMetrics.horizontalAdvance(startup_texts::EnglishDeckCaption(option)));
    }
    int row = 0;
    for (const int option : {2, 4, 3, 1}) {
        const QString caption = startup_texts::DeckCaption(option);
        const bool fits = boldMetrics.horizontalAdvance(caption) <= room;
        auto* button = new QRadioButton(fits ? caption : QString(), page);
        button->setObjectName(QStringLiteral("DeckOption%1").arg(option));
        button->setFont(bold);
        QLabel* longCaption = nullptr;
        if (fits) {
            grid->addWidget(button, row++, 0);
        } else {
            longCaption = MakeWrappedLabel(caption, QStringLiteral("DeckCaption%1").arg(option), page);
            longCaption->setFont(bold);
            longCaption->setBuddy(button);
            longCaption->installEventFilter(this);
            auto* line = new QHBoxLayout;
            line->setSpacing(style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button));
            line->addWidget(button, 0, Qt::AlignTop);
            line->addWidget(longCaption, 1);
            grid->addLayout(line, row++, 0);
        }
        auto* description = new QLabel(startup_texts::DeckDescription(option), page);
        Describe(button, caption, description->text());
        description->setObjectName(QStringLiteral("DeckDescription%1").arg(option));
        description->setContentsMargins(CaptionIndent(button, QStyle::SE_RadioButtonContents), 0, 0, 10);
        deckGroup_->addButton(button, option);
        grid->addWidget(description, row++, 0);
        deckOption_[static_cast<std::size_t>(option)] = button;
        connect(button, &QRadioButton::toggled, this, [this, option](bool checked) {
            if (checked) {
                OnDeckOptionChosen(option);
            }
        });
        if (option == 1 || option == 3) {
            button->hide();
            description->hide();
            if (longCaption != nullptr) {
                longCaption->hide();
            }
        }
    }

    windowed_ = new QCheckBox(startup_texts::Windowed(), page);
    windowed_->setObjectName(QStringLiteral("Windowed"));
    windowed_->hide();
    useVidMem_ = new QCheckBox(startup_texts::UseVidMem(), page);
    useVidMem_->setObjectName(QStringLiteral("UseVidMem"));
    useVidMem_->hide();
    grid->addWidget(windowed_, row++, 0);
    grid->addWidget(useVidMem_, row++, 0);
    grid->setRowStretch(row, 1);

    // Picture 0 is the "Royal" deck, picture 1 "Roya2", picture 2 the deck of option 3 (none ships).
    const std::array<QImage, 3> pictures = {royalPreview, roya2Preview, DrawDeckPreview({})};
    for (std::size_t i = 0; i < deckPicture_.size(); ++i) {
        auto* picture = new QLabel(page);
        picture->setObjectName(QStringLiteral("DeckPicture%1").arg(i));
        picture->setPixmap(QPixmap::fromImage(pictures[i]));
        picture->setFixedSize(kPreviewWidth, kPreviewHeight);
        picture->hide();
        grid->addWidget(picture, 0, 1, row + 1, 1, Qt::AlignTop | Qt::AlignRight);
        deckPicture_[i] = picture;
    }
    return page;
}

QWidget* StartupDialog::MakeKeysPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(14);
    const QStringList labels = startup_texts::KeysLabels() + startup_texts::PlayAidKeysLabels() +
                               startup_texts::SpokenPlayKeysLabels();
    for (int i = 0; i < labels.size(); ++i) {
        QLabel* label = MakeWrappedLabel(labels[i], QStringLiteral("KeysLabel%1").arg(i), page);
        MakeReadable(label, startup_texts::KeysEntryDescription());
        layout->addWidget(label);
    }
    layout->addStretch(1);
    return Scrolled(page);
}

QWidget* StartupDialog::MakeRulesPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    QPlainTextEdit* text = MakeReadOnlyText(startup_texts::RulesText(), QStringLiteral("RulesText"), page);
    Describe(text, startup_texts::TabCaptions()[2], startup_texts::RulesDescription());
    layout->addWidget(text);
    return page;
}

QWidget* StartupDialog::MakeCreditsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(10);
    const QStringList labels = startup_texts::CreditsLabels();
    for (int i = 0; i < labels.size(); ++i) {
        QLabel* label = MakeWrappedLabel(labels[i], QStringLiteral("CreditsLabel%1").arg(i), page);
        label->setTextFormat(Qt::RichText);
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        MakeReadable(label, startup_texts::CreditsLineDescription());
        connect(label, &QLabel::linkActivated, this, [this](const QString&) { OnCreditsLink(); });
        layout->addWidget(label);
    }
    layout->addStretch(1);
    return page;
}

QWidget* StartupDialog::MakeLicencePage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    QPlainTextEdit* text =
        MakeReadOnlyText(startup_texts::LicenceText(), QStringLiteral("LicenceText"), page);
    Describe(text, startup_texts::TabCaptions()[4], startup_texts::LicenceDescription());
    layout->addWidget(text);
    return page;
}

QWidget* StartupDialog::MakeOptionsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(4);

    auto addOption = [&](QCheckBox*& box, const QString& caption, const QString& name,
                         const QString& explanation, const QString& explanationName) {
        box = new QCheckBox(caption, page);
        box->setObjectName(name);
        QLabel* label = MakeWrappedLabel(explanation, explanationName, page);
        label->setContentsMargins(CaptionIndent(box, QStyle::SE_CheckBoxContents), 0, 0, 12);
        Describe(box, caption, explanation);
        layout->addWidget(box);
        layout->addWidget(label);
        return label;
    };
    QLabel* sevenExplanation =
        addOption(sevenOfHeartsLead_, startup_texts::SevenOfHeartsLead(), QStringLiteral("SevenOfHeartsLead"),
                  startup_texts::SevenOfHeartsExplanation(), QStringLiteral("SevenOfHeartsExplanation"));
    addOption(partnershipGame_, startup_texts::PartnershipGame(), QStringLiteral("PartnershipGame"),
              startup_texts::PartnershipExplanation(), QStringLiteral("PartnershipExplanation"));
    addOption(slowAnimation_, startup_texts::SlowAnimation(), QStringLiteral("SlowAnimation"),
              startup_texts::SlowAnimationExplanation(), QStringLiteral("SlowAnimationExplanation"));
    addOption(expertPlayers_, startup_texts::ExpertPlayers(), QStringLiteral("ExpertPlayers"),
              startup_texts::ExpertPlayersExplanation(), QStringLiteral("ExpertPlayersExplanation"));
    sevenOfHeartsLead_->hide();
    sevenExplanation->hide();

    // The rules options keep their own group, apart from the deck options.
    auto* rules = new QButtonGroup(page);
    reglesFrancaises_ = new QRadioButton(startup_texts::ReglesFrancaises(), page);
    reglesFrancaises_->setObjectName(QStringLiteral("ReglesFrancaises"));
    reguasPortuguese_ = new QRadioButton(startup_texts::ReguasPortuguese(), page);
    reguasPortuguese_->setObjectName(QStringLiteral("ReguasPortuguese"));
    rules->addButton(reglesFrancaises_);
    rules->addButton(reguasPortuguese_);
    reglesFrancaises_->hide();
    reguasPortuguese_->hide();
    layout->addWidget(reglesFrancaises_);
    layout->addWidget(reguasPortuguese_);

    // Made in the order they are seen, which is the order Tab goes through them.
    QWidget* spokenPlay = MakeSpokenPlayGroup(page);

    auto* languageRow = new QHBoxLayout;
    // TRANSLATORS: before the list of languages on the Options tab.
    auto* languageLabel = new QLabel(TrQ("Language:"), page);
    languageLabel->setObjectName(QStringLiteral("LanguageLabel"));
    language_ = MakeLanguageChoice(page);
    languageLabel->setBuddy(language_);
    Describe(language_, languageLabel->text(), startup_texts::LanguageDescription());
    languageRow->addWidget(languageLabel);
    languageRow->addWidget(language_);
    languageRow->addStretch(1);
    layout->addSpacing(8);
    layout->addWidget(spokenPlay);
    layout->addSpacing(8);
    layout->addLayout(languageRow);
    layout->addStretch(1);
    return Scrolled(page);
}

QWidget* StartupDialog::MakeSpokenPlayGroup(QWidget* parent) {
    auto* group = new QGroupBox(startup_texts::SpokenPlayGroup(), parent);
    group->setObjectName(QStringLiteral("SpokenPlayGroup"));
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(3, 1);

    spokenPlay_ = new QCheckBox(startup_texts::SpokenPlay(), group);
    spokenPlay_->setObjectName(QStringLiteral("SpokenPlay"));
    QLabel* explanation = MakeWrappedLabel(startup_texts::SpokenPlayExplanation(),
                                           QStringLiteral("SpokenPlayExplanation"), group);
    explanation->setContentsMargins(CaptionIndent(spokenPlay_, QStyle::SE_CheckBoxContents), 0, 0, 6);
    Describe(spokenPlay_, WithoutMnemonic(spokenPlay_->text()), explanation->text());
    // F2 switches spoken play from anywhere in the dialog, as it does at the table.
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, spokenPlay_,
            &QCheckBox::toggle);
    grid->addWidget(spokenPlay_, 0, 0, 1, 4);
    grid->addWidget(explanation, 1, 0, 1, 4);

    auto* verbosityLabel = new QLabel(startup_texts::SpeechVerbosity(), group);
    verbosityLabel->setObjectName(QStringLiteral("SpeechVerbosityLabel"));
    speechVerbosity_ = new QComboBox(group);
    speechVerbosity_->setObjectName(QStringLiteral("SpeechVerbosity"));
    // The items' order is the level's number: 0 terse, 1 normal, 2 detailed.
    speechVerbosity_->addItems(startup_texts::SpeechVerbosityLevels());
    speechVerbosity_->setCurrentIndex(SpokenPlayChoice().verbosity);
    verbosityLabel->setBuddy(speechVerbosity_);
    Describe(speechVerbosity_, WithoutMnemonic(verbosityLabel->text()),
             startup_texts::SpeechVerbosityDescription());
    grid->addWidget(verbosityLabel, 2, 0);
    grid->addWidget(speechVerbosity_, 2, 1, 1, 3, Qt::AlignLeft);

    auto* rateLabel = new QLabel(startup_texts::SpeechRate(), group);
    rateLabel->setObjectName(QStringLiteral("SpeechRateLabel"));
    auto* slower = new QLabel(startup_texts::SpeechRateSlower(), group);
    slower->setObjectName(QStringLiteral("SpeechRateSlower"));
    speechRate_ = new QSlider(Qt::Horizontal, group);
    speechRate_->setObjectName(QStringLiteral("SpeechRate"));
    // The voice's own rate in the middle; the arrows move by a tenth of each half, Page Up and Down by half.
    speechRate_->setRange(-100, 100);
    speechRate_->setSingleStep(10);
    speechRate_->setPageStep(50);
    speechRate_->setTickInterval(50);
    speechRate_->setTickPosition(QSlider::TicksBelow);
    speechRate_->setMinimumWidth(200);
    speechRate_->setValue(SpokenPlayChoice().rate);
    auto* faster = new QLabel(startup_texts::SpeechRateFaster(), group);
    faster->setObjectName(QStringLiteral("SpeechRateFaster"));
    rateLabel->setBuddy(speechRate_);
    Describe(speechRate_, WithoutMnemonic(rateLabel->text()), startup_texts::SpeechRateDescription());
    grid->addWidget(rateLabel, 3, 0);
    auto* rateRow = new QHBoxLayout;
    rateRow->addWidget(slower);
    rateRow->addWidget(speechRate_);
    rateRow->addWidget(faster);
    grid->addLayout(rateRow, 3, 1, 1, 3, Qt::AlignLeft);
    return group;
}

void StartupDialog::SetSpokenPlay(const SpokenPlayChoice& choice) {
    spokenPlay_->setChecked(choice.on);
    speechVerbosity_->setCurrentIndex(std::clamp(choice.verbosity, 0, speechVerbosity_->count() - 1));
    speechRate_->setValue(choice.rate);
}

SpokenPlayChoice StartupDialog::SpokenPlay() const {
    return {.on = spokenPlay_->isChecked(),
            .verbosity = speechVerbosity_->currentIndex(),
            .rate = speechRate_->value()};
}

QComboBox* StartupDialog::MakeLanguageChoice(QWidget* parent) {
    auto* choice = new QComboBox(parent);
    choice->setObjectName(QStringLiteral("Language"));
    // TRANSLATORS: the first choice of the list of languages: the language the desktop is set to.
    choice->addItem(TrQ("The desktop's language"), QString());
    // Each language by its own name, as its speakers look for it.
    for (const ShippedLanguage& language : ShippedLanguages()) {
        choice->addItem(QString::fromUtf8(language.name), QString::fromUtf8(language.code));
    }
    choice->addItem(QStringLiteral("English"), QStringLiteral("en"));
    const int index = choice->findData(QString::fromStdString(languageSetting_));
    choice->setCurrentIndex(index < 0 ? 0 : index);
    connect(choice, &QComboBox::currentIndexChanged, this, &StartupDialog::OnLanguageChosen);
    return choice;
}

void StartupDialog::PresetControls() {
    deckOption_[preset_.DeckName == "Royal" ? 4 : 2]->setChecked(true);
    partnershipGame_->setChecked(preset_.Partnership);
    slowAnimation_->setChecked(preset_.SlowAnimation);
    expertPlayers_->setChecked(preset_.Players == PlayerLevel::Expert);
    // The controls the player cannot see keep the values a run without options gets.
    const GameOptions design;
    windowed_->setChecked(!design.FullScreen);
    useVidMem_->setChecked(design.UseVidMem);
    sevenOfHeartsLead_->setChecked(design.SevenOfHeartsLead);
    (design.PortugueseRules ? reguasPortuguese_ : reglesFrancaises_)->setChecked(true);
}

bool StartupDialog::eventFilter(QObject* watched, QEvent* event) {
    // A deck's caption written in lines beside its button chooses the deck as the button's own would.
    const auto* caption = qobject_cast<QLabel*>(watched);
    if (caption != nullptr && event->type() == QEvent::MouseButtonRelease) {
        if (auto* button = qobject_cast<QAbstractButton*>(caption->buddy())) {
            button->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void StartupDialog::OnTabChanged(int index) {
    // The tab widget shows exactly the page of the selected tab; only the index is kept here.
    currentTab_ = index;
}

void StartupDialog::OnDeckOptionChosen(int option) {
    switch (option) {
        case 2:
            deckPicture_[1]->show();
            deckPicture_[0]->hide();
            break;
        case 4:
            deckPicture_[0]->show();
            deckPicture_[1]->hide();
            break;
        case 3:
            deckPicture_[2]->show();
            deckPicture_[1]->hide();
            break;
        default:
            break;
    }
}

void StartupDialog::FillOptions(GameOptions& options) const {
    const GameOptions design;
    // A hidden control changed from its design value decides; otherwise the command line's choice
    // (the design value when it made none) stands.
    auto hidden = [](bool fromControl, bool fromCommandLine, bool designValue) {
        return fromControl != designValue ? fromControl : fromCommandLine;
    };
    options.UseVidMem = hidden(useVidMem_->isChecked(), preset_.UseVidMem, design.UseVidMem);
    options.FullScreen = hidden(!windowed_->isChecked(), preset_.FullScreen, design.FullScreen);
    if (deckOption_[2]->isChecked()) {
        options.DeckName = "Roya2";
        options.Resolution = "800x600";
    }
    if (deckOption_[4]->isChecked()) {
        options.DeckName = "Royal";
        options.Resolution = "800x600";
    }
    options.SevenOfHeartsLead =
        hidden(sevenOfHeartsLead_->isChecked(), preset_.SevenOfHeartsLead, design.SevenOfHeartsLead);
    // The visible boxes start from the command line, so writing them both ways keeps its choice unless
    // the player changed it here.
    options.Partnership = partnershipGame_->isChecked();
    options.SlowAnimation = slowAnimation_->isChecked();
    options.Players = expertPlayers_->isChecked() ? PlayerLevel::Expert : PlayerLevel::Classic;
    options.PortugueseRules =
        hidden(reguasPortuguese_->isChecked(), preset_.PortugueseRules, design.PortugueseRules);
    ApplyRules(options);
    ApplyResolution(options);
}

void StartupDialog::OnStart() {
    endOnUnload_ = false;
    FillOptions(options_);
    accept();
}

void StartupDialog::OnCreditsLink() {
    QMessageBox::information(this, windowTitle(), startup_texts::WebBrowserNote(), QMessageBox::Ok);
}
