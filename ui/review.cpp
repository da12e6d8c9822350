// The round review window and the ways into it.
#include "review.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "cardart.h"
#include "game/game.h"
#include "core/i18n.h"
#include "language.h"
#include "game/results/layout.h"
#include "tablewidget.h"

namespace vornak {

namespace {

int gRollouts = 4000;

QString q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

// ---- The table of one position, every hand face up ----

class ReviewBoard : public QWidget {
public:
    explicit ReviewBoard(const RoundReview& review, QWidget* parent)
        : QWidget(parent), review_(review) {
        setObjectName(QStringLiteral("reviewBoard"));
        setMinimumSize(760, 520);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), QColor(0x1d, 0x5c, 0x3a));
        const ReviewPosition& pos = review_.current();
        const Table& t = pos.table;
        // The cards the move moved are framed.
        const std::vector<int>& moved = pos.cards;
        const QSize card(50, 70);
        const qreal dpr = devicePixelRatioF();
        auto drawCards = [&](const std::vector<int>& cards, int x, int y, int step) {
            for (int c : cards) {
                p.drawPixmap(x, y, cardPixmap(c, card, dpr));
                if (std::find(moved.begin(), moved.end(), c) != moved.end()) {
                    p.setPen(QPen(QColor(255, 214, 0), 3));
                    p.setBrush(Qt::NoBrush);
                    p.drawRoundedRect(QRectF(x - 1.5, y - 1.5, card.width() + 3, card.height() + 3),
                                      5, 5);
                }
                x += step;
            }
            return x;
        };
        QFont name = font();
        name.setBold(true);
        const int rowHeight = (height() - 16) / 5;
        int y = 8;
        auto seatRow = [&](int s) {
            const SeatRec& seat = t.Seats[static_cast<std::size_t>(s)];
            p.setFont(name);
            p.setPen(pos.seat == s ? QColor(255, 214, 0) : QColor(240, 240, 240));
            QString label = q(review_.names()[static_cast<std::size_t>(s)]);
            if (seat.K != 0) label += QStringLiteral("  %1 K").arg(seat.K);
            p.drawText(QRect(10, y, 120, 20), Qt::AlignLeft | Qt::AlignVCenter, label);
            const int x = drawCards(seat.Cards.toVector(), 10, y + 20, 26);
            drawCards(seat.PileCards.toVector(), std::max(x + 50, 420), y + 20, 20);
            y += rowHeight;
        };
        seatRow(1);
        seatRow(2);
        seatRow(3);
        // The pile and the stock.
        p.setFont(name);
        p.setPen(QColor(240, 240, 240));
        p.drawText(QRect(10, y, 400, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   tx("กองไพ่ %1 ใบ   ไพ่ในวง").arg(t.Seats[0].CardCount()));
        drawCards(t.Seats[0].PileCards.toVector(), 10, y + 20, 26);
        y += rowHeight;
        seatRow(4);
    }

private:
    const RoundReview& review_;
};

// ---- The window ----

void ReviewWindow::setRollouts(int rollouts) {
    gRollouts = std::max(2, rollouts);
}

ReviewWindow::ReviewWindow(RoundReview review, QWidget* parent)
    : QWidget(parent, Qt::Window), review_(std::move(review)) {
    setObjectName(QStringLiteral("reviewWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tx("ดูย้อนหลัง รอบที่ %1").arg(review_.round()));

    board_ = new ReviewBoard(review_, this);
    where_ = new QLabel(this);
    said_ = new QLabel(this);
    said_->setObjectName(QStringLiteral("reviewSaid"));
    said_->setWordWrap(true);
    move_ = new QLabel(this);
    move_->setObjectName(QStringLiteral("reviewMove"));
    QFont bold = move_->font();
    bold.setBold(true);
    move_->setFont(bold);
    verdict_ = new QLabel(this);
    verdict_->setObjectName(QStringLiteral("reviewVerdict"));
    verdict_->setWordWrap(true);

    auto button = [this](const char* objectName, const QString& text, const char* tip) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(objectName));
        b->setToolTip(tx(tip));
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    first_ = button("reviewFirst", QStringLiteral("|◀"), N_("ไปต้นรอบ (Home)"));
    back_ = button("reviewBack", QStringLiteral("◀"), N_("ถอยหนึ่งตา (ลูกศรซ้าย)"));
    forward_ = button("reviewForward", QStringLiteral("▶"), N_("ไปข้างหน้าหนึ่งตา (ลูกศรขวา)"));
    last_ = button("reviewLast", QStringLiteral("▶|"), N_("ไปท้ายรอบ (End)"));
    connect(first_, &QPushButton::clicked, this, [this] { step(0); });
    connect(back_, &QPushButton::clicked, this, [this] { step(review_.cursor() - 1); });
    connect(forward_, &QPushButton::clicked, this, [this] { step(review_.cursor() + 1); });
    connect(last_, &QPushButton::clicked, this,
            [this] { step(static_cast<int>(review_.positions().size()) - 1); });

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("reviewDecisions"));
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setWordWrap(true);
    list_->setMinimumWidth(340);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const auto i = static_cast<std::size_t>(item->data(Qt::UserRole).toInt());
        if (i < review_.decisions().size()) step(review_.decisions()[i].position);
    });
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("reviewProgress"));
    progress_->setRange(0, static_cast<int>(review_.decisions().size()));
    progress_->setValue(0);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("reviewStatus"));
    status_->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(first_);
    buttons->addWidget(back_);
    buttons->addWidget(where_, 1, Qt::AlignCenter);
    buttons->addWidget(forward_);
    buttons->addWidget(last_);
    auto* left = new QVBoxLayout;
    left->addWidget(board_, 1);
    left->addWidget(move_);
    left->addWidget(said_);
    left->addWidget(verdict_);
    left->addLayout(buttons);
    auto* right = new QVBoxLayout;
    auto* heading = new QLabel(tx("การตัดสินใจของคุณ (ที่เสียแต้มมากที่สุดอยู่บนสุด)"), this);
    heading->setWordWrap(true);
    right->addWidget(heading);
    right->addWidget(list_, 1);
    right->addWidget(status_);
    right->addWidget(progress_);
    auto* all = new QHBoxLayout(this);
    all->addLayout(left, 1);
    all->addLayout(right);
    setFocusPolicy(Qt::StrongFocus);

    fillList();
    showPosition();

    // The evaluation, one decision after the other, on a thread of its own.
    status_->setText(tx("กำลังประเมินการตัดสินใจของคุณ ..."));
    if (review_.decisions().empty()) {
        done_ = true;
        status_->setText(tx("คุณไม่ได้ตัดสินใจอะไรในรอบนี้"));
    } else {
        std::vector<ReviewDecisionAt> work;
        std::vector<std::uint64_t> seeds;
        for (std::size_t i = 0; i < review_.decisions().size(); ++i) {
            work.push_back(review_.decisions()[i].at);
            seeds.push_back(review_.seedOf(i));
        }
        const int rollouts = gRollouts;
        QPointer<ReviewWindow> self(this);
        worker_ = std::thread([this, work = std::move(work), seeds = std::move(seeds), rollouts] {
            for (std::size_t i = 0; i < work.size() && !cancel_; ++i) {
                ExpertBudget budget;
                budget.rollouts = rollouts;
                budget.cancel = &cancel_;
                const Verdict v = evaluateDecision(work[i], seeds[i], budget);
                if (v.cancelled || cancel_) return;
                QMetaObject::invokeMethod(
                    this, [this, i, v] { verdictCame(i, v); }, Qt::QueuedConnection);
            }
        });
    }
}

