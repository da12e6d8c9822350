#include "logger.h"

#include "json.h"

namespace vornak::sim {

namespace {

std::vector<int> listOf(const CardList& list) {
    return list.toVector();
}

void context(JsonWriter& w, const LogContext& at) {
    w.field("game", at.game).field("round", at.round).field("step", at.step);
}

std::vector<int> selectionOf(const Table& t) {
    return {t.Selection[1], t.Selection[2], t.Selection[3]};
}

}  // namespace

std::vector<int> handOf(const Game& game, int seat) {
    return listOf(game.Seats[static_cast<std::size_t>(seat)].Cards);
}

void EventLog::write(const std::string& line) {
    if (out_ == nullptr) return;
    *out_ << line << '\n';
}

void EventLog::action(const LogContext& at, const GameAction& a) {
    if (!enabled()) return;
    JsonWriter w;
    w.beginObject().field("type", "action");
    context(w, at);
    w.field("kind", a.kind).field("seat", a.seat).key("cards").values(a.cards);
    w.field("position", a.position).field("detail", a.detail).endObject();
    write(w.str());
}

void EventLog::decisionStarts(const Game& g, const Table& t, const char* name, int seat) {
    if (!enabled()) return;
    const SeatRec& me = t.Seats[static_cast<std::size_t>(seat >= 0 && seat <= 4 ? seat : 0)];
    JsonWriter w;
    w.beginObject();
    w.key("hand").values(listOf(me.Cards));
    w.key("laid").values(listOf(me.PileCards));
    w.key("pile").values(listOf(t.Seats[0].PileCards));
    w.field("stock", t.Seats[0].CardCount());
    w.key("setLayOffs").values(listOf(t.SetLayOffCards));
    w.key("runLayOffs").values(listOf(t.RunLayOffCards));
    w.field("hasLaidDown", me.HasLaidDown).field("stillClosed", me.StillClosed);
    w.field("beginner", g.BeginnerChosen).field("vip", g.VipChosen);
    w.field("mission", g.MissionMode).field("target", g.PointTarget);
    w.field("pileAtTurnStart", t.PileCountAtTurnStart);
    w.key("person").values(listOf(t.Seats[kHuman].Cards));
    w.endObject();
    frames_.push_back(Frame{name, seat, w.take(), {}});
}

void EventLog::randomDrawn(double value) {
    // A decision nested in another draws for both.
    for (Frame& f : frames_) f.draws.push_back(value);
}

void EventLog::decisionEnds(const Table& t, const LogContext& at, const char* name, int seat,
                            int result) {
    if (!enabled()) return;
    Frame frame;
    // The innermost open decision of that name ends.
    for (auto it = frames_.rbegin(); it != frames_.rend(); ++it) {
        if (it->name == name && it->seat == seat) {
            frame = std::move(*it);
            frames_.erase(std::next(it).base());
            break;
        }
    }
    const std::string n = name;
    const SeatRec& me = t.Seats[static_cast<std::size_t>(seat >= 0 && seat <= 4 ? seat : 0)];

    JsonWriter w;
    w.beginObject().field("type", "decision");
    context(w, at);
    w.field("name", n).field("seat", seat);
    w.key("inputs");
    if (frame.inputs.empty())
        w.null();
    else
        w.raw(frame.inputs);
    w.key("random").beginArray();
    for (double v : frame.draws) w.value(v);
    w.endArray();
    w.field("result", result);
    w.key("outputs").beginObject();
    if (n == "ChoosePilePick") {
        w.field("pickFromPile", t.PickFromPile).field("pickIndex", t.PickIndex);
        w.key("selection").values(selectionOf(t));
    } else if (n == "FindMeldInHand") {
        w.key("selection").values(selectionOf(t));
    } else if (n == "FindLayOff" || n == "FindSetLayOff") {
        w.field("layOffPos", t.LayOffPos).field("layOffCard", me.Cards[t.LayOffPos]);
        w.field("layOffOnRun", t.LayOffOnRun);
    } else if (n == "ArrangeHand") {
        w.key("hand").values(listOf(me.Cards));
    } else if (n == "DecideMeldAtFive" || n == "DecideMeldAtFour") {
        w.field("meldNow", t.MeldNow);
    } else if (n == "CheckDarkKnock") {
        w.field("darkKnockReady", t.DarkKnockReady);
        w.key("hand").values(listOf(me.Cards));
    } else if (n == "ChooseDiscard") {
        w.field("selectedCard", t.SelectedCard).field("card", me.Cards[t.SelectedCard]);
    }
    w.endObject().endObject();
    write(w.str());
}

void EventLog::message(const LogContext& at, const std::string& text, const std::string& title,
                       bool okCancel) {
    if (!enabled()) return;
    JsonWriter w;
    w.beginObject().field("type", "message");
    context(w, at);
    w.field("title", title).field("text", text).field("okCancel", okCancel);
    w.field("answer", "ok").endObject();
    write(w.str());
}

void EventLog::input(const LogContext& at, const std::string& what) {
    if (!enabled()) return;
    JsonWriter w;
    w.beginObject().field("type", "input");
    context(w, at);
    w.field("seat", kHuman).field("what", what).endObject();
    write(w.str());
}

void EventLog::roundEnd(const LogContext& at, const Game& g, int round) {
    if (!enabled()) return;
    const auto r = static_cast<std::size_t>(round);
    JsonWriter w;
    w.beginObject().field("type", "round");
    context(w, at);
    int knocker = 0;
    std::string kind = "none";
    for (int s = 1; s <= 4; ++s) {
        if (g.Seats[s].DarkKnocked) {
            knocker = s;
            kind = "dark";
        } else if (g.Seats[s].Knocked) {
            knocker = s;
            kind = "knock";
        }
    }
    w.field("knocker", knocker).field("knock", kind);
    auto perSeat = [&](const char* key, auto get) {
        w.key(key).beginArray();
        for (int s = 1; s <= 4; ++s) w.value(get(g.Players[s]));
        w.endArray();
    };
    perSeat("points",
            [&](const Player& s) { return r < s.RoundPoints.size() ? s.RoundPoints[r] : 0L; });
    perSeat("k", [&](const Player& s) { return r < s.RoundK.size() ? s.RoundK[r] : 0; });
    perSeat("fooled",
            [&](const Player& s) { return r < s.RoundFooled.size() && s.RoundFooled[r]; });
    perSeat("gotFool",
            [&](const Player& s) { return r < s.RoundGotFool.size() && s.RoundGotFool[r]; });
    perSeat("totals", [](const Player& s) { return s.TotalPoints; });
    perSeat("money", [](const Player& s) { return s.Money; });
    w.key("hand").beginArray();
    for (int s = 1; s <= 4; ++s) w.value(g.Seats[s].CardCount());
    w.endArray();
    w.field("stock", g.Seats[0].CardCount()).field("targetReached", g.TargetReached);
    w.endObject();
    write(w.str());
}

}  // namespace vornak::sim
