#pragma once

#include <QString>

#include "archive_assembly.h"

// For judging the look by eye: writes every picture as PNG into `folder`, plus two scenes composed as
// the game shows them (a table in play, the score sheet), and prints each sound's level and ends.
void WritePreview(const GeneratedAssets& assets, const QString& folder);

// A few of the larger pictures (a court card, a back, the pointer, the fonts) as PNG into `folder`.
void WriteHdPreview(const GeneratedAssets& hd, const QString& folder);
