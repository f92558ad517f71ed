#include "preview.h"

#include <QDir>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "font_sheets.h"
#include "image_io.h"
#include "table_pictures.h"
#include "wav_writer.h"

namespace {

// A keyed copy, as the display does it.
void Blit(QImage& target, const QImage& picture, int x, int y) {
    for (int py = 0; py < picture.height(); ++py) {
        for (int px = 0; px < picture.width(); ++px) {
            const QRgb c = picture.pixel(px, py);
            if (ToRgb565(c) == kKey565 || x + px < 0 || y + py < 0 || x + px >= target.width() ||
                y + py >= target.height()) {
                continue;
            }
            target.setPixel(x + px, y + py, c);
        }
    }
}

void Text(QImage& target, const QImage& font, const std::string& text, int x, int y) {
    for (size_t i = 0; i < text.size(); ++i) {
        const int cell = static_cast<unsigned char>(text[i]) - kFirstGlyphCode;
        const QImage glyph =
            font.copy((cell % kGlyphColumns) * kGlyphCellWidth, (cell / kGlyphColumns) * kGlyphCellHeight,
                      kGlyphCellWidth, kGlyphCellHeight);
        Blit(target, glyph, x + static_cast<int>(i) * kGlyphAdvance, y);
    }
}

void PrintSoundStats(const PakInput& entry) {
    const auto& d = entry.data;
    const size_t frames = (d.size() - 44) / 4;
    auto sample = [&](size_t frame, int channel) {
        const size_t at = 44 + frame * 4 + static_cast<size_t>(channel) * 2;
        return static_cast<int16_t>(d[at] | (d[at + 1] << 8));
    };
    double sum = 0.0;
    int peak = 0;
    int biggestStep = 0;
    for (size_t f = 0; f < frames; ++f) {
        for (int c = 0; c < 2; ++c) {
            const int v = sample(f, c);
            sum += static_cast<double>(v) * v;
            peak = std::max(peak, std::abs(v));
            if (f > 0) {
                biggestStep = std::max(biggestStep, std::abs(v - sample(f - 1, c)));
            }
        }
    }
    std::printf("%-24s %6.3f s  peak %5d  rms %7.1f  first %d/%d  last %d/%d  max step %d\n",
                entry.name.c_str(), static_cast<double>(frames) / kSampleRate, peak,
                std::sqrt(sum / static_cast<double>(2 * frames)), sample(0, 0), sample(0, 1),
                sample(frames - 1, 0), sample(frames - 1, 1), biggestStep);
}

}  // namespace

