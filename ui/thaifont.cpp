#include "thaifont.h"

#include <QApplication>
#include <QFontDatabase>

namespace vornak {

void useThaiFont(QApplication& app) {
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
