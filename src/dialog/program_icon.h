#pragma once

#include <QIcon>
#include <QImage>

// The program's icon (src/icon) as Qt pictures, for the dialog's and the browser's windows.
QImage ProgramIconImage();
QIcon ProgramIcon();
