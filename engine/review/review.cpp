// The review of a round: its positions, the person's decisions and their
// costs.
#include "review/review.h"

#include <algorithm>
#include <cmath>

#include "core/cards.h"
#include "core/i18n.h"
#include "rules/replay.h"

namespace vornak {

namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

std::string cards(const std::vector<int>& codes) {
    std::string out;
    for (int c : codes) {
        if (!out.empty()) out += ' ';
        out += cardName(c);
    }
    return out;
}

std::string meldText(const Meld& m) {
    std::vector<int> v{m[1], m[2], m[3]};
    std::sort(v.begin(), v.end());
    return cards(v);
}

std::string points(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

}  // namespace

std::string describeMove(const ReviewMove& m) {
    switch (m.kind) {
        case ReviewMove::Kind::Draw:
            return _("จั่วไพ่จากกอง");
        case ReviewMove::Kind::Take:
            return format(_("เก็บไพ่ในวงจาก %1 ลงชุด %2"), {cardName(m.card), meldText(m.meld)});
        case ReviewMove::Kind::LayDown:
            return format(_("หงาย %1"), {meldText(m.meld)});
        case ReviewMove::Kind::LayOff:
            return format(_("ฝาก %1"), {cardName(m.card)});
        case ReviewMove::Kind::Keep:
            return _("เก็บไว้ในมือก่อน");
        case ReviewMove::Kind::Discard:
            return format(_("ทิ้ง %1"), {cardName(m.card)});
    }
    return {};
}

std::string describeStep(const RoundStep& s, const std::string& name) {
    const std::string card = s.cards.empty() ? std::string() : cardName(s.cards.front());
    switch (s.kind) {
        case RoundStep::Kind::Draw:
            return format(_("%1 จั่ว %2"), {name, card});
        case RoundStep::Kind::Pick:
            return format(_("%1 เก็บไพ่ในวง %2"), {name, cards(s.cards)});
        case RoundStep::Kind::Meld:
            return format(_("%1 หงาย %2"), {name, cards(s.cards)});
        case RoundStep::Kind::LayOff:
            return format(s.onRun ? _("%1 ฝาก %2 (ไพ่เรียง)") : _("%1 ฝาก %2 (ไพ่ตอง)"), {name, card});
        case RoundStep::Kind::Discard:
            return s.hand.empty() ? format(_("%1 คว่ำ %2"), {name, card})
                                  : format(_("%1 ทิ้ง %2"), {name, card});
        case RoundStep::Kind::Knock:
            return s.dark ? format(_("%1 น็อคมืด"), {name}) : format(_("%1 น็อค"), {name});
    }
    return {};
}

std::optional<RoundReview> RoundReview::of(const RoundRecord& record) {
    std::vector<Table> before;
    const std::vector<Table> tables = replayRound(record, &before);
    if (tables.empty()) return std::nullopt;

    RoundReview r;
    r.round_ = record.round;
    r.names_ = record.names;
    ReviewPosition deal;
    deal.table = tables.front();
    deal.said = record.dealt;
    deal.move = _("แจกไพ่");
    r.positions_.push_back(deal);

    const std::vector<RoundStep>& steps = record.steps;
    bool newTurn = true;
    std::vector<bool> partOfPick(steps.size(), false);
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const RoundStep& s = steps[k];
        ReviewPosition p;
        p.table = tables[k + 1];
        p.step = static_cast<int>(k);
        p.seat = s.seat;
        p.said = s.said;
        p.move = describeStep(s, record.names[at(s.seat)]);
        p.cards = s.cards;
        r.positions_.push_back(p);

        const bool turnStart = newTurn;
        newTurn = s.kind == RoundStep::Kind::Discard || s.kind == RoundStep::Kind::Knock;
        if (s.seat != kHuman || partOfPick[k]) continue;

        ReviewDecisionAt d;
        d.view = ViewOf(before[k + 1], kHuman);
        d.level = record.level;
        const Table& t = before[k + 1];
        switch (s.kind) {
            case RoundStep::Kind::Draw:
            case RoundStep::Kind::Pick: {
                if (!turnStart) continue;
                d.kind = ReviewDecisionAt::Kind::PilePick;
                if (s.kind == RoundStep::Kind::Pick) {
                    const int card = t.Seats[0].PileCards[s.position];
                    // The meld the card taken went into.
                    std::size_t m = k + 1;
                    while (m < steps.size() && steps[m].seat == kHuman &&
                           !(steps[m].kind == RoundStep::Kind::Meld &&
                             std::count(steps[m].cards.begin(), steps[m].cards.end(), card) > 0))
                        ++m;
                    if (m >= steps.size() || steps[m].seat != kHuman) continue;
                    partOfPick[m] = true;
                    ReviewMove take{ReviewMove::Kind::Take};
                    take.position = s.position;
                    take.card = card;
                    take.meld[1] = card;
                    std::size_t i = 2;
                    for (int c : steps[m].cards)
                        if (c != card && i <= 3) take.meld[i++] = c;
                    d.played = take;
                }
                break;
            }
            case RoundStep::Kind::Meld: {
                if (s.cards.size() != 3) continue;
                d.kind = ReviewDecisionAt::Kind::LayDown;
                d.played.kind = ReviewMove::Kind::LayDown;
                d.played.meld = Meld{0, s.cards[0], s.cards[1], s.cards[2]};
                break;
            }
            case RoundStep::Kind::LayOff:
                if (s.cards.empty()) continue;
                d.kind = ReviewDecisionAt::Kind::LayOff;
                d.played.kind = ReviewMove::Kind::LayOff;
                d.played.card = s.cards.front();
                d.played.onRun = s.onRun;
                break;
            case RoundStep::Kind::Discard:
                // The last card turned down, and a dark knock, leave no choice.
                if (s.cards.empty() || s.hand.empty()) continue;
                d.kind = ReviewDecisionAt::Kind::Discard;
                d.played.kind = ReviewMove::Kind::Discard;
                d.played.card = s.cards.front();
                break;
            case RoundStep::Kind::Knock:
                continue;
        }
        ReviewDecision decision;
        decision.position = static_cast<int>(k);
        decision.at = d;
        r.positions_[k].decision = static_cast<int>(r.decisions_.size());
        r.decisions_.push_back(decision);
    }
    return r;
}

