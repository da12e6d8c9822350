#include "startup.h"

#include <QApplication>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>

#include "cardart.h"
#include "game/game.h"
#include "picture.h"
#include "game/skins/skins.h"
#include "thaifont.h"

namespace vornak {

namespace {

// The window icon, after the desktop icon: on green felt, a card back and
// a white card with a black spade. Drawn with outlines only, at the sizes
// window managers ask for most: a full card face would load the card fonts
// before the window exists.
QIcon programIcon() {
    QIcon icon;
    for (int side : {16, 32, 64}) {
        QPixmap pm(side, side);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / 128.0, side / 128.0);  // drawn on the desktop icon's 128 grid
        QLinearGradient felt(0, 0, 0, 128);
        felt.setColorAt(0, QColor(0x1f, 0x8a, 0x4c));
        felt.setColorAt(1, QColor(0x0d, 0x5a, 0x2e));
        p.setPen(Qt::NoPen);
        p.setBrush(felt);
        p.drawRoundedRect(QRectF(4, 4, 120, 120), 24, 24);
        p.translate(64, 104);
        const QRectF card(-26, -96, 52, 74);
        p.rotate(-20);
        p.setPen(QPen(Qt::white, 3));
        p.setBrush(QColor(0x2b, 0x4a, 0xa8));
        p.drawRoundedRect(card, 6, 6);
        p.rotate(26);
        p.setPen(QPen(QColor(0x33, 0x33, 0x33), 2));
        p.setBrush(Qt::white);
        p.drawRoundedRect(card, 6, 6);
        p.translate(card.center());
        p.scale(36, 36);
        p.translate(-0.5, -0.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x11, 0x11, 0x11));
        p.drawPath(suitOutline(3));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

}  // namespace

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("vornak"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VORNAK_VERSION));
}

void startEarlyWork(const Paths& paths) {
    startLoadingFonts();
    readPictureAhead(startingSkinPicture(paths));
}

void setUpApplication(QApplication& app) {
    nameApplication();
    // No display name: the window systems would add it to every title,
    // and each window's title is exactly its own. The desktop entry names
    // the program to the desktop instead.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vornak.Vornak"));
    useThaiFont(app);
    QApplication::setWindowIcon(programIcon());
}

}  // namespace vornak
