// The dark-knock check on an eight-card hand.
#pragma once

#include "core/observer.h"
#include "core/table.h"

namespace vornak {

struct DarkKnockCheck {
    int seat = 0;
    bool ready = false;     // DarkKnockReady
    bool exchange = false;  // hand cards 7 and 8 trade places
    void noteIn(Table& t) const;
};

// Looks at the seat's first eight hand cards: a meld, a meld or three
// lay-off cards, a lay-off card and the card to turn down.
DarkKnockCheck CheckDarkKnock(const Table& t, int seat, GameObserver* observer = nullptr);

}  // namespace vornak
