#pragma once

// True when the window can be shown: a display to connect to, or a platform that needs none
// (QT_QPA_PLATFORM=offscreen and the like). Without one Qt would abort with advice about
// reinstalling its plugins, which is not the user's problem.
bool HasDisplay();
