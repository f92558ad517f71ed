#include "dialog/dialog_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "i18n/language.h"

DialogLanguage::DialogLanguage() = default;

DialogLanguage::~DialogLanguage() = default;

std::string DialogLanguage::Use(const std::string& setting) {
    const std::string code =
        SpeakChosenLanguage(setting, QCoreApplication::applicationDirPath().toStdString());
    // Qt's translator goes with the game's catalogue: without one the windows stay wholly English.
    if (qtTexts_) {
        QCoreApplication::removeTranslator(qtTexts_.get());
        qtTexts_.reset();
    }
    if (!code.empty()) {
        auto texts = std::make_unique<QTranslator>();
        if (texts->load(QLocale(QString::fromStdString(code)), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(texts.get());
            qtTexts_ = std::move(texts);
        }
    }
    return code;
}
