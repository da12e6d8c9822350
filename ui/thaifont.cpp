#include "thaifont.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QFontDatabase>

#include <future>

namespace vornak {

namespace {
// Waited for at exit if the program ends before the fonts are used.
std::future<void> fontLoading;
}  // namespace

void startLoadingFonts() {
    if (!fontLoading.valid()) fontLoading = std::async(std::launch::async, [] { FcInit(); });
}

void useThaiFont(QApplication& app) {
    if (fontLoading.valid()) fontLoading.wait();
    const QStringList families = QFontDatabase::families();
    for (const char* name : {"Loma", "Garuda", "Sawasdee", "Tlwg Typo", "Waree", "Umpush"}) {
        const QString family = QString::fromLatin1(name);
        if (families.contains(family)) {
            QFont f = app.font();
            f.setFamily(family);
            app.setFont(f);
            return;
        }
    }
}

}  // namespace vornak
