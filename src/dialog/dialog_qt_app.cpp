#include "dialog/dialog_qt_app.h"

#include <cstdlib>
#include <stdexcept>

#include "dialog/program_icon.h"

namespace {

bool EnvironmentNames(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool QtDisplayAvailable() {
    return EnvironmentNames("QT_QPA_PLATFORM") || EnvironmentNames("DISPLAY") ||
           EnvironmentNames("WAYLAND_DISPLAY");
}

std::unique_ptr<QApplication> MakeQtApplication(int& argc, char** argv) {
    if (QApplication::instance() != nullptr) {
        throw std::logic_error("a Qt application is already running");
    }
    if (!QtDisplayAvailable()) {
        throw std::runtime_error("no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    }
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zarn"));
    // Every window shows the program's icon, and the desktop matches them to the menu entry.
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral(ZARN_APP_ID));
    return app;
}
