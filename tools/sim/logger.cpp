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
    return listOf(game.table.Seats[static_cast<std::size_t>(seat)].Cards);
}

void EventLog::emit(const std::string& line) {
    if (holding_) {
        held_ += line;
        held_ += '\n';
    } else {
        *out_ << line << '\n';
    }
}

void EventLog::write(const std::string& line) {
    if (out_ == nullptr) return;
    flushRandom();
    emit(line);
}

void EventLog::release(const std::string& first) {
    holding_ = false;
    if (out_ == nullptr) return;
    *out_ << first << '\n' << held_;
    held_.clear();
}

void EventLog::flushRandom() {
    if (randomValues_.empty()) return;
    JsonWriter w;
    w.beginObject().field("type", "random");
    context(w, randomAt_);
    w.field("use", randomUse_).key("values").beginArray();
    for (double v : randomValues_) w.value(v);
    w.endArray().endObject();
    randomValues_.clear();
    emit(w.str());
}

void EventLog::randomDrawn(double value, const char* use) {
    if (!enabled()) return;
    // A decision nested in another draws for both.
    for (Frame& f : frames_) f.draws.push_back(value);
    const char* where = use != nullptr    ? use
                        : frames_.empty() ? "other"
                                          : frames_.back().name.c_str();
    if (!randomValues_.empty() && randomUse_ != where) flushRandom();
    if (randomValues_.empty()) {
        randomUse_ = where;
        randomAt_ = context_ ? context_() : LogContext{};
    }
    randomValues_.push_back(value);
}

void EventLog::action(const LogContext& at, const GameAction& a, const Game* game) {
    if (!enabled()) return;
    JsonWriter w;
    w.beginObject().field("type", "action");
    context(w, at);
    w.field("kind", a.kind).field("seat", a.seat).key("cards").values(a.cards);
    w.field("position", a.position).field("detail", a.detail);
    if (a.kind == "deal" && game != nullptr) {
        w.key("stock").values(listOf(game->table.Seats[0].Cards));
        w.key("pile").values(listOf(game->table.Seats[0].PileCards));
        w.key("hands").beginArray();
        for (int s = 1; s <= 4; ++s) w.values(handOf(*game, s));
        w.endArray();
    }
    w.endObject();
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
    w.field("beginner", g.match.BeginnerChosen).field("vip", g.match.VipChosen);
    w.field("mission", g.match.MissionMode).field("target", g.match.PointTarget);
    w.field("pileAtTurnStart", t.PileCountAtTurnStart);
    w.key("person").values(listOf(t.Seats[kHuman].Cards));
    w.endObject();
    frames_.push_back(Frame{name, seat, w.take(), {}});
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
        w.field("layOffPos", t.LayOffPos).field("layOffCard", t.LayOffCard);
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

void EventLog::roundEnding(const Game& g) {
    if (!enabled()) return;
    RoundSnapshot& r = roundEnding_;
    const Table& t = g.table;
    const std::array<const std::array<bool, 5>*, 6> feeds = {
        &t.FeedsClubsRun,   &t.FeedsTwos,       &t.FeedsQueens,
        &t.FeedsTenToQueen, &t.FeedsJackToKing, &t.FeedsQueenToAce};
    for (int s = 1; s <= 4; ++s) {
        const auto i = static_cast<std::size_t>(s - 1);
        const SeatRec& seat = t.Seats[static_cast<std::size_t>(s)];
        r.hands[i] = listOf(seat.Cards);
        r.laid[i] = listOf(seat.PileCards);
        r.kBefore[i] = seat.K;
        for (std::size_t f = 0; f < feeds.size(); ++f)
            r.feeds[f][i] = (*feeds[f])[static_cast<std::size_t>(s)];
    }
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
        if (g.table.Seats[s].DarkKnocked) {
            knocker = s;
            kind = "dark";
        } else if (g.table.Seats[s].Knocked) {
            knocker = s;
            kind = "knock";
        }
    }
    w.field("knocker", knocker).field("knock", kind);
    auto perSeat = [&](const char* key, auto get) {
        w.key(key).beginArray();
        for (int s = 1; s <= 4; ++s) w.value(get(g.match.Players[s]));
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
    const RoundSnapshot& before = roundEnding_;
    w.key("hand").beginArray();
    for (const auto& cards : before.hands) w.values(cards);
    w.endArray().key("laid").beginArray();
    for (const auto& cards : before.laid) w.values(cards);
    w.endArray().key("kBefore").beginArray();
    for (int k : before.kBefore) w.value(k);
    w.endArray().key("feeds").beginObject();
    static const char* const kFeedNames[] = {"clubsRun",   "twos",       "queens",
                                             "tenToQueen", "jackToKing", "queenToAce"};
    for (std::size_t f = 0; f < before.feeds.size(); ++f) {
        w.key(kFeedNames[f]).beginArray();
        for (bool on : before.feeds[f]) w.value(on);
        w.endArray();
    }
    w.endObject();
    w.field("stock", g.table.Seats[0].CardCount()).field("targetReached", g.match.TargetReached);
    w.field("clock", g.match.ElapsedSeconds);
    w.endObject();
    write(w.str());
}

}  // namespace vornak::sim
