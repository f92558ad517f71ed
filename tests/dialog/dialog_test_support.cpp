#include <gtest/gtest.h>

#include "dialog_test_support.h"

#include <QBuffer>
#include <QImage>

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
