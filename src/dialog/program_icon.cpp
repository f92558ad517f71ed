#include "dialog/program_icon.h"

#include <QPixmap>

#include "icon/window_icon.h"

QImage ProgramIconImage() {
    const WindowIconPixels icon = WindowIcon();
    // The image only borrows the bytes; copy() gives it its own.
    return QImage(icon.rgba.data(), icon.size, icon.size, icon.size * 4, QImage::Format_RGBA8888).copy();
}

QIcon ProgramIcon() {
    return QIcon(QPixmap::fromImage(ProgramIconImage()));
}