void WritePreview(const GeneratedAssets& assets, const QString& folder) {
    QDir().mkpath(folder);
    std::map<std::string, QImage> byName;
    for (const auto& [name, picture] : assets.pictures) {
        byName[name] = picture;
        picture.save(folder + "/" + QString::fromStdString(name) + ".png");
    }
    for (const PakInput& entry : assets.entries) {
        if (entry.name.rfind("Xounds_", 0) == 0) {
            PrintSoundStats(entry);
        }
    }

    // A table in play: hands, a trick, the buttons, the score pad's edge, the clock and the banner.
    QImage table = byName["Xitmaps_Back_800x600.jpg"].convertToFormat(QImage::Format_RGB888);
    Blit(table, byName["Xitmaps_Scorepage_800x600.bmp"], 780, 5);
    const char* hand[] = {"AS", "KS", "QH", "JH", "10H", "9D", "8D", "7C", "6C", "5C", "4S", "3S", "2H"};
    for (int i = 0; i < 13; ++i) {
        Blit(table, byName[std::string("Xoya2_") + hand[i] + ".BMP"], 152 + 33 * i, 440);
    }
    for (int i = 0; i < 13; ++i) {
        Blit(table, byName["Xoya2_S_cardback.bmp"], 250 + 20 * i, 10);
    }
    Blit(table, byName["Xoyal_KH.BMP"], 300, 220);
    Blit(table, byName["Xoyal_QC.BMP"], 350, 240);
    Blit(table, byName["Xoyal_JD.BMP"], 400, 225);
    Blit(table, byName["Xoyal_S_cardback.bmp"], 650, 200);
    Blit(table, byName["Xoyal_10S.BMP"], 40, 200);
    for (int k = 0; k < 3; ++k) {
        Blit(table,
             byName[std::string("Xumbers_") + (k == 0   ? "tricks.BMP"
                                               : k == 1 ? "queens.BMP"
                                                        : "zarn.BMP")],
             520, 160 + 52 * k);
    }
    Blit(table, byName["Xumbers_pass.BMP"], 665, 145);
    Text(table, byName["XntFonts_fntDigit.bmp"], "09:41 AM", 700 - 40, 572);
    Text(table, byName["XntFonts_fntDeluxe.bmp"], "Zarn - Kingdom 2, deal 3", 5, 572);
    Blit(table, byName["Xitmaps_mouse.bmp"], 420 - 16, 380 - 16);
    table.save(folder + "/scene_table.png");

    // Close-ups of a few cards of each deck, three times their size.
    const char* closeUps[][6] = {{"KH", "QS", "JD", "AS", "10H", "7C"},
                                 {"KC", "QH", "JS", "AD", "9S", "S_cardback"}};
    for (int deck = 0; deck < 2; ++deck) {
        QImage strip(6 * 103, 157, QImage::Format_RGB888);
        strip.fill(QColor(0x1F, 0x6A, 0x3A));
        for (int k = 0; k < 6; ++k) {
            const std::string base = std::string(deck == 0 ? "Xoya2_" : "Xoyal_") + closeUps[deck][k];
            const std::string name =
                base + (closeUps[deck][k][0] == 'S' && closeUps[deck][k][1] == '_' ? ".bmp" : ".BMP");
            Blit(strip, byName[name], 2 + 103 * k, 2);
        }
        strip.scaled(strip.size() * 3).save(folder + QStringLiteral("/zoom_deck%1.png").arg(deck));
    }

    // The score sheet at the end of a contract.
    QImage sheet = byName["Xitmaps_Back_800x600.jpg"].convertToFormat(QImage::Format_RGB888);
    Blit(sheet, byName["Xitmaps_Scorepage_800x600.bmp"], kScorePageX, kScorePageY);
    Blit(sheet, byName["Xitmaps_line_horz.bmp"], 223, 117);
    Blit(sheet, byName["Xitmaps_line_horz.bmp"], 223, 430);
    const QImage& hand1 = byName["XntFonts_fntHandParker.bmp"];
    Text(sheet, hand1, " Me Olga Bert Kurt", 208, 94);
    Text(sheet, hand1, "  30  40  20  40", 208, 125);
    Text(sheet, hand1, "  15  60  45  75", 208, 156);
    Text(sheet, hand1, "-200 -50-150-100", 208, 187);
    Text(sheet, hand1, "-155  50 -85  15", 208, 438);
    Text(sheet, hand1, "We Won! (gjpqy)", 208, 469);
    Text(sheet, byName["XntFonts_fntDigit.bmp"], "11:05 PM", 660, 572);
    sheet.save(folder + "/scene_sheet.png");
    for (const char* font :
         {"XntFonts_fntHandParker.bmp", "XntFonts_fntDigit.bmp", "XntFonts_fntDeluxe.bmp"}) {
        const QImage& glyphs = byName[font];
        glyphs.copy(0, 0, glyphs.width(), 5 * kGlyphCellHeight)
            .scaled(glyphs.width() * 3, 15 * kGlyphCellHeight)
            .save(folder + "/zoom_" + font + ".png");
    }
}

void WriteHdPreview(const GeneratedAssets& hd, const QString& folder) {
    QDir().mkpath(folder);
    const std::set<std::string> shown = {"Xoya2_KH@3x.BMP",          "Xoyal_QS@3x.BMP",
                                         "Xoya2_S_cardback@3x.bmp",  "Xitmaps_mouse@3x.bmp",
                                         "Xumbers_zarn@2x.BMP",      "XntFonts_fntHandParker@3x.bmp",
                                         "XntFonts_fntDigit@3x.bmp", "XntFonts_fntDeluxe@2x.bmp"};
    for (const auto& [name, picture] : hd.pictures) {
        if (shown.contains(name)) {
            picture.save(folder + "/" + QString::fromStdString(name) + ".png");
        }
    }
}
