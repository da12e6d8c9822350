#include "game/play/motion.h"

#include "play_fixture.h"

namespace vornak::test {
namespace {

class HeardSounds : public Sounds {
public:
    void play(Sound sound) override { heard.push_back(sound); }
    std::vector<Sound> heard;
};

class Motion : public PlayTest {
protected:
    TableMotion motion{g};
    HeardSounds sounds;

    // The person's turn with the table laid out and shown once.
    void start(bool animated, bool sound = true) {
        motion.sounds = &sounds;
        Preferences p;
        p.cardsAnimated = animated;
        p.sound = sound;
        g.applyPreferences(p);
        startTurn("3H 7C 9D JS 4S 8H 2D", "5C 6C KD 8C", "10C");
        t.random.values = {0.99};  // the draw is not steered
        // The stock face down, as the deal shows it.
        for (int i = 1; i <= g.table.Seats[0].CardCount(); ++i)
            g.scene.cardBack[g.table.Seats[0].Cards[i]].visible = true;
        g.LayoutTable();
        g.LayoutSeatHand(kHuman);
        motion.settle();
    }
    void shownAt(const std::string& card, bool face, int& left, int& top) {
        motion.shownAt(parseCard(card), face, left, top);
    }
};

TEST_F(Motion, ADrawTravelsFromTheStockAndIsHeard) {
    start(true);
    const int c = parseCard("8C");
    const CardPicture stockBack = g.scene.cardBack[c];
    g.stockDblClick(c);
    motion.settle();
    EXPECT_EQ(sounds.heard, std::vector<Sound>{Sound::Draw});
    ASSERT_TRUE(motion.gliding(c));
    EXPECT_EQ(motion.remainingMs(), 200);
    // Input waits for the card; the game's state is already the draw's.
    EXPECT_TRUE(g.inputBlocked());
    g.mnuPlayDrawnCard_Click();
    EXPECT_FALSE(g.person.DiscardMode);

    const CardPicture& face = g.scene.cardFace[c];
    int left = 0, top = 0;
    shownAt("8C", true, left, top);
    EXPECT_EQ(left, stockBack.left);
    EXPECT_EQ(top, stockBack.top);
    motion.advance(100);  // half way in time, half way in place (eased)
    shownAt("8C", true, left, top);
    EXPECT_NEAR(top, (stockBack.top + face.top) / 2, 2);
    motion.advance(100);
    EXPECT_FALSE(motion.moving());
    EXPECT_FALSE(g.inputBlocked());
    shownAt("8C", true, left, top);
    EXPECT_EQ(left, face.left);
    EXPECT_EQ(top, face.top);

    // The discard: onto the pile, heard as such.
    g.mnuPlayDrawnCard_Click();
    ASSERT_TRUE(g.person.DiscardMode);
    g.cardDblClick(parseCard("JS"));
    g.seq.runToEnd();
    motion.settle();
    EXPECT_EQ(sounds.heard.back(), Sound::Discard);
    EXPECT_TRUE(motion.gliding(parseCard("JS")));
    // Cards that only close up in the hand jump there.
    EXPECT_FALSE(motion.gliding(parseCard("4S")));
}

TEST_F(Motion, WithoutAnimationCardsJumpAndAreStillHeard) {
    start(false);
    g.stockDblClick(parseCard("8C"));
    motion.settle();
    EXPECT_FALSE(motion.moving());
    EXPECT_FALSE(g.inputBlocked());
    EXPECT_EQ(sounds.heard, std::vector<Sound>{Sound::Draw});
    EXPECT_EQ(motion.glidesStarted(), 0);
}

TEST_F(Motion, SoundOffIsSilentAndInstantPaceJumps) {
    start(true, false);
    Preferences p = g.prefs;
    p.pace = Pace::Instant;
    g.applyPreferences(p);
    g.stockDblClick(parseCard("8C"));
    motion.settle();
    EXPECT_TRUE(sounds.heard.empty());
    EXPECT_FALSE(motion.moving());
}

TEST_F(Motion, ANewDealMovesEverythingAtOnceInSilence) {
    start(true);
    // Cards come back into the stock only when the table is dealt anew.
    t.setHand(kHuman, "5C");
    t.setHand(0, "3H 7C 9D JS 4S 8H 2D 6C KD 8C");
    g.LayoutTable();
    g.LayoutSeatHand(kHuman);
    motion.settle();
    EXPECT_FALSE(motion.moving());
    EXPECT_TRUE(sounds.heard.empty());
}

TEST_F(Motion, ACardTakenWhileHiddenTravelsWhenItShowsUp) {
    start(true);
    // Taken from the pile, hidden while the seat thinks, then shown in the hand.
    const int c = parseCard("10C");
    const CardPicture onPile = g.scene.cardFace[c];
    g.table.PickIndex = 1;
    g.TakeFromPile(kHuman);
    g.scene.cardFace[c].visible = false;
    motion.settle();
    EXPECT_EQ(sounds.heard, std::vector<Sound>{Sound::Pick});
    EXPECT_FALSE(motion.moving());
    g.LayoutTable();
    g.LayoutSeatHand(kHuman);
    motion.settle();
    ASSERT_TRUE(motion.gliding(c));
    int left = 0, top = 0;
    shownAt("10C", true, left, top);
    EXPECT_EQ(left, onPile.left);
    EXPECT_EQ(top, onPile.top);
    motion.stop();
    EXPECT_FALSE(g.inputBlocked());
}

}  // namespace
}  // namespace vornak::test
