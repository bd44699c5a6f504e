#pragma once

#include <QString>

class QApplication;

// The skin file beside the executable.
QString DefaultSkinPath();
// Applies the skin as the application's style sheet when the file exists; false when skipped.
bool ApplySkin(const QString& path);
