// The turn driver: the turn timer hands the table to the next seat, plays a
// computer seat's whole turn as one timed sequence, or prepares the table
// for the person's mouse play.
#include <cmath>

#include "core/game.h"

namespace vornak {

namespace {

// Pause lengths and remark variants are whole numbers rounded to the
// nearest (ties to even, as the integer conversion of the original rules).
int roundedDraw(Game& g, double scale, const char* use) {
    return static_cast<int>(std::nearbyint(g.Rnd(use) * scale));
}

int shortPause(Game& g) {
    return roundedDraw(g, static_cast<double>(g.ThinkDelayBase - 300), "short pause");
}
int longPause(Game& g) {
    return roundedDraw(g, static_cast<double>(g.ThinkDelayBase - 100), "long pause");
}
// 0..5; the end values are half as likely as the others.
int remarkVariant(Game& g) {
    const int j = roundedDraw(g, 5.0, "remark");
    return j < 0 ? 0 : (j > 5 ? 5 : j);
}

// A lay-down that never reports done must not hang the turn.
constexpr int kMaxLayDownPasses = 8;

// Marks a computer turn as under way for as long as its sequence lives,
// also when a new game cancels it halfway.
class PlayingMark {
public:
    explicit PlayingMark(bool& flag) : flag_(flag) { flag_ = true; }
    ~PlayingMark() { flag_ = false; }
    PlayingMark(const PlayingMark&) = delete;
    PlayingMark& operator=(const PlayingMark&) = delete;

private:
    bool& flag_;
};

}  // namespace

void Game::FillRemarks() {
    Remarks[0][0] = " ( จะจั่วไพ่หรือว่าเล่นในกองดีหว่า ) ";
    Remarks[0][1] = " ( จะเล่นรอบนี้เลย   หรือว่ารอเอาโง่ดี... เอาไงดี ) ";
    Remarks[0][2] = "( เอาไงดีว่ะ จั่วมาหลายรอบแล้ว ไม่เข้าสักที  เล่นซะทีดีกว่ามั้ง )";
    Remarks[0][3] = "( ลองจั่วดูอีกสักทีเถอะว่ะ หรือว่าเล่นดี ..ไม่แน่ใจ )";
    Remarks[0][4] = " ( ถ้าตานี้ยังจั่วไม่เข้า ตายแน่เลย ) ";
    Remarks[0][5] = " ( ถ้าตานี้จั่วเข้า ก็รอโง่ได้เลย )";
    Remarks[1][0] = " ( เล่นไพ่ชุดไหนดีหว่า  ไพ่เต็มมือเลย  ตาลายไปหนด ) ";
    Remarks[1][1] = " ( น็อคไปเลยดีไหม หรือว่ารอเอาโง่ตาหน้า ) ";
    Remarks[1][2] = "( แหมเสียดายจัง  ผิดไปดอกเดียวเอง )";
    Remarks[1][3] = "(อิ อิ....ทิ้งแบบนี้ก็เสร็จพี่สิน้อง )";
    Remarks[1][4] = " ( จะเกิดไพ่เรียง หรือ ไพ่ตองดี คิดไม่ตกเลย ) ";
    Remarks[1][5] = " ( แหมเสียดายจังเลย ถ้ามีดัมมี่ด้วยสวยเลย )";
    for (auto& text : Remarks[2]) text.clear();
}

void Game::turnTimerTick() {
    // One turn at a time; a stray tick after the round ended plays nothing.
    if (seq.running() || RoundOver) return;

    DarkKnockReady = false;
    PickFromPile = false;
    PickIndex = 0;
    PileCountAtTurnStart = Seats[0].PileCount();
    PickedCard = 0;
    SelectedCard = 1;

    CurrentSeat += TurnForward ? 1 : -1;
    // The end of turn wraps the seat at the ends of the range; should it not
    // have, go round the table all the same.
    if (CurrentSeat > 4) CurrentSeat = 1;
    if (CurrentSeat < 1) CurrentSeat = 4;

    if (CurrentSeat == kHuman) {
        StartHumanTurn();
        return;
    }
    seq.start(ComputerTurn(CurrentSeat));
}

void Game::StartHumanTurn() {
    scene.turnTimer.enabled = false;
    scene.blinkTimer.enabled = true;

    const SeatRec& table = Seats[0];
    const int top = table.Cards.top();
    if (isValidCard(top)) {
        scene.cardBack[top].enabled = true;
        scene.toFront(scene.cardBack[top]);
    }
    for (int i = 1; i <= table.PileCount(); ++i) {
        const int c = table.PileCards[i];
        if (isValidCard(c)) scene.cardFace[c].enabled = true;
    }

    DrawPhase = true;
    PilePickMode = true;
    PickFromPile = false;
    LayDownMode = false;
    ArrangeMode = false;
    DiscardMode = false;
    PlayMenuOn = false;
    ArrangeFirstChosen = false;
    ArrangeFirstPos = 0;
    SelectedCard = 0;
    SelectionCount = 0;
    PickedCard = 0;
    PileCountAtTurnStart = table.PileCount();
    scene.menus.mnuPlayShowCard.enabled = Seats[kHuman].HasLaidDown;
    // Arranging and discarding act only once the person has drawn or picked.
    scene.menus.mnuPlayArrangeCard.enabled = false;
    scene.menus.mnuPlayDrawnCard.enabled = false;
    hint(" ดับเบิ้ลคลิ๊กไพ่ในกอง เพื่อจั่วไพ่จากกอง  หรือดับเบิ้ลคลิ๊กไพ่ในวง เพื่อเล่นไพ่จากในวง");
}

Task Game::LayDownSelection() {
    LayDownDone = false;
    for (int pass = 0; !LayDownDone && pass < kMaxLayDownPasses; ++pass) co_await AnimateLayDown();
}

Task Game::MeldLoop(int seat) {
    SeatRec& s = Seats[seat];
    do {
        // A meld of a seat's last three cards would leave nothing to discard.
        if (FindMeldInHand(seat) && s.CardCount() > 3) {
            const int before = s.CardCount();
            co_await LayDownSelection();
            MoveMeldToTable(seat);
            AddLayOffTargets();
            if (s.CardCount() >= before) break;  // nothing moved: do not spin
        }
    } while (FindMeldInHand(seat) && s.CardCount() > 3);
}

void Game::LayOffLoop(int seat, bool setsOnly) {
    SeatRec& s = Seats[seat];
    auto find = [&] { return setsOnly ? FindSetLayOff(seat) : FindLayOff(seat); };
    do {
        if (find() && s.CardCount() > 1) {
            const int before = s.CardCount();
            LayOff(seat);
            if (s.CardCount() >= before) break;  // nothing moved: do not spin
        }
    } while (find() && s.CardCount() != 1);
}

Task Game::ComputerTurn(int seat) {
    if (seat < 1 || seat > 3) co_return;
    const PlayingMark playing(ComputerPlaying);
    SeatRec& me = Seats[seat];
    const SeatRec& table = Seats[0];

    scene.topPanel.visible = true;
    me.Discarded = false;
    scene.turnTimer.enabled = false;
    scene.blinkTimer.enabled = false;

    {
        const int d = shortPause(*this);
        const int j = remarkVariant(*this);
        say(seat, "กำลังคิด ??? " + Remarks[0][j]);
        co_await seq.pause(d);
    }

    PickFromPile = false;
    ChoosePilePick(seat);

    int d = 0;  // the long pause, kept for the rest of the turn
    if (PickFromPile) {
        PileCountAtTurnStart = table.PileCount();
        TakeFromPile(seat);
        d = longPause(*this);
        const int j = remarkVariant(*this);
        say(seat, "เลือกเล่นไพ่จากในวง   " + Remarks[1][j]);
        co_await seq.pause(d);
        LayoutTable();
        LayoutSeatHand(seat);

        // The meld the taken card completes, left in Selection by the choice.
        co_await LayDownSelection();
        MoveMeldToTable(seat);
        PickFromPile = false;
        AddLayOffTargets();

        // Pick policy; HasLaidDown still tells whether the seat had taken
        // from the pile before this turn.
        const int n = me.CardCount();
        const int S = table.CardCount();
        if (n > 5 && me.HasLaidDown) {
            co_await MeldLoop(seat);
        } else if (n == 5 && !me.HasLaidDown) {
            DecideMeldAtFive(seat);
            if (MeldNow || S <= 4) {
                co_await MeldLoop(seat);
                LayOffLoop(seat, false);
            }
        } else if (S <= 6 || n <= 2) {
            co_await MeldLoop(seat);
            LayOffLoop(seat, false);
        } else if (n >= 5) {
            LayOffLoop(seat, true);
        }
        me.HasLaidDown = true;
    } else {
        PickIndex = 0;  // a drawing seat took nothing from the pile
        say(seat, " เลือกจั่วไพ่ ");
        d = longPause(*this);
        DrawCard(seat);
        co_await seq.pause(d);
        say(seat, " กำลังคิด  ??? (จะเข้าชุดไหนดีล่ะ เล่นได้ทั้งตองทั้งเรียงอย่างงี้) ");
        co_await seq.pause(d);

        // Draw policy.
        const int n = me.CardCount();
        const int S = table.CardCount();
        if (me.HasLaidDown && S <= 4) {
            co_await MeldLoop(seat);
            LayOffLoop(seat, false);
        } else if (n > 8) {
            co_await MeldLoop(seat);
            LayOffLoop(seat, true);
        } else if (me.StillClosed && n == 8) {
            ArrangeHand(seat);
            CheckDarkKnock(seat);
        } else if (n == 8) {
            co_await MeldLoop(seat);
            LayOffLoop(seat, false);
        } else if (n > 5) {
            co_await MeldLoop(seat);
        } else if (n == 5) {
            DecideMeldAtFive(seat);
            if (MeldNow || S <= 4) {
                co_await MeldLoop(seat);
                LayOffLoop(seat, false);
            }
            const int r = static_cast<int>(std::floor(Rnd("meld again") * 10 + 1));
            if (r <= 6) co_await MeldLoop(seat);
        } else if (n == 4) {
            DecideMeldAtFour(seat);
            if (MeldNow) {
                co_await MeldLoop(seat);
                LayOffLoop(seat, false);
            } else if (S <= 4) {
                LayOffLoop(seat, false);
            }
        } else {
            LayOffLoop(seat, false);
        }
    }

    if (DarkKnockReady) {
        say(seat, " น็อคมืด ");
        PrepareDarkKnock(seat);
        SelectedCard = 1;
    } else {
        say(seat, "กำลัง  เลือกไพ่ในมือที่จะทิ้ง ");
        ChooseDiscard(seat);
        const int c = me.Cards[SelectedCard];
        if (isValidCard(c)) {
            CardPicture& back = scene.cardBack[c];
            if (seat == 1) back.left += 150;
            if (seat == 2) back.top += 150;
            if (seat == 3) back.left -= 150;
        }
        co_await seq.pause(d);
    }

    if (me.CardCount() == 1 && !me.DarkKnocked) {
        say(seat, " น็อค ");
    } else {
        say(seat, " ทิ้งไพ่เข้าวง ");
        co_await seq.pause(d);
    }

    co_await EndTurn(seat);
    scene.topPanel.visible = false;
}

void Game::PrepareDarkKnock(int seat) {
    SeatRec& s = Seats[seat];
    s.Knocked = false;
    s.DarkKnocked = true;
    const int h = s.Cards[8];
    s.PileCards.clear();
    for (int i = 1; i <= 7; ++i) s.PileCards.push(s.Cards[i]);
    s.Cards.clear();
    s.Cards.push(h);
    RoundOver = true;
}

}  // namespace vornak
