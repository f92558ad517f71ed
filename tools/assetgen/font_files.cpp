#include "font_files.h"

#include <QDirIterator>
#include <QFontDatabase>
#include <QStringList>
#include <stdexcept>
#include <string>

namespace {

// The first file of that name under the font folder, in sorted order so every build picks the same.
QString FindFontFile(const QString& fileName, const char* package) {
    QStringList found;
    QDirIterator it(QStringLiteral("/usr/share/fonts"), QStringList{fileName}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        found.append(it.next());
    }
    if (found.isEmpty()) {
        throw std::runtime_error("font file " + fileName.toStdString() +
                                 " not found under /usr/share/fonts; install the Debian package " + package);
    }
    found.sort();
    return found.front();
}

QString Register(const QString& fileName, const char* package) {
    const QString path = FindFontFile(fileName, package);
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty()) {
        throw std::runtime_error("could not load the font " + path.toStdString());
    }
    return families.front();
}

}  // namespace

AssetFonts LoadAssetFonts() {
    AssetFonts fonts;
    fonts.serif = Register(QStringLiteral("DejaVuSerif-Bold.ttf"), "fonts-dejavu-core");
    fonts.sans = Register(QStringLiteral("DejaVuSans-Bold.ttf"), "fonts-dejavu-core");
    fonts.sansMono = Register(QStringLiteral("DejaVuSansMono-Bold.ttf"), "fonts-dejavu-core");
    fonts.handwriting = Register(QStringLiteral("dkg.ttf"), "fonts-dkg-handwriting");
    fonts.segments = Register(QStringLiteral("DSEG14Classic-Bold.ttf"), "fonts-dseg");
    return fonts;
}
