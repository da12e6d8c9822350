// Placing the hands, the stock and the pile on the table.
#include "game/game.h"
#include "core/i18n.h"

namespace vornak {

void Game::LayoutSeatHand(int seat) {
    if (seat < 1 || seat > 4) return;
    const SeatRec& s = table.Seats[seat];
    const int n = s.CardCount();

    int spacing = 0;
    if (seat != kHuman && s.Discarded) {
        spacing = 150;
    } else if (seat == 1 || seat == 3) {
        spacing = n > 12 ? 150 : 250;
    } else if (n <= 12) {
        spacing = 450;
    } else if (n <= 16) {
        spacing = 350;
    } else {
        spacing = 200;
    }
    const int start = 5800 - ((n + 1) / 2) * spacing;

    for (int j = 1; j <= n; ++j) {
        const int c = s.Cards[j];
        if (!isValidCard(c)) continue;
        CardPicture& pic = seat == kHuman ? scene.cardFace[c] : scene.cardBack[c];
        pic.visible = true;
        scene.toFront(pic);
        switch (seat) {
            case 1:
                pic.left = 200;
                pic.top = 3500 + (j - 1) * spacing;
                break;
            case 2:
                pic.top = 150;
                pic.left = start + (j - 1) * spacing;
                break;
            case 3:
                pic.left = 10880;
                pic.top = 3500 + (j - 1) * spacing;
                break;
            default:
                pic.top = 6700;
                pic.left = start + (j - 1) * spacing;
                break;
        }
    }
}

void Game::LayoutTable() {
    if (table.RoundOver) return;
    const SeatRec& stock = table.Seats[0];
    const int n = stock.CardCount();
    scene.stockCount.caption = format(_("เหลือ %1 ใบ"), {plain(n)});

    int gap = 300, first = 250;
    if (n > 16) {
        gap = 70, first = 180;
    } else if (n >= 11) {
        gap = 100, first = 180;
    } else if (n >= 8) {
        gap = 150, first = 180;
    } else if (n >= 6) {
        gap = 220, first = 180;
    }
    for (int j = 1; j <= n; ++j) {
        const int c = stock.Cards[j];
        if (isValidCard(c)) scene.cardBack[c].left = first + (j - 1) * gap;
    }

    int row = 0, offset = 0;
    for (int k = 1; k <= stock.PileCount(); ++k) {
        if (k >= 13) row = 1, offset = 12;
        const int c = stock.PileCards[k];
        if (!isValidCard(c)) continue;
        CardPicture& face = scene.cardFace[c];
        scene.toFront(face);
        face.top = 3000 + row * 550;
        face.left = 2550 + (k - offset) * 450;
        face.visible = true;
    }
}

}  // namespace vornak
