// Pictures of the secondary windows, painted with QPainter at any size so
// they stay crisp at every scale: the title pictures, the end-screen frames,
// the money picture of the statistics screen and the card fan of the about
// window. Each picture is known by its art name.
#pragma once

#include <QColor>
#include <QRectF>
#include <string>

class QPainter;

namespace vornak::art {

// Paints the picture called `name` into `target`. Returns false (and paints
// nothing) for a name it does not know.
bool paint(QPainter& p, const QRectF& target, const std::string& name);

// The background every secondary window shares: dark green baize with a
// thin gold frame.
void paintBaize(QPainter& p, const QRectF& target);

// One playing card. `rank` 2..14 (11 J, 12 Q, 13 K, 14 A); `suit` 0 clubs,
// 1 diamonds, 2 hearts, 3 spades. A card with rank 0 shows its back.
void paintCard(QPainter& p, const QRectF& card, int rank, int suit);

// A fan of cards turning about a point below the centre of `area`.
struct FanCard {
    int rank;
    int suit;
};
void paintFan(QPainter& p, const QRectF& area, const FanCard* cards, int count,
              qreal spreadDegrees);

// Gold lettering with a dark shadow, centred in `box` (pixel size of the
// letters, serif when `serif`).
void paintGoldText(QPainter& p, const QRectF& box, const QString& text, qreal pixelSize,
                   bool serif = true);

QColor gold();

}  // namespace vornak::art
