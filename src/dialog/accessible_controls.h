#pragma once

#include <QString>

class QLabel;
class QWidget;

// What a screen reader hears about the dialog's and the browser's controls (Qt's accessibility, which
// reaches the desktop's screen reader over AT-SPI), and the labels it can reach from the keyboard.

// The control's accessible name (what it is) and description (what it does).
void Describe(QWidget* control, const QString& name, const QString& description);

// A label the keyboard reaches (a tab stop, its text selectable with the keys) so a screen reader
// reads it; its accessible name is its text.
void MakeReadable(QLabel* label, const QString& description);

// A value shown beside its caption, readable as above: it shows `text`, and a screen reader hears the
// caption with it ("Filesize: 12 Bytes"), or the caption alone while there is no value. Called again
// for each new value.
void ShowValue(QLabel* value, const QString& caption, const QString& text);
