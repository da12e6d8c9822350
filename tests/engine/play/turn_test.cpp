#include "play_fixture.h"

namespace vornak::test {
namespace {

using Turn = PlayTest;

TEST_F(Turn, WholeTurnFromDrawToDiscard) {
    startTurn("3H 7C 9D JS 4S 8H 2D", "5C 6C KD 8C", "10C");
    t.random.values = {0.99};  // r = 9: the draw is not steered

    g.cardMouseUp(parseCard("3H"), 2);  // before the draw: no play menu
    EXPECT_TRUE(dialogs.popups.empty());
    // Its arrange and discard items show that they do nothing yet.
    const Menus& menus = g.scene.menus;
    EXPECT_FALSE(menus.mnuPlayArrangeCard.enabled);
    EXPECT_FALSE(menus.mnuPlayDrawnCard.enabled);

    g.stockDblClick(parseCard("8C"));
    EXPECT_TRUE(menus.mnuPlayArrangeCard.enabled);
    EXPECT_TRUE(menus.mnuPlayDrawnCard.enabled);
    EXPECT_EQ(hand(), "3H 7C 9D JS 4S 8H 2D 8C");
    EXPECT_EQ(g.table.Seats[0].CardCount(), 3);
    EXPECT_FALSE(g.person.DrawPhase);
    EXPECT_TRUE(g.person.PlayMenuOn);
    EXPECT_FALSE(g.scene.cardBack[parseCard("8C")].visible);
    EXPECT_FALSE(g.scene.cardFace[parseCard("10C")].enabled);
    EXPECT_TRUE(g.scene.cardFace[parseCard("8C")].enabled);
    EXPECT_EQ(g.scene.hintLine.caption, "คลิ๊กขวาที่ไพ่ในมือ  เพื่อเลือกเมนูย่อย (จัดไพ่ในมือ / หงายไพ่ / ทิ้งไพ่)");
    g.stockDblClick(parseCard("KD"));  // only one draw a turn
    EXPECT_EQ(g.table.Seats[0].CardCount(), 3);

    g.stockMouseUp(parseCard("KD"), 2);  // the stock offers the play menu too
    ASSERT_EQ(dialogs.popups.size(), 1u);
    chooseOnPopup(PopupMenu::Play, [this] { g.mnuPlayDrawnCard_Click(); });
    g.cardMouseUp(parseCard("3H"), 2);
    ASSERT_EQ(dialogs.popups.size(), 2u);
    EXPECT_TRUE(g.person.DiscardMode);
    EXPECT_EQ(g.scene.hintLine.caption, "ดับเบิ้ลคลิ๊ก..ไพ่ในมือใบที่จะทิ้งเข้าวง");

    dblClick("9D");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(hand(), "3H 7C JS 4S 8H 2D 8C");
    EXPECT_EQ(pile(), "10C 9D");
    EXPECT_TRUE(g.table.Seats[kHuman].Discarded);
    EXPECT_TRUE(g.scene.turnTimer.enabled);
    EXPECT_FALSE(g.table.RoundOver);
    EXPECT_EQ(g.table.CurrentSeat, 0);  // the driver steps on to seat 1
    EXPECT_FALSE(g.person.PlayMenuOn);
    EXPECT_FALSE(menus.mnuPlayArrangeCard.enabled);
    EXPECT_FALSE(menus.mnuPlayDrawnCard.enabled);
    for (int c = 1; c <= 52; ++c) EXPECT_FALSE(g.scene.cardFace[c].enabled) << c;
}

// A new game (or a level change) in the middle of the person's turn ends
// that turn: nothing of it may act while the computer seats play.
TEST_F(Turn, ANewGameEndsThePersonsTurn) {
    startTurn("3H 7C 9D JS 4S 8H 2D", "5C 6C KD 8C", "10C");
    g.StartNewGame();
    EXPECT_EQ(g.table.CurrentSeat, 0);
    const int top = g.table.Seats[0].Cards.top();
    g.stockDblClick(top);  // in the gap before seat 1's turn
    EXPECT_EQ(g.table.Seats[0].CardCount(), 23);
    EXPECT_EQ(g.table.Seats[kHuman].CardCount(), 7);

    // The same after the draw, with the play menu up.
    g.turnTimerTick();
    g.seq.runToEnd();
    g.turnTimerTick();
    g.seq.runToEnd();
    g.turnTimerTick();
    g.seq.runToEnd();
    g.turnTimerTick();
    ASSERT_EQ(g.table.CurrentSeat, kHuman);
    g.stockDblClick(g.table.Seats[0].Cards.top());
    g.mnuPlayDrawnCard_Click();
    ASSERT_TRUE(g.person.DiscardMode);
    g.EndScoreEasy_Click(2);
    g.mnuPlayDrawnCard_Click();
    g.mnuPlayShowCard_Click();
    g.mnuPlayArrangeCard_Click();
    EXPECT_FALSE(g.person.DiscardMode || g.person.LayDownMode || g.person.ArrangeMode ||
                 g.person.PlayMenuOn);
    g.cardDblClick(g.table.Seats[kHuman].Cards[1]);
    EXPECT_EQ(g.table.Seats[kHuman].CardCount(), 7);
    EXPECT_EQ(g.table.Seats[0].PileCount(), 1);
}

TEST_F(Turn, PickRefusedLeavesEverythingAsItWas) {
    startTurn("3H 7C 9D JS 4S 8H 2D", "5C 6C KD 8C", "KC 5D");
    g.cardDblClick(parseCard("5D"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(lastMessage(), "ไพ่ 5 ข้าวหลามตัด ที่คุณเลือกไม่สามารถเล่นได้ กรุณาเลือกไพ่ใบใหม่ หรือ เลือกจั่วไพ่");
    EXPECT_EQ(dialogs.messages[0].title, "ผิดพลาด");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(g.scene.hintLine.caption, "ไพ่ใบที่คุณเลือกไม่ถูกต้อง กรุณาเลือกใหม่ หรือ กดปุ่มจั่วไพ่");
    EXPECT_EQ(pile(), "KC 5D");
    EXPECT_EQ(g.table.Seats[kHuman].CardCount(), 7);
    EXPECT_EQ(g.table.PickIndex, 0);
    EXPECT_TRUE(g.person.PilePickMode);
    EXPECT_TRUE(g.person.DrawPhase);
}

TEST_F(Turn, PickMustBeMeldedBeforeTheDiscard) {
    startTurn("4D 9C 9H 9S JS 8H 2S", "5C 6C KD 8C", "KC 5D 6D");
    g.cardDblClick(parseCard("5D"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(pile(), "KC");
    EXPECT_EQ(hand(), "4D 9C 9H 9S JS 8H 2S 5D 6D");
    EXPECT_EQ(g.table.PickIndex, 2);
    EXPECT_TRUE(g.table.PickFromPile);
    EXPECT_TRUE(g.person.LayDownMode);
    EXPECT_FALSE(g.person.DrawPhase);
    EXPECT_TRUE(g.table.Seats[kHuman].HasLaidDown);
    EXPECT_FALSE(g.scene.menus.mnuPlayDrawnCard.enabled);
    EXPECT_EQ(g.scene.hintLine.caption, "คลิ๊กเลือกไพ่ในมือจำนวน 3 ใบ ที่จะหงาย");

    // A valid set without the picked card is refused; nothing moves.
    click("9C 9H 9S");
    EXPECT_EQ(lastMessage(), "ไพ่ชุดที่คุณหงายไม่ถูกต้อง กรุณาเลือกชุดใหม่ หรือ ทิ้งไพ่");
    EXPECT_EQ(g.table.Seats[kHuman].PileCount(), 0);
    EXPECT_EQ(g.person.SelectionCount, 0);

    // Nor may a card be laid off before the picked card is melded.
    dialogs.messages.clear();
    g.cardDblClick(parseCard("8H"));
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.popups.empty());

    click("6D 4D 5D");
    EXPECT_EQ(handText(g.table.Seats[kHuman].PileCards), "4D 5D 6D");
    EXPECT_EQ(hand(), "9C 9H 9S JS 8H 2S");
    EXPECT_FALSE(g.table.PickFromPile);
    EXPECT_TRUE(g.scene.menus.mnuPlayDrawnCard.enabled);
    EXPECT_EQ(g.scene.hintLine.caption, "คลิ๊กไพ่ในมือ 3 ใบที่จะหงาย หรือ คลิ๊กขวาที่ไพ่ในมือเพื่อเลือกเมนูย่อย");
    EXPECT_EQ(g.match.PlayLogs[kHuman].EntryCount, 1);
    EXPECT_EQ(g.match.PlayLogs[kHuman].Entries[1], "4 ข้าวหลามตัด ,5 ข้าวหลามตัด,6 ข้าวหลามตัด");
    EXPECT_TRUE(g.table.RunLayOffCards.contains(parseCard("3D")));
    EXPECT_TRUE(g.table.RunLayOffCards.contains(parseCard("7D")));
    // Laid in one row centred on the bottom seat.
    EXPECT_EQ(g.scene.cardFace[parseCard("4D")].top, 5420);
    EXPECT_EQ(g.scene.cardFace[parseCard("4D")].left, 5800 - 350 * 2);
    EXPECT_EQ(g.scene.cardFace[parseCard("6D")].left, 5800);
    EXPECT_EQ(g.table.Seats[kHuman].MeldStarts[1], 3);
}

TEST_F(Turn, SelectionRaisesAndSecondClickPutsBack) {
    inPlay("4D 9C 9H 9S JS 8H");
    g.mnuPlayShowCard_Click();
    CardPicture& nine = g.scene.cardFace[parseCard("9C")];
    const int row = nine.top;
    g.cardMouseUp(parseCard("9C"), 1);
    EXPECT_EQ(nine.top, row - 200);
    g.cardMouseUp(parseCard("9C"), 1);
    EXPECT_EQ(nine.top, row);
    EXPECT_EQ(g.person.SelectionCount, 0);
}

TEST_F(Turn, LayOffRefusedWithAndWithoutAKind) {
    inPlay("6H 9C JS");
    g.mnuPlayShowCard_Click();
    g.table.RunLayOffCards.assign(parseCards("2H 6H"));
    const std::string tail = "  กรุณาเลือกไพ่ใบใหม่ หรือเลือกชนิดไพ่ดัมมี่ที่จะหงายใหม่  หรือ ทิ้งไพ่ ";

    g.cardDblClick(parseCard("6H"));  // no kind chosen yet (menu dismissed)
    EXPECT_EQ(dialogs.popups.back(), PopupMenu::LayOffKind);
    EXPECT_EQ(lastMessage(), " ไพ่ 6 โพแดง ไม่ใช่  ไพ่ดัมมี่" + tail);

    chooseOnPopup(PopupMenu::LayOffKind, [this] { g.showdummyTongItem_Click(); });
    g.cardDblClick(parseCard("6H"));
    EXPECT_EQ(lastMessage(), " ไพ่ 6 โพแดง ไม่ใช่  ไพ่ดัมมี่ตอง" + tail);
    EXPECT_TRUE(g.scene.menus.showdummyTongItem.checked);
    EXPECT_EQ(hand(), "6H 9C JS");

    chooseOnPopup(PopupMenu::LayOffKind, [this] { g.showDummyStateItem_Click(); });
    g.cardDblClick(parseCard("9C"));
    EXPECT_EQ(lastMessage(), " ไพ่ 9 ดอกจิก ไม่ใช่  ไพ่ดัมมี่เรียง" + tail);
    EXPECT_FALSE(g.scene.menus.showdummyTongItem.checked);
    EXPECT_TRUE(g.scene.menus.showDummyStateItem.checked);

    // Dismissing the menu keeps the run kind; the 6 of hearts lays off.
    dialogs.onPopup = nullptr;
    const auto shown = dialogs.messages.size();
    g.cardDblClick(parseCard("6H"));
    EXPECT_EQ(dialogs.messages.size(), shown);
    EXPECT_EQ(hand(), "JS 9C");
    EXPECT_EQ(handText(g.table.Seats[kHuman].PileCards), "6H");
    EXPECT_EQ(g.match.PlayLogs[kHuman].Entries[1], "6 โพแดง (ดัมมี่ไพ่เรียง)");
    EXPECT_TRUE(g.table.RunLayOffCards.contains(parseCard("5H")));
    EXPECT_TRUE(g.table.RunLayOffCards.contains(parseCard("7H")));
    EXPECT_EQ(g.scene.hintLine.caption, "Tester หงายไพ่ดัมมี่");
}

TEST_F(Turn, LastCardCanOnlyBeTurnedDown) {
    inPlay("6H 9C");
    g.mnuPlayShowCard_Click();
    g.table.RunLayOffCards.assign(parseCards("6H"));
    chooseOnPopup(PopupMenu::LayOffKind, [this] { g.showDummyStateItem_Click(); });
    g.cardDblClick(parseCard("6H"));
    EXPECT_EQ(g.scene.menus.mnuPlayDrawnCard.caption, "คว่ำไพ่");
    EXPECT_TRUE(g.scene.menus.mnuPlayDrawnCard.enabled);
    EXPECT_EQ(g.scene.hintLine.caption, " กรุณากดปุ่มคว่ำไพ่ เพื่อคว่ำไพ่ใบสุดท้ายในมือ");

    dialogs.popups.clear();
    g.cardDblClick(parseCard("9C"));
    EXPECT_EQ(lastMessage(), " ไพ่ใบนี้ไว้สำหรับคว่ำ   กรุณากดปุ่มคว่ำไพ่  เพื่อคว่ำไพ่ในมือ");
    EXPECT_FALSE(g.scene.menus.mnuPlayArrangeCard.enabled);
    EXPECT_FALSE(g.scene.menus.mnuPlayShowCard.enabled);
    ASSERT_EQ(dialogs.popups.size(), 1u);  // the play menu offers the turn-down
    EXPECT_EQ(dialogs.popups[0], PopupMenu::Play);

    g.mnuPlayDrawnCard_Click();
    EXPECT_EQ(g.scene.hintLine.caption, "ดับเบิ้ลคลิ๊ก..ไพ่ในมือใบที่จะคว่ำน็อค");
}

TEST_F(Turn, DiscardWarningsAskBeforeDiscarding) {
    inPlay("3C 8H JS KD");
    t.setPile("2C");
    g.table.RunLayOffCards.assign(parseCards("8H"));
    g.mnuPlayDrawnCard_Click();

    dialogs.messageAnswers = {MsgResult::Cancel};
    dblClick("8H");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(lastMessage(),
              "ไพ่ 8 โพแดง เป็นไพ่ดัมมี่  กดปุ่ม OK เพื่อยืนยันทิ้งไพ่ดัมมี่ หรือ Cancle "
              "เพื่อเลือกไพ่ใบใหม่ ");
    EXPECT_EQ(dialogs.messages[0].title, "คำเตือน");
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Question);
    EXPECT_EQ(g.scene.hintLine.caption, "เลือกไพ่ใบใหม่ที่จะทิ้งเข้าสู่วงใบใหม่");
    EXPECT_TRUE(g.person.DiscardMode);
    EXPECT_EQ(pile(), "2C");

    dialogs.messageAnswers = {MsgResult::Cancel};
    dblClick("3C");
    EXPECT_EQ(lastMessage(),
              "ไพ่ 3 ดอกจิก ที่คุณเลือกทิ้งทับกับไพ่ชุดสเปโตในวง ถ้าคนอื่นเล่นได้ภายใน 1 รอบคุณจะถูกหัก "
              "-1K     กดปุ่ม OK เพื่อยืนยันทิ้งไพ่ใบนี้ หรือ Cancle เพื่อเลือกไพ่ใบใหม่ ");
    EXPECT_EQ(hand(), "3C 8H JS KD");

    dblClick("3C");  // OK
    EXPECT_EQ(pile(), "2C 3C");
    EXPECT_TRUE(g.table.FeedsClubsRun[kHuman]);

    // The dummy card with OK: counted in the statistics.
    inPlay("8H JS KD");
    g.mnuPlayDrawnCard_Click();
    dblClick("8H");
    EXPECT_EQ(pile(), "2C 3C 8H");
    EXPECT_EQ(g.match.Players[kHuman].DummyDiscardCount, 1);
}

TEST_F(Turn, ArrangeSwapsTwoCards) {
    inPlay("3H 9C JS KD");
    g.table.Seats[kHuman].HasLaidDown = true;  // no automatic arranging
    g.mnuPlayArrangeCard_Click();
    EXPECT_TRUE(g.person.ArrangeMode);
    CardPicture& three = g.scene.cardFace[parseCard("3H")];
    const int row = three.top;
    g.cardMouseUp(parseCard("3H"), 1);
    EXPECT_EQ(three.top, row - 200);
    g.cardMouseUp(parseCard("KD"), 1);
    EXPECT_EQ(hand(), "KD 9C JS 3H");
    g.cardMouseUp(parseCard("9C"), 1);
    g.cardMouseUp(parseCard("9C"), 1);
    EXPECT_EQ(hand(), "KD 9C JS 3H");
    EXPECT_FALSE(g.person.ArrangeFirstChosen);
}

TEST_F(Turn, DrawSteeringSwapsOnAnOddWalk) {
    g.match.DrawHelpLevel = 9;
    // One pair that does not meld with the K of spades: one exchange.
    startTurn("9C 9D", "4C 7C 5H KS", "10C");
    t.random.values = {0.5};
    g.stockDblClick(parseCard("KS"));
    EXPECT_EQ(hand(), "9C 9D 5H");
    EXPECT_EQ(handText(g.table.Seats[0].Cards), "4C 7C KS");

    // Two exchanges (the 9 of hearts melds with the two 9s): no change.
    startTurn("9C 9D 2S", "4C 7C 5H 9H", "10C");
    t.random.values = {0.5};
    g.stockDblClick(parseCard("9H"));
    EXPECT_EQ(hand(), "9C 9D 2S 9H");

    // A stock of three cards is never steered and draws no random number.
    startTurn("9C 9D", "7C 5H KS", "10C");
    const int drawn = t.random.drawn;
    g.stockDblClick(parseCard("KS"));
    EXPECT_EQ(hand(), "9C 9D KS");
    EXPECT_EQ(t.random.drawn, drawn);

    // Above the help level the draw is left alone.
    g.match.DrawHelpLevel = 1;
    startTurn("9C 9D", "4C 7C 5H KS", "10C");
    t.random.values = {0.5};
    g.stockDblClick(parseCard("KS"));
    EXPECT_EQ(hand(), "9C 9D KS");
}

TEST_F(Turn, DarkKnockOfferedTakenAndDeclined) {
    inPlay("3H 4H 5H 9C 9D 9S KC 6H");
    g.person.ArrangeMode = true;
    g.table.Seats[kHuman].StillClosed = true;
    g.table.Seats[kHuman].HasLaidDown = false;
    g.scene.menus.mnuPlayShowCard.enabled = false;
    g.cardMouseUp(parseCard("KC"), 1);
    g.cardMouseUp(parseCard("6H"), 1);
    EXPECT_EQ(hand(), "3H 4H 5H 9C 9D 9S 6H KC");
    EXPECT_TRUE(g.table.DarkKnockReady);
    EXPECT_TRUE(g.table.Seats[kHuman].DarkKnocked);
    EXPECT_EQ(g.scene.menus.mnuPlayShowCard.caption, "น๊อคมืด");
    EXPECT_TRUE(g.scene.menus.mnuPlayShowCard.enabled);
    EXPECT_EQ(dialogs.popups, std::vector<PopupMenu>{PopupMenu::Play});
    EXPECT_EQ(g.scene.hintLine.caption, " เลือกปุ่มน็อคมืดเพื่อน็อคมืด  หรือทิ้งไพ่ถ้ายังไม่ต้องการน็อคในรอบนี้ ");

    // Declined: a plain discard withdraws it.
    g.mnuPlayDrawnCard_Click();
    dblClick("KC");
    EXPECT_FALSE(g.table.Seats[kHuman].DarkKnocked);
    EXPECT_FALSE(g.table.RoundOver);
    EXPECT_EQ(g.scene.menus.mnuPlayShowCard.caption, "หงายไพ่");
}

TEST_F(Turn, DarkKnockPlayedToTheEnd) {
    inPlay("3H 4H 5H 9C 9D 9S 6H KC");
    g.table.Seats[kHuman].StillClosed = true;
    g.table.Seats[kHuman].HasLaidDown = false;
    g.person.ArrangeMode = true;
    click("KC KC");  // offers the dark knock
    ASSERT_TRUE(g.table.Seats[kHuman].DarkKnocked);
    g.mnuPlayShowCard_Click();
    EXPECT_FALSE(g.scene.menus.mnuPlayDrawnCard.enabled);
    click("3H 4H 5H");
    click("9C 9D 9S");
    chooseOnPopup(PopupMenu::LayOffKind, [this] { g.showDummyStateItem_Click(); });
    dblClick("6H");
    ASSERT_EQ(hand(), "KC");
    g.mnuPlayDrawnCard_Click();
    dblClick("KC");
    EXPECT_TRUE(g.table.RoundOver);
    EXPECT_TRUE(g.table.Seats[kHuman].DarkKnocked);
    EXPECT_FALSE(g.table.Seats[kHuman].Knocked);
}

}  // namespace
}  // namespace vornak::test
