// The program's font: a family that writes Thai well.
#pragma once

class QApplication;

namespace vornak {

// Makes a Thai-capable family (from the Thai fonts Debian ships) the
// application's font; keeps the system's when none is installed.
void useThaiFont(QApplication& app);

}  // namespace vornak
