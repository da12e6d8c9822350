// Vector art of the table: card faces and backs, the turn direction arrows,
// close marks and the other small pictures named by the scene. Everything
// is drawn with QPainter at the size asked for, so it stays sharp at any
// window size and on high-DPI screens.
#pragma once

#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;
class QPainterPath;

namespace vornak {

// The outline of a suit (0 clubs, 1 diamonds, 2 hearts, 3 spades, the order
// of the card codes) in the unit square, point up.
const QPainterPath& suitOutline(int suit);

// Paints the face of card `code` (1..52) filling `rect`.
void paintCardFace(QPainter& p, const QRectF& rect, int code);
// Paints the common card back filling `rect`.
void paintCardBack(QPainter& p, const QRectF& rect);

// A cached rendering of a face (code 1..52) or of the back (code 0) at a
// logical size and device pixel ratio. Renderings of other sizes are
// dropped when the size changes, so the cache holds one set at a time.
QPixmap cardPixmap(int code, QSize logicalSize, qreal devicePixelRatio);

// Paints the picture the scene names `art` (e.g. "forward", "backward",
// "close") into `rect`. Unknown names paint nothing and return false.
bool paintArt(QPainter& p, const QRectF& rect, const QString& art);

}  // namespace vornak