ReviewWindow::~ReviewWindow() {
    cancel();
}

void ReviewWindow::cancel() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void ReviewWindow::closeEvent(QCloseEvent* event) {
    cancel();
    QWidget::closeEvent(event);
}

void ReviewWindow::verdictCame(std::size_t i, const Verdict& v) {
    review_.setVerdict(i, v);
    ++evaluatedCount_;
    progress_->setValue(static_cast<int>(evaluatedCount_));
    if (review_.evaluated()) {
        done_ = true;
        const std::size_t n = review_.mistakes().size();
        status_->setText(n == 0 ? tx("ไม่พบความผิดพลาดที่ชัดเจน")
                                : tx("พบความผิดพลาด %1 ครั้ง (อยู่บนสุดของรายการ)").arg(n));
    }
    fillList();
    showPosition();
}

void ReviewWindow::fillList() {
    list_->clear();
    const std::vector<std::size_t> mistakes = review_.mistakes();
    for (std::size_t i : review_.listed()) {
        const ReviewDecision& d = review_.decisions()[i];
        const bool mistake = std::find(mistakes.begin(), mistakes.end(), i) != mistakes.end();
        QString text = tx("ตาที่ %1: %2").arg(d.position + 1).arg(q(review_.playedText(i)));
        text += QStringLiteral("\n   ") + q(review_.preferredText(i));
        auto* item = new QListWidgetItem(mistake ? QStringLiteral("⚠ ") + text : text, list_);
        item->setData(Qt::UserRole, static_cast<int>(i));
        if (mistake) {
            QFont f = item->font();
            f.setBold(true);
            item->setFont(f);
            item->setForeground(QColor(0xb0, 0x10, 0x10));
        } else if (!d.evaluated) {
            item->setForeground(QColor(0x80, 0x80, 0x80));
        }
    }
}

