#include <gtest/gtest.h>

#include "dialog_test_support.h"

#include <QAccessible>
#include <QBuffer>
#include <QImage>
#include <QTest>

#include "archive/pak_archive.h"
#include "dialog/startup_dialog_preview.h"

int& TestArgc() {
    static int argc = 1;
    return argc;
}

char** TestArgv() {
    static char name[] = "dialog_test";
    static char* argv[] = {name, nullptr};
    return argv;
}

void QtAppTest::SetUp() {
    app_ = std::make_unique<QApplication>(TestArgc(), TestArgv());
}

void QtAppTest::TearDown() {
    app_.reset();
}

std::vector<uint8_t> MakeCardBmp(const QColor& colour) {
    QImage card(99, 153, QImage::Format_RGB32);
    card.fill(QColor(255, 0, 255));
    for (int y = 4; y < card.height() - 4; ++y) {
        for (int x = 4; x < card.width() - 4; ++x) {
            card.setPixelColor(x, y, colour);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    card.save(&buffer, "BMP");
    return {bytes.begin(), bytes.end()};
}

std::vector<PakInput> MakeDeckEntries() {
    std::vector<PakInput> entries;
    for (const std::string& name : PreviewCardNames()) {
        entries.push_back({"Xoya2_" + name, MakeCardBmp(QColor(220, 20, 20))});
        entries.push_back({"Xoyal_" + name, MakeCardBmp(QColor(20, 20, 220))});
    }
    return entries;
}

std::string WriteArchive(const QTemporaryDir& dir, const std::string& name,
                         const std::vector<PakInput>& entries) {
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    WritePak(path, entries);
    return path;
}

void ExpectSameOptions(const GameOptions& actual, const GameOptions& expected) {
    EXPECT_EQ(actual.PakFileName, expected.PakFileName);
    EXPECT_EQ(actual.DeckName, expected.DeckName);
    EXPECT_EQ(actual.Resolution, expected.Resolution);
    EXPECT_EQ(actual.ScreenWidth, expected.ScreenWidth);
    EXPECT_EQ(actual.ScreenHeight, expected.ScreenHeight);
    EXPECT_EQ(actual.UseVidMem, expected.UseVidMem);
    EXPECT_EQ(actual.FullScreen, expected.FullScreen);
    EXPECT_EQ(actual.SevenOfHeartsLead, expected.SevenOfHeartsLead);
    EXPECT_EQ(actual.Partnership, expected.Partnership);
    EXPECT_EQ(actual.SlowAnimation, expected.SlowAnimation);
    EXPECT_EQ(actual.PortugueseRules, expected.PortugueseRules);
    EXPECT_EQ(actual.DealPacketSize, expected.DealPacketSize);
    EXPECT_EQ(actual.Players, expected.Players);
}

QStringList ControlsWithoutWords(const QWidget& window) {
    QStringList missing;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || (widget->focusPolicy() & Qt::TabFocus) == 0 ||
            widget->window() != &window) {
            continue;
        }
        const QString who = QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ') +
                            widget->objectName() + QStringLiteral(": ");
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        if (face == nullptr) {
            missing << who + QStringLiteral("no accessible interface");
            continue;
        }
        if (face->text(QAccessible::Name).trimmed().isEmpty()) {
            missing << who + QStringLiteral("no name");
        }
        // A row of tabs has no description of its own in Qt: each tab has its own (its tip).
        const bool tabRow = face->role() == QAccessible::PageTabList;
        for (int i = 0; tabRow && i < face->childCount(); ++i) {
            QAccessibleInterface* tab = face->child(i);
            if (tab->role() == QAccessible::PageTab &&
                tab->text(QAccessible::Description).trimmed().isEmpty()) {
                missing << who + QStringLiteral("no description for the tab ") + tab->text(QAccessible::Name);
            }
        }
        if (!tabRow && face->text(QAccessible::Description).trimmed().isEmpty()) {
            missing << who + QStringLiteral("no description");
        }
    }
    return missing;
}

void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "no widget has the keyboard focus";
    QTest::keyClick(focus, key, modifiers);
}

void DeckArchiveTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    PakArchive archive;
    archive.OpenQ2Pak(WriteArchive(dir_, "res118.pak", MakeDeckEntries()));
    resources_ = ResourceSet::FromArchive(archive);
}
