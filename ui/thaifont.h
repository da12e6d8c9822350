// The program's font: a family that writes Thai well.
#pragma once

class QApplication;

namespace vornak {

// Fontconfig reads its configuration and font lists the first time a font
// is looked up, which takes a good part of the start. Call this before the
// QApplication is made: the reading then runs on a worker thread while the
// connection to the window system is set up. useThaiFont() waits for it.
void startLoadingFonts();

// Makes a Thai-capable family (from the Thai fonts Debian ships) the
// application's font; keeps the system's when none is installed.
void useThaiFont(QApplication& app);

}  // namespace vornak