void ReviewWindow::step(int to) {
    review_.go(to);
    showPosition();
}

void ReviewWindow::showPosition() {
    const ReviewPosition& p = review_.current();
    const int n = static_cast<int>(review_.positions().size());
    where_->setText(tx("ตำแหน่ง %1 / %2").arg(review_.cursor()).arg(n - 1));
    move_->setText(q(p.move));
    said_->setText(p.said.empty() ? QString() : QStringLiteral("“%1”").arg(q(p.said).trimmed()));
    if (p.decision >= 0) {
        const auto i = static_cast<std::size_t>(p.decision);
        verdict_->setText(
            tx("ตาถัดไป คุณ%1 — %2").arg(q(review_.playedText(i)), q(review_.preferredText(i))));
    } else {
        verdict_->clear();
    }
    first_->setEnabled(!review_.atFirst());
    back_->setEnabled(!review_.atFirst());
    forward_->setEnabled(!review_.atLast());
    last_->setEnabled(!review_.atLast());
    board_->update();
}

void ReviewWindow::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Left:
            step(review_.cursor() - 1);
            break;
        case Qt::Key_Right:
            step(review_.cursor() + 1);
            break;
        case Qt::Key_Home:
            step(0);
            break;
        case Qt::Key_End:
            step(static_cast<int>(review_.positions().size()) - 1);
            break;
        case Qt::Key_Escape:
            close();
            break;
        default:
            QWidget::keyPressEvent(e);
    }
}

// ---- The ways in ----

ReviewEntry::ReviewEntry(Game& game, TableWidget* table, QWidget* window)
    : QObject(window), game_(game), table_(table), window_(window) {
    if (auto* board = table_->findChild<QWidget*>(QStringLiteral("boardPanel"))) {
        boardButton_ = new QPushButton(board);
        boardButton_->setObjectName(QStringLiteral("reviewRoundButton"));
        boardButton_->hide();
        connect(boardButton_, &QPushButton::clicked, this,
                [this] { open(game_.match.RoundNumber - 1); });
    }
    watchNotebook();
}

void ReviewEntry::watchNotebook() {
    auto* notebook = table_->findChild<QWidget*>(QStringLiteral("notebook"));
    if (!notebook) return;
    notebook->installEventFilter(this);
    for (QWidget* w : notebook->findChildren<QWidget*>()) w->installEventFilter(this);
}

void ReviewEntry::sync() {
    watchNotebook();
    if (!boardButton_) return;
    const RoundLog& log = game_.match.Log;
    const bool shown = game_.scene.boardPanel.visible && game_.table.RoundOver &&
                       log.find(game_.match.RoundNumber - 1) != nullptr;
    boardButton_->setText(tx("ดูย้อนหลังรอบนี้"));
    if (shown) {
        QWidget* board = boardButton_->parentWidget();
        boardButton_->adjustSize();
        const QSize s = boardButton_->sizeHint();
        boardButton_->move(board->width() - s.width() - 8, board->height() - s.height() - 8);
        boardButton_->raise();
    }
    boardButton_->setVisible(shown);
}

int ReviewEntry::roundAt(QPoint pixel) const {
    const double scale = table_->scale();
    if (scale <= 0) return 0;
    const int y = static_cast<int>(pixel.y() / scale);
    const std::vector<Label>& rows = game_.scene.notebookRound;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const Rect& rc = rows[r].rect;
        if (rows[r].visible && y >= rc.top && y < rc.top + results::kNotebookRowStep)
            return static_cast<int>(r);
    }
    return 0;
}

bool ReviewEntry::eventFilter(QObject* watched, QEvent* event) {
    // A double-click on a round's row opens its review.
    if (event->type() != QEvent::MouseButtonDblClick) return false;
    auto* e = static_cast<QMouseEvent*>(event);
    auto* notebook = table_->findChild<QWidget*>(QStringLiteral("notebook"));
    if (!qobject_cast<QWidget*>(watched) || !notebook || e->button() != Qt::LeftButton)
        return false;
    const int round = roundAt(notebook->mapFromGlobal(e->globalPosition().toPoint()));
    if (round == 0) return false;
    open(round);
    return true;
}

bool ReviewEntry::open(int round) {
    const RoundRecord* record = game_.match.Log.find(round);
    std::optional<RoundReview> review;
    if (record) review = RoundReview::of(*record);
    if (!review) {
        QMessageBox::information(window_, tx("ดูย้อนหลัง"), tx("รอบนี้ไม่มีบันทึกการเล่น จึงดูย้อนหลังไม่ได้"));
        return false;
    }
    auto* w = new ReviewWindow(std::move(*review), window_);
    w->resize(1180, 720);
    w->show();
    w->activateWindow();
    w->setFocus();
    opened_ = w;
    return true;
}

}  // namespace vornak
