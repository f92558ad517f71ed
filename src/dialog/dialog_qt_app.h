#pragma once

#include <memory>

#include <QApplication>

// The Qt application object each Qt entry point owns while its window is open. It is destroyed
// before the entry point returns, so Qt and SDL are never alive at the same time.

// True when Qt can open a window: a platform is forced (QT_QPA_PLATFORM) or an X or Wayland display
// is named in the environment. Without one, Qt would abort the whole program.
bool QtDisplayAvailable();

// Creates the application. Throws std::runtime_error when no display is available.
std::unique_ptr<QApplication> MakeQtApplication(int& argc, char** argv);
