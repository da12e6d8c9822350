// A table set up for the person's turn: names, round 1, cards placed by hand.
#pragma once

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace vornak::test {

class PlayTest : public ::testing::Test {
protected:
    TestTable t;
    Game& g = t.game;
    ScriptedDialogs& dialogs = t.dialogs;

    void SetUp() override {
        t.setUpGame();
        g.match.RoundNumber = 1;
        g.ensureRound(1);
        const char* names[5] = {"", "Lek", "Noi", "Dang", "Tester"};
        for (int s = 1; s <= 4; ++s) g.match.Players[s].Name = names[s];
        g.table.CurrentSeat = kHuman;
        g.table.TurnForward = true;
    }

    // The person's turn begins with this hand, stock (top last) and pile.
    void startTurn(const std::string& hand, const std::string& stock, const std::string& pile) {
        t.setHand(kHuman, hand);
        t.setHand(0, stock);
        t.setPile(pile);
        g.table.CurrentSeat = kHuman;
        g.StartHumanTurn();
    }

    // Opens the play stage as after a draw, without drawing.
    void inPlay(const std::string& hand) {
        t.setHand(kHuman, hand);
        if (g.table.Seats[0].CardCount() == 0) t.setHand(0, "2D 3D 4D 5D 6D");
        g.table.CurrentSeat = kHuman;
        g.person.PlayMenuOn = true;
        g.person.DrawPhase = g.person.PilePickMode = false;
        g.scene.menus.mnuPlayArrangeCard.enabled = true;
        g.scene.menus.mnuPlayShowCard.enabled = true;
        g.scene.menus.mnuPlayDrawnCard.enabled = true;
    }

    // Clicks the cards in turn (left button) and lets any lay-down finish.
    void click(const std::string& cards) {
        for (int c : parseCards(cards)) g.cardMouseUp(c, 1);
        g.seq.runToEnd();
    }

    void dblClick(const std::string& card) {
        g.cardDblClick(parseCard(card));
        g.seq.runToEnd();
    }

    void chooseOnPopup(PopupMenu menu, std::function<void()> choice) {
        dialogs.onPopup = [menu, choice](PopupMenu shown) {
            if (shown == menu) choice();
        };
    }

    std::string hand() const { return handText(g.table.Seats[kHuman].Cards); }
    std::string pile() const { return handText(g.table.Seats[0].PileCards); }
    std::string lastMessage() const {
        return dialogs.messages.empty() ? std::string() : dialogs.messages.back().text;
    }
};

}  // namespace vornak::test
