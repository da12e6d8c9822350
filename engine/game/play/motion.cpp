#include "game/play/motion.h"

#include <algorithm>

#include "game/game.h"

namespace vornak {

namespace {

// Where a card is, as the table value has it.
constexpr int kStock = 0, kPile = 1;
constexpr int handOf(int seat) {
    return 1 + seat;
}  // 2..5
constexpr int laidOf(int seat) {
    return 5 + seat;
}  // 6..9
constexpr int kFlight = 10;  // a meld on its way to the table

bool isHand(int place) {
    return place >= handOf(1) && place <= handOf(4);
}
bool isLaid(int place) {
    return (place >= laidOf(1) && place <= laidOf(4)) || place == kFlight;
}

// Smooth at both ends: slow off, quick across, slow in.
double ease(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t < 0.5 ? 4 * t * t * t : 1 - (2 - 2 * t) * (2 - 2 * t) * (2 - 2 * t) / 2;
}

}  // namespace

const char* soundFile(Sound sound) {
    static constexpr const char* kFiles[kSoundCount] = {
        "draw.wav",  "pick.wav",      "laydown.wav",  "layoff.wav", "discard.wav",
        "knock.wav", "darkknock.wav", "roundend.wav", "won.wav",    "lost.wav",
    };
    const int i = static_cast<int>(sound);
    return i >= 0 && i < kSoundCount ? kFiles[i] : "";
}

TableMotion::Seen TableMotion::look(int code) const {
    const Table& table = game_.table;
    Seen s;
    auto holds = [code](const CardList& list) {
        for (int i = 1; i <= list.count; ++i)
            if (list[i] == code) return true;
        return false;
    };
    if (holds(table.Seats[0].Cards))
        s.place = kStock;
    else if (holds(table.Seats[0].PileCards))
        s.place = kPile;
    for (int seat = 1; seat <= 4 && s.place < 0; ++seat) {
        if (holds(table.Seats[seat].Cards)) s.place = handOf(seat);
        if (holds(table.Seats[seat].PileCards)) s.place = laidOf(seat);
    }
    // The meld in flight counts as on its way, so it is followed from the
    // hand into the flight and from the flight onto the table.
    if (game_.scene.flightTimer.enabled)
        for (int i = 1; i <= 3; ++i)
            if (table.Selection[i] == code) s.place = kFlight;

    const CardPicture& face = game_.scene.cardFace[code];
    const CardPicture& back = game_.scene.cardBack[code];
    const CardPicture* shown = nullptr;
    if (face.visible && (!back.visible || face.z >= back.z))
        shown = &face;
    else if (back.visible)
        shown = &back;
    if (shown) {
        s.shown = true;
        s.face = shown == &face;
        s.left = shown->left;
        s.top = shown->top;
        s.known = true;
    }
    return s;
}

void TableMotion::settle() {
    const std::array<Seen, 53> before = seen_;
    bool redeal = !primed_;
    for (int c = 1; c <= 52; ++c) {
        Seen now = look(c);
        const Seen& was = before[static_cast<std::size_t>(c)];
        // Only a deal (or a table put back) brings cards into the stock.
        if (now.place == kStock && was.place != kStock) redeal = true;
        seen_[static_cast<std::size_t>(c)] = now;
    }
    if (redeal) {
        glides_.clear();
        for (int c = 1; c <= 52; ++c) seen_[static_cast<std::size_t>(c)].arrived = true;
        primed_ = true;
        roundOver_ = game_.table.RoundOver;
        boardShown_ = game_.scene.boardPanel.visible;
        gameOver_ = game_.match.GameOver;
        gameWon_ = game_.match.GameWon;
        for (int seat = 1; seat <= 4; ++seat)
            knocked_[seat] = game_.table.Seats[seat].Knocked || game_.table.Seats[seat].DarkKnocked;
        game_.CardsMoving = moving();
        return;
    }

    hear(before);

    const int duration = game_.prefs.cardsAnimated ? glideMs(game_.prefs.pace) : 0;
    for (int c = 1; c <= 52; ++c) {
        Seen& now = seen_[static_cast<std::size_t>(c)];
        const Seen& was = before[static_cast<std::size_t>(c)];
        // A card that moved while hidden (taken from the pile before the
        // hand shows it) travels when it shows up.
        now.arrived = was.arrived && now.place == was.place;
        if (!now.shown) {
            now.left = was.left;
            now.top = was.top;
            now.known = was.known;
            continue;
        }
        if (now.arrived) continue;
        now.arrived = true;
        if (duration <= 0 || !was.known) continue;
        int fromLeft = was.left, fromTop = was.top;
        auto running = std::find_if(glides_.begin(), glides_.end(),
                                    [c](const Glide& g) { return g.code == c; });
        if (running != glides_.end()) {
            // Already on its way somewhere else: it turns from where it is.
            shownAt(c, now.face, fromLeft, fromTop);
            glides_.erase(running);
        }
        if (fromLeft == now.left && fromTop == now.top) continue;
        glides_.push_back(Glide{c, fromLeft, fromTop, 0, duration});
        ++started_;
    }
    game_.CardsMoving = moving();
}

void TableMotion::hear(const std::array<Seen, 53>& before) {
    int draws = 0, picks = 0, laid = 0, discards = 0;
    for (int c = 1; c <= 52; ++c) {
        const int was = before[static_cast<std::size_t>(c)].place;
        const int now = seen_[static_cast<std::size_t>(c)].place;
        if (was == now) continue;
        if (was == kStock && isHand(now)) ++draws;
        if (was == kPile && isHand(now)) ++picks;
        if (isHand(was) && isLaid(now)) ++laid;
        if (isHand(was) && now == kPile) ++discards;
    }
    bool knock = false, dark = false;
    for (int seat = 1; seat <= 4; ++seat) {
        const SeatRec& s = game_.table.Seats[seat];
        const bool k = s.Knocked || s.DarkKnocked;
        if (k && !knocked_[seat]) (s.DarkKnocked ? dark : knock) = true;
        knocked_[seat] = k;
    }
    const bool board = game_.scene.boardPanel.visible && !boardShown_;
    boardShown_ = game_.scene.boardPanel.visible;
    roundOver_ = game_.table.RoundOver;
    const bool won = game_.match.GameWon && !gameWon_;
    const bool lost = game_.match.GameOver && !gameOver_ && !game_.match.GameWon;
    gameOver_ = game_.match.GameOver;
    gameWon_ = game_.match.GameWon;

    if (!sounds || !game_.prefs.sound) return;
    // One sound at a time: the most telling of what happened.
    if (won)
        sounds->play(Sound::GameWon);
    else if (lost)
        sounds->play(Sound::GameLost);
    else if (dark)
        sounds->play(Sound::DarkKnock);
    else if (knock)
        sounds->play(Sound::Knock);
    else if (board)
        sounds->play(Sound::RoundEnd);
    else if (laid >= 3)
        sounds->play(Sound::LayDown);
    else if (laid > 0)
        sounds->play(Sound::LayOff);
    else if (picks > 0)
        sounds->play(Sound::Pick);
    else if (discards > 0)
        sounds->play(Sound::Discard);
    else if (draws > 0)
        sounds->play(Sound::Draw);
}

void TableMotion::advance(int ms) {
    for (Glide& g : glides_) g.elapsed += std::max(0, ms);
    std::erase_if(glides_, [](const Glide& g) { return g.elapsed >= g.duration; });
    game_.CardsMoving = moving();
}

void TableMotion::stop() {
    glides_.clear();
    game_.CardsMoving = false;
}

int TableMotion::remainingMs() const {
    int left = 0;
    for (const Glide& g : glides_) left = std::max(left, g.duration - g.elapsed);
    return left;
}

bool TableMotion::gliding(int code) const {
    return std::any_of(glides_.begin(), glides_.end(),
                       [code](const Glide& g) { return g.code == code; });
}

void TableMotion::shownAt(int code, bool face, int& left, int& top) const {
    if (!isValidCard(code)) return;
    const CardPicture& p = face ? game_.scene.cardFace[code] : game_.scene.cardBack[code];
    left = p.left;
    top = p.top;
    for (const Glide& g : glides_) {
        if (g.code != code) continue;
        const double t = ease(g.duration > 0 ? static_cast<double>(g.elapsed) / g.duration : 1.0);
        left = g.fromLeft + static_cast<int>((p.left - g.fromLeft) * t);
        top = g.fromTop + static_cast<int>((p.top - g.fromTop) * t);
        return;
    }
}

}  // namespace vornak
