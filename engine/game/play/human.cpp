// The person's turn: the mouse on the cards and the stock, the play menu and
// its modes (arrange, lay down, discard), the lay-off kind menu, the raised
// cards of a selection and the offer of a dark knock.
#include <utility>

#include "ai/decisions.h"
#include "game/game.h"
#include "rules/cardmoves.h"
#include "rules/darkknock.h"
#include "rules/melds.h"
#include "core/i18n.h"

namespace vornak {

namespace {

constexpr int kRaise = 200;  // a selected card stands this much above its row

const char* const kErrorTitle = N_("ผิดพลาด");
const char* const kWarningTitle = N_("คำเตือน");
const char* const kShowCaption = N_("หงายไพ่");
const char* const kDarkKnockCaption = N_("น๊อคมืด");
const char* const kDiscardCaption = N_("ทิ้งไพ่");
const char* const kTurnDownCaption = N_("คว่ำไพ่");
const char* const kTurnDownHint = N_(" กรุณากดปุ่มคว่ำไพ่ เพื่อคว่ำไพ่ใบสุดท้ายในมือ");

CardList& hand(Game& g) {
    return g.table.Seats[kHuman].Cards;
}

void enableHandFaces(Game& g) {
    const CardList& h = hand(g);
    for (int i = 1; i <= h.count; ++i)
        if (isValidCard(h[i])) g.scene.cardFace[h[i]].enabled = true;
}

void disablePileFaces(Game& g) {
    const CardList& pile = g.table.Seats[0].PileCards;
    for (int i = 1; i <= pile.count; ++i)
        if (isValidCard(pile[i])) g.scene.cardFace[pile[i]].enabled = false;
}

void disableAllBacks(Game& g) {
    for (int c = 1; c <= 52; ++c) g.scene.cardBack[c].enabled = false;
}

// Leaves whatever mode was on: nothing stays selected or raised.
void clearSelection(Game& g) {
    g.person.SelectionCount = 0;
    g.person.ArrangeFirstChosen = false;
    g.person.ArrangeFirstPos = 0;
}

// With one card left the discard item turns it down.
void offerTurnDown(Game& g) {
    auto& item = g.scene.menus.mnuPlayDrawnCard;
    item.caption = _(kTurnDownCaption);
    item.enabled = true;
    g.hint(_(kTurnDownHint));
}

bool darkKnockOffered(const Game& g) {
    return g.table.Seats[kHuman].DarkKnocked && !g.table.RoundOver;
}

void offerDarkKnock(Game& g, const std::string& text) {
    g.hint(text);
    g.scene.menus.mnuPlayShowCard.caption = _(kDarkKnockCaption);
    g.scene.menus.mnuPlayShowCard.enabled = true;
    g.scene.menus.mnuPlayDrawnCard.enabled = true;
    g.table.Seats[kHuman].DarkKnocked = true;
}

// The hand no longer makes a dark knock: the offer is taken back.
void withdrawDarkKnock(Game& g) {
    g.table.Seats[kHuman].DarkKnocked = false;
    g.scene.menus.mnuPlayShowCard.caption = _(kShowCaption);
    g.scene.menus.mnuPlayShowCard.enabled = g.table.Seats[kHuman].HasLaidDown;
    g.scene.menus.mnuPlayDrawnCard.enabled = true;
}

// Runs the dark-knock check on an eight-card hand of a closed person; the
// check may move the lay-off card to the seventh place, so the hand is
// redrawn (keeping a card chosen for a swap raised). Returns true when the
// hand makes a dark knock.
bool checkHumanDarkKnock(Game& g) {
    CardList& h = hand(g);
    const std::vector<int> before = h.toVector();
    const int chosen = g.person.ArrangeFirstChosen ? h[g.person.ArrangeFirstPos] : 0;
    CheckDarkKnock(g.table, kHuman, g.observer).noteIn(g.table);
    if (h.toVector() != before) {
        g.LayoutSeatHand(kHuman);
        if (chosen != 0) {
            g.person.ArrangeFirstPos = h.find(chosen);
            g.scene.cardFace[chosen].top -= kRaise;
        }
    }
    return g.table.DarkKnockReady;
}

bool mayCheckDarkKnock(const Game& g) {
    return g.table.Seats[kHuman].CardCount() == 8 && g.table.Seats[kHuman].StillClosed;
}

Task humanLayDown(Game& g) {
    g.person.LayDownDone = false;
    co_await g.AnimateLayDown(PenaliseFeeders(g.table, kHuman));
    g.MoveMeldToTable(kHuman);
    AddLayOffTargets(g.table, g.table.Selection);
    g.LayoutSeatHand(kHuman);

    g.scene.menus.mnuPlayDrawnCard.enabled = true;
    if (g.table.Seats[kHuman].CardCount() > 1) {
        g.hint(_("คลิ๊กไพ่ในมือ 3 ใบที่จะหงาย หรือ คลิ๊กขวาที่ไพ่ในมือเพื่อเลือกเมนูย่อย"));
    } else {
        g.scene.menus.mnuPlayDrawnCard.caption = _(kTurnDownCaption);
        g.hint(_("คลิ๊กขวาที่ไพ่เพื่อเลือกเมนูคว่ำไพ่"));
    }
    g.table.Seats[kHuman].HasLaidDown = true;
    g.table.PickFromPile = false;
    g.person.SelectionCount = 0;
}

Task humanDiscard(Game& g) {
    g.disableAllFaces();
    co_await g.EndTurn(kHuman);
    g.disableAllFaces();
    // The turn is over: no mode of it stays on until the next one starts,
    // and the items that would act in it show so.
    g.person.PlayMenuOn = false;
    g.scene.menus.mnuPlayArrangeCard.enabled = false;
    g.scene.menus.mnuPlayDrawnCard.enabled = false;
    g.person.DiscardMode = g.person.LayDownMode = g.person.ArrangeMode = false;
    clearSelection(g);
    if (!g.table.RoundOver) g.LayoutSeatHand(kHuman);
    g.saveProgress(g.table.RoundOver ? SavePoint::RoundBoard : SavePoint::BetweenTurns);
}

}  // namespace

void Game::EndTurnPlayedForPerson() {
    if (table.CurrentSeat != kHuman || seq.running()) return;  // (a dark knock has ended the round)
    person.DrawPhase = person.PilePickMode = table.PickFromPile = false;
    person.LayDownMode = person.ArrangeMode = person.DiscardMode = person.PlayMenuOn = false;
    scene.blinkTimer.enabled = false;
    const SeatRec& me = table.Seats[kHuman];
    for (int i = 1; i <= me.CardCount(); ++i)
        if (isValidCard(me.Cards[i])) scene.cardBack[me.Cards[i]].visible = false;
    LayoutTable();
    LayoutLaidCards(kHuman);
    LayoutSeatHand(kHuman);
    seq.start(humanDiscard(*this));
}

// ---- The play menu ----

void Game::mnuPlayArrangeCard_Click() {
    if (inputBlocked() || !person.PlayMenuOn || !scene.menus.mnuPlayArrangeCard.enabled) return;
    person.ArrangeMode = true;
    person.PilePickMode = person.LayDownMode = person.DrawPhase = person.DiscardMode = false;
    clearSelection(*this);
    hint(_("คลิ๊ก..ไพ่ใบที่จะสลับตำแหน่ง หรือ กดปุ่มทิ้งไพ่เพื่อทิ้งไพ่"));
    if (!table.Seats[kHuman].HasLaidDown) ArrangeHand(table, kHuman, observer).noteIn(table);
    LayoutSeatHand(kHuman);
    enableHandFaces(*this);
    if (!mayCheckDarkKnock(*this)) return;
    if (checkHumanDarkKnock(*this))
        offerDarkKnock(*this, _(" กดปุ่ม น็อคมืด  เพื่อหงายไพ่น็อคมืด  หรือ กดปุ่มทิ้งไพ่ "
                                "ถ้ายังไม่ต้องการน็อคในรอบนี้ "));
    else if (darkKnockOffered(*this))
        withdrawDarkKnock(*this);
}

void Game::mnuPlayShowCard_Click() {
    if (inputBlocked() || !person.PlayMenuOn || !scene.menus.mnuPlayShowCard.enabled) return;
    person.LayDownMode = true;
    person.DrawPhase = person.PilePickMode = person.ArrangeMode = person.DiscardMode = false;
    clearSelection(*this);
    hint(_("คลิ๊กที่ไพ่ในมือจำนวน 3 ใบ  เพื่อหงายไพ่"));
    LayoutSeatHand(kHuman);
    disablePileFaces(*this);
    enableHandFaces(*this);
    // A chosen dark knock starts with a meld; once one is down the person may
    // still give it up and discard.
    if (table.Seats[kHuman].DarkKnocked && table.Seats[kHuman].CardCount() == 8)
        scene.menus.mnuPlayDrawnCard.enabled = false;
}

void Game::mnuPlayDrawnCard_Click() {
    if (inputBlocked() || !person.PlayMenuOn || !scene.menus.mnuPlayDrawnCard.enabled) return;
    person.DiscardMode = true;
    person.LayDownMode = person.PilePickMode = person.ArrangeMode = false;
    clearSelection(*this);
    if (scene.menus.mnuPlayDrawnCard.caption == _(kTurnDownCaption))
        hint(_("ดับเบิ้ลคลิ๊ก..ไพ่ในมือใบที่จะคว่ำน็อค"));
    else
        hint(_("ดับเบิ้ลคลิ๊ก..ไพ่ในมือใบที่จะทิ้งเข้าวง"));
    LayoutSeatHand(kHuman);
    enableHandFaces(*this);
}

void Game::dropSelection() {
    if (inputBlocked() || table.RoundOver || table.CurrentSeat != kHuman) return;
    if (person.SelectionCount == 0 && !person.ArrangeFirstChosen) return;
    clearSelection(*this);
    LayoutSeatHand(kHuman);
}

// ---- The lay-off kind menu: the choice stays until changed ----

void Game::showdummyTongItem_Click() {
    scene.menus.showdummyTongItem.checked = true;
    scene.menus.showDummyStateItem.checked = false;
    person.LayOffKindSet = true;
    person.LayOffKindRun = false;
}

void Game::showDummyStateItem_Click() {
    scene.menus.showDummyStateItem.checked = true;
    scene.menus.showdummyTongItem.checked = false;
    person.LayOffKindRun = true;
    person.LayOffKindSet = false;
}

// ---- Mouse on the cards ----

void Game::cardMouseUp(int code, int button) {
    if (inputBlocked() || !isValidCard(code)) return;
    if (button == 2 && person.PlayMenuOn) {
        dialogs.popupMenu(PopupMenu::Play);
        return;
    }
    CardPicture& picture = scene.cardFace[code];
    const int rowTop = picture.top;
    CardList& h = hand(*this);
    const int pos = h.find(code);

    if (person.LayDownMode) {
        if (pos == 0) return;  // only hand cards make a meld
        // A second click on a selected card puts it back.
        for (int i = 1; i <= person.SelectionCount; ++i) {
            if (table.Selection[static_cast<std::size_t>(i)] != code) continue;
            for (int k = i; k < person.SelectionCount; ++k)
                table.Selection[static_cast<std::size_t>(k)] =
                    table.Selection[static_cast<std::size_t>(k + 1)];
            --person.SelectionCount;
            picture.top = rowTop + kRaise;
            return;
        }
        if (person.SelectionCount >= 3) person.SelectionCount = 0;
        ++person.SelectionCount;
        picture.top = rowTop - kRaise;
        table.Selection[static_cast<std::size_t>(person.SelectionCount)] = code;
        if (person.SelectionCount < 3) return;

        for (int i = 1; i <= h.count; ++i)
            if (isValidCard(h[i])) scene.cardFace[h[i]].top = rowTop;
        if (CheckLaidMeld(table, table.Selection[1], table.Selection[2], table.Selection[3])) {
            seq.start(humanLayDown(*this));
        } else {
            dialogs.messageBox(_("ไพ่ชุดที่คุณหงายไม่ถูกต้อง กรุณาเลือกชุดใหม่ หรือ ทิ้งไพ่"), _(kErrorTitle),
                               MsgButtons::Ok, MsgIcon::Critical);
            LayoutSeatHand(kHuman);
            person.SelectionCount = 0;
        }
        return;
    }

    if (person.ArrangeMode) {
        if (pos == 0) return;  // only hand cards trade places
        if (person.ArrangeFirstChosen) {
            if (person.ArrangeFirstPos >= 1 && person.ArrangeFirstPos <= h.count)
                std::swap(h[person.ArrangeFirstPos], h[pos]);
            LayoutSeatHand(kHuman);
        } else {
            picture.top = rowTop - kRaise;
            person.ArrangeFirstPos = pos;
            hint(_("คลิ๊กที่ไพ่ใบที่จะสับเปลี่ยนตำแหน่ง หรือ คลิ๊กขวาที่ไพ่ในมือเพื่อเลือกเมนูย่อย"));
        }
        person.ArrangeFirstChosen = !person.ArrangeFirstChosen;
        if (!mayCheckDarkKnock(*this)) return;
        const bool wasOffered = darkKnockOffered(*this);
        if (checkHumanDarkKnock(*this)) {
            // Offered once; further swaps that keep the hand ready stay quiet.
            if (!wasOffered) {
                offerDarkKnock(*this, _(" เลือกปุ่มน็อคมืดเพื่อน็อคมืด  หรือทิ้งไพ่ถ้ายังไม่ต้องการน็อคในรอบนี้ "));
                dialogs.popupMenu(PopupMenu::Play);
            }
        } else if (wasOffered) {
            withdrawDarkKnock(*this);
        }
        return;
    }

    hint(_("คลิ๊กขวาที่ไพ่ในมือเพื่อเลือกเมนูย่อย (จัดไพ่ / หงายไพ่ / ทิ้งไพ่)"));
}

void Game::cardDblClick(int code) {
    if (inputBlocked() || !isValidCard(code)) return;
    CardList& h = hand(*this);
    const int pos = h.find(code);
    const int pilePos = table.Seats[0].PileCards.find(code);
    bool handled = false;

    if (person.LayDownMode && pos != 0) {
        if (h.count >= 2) {
            handled = true;
            const std::string& name = cardName(code);
            if (table.PickFromPile && isValidCard(table.PickedCard)) {
                // The card taken from the pile must go into a new meld first.
                dialogs.messageBox(
                    format(_("กรุณาหงายไพ่ชุดที่มีไพ่ %1 ที่เล่นจากในวงก่อน"), {cardName(table.PickedCard)}),
                    _(kErrorTitle), MsgButtons::Ok, MsgIcon::Critical);
                LayoutSeatHand(kHuman);
                person.SelectionCount = 0;
                return;
            }
            dialogs.popupMenu(PopupMenu::LayOffKind);
            std::string kind;
            bool qualifies = false;
            if (person.LayOffKindSet) {
                kind = _("ตอง");
                qualifies = table.SetLayOffCards.contains(code);
                table.LayOffPos = pos;
                table.LayOffOnRun = false;
            } else if (person.LayOffKindRun) {
                kind = _("เรียง");
                qualifies = table.RunLayOffCards.contains(code);
                table.LayOffPos = pos;
                table.LayOffCard = code;
                table.LayOffOnRun = true;
            }
            if (qualifies) {
                LayOff(kHuman);
            } else {
                dialogs.messageBox(format(_(" ไพ่ %1 ไม่ใช่  ไพ่ดัมมี่%2  กรุณาเลือกไพ่ใบใหม่ "
                                            "หรือเลือกชนิดไพ่ดัมมี่ที่จะหงายใหม่  หรือ ทิ้งไพ่ "),
                                          {name, kind}),
                                   _(kErrorTitle), MsgButtons::Ok, MsgIcon::Critical);
            }
            LayoutSeatHand(kHuman);
            person.SelectionCount = 0;
            if (h.count == 1) offerTurnDown(*this);
        } else {
            dialogs.messageBox(_(" ไพ่ใบนี้ไว้สำหรับคว่ำ   กรุณากดปุ่มคว่ำไพ่  เพื่อคว่ำไพ่ในมือ"), _(kErrorTitle),
                               MsgButtons::Ok, MsgIcon::Critical);
            offerTurnDown(*this);
            scene.menus.mnuPlayArrangeCard.enabled = false;
            scene.menus.mnuPlayShowCard.enabled = false;
        }
    }

    if (person.DiscardMode && pos != 0) {
        handled = true;
        table.SelectedCard = pos;
        const std::string& name = cardName(code);
        const bool several = h.count >= 2;
        if (several && IsDummyCard(table, code)) {
            const auto answer = dialogs.messageBox(
                format(_("ไพ่ %1 เป็นไพ่ดัมมี่  กดปุ่ม OK เพื่อยืนยันทิ้งไพ่ดัมมี่ หรือ Cancle เพื่อเลือกไพ่ใบใหม่ "),
                       {name}),
                _(kWarningTitle), MsgButtons::OkCancel, MsgIcon::Question);
            if (answer == MsgResult::Cancel) {
                hint(_("เลือกไพ่ใบใหม่ที่จะทิ้งเข้าสู่วงใบใหม่"));
                return;
            }
        } else if (several && RaisesSpetoWarning(table, code)) {
            const auto answer = dialogs.messageBox(
                format(_("ไพ่ %1 ที่คุณเลือกทิ้งทับกับไพ่ชุดสเปโตในวง ถ้าคนอื่นเล่นได้ภายใน 1 รอบคุณจะถูกหัก -1K     "
                         "กดปุ่ม OK เพื่อยืนยันทิ้งไพ่ใบนี้ หรือ Cancle เพื่อเลือกไพ่ใบใหม่ "),
                       {name}),
                _(kWarningTitle), MsgButtons::OkCancel, MsgIcon::Question);
            if (answer == MsgResult::Cancel) {
                hint(_("เลือกไพ่ใบใหม่ที่จะทิ้งเข้าสู่วงใบใหม่"));
                return;
            }
        }
        seq.start(humanDiscard(*this));
        return;
    }

    if (person.PilePickMode && pilePos != 0) {
        handled = true;
        const int oldIndex = table.PickIndex, oldCard = table.PickedCard;
        table.PickIndex = pilePos;
        table.PickedCard = code;
        const std::string& name = cardName(code);
        if (!CanPickFromPile(table, table.PickIndex)) {
            hint(_("ไพ่ใบที่เลือกไม่เข้าชุดกับไพ่ในมือของคุณ"));
            dialogs.messageBox(
                format(_("ไพ่ %1 ที่คุณเลือกไม่สามารถเล่นได้ กรุณาเลือกไพ่ใบใหม่ หรือ เลือกจั่วไพ่"), {name}),
                _(kErrorTitle), MsgButtons::Ok, MsgIcon::Critical);
            hint(_("ไพ่ใบที่คุณเลือกไม่ถูกต้อง กรุณาเลือกใหม่ หรือ กดปุ่มจั่วไพ่"));
            table.PickIndex = oldIndex;
            table.PickedCard = oldCard;
            return;
        }
        const int stockTop = table.Seats[0].Cards.top();
        if (isValidCard(stockTop)) scene.cardBack[stockTop].enabled = false;
        table.PickFromPile = true;
        TakeFromPile(kHuman);
        LayoutTable();
        LayoutSeatHand(kHuman);
        disableAllFaces();
        disableAllBacks(*this);
        enableHandFaces(*this);
        scene.blinkTimer.enabled = false;
        person.PilePickMode = false;
        person.DrawPhase = false;  // a turn takes either the pile or a stock card
        person.PlayMenuOn = true;
        person.LayDownMode = true;
        clearSelection(*this);
        scene.menus.mnuPlayArrangeCard.enabled = true;
        scene.menus.mnuPlayShowCard.enabled = true;
        scene.menus.mnuPlayDrawnCard.enabled = false;
        hint(_("คลิ๊กเลือกไพ่ในมือจำนวน 3 ใบ ที่จะหงาย"));
        table.Seats[kHuman].HasLaidDown = true;
        return;
    }

    if (!handled && person.PlayMenuOn) dialogs.popupMenu(PopupMenu::Play);
}

// ---- Mouse on the stock ----

void Game::stockDblClick(int code) {
    if (inputBlocked() || !person.DrawPhase) return;
    if (!isValidCard(code) || !table.Seats[0].Cards.contains(code)) return;
    person.PilePickMode = false;
    person.DrawPhase = false;
    person.PlayMenuOn = true;
    scene.blinkTimer.enabled = false;
    DrawCard(kHuman);
    disablePileFaces(*this);
    enableHandFaces(*this);
    disableAllBacks(*this);
    // A new draw starts the play with every item of the play menu at hand.
    scene.menus.mnuPlayArrangeCard.enabled = true;
    scene.menus.mnuPlayDrawnCard.caption = _(kDiscardCaption);
    scene.menus.mnuPlayDrawnCard.enabled = true;
    hint(_("คลิ๊กขวาที่ไพ่ในมือ  เพื่อเลือกเมนูย่อย (จัดไพ่ในมือ / หงายไพ่ / ทิ้งไพ่)"));
}

void Game::stockMouseUp(int code, int button) {
    if (inputBlocked() || !isValidCard(code)) return;
    if (button == 2 && person.PlayMenuOn) dialogs.popupMenu(PopupMenu::Play);
}

}  // namespace vornak
