// The startup dialog's part about the player's own files: the saved match and the statistics.
#include <algorithm>

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialog/accessible_controls.h"
#include "dialog/dialog_text.h"
#include "dialog/startup_dialog_texts.h"
#include "dialog/startup_dialog_window.h"
#include "persistence/statistics.h"

namespace {

QString RulesLine(const SavedMatchSummary& m) {
    QStringList rules;
    // TRANSLATORS: the rules of a saved match, listed inside a sentence (after "keeps the rules it was
    // started with:").
    rules << (m.Partnership ? TrQ("partnership game") : TrQ("playing alone"));
    rules << (m.FrenchRules ? TrQ("French rules") : TrQ("Portuguese rules"));
    if (m.SevenOfHeartsLead) {
        rules << TrQ("the seven of hearts leads");
    }
    // TRANSLATORS: {rules} is a list such as "partnership game, French rules".
    return FillQ(Tr("A resumed match keeps the rules it was started with: {rules}. The deck may change."),
                 {{"rules", rules.join(QStringLiteral(", ")).toStdString()}});
}

QString MatchLine(const SavedMatchSummary& m) {
    QStringList totals;
    for (size_t seat = 0; seat < m.Totals.size(); ++seat) {
        totals << QStringLiteral("%1 %2")
                      .arg(QString::fromStdString(m.Names[seat]).trimmed())
                      .arg(m.Totals[seat]);
    }
    return startup_texts::SavedMatchLine(m.ContractNumber, m.KingdomOwnerSeat,
                                         QString::fromStdString(m.KingdomOwner).trimmed(),
                                         totals.join(QStringLiteral(", ")));
}

}  // namespace

void StartupDialog::AddMatchPanel(const MatchOffer& offer) {
    offer_ = offer;
    MakeMatchPanel();
}

void StartupDialog::MakeMatchPanel() {
    const MatchOffer& offer = *offer_;
    auto* top = qobject_cast<QVBoxLayout*>(contents_->layout());
    int at = 0;
    if (!offer.notice.empty()) {
        auto* notice = new QLabel(QString::fromStdString(offer.notice), contents_);
        notice->setObjectName(QStringLiteral("FilesNotice"));
        notice->setWordWrap(true);
        // TRANSLATORS: what a screen reader says about the notice of damaged files above the tabs.
        MakeReadable(notice, TrQ("What happened to your files."));
        top->insertWidget(at++, notice);
    }
    if (offer.savedMatch) {
        auto* box = new QGroupBox(TrQ("Saved match"), contents_);
        box->setObjectName(QStringLiteral("SavedMatch"));
        auto* column = new QVBoxLayout(box);
        auto* text = new QLabel(MatchLine(*offer.savedMatch), box);
        text->setObjectName(QStringLiteral("SavedMatchText"));
        text->setWordWrap(true);
        resumeMatch_ = new QRadioButton(TrQ("Resume the saved match"), box);
        resumeMatch_->setObjectName(QStringLiteral("ResumeMatch"));
        auto* newMatch = new QRadioButton(TrQ("Start a new match (the saved one counts as abandoned)"), box);
        newMatch->setObjectName(QStringLiteral("NewMatch"));
        auto* rules = new QLabel(RulesLine(*offer.savedMatch), box);
        rules->setObjectName(QStringLiteral("SavedMatchRules"));
        rules->setWordWrap(true);
        (offer.resumeByDefault ? resumeMatch_ : newMatch)->setChecked(true);
        Describe(resumeMatch_, resumeMatch_->text(), text->text() + QLatin1Char(' ') + rules->text());
        Describe(newMatch, newMatch->text(),
                 // TRANSLATORS: what a screen reader says about the choice to start a new match.
                 TrQ("The new match is played with the choices of this window."));
        column->addWidget(text);
        column->addWidget(resumeMatch_);
        column->addWidget(newMatch);
        column->addWidget(rules);
        top->insertWidget(at, box);
    }

    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* table = new QWidget(page);
    table->setObjectName(QStringLiteral("StatisticsTable"));
    statisticsTable_ = new QFormLayout(table);
    column->addWidget(table);
    column->addStretch(1);
    auto* reset = new QPushButton(TrQ("Reset statistics"), page);
    reset->setObjectName(QStringLiteral("ResetStatistics"));
    reset->setAutoDefault(false);
    Describe(reset, reset->text(),
             // TRANSLATORS: what a screen reader says about the "Reset statistics" button.
             TrQ("Forgets every recorded match, after asking."));
    connect(reset, &QPushButton::clicked, this, &StartupDialog::OnResetStatistics);
    column->addWidget(reset, 0, Qt::AlignLeft);
    // TRANSLATORS: a tab caption, beside Deck, Keys, Rules, Credits, Licence and Options.
    const int tab = tabs_->addTab(page, TrQ("Statistics"));
    // TRANSLATORS: the tip of the Statistics tab, which a screen reader also says.
    tabs_->setTabToolTip(tab, TrQ("Your recorded matches."));
    statisticsFile_ = offer.statisticsFile;
    ShowStatistics(offer.records);
}

bool StartupDialog::ResumeChosen() const {
    return resumeMatch_ != nullptr && resumeMatch_->isChecked();
}

void StartupDialog::ShowStatistics(const std::vector<MatchRecord>& records) {
    while (statisticsTable_->rowCount() > 0) {
        statisticsTable_->removeRow(0);
    }
    int row = 0;
    for (const auto& [caption, value] : StatisticsRows(records)) {
        auto* label = new QLabel;
        label->setObjectName(QStringLiteral("StatisticsValue%1").arg(row++));
        ShowValue(label, QString::fromStdString(caption), QString::fromStdString(value));
        // TRANSLATORS: what a screen reader says about each figure of the Statistics tab.
        MakeReadable(label, TrQ("A figure of your recorded matches."));
        // TRANSLATORS: a row caption of the statistics table followed by its colon.
        statisticsTable_->addRow(FillQ(Tr("{caption}:"), {{"caption", caption}}), label);
    }
}

void StartupDialog::OnResetStatistics() {
    const auto answer =
        QMessageBox::question(this, windowTitle(), TrQ("Forget every recorded match? This cannot be undone."),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        return;
    }
    std::string error;
    if (!statisticsFile_.empty() && !ResetStatistics(statisticsFile_, &error)) {
        QMessageBox::warning(this, windowTitle(),
                             FillQ(Tr("The statistics were not reset: {reason}"), {{"reason", error}}));
        return;
    }
    offer_->records.clear();
    ShowStatistics({});
}
