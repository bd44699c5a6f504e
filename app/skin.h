#pragma once

#include <QString>

class QApplication;

// The skin file beside the executable, else in the installed program's data folder
// (../share/quelvo beside bin/), where packaging rules keep data out of bin/. The path beside the
// executable when neither exists.
QString DefaultSkinPath();
// The same search from a given executable folder.
QString SkinPathFrom(const QString& executableDir);
// Applies the skin as the application's style sheet when the file exists; false when skipped.
bool ApplySkin(const QString& path);