void RoundReview::go(int position) {
    cursor_ = std::clamp(position, 0, static_cast<int>(positions_.size()) - 1);
}

void RoundReview::setVerdict(std::size_t i, const Verdict& v) {
    if (i >= decisions_.size() || v.cancelled) return;
    decisions_[i].verdict = v;
    decisions_[i].evaluated = true;
}

bool RoundReview::evaluated() const {
    return std::all_of(decisions_.begin(), decisions_.end(),
                       [](const ReviewDecision& d) { return d.evaluated; });
}

std::uint64_t RoundReview::seedOf(std::size_t i) const {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (std::uint64_t v : {static_cast<std::uint64_t>(round_), static_cast<std::uint64_t>(i)}) {
        h ^= v;
        h *= 0x100000001b3ull;
    }
    return h;
}

std::vector<std::size_t> RoundReview::mistakes() const {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < decisions_.size(); ++i) {
        const ReviewDecision& d = decisions_[i];
        if (d.evaluated && d.verdict.graded && d.verdict.cost > d.verdict.noise &&
            d.verdict.cost >= kMistakePoints)
            out.push_back(i);
    }
    std::stable_sort(out.begin(), out.end(), [this](std::size_t a, std::size_t b) {
        return decisions_[a].verdict.cost > decisions_[b].verdict.cost;
    });
    if (out.size() > 3) out.resize(3);
    return out;
}

std::vector<std::size_t> RoundReview::listed() const {
    std::vector<std::size_t> out = mistakes();
    for (std::size_t i = 0; i < decisions_.size(); ++i)
        if (std::find(out.begin(), out.end(), i) == out.end()) out.push_back(i);
    return out;
}

std::string RoundReview::playedText(std::size_t i) const {
    if (i >= decisions_.size()) return {};
    return describeMove(decisions_[i].at.played);
}

std::string RoundReview::preferredText(std::size_t i) const {
    if (i >= decisions_.size()) return {};
    const ReviewDecision& d = decisions_[i];
    if (!d.evaluated) return _("กำลังประเมิน ...");
    if (!d.verdict.graded) return _("ไม่มีทางเลือกอื่น");
    if (d.verdict.preferred == d.at.played || d.verdict.cost <= 0) return _("ดีที่สุดแล้ว");
    return format(_("ควร%1 (เสีย %2 ± %3 แต้ม)"), {describeMove(d.verdict.preferred),
                                                 points(d.verdict.cost), points(d.verdict.noise)});
}

}  // namespace vornak
