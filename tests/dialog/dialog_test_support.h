#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QStringList>
#include <QTemporaryDir>

#include "archive/pak_writer.h"
#include "archive/resource_set.h"
#include "cards/game_options.h"

// Shared helpers of the dialog tests: a Qt application for the widget tests, pictures and archives
// made on the spot, and a readable comparison of options records.

// Arguments for a QApplication; they live as long as the test program.
int& TestArgc();
char** TestArgv();

// A Qt application for one test; the tests of the entry points make their own instead.
class QtAppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<QApplication> app_;
};

// A BMP picture of the card size in one colour, with a border of the key colour (magenta) that the
// dialog must turn transparent.
std::vector<uint8_t> MakeCardBmp(const QColor& colour);

// Entries for both decks' preview cards: "Roya2" cards red, "Royal" cards blue.
std::vector<PakInput> MakeDeckEntries();

// Writes the archive into `dir` and returns its path.
std::string WriteArchive(const QTemporaryDir& dir, const std::string& name,
                         const std::vector<PakInput>& entries);

// The entry points' tests: the decks' preview archive written to a folder of the test's and read as
// the game reads it; no Qt application exists around them (the entry points make their own).
class DeckArchiveTest : public ::testing::Test {
protected:
    void SetUp() override;

    QTemporaryDir dir_;
    ResourceSet resources_;
};

// Every field of two options records, so a failing comparison names the field.
void ExpectSameOptions(const GameOptions& actual, const GameOptions& expected);

// The controls of `window` a keyboard reaches (shown, taking the focus with Tab) whose accessible name
// or description is empty, as a screen reader gets them through Qt's accessibility (so a buddy label
// counts for a name), each as "class objectName: what is missing".
QStringList ControlsWithoutWords(const QWidget& window);

// The keys pressed where the keyboard focus is, as a player would type them; fails the test when no
// widget has the focus.
void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
