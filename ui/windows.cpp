// The modal screens: title, statistics, end screen and hall of fame. Each
// dialog draws its engine model, forwards hover and clicks to it, drives its
// timer and re-reads the model after every call; it closes when the model
// says it has closed.
#include "windows.h"

#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <array>

#include "game/game.h"
#include "language.h"
#include "screenart.h"
#include "windows_common.h"

namespace vornak {

using ui::ArtView;
using ui::ModelDialog;
using ui::ModelLabel;
using ui::px;

namespace {

// Keeps a QTimer in step with the model's timer record.
void syncTimer(QTimer& timer, const TimerRecord& record) {
    const int interval = record.interval > 0 ? record.interval : 100;
    if (timer.interval() != interval) timer.setInterval(interval);
    if (record.enabled && !timer.isActive())
        timer.start();
    else if (!record.enabled && timer.isActive())
        timer.stop();
}

// ---- Title screen ----

class TitleDialog : public ModelDialog {
public:
    static constexpr int kWidth = 7200, kHeight = 5400;

    TitleDialog(QWidget* parent, TitleScreen& model,
                const std::function<bool(const QString&)>& switchLanguage)
        : ModelDialog(parent, QStringLiteral("Vornak"), kWidth, kHeight),
          m_(model),
          switchLanguage_(switchLanguage) {
        setWindowFlag(Qt::FramelessWindowHint);
        setObjectName(QStringLiteral("titleScreen"));
        for (int i = 1; i <= 4; ++i) {
            image_[static_cast<std::size_t>(i)] = new ArtView(this);
            image_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("image%1").arg(i));
            image_[static_cast<std::size_t>(i)]->onHover = [this] { hover(false); };
        }
        for (std::size_t i = 0; i < 4; ++i) {
            heading_[i] = new ModelLabel(this);
            stake_[i] = new ModelLabel(this);
            stake_[i]->setObjectName(QStringLiteral("stake%1").arg(i));
        }
        moneyHeading_ = new ModelLabel(this);
        money_ = new ModelLabel(this);
        money_->setObjectName(QStringLiteral("money"));
        opponents_ = new ModelLabel(this);
        opponents_->setObjectName(QStringLiteral("opponents"));
        caption_ = new ModelLabel(this, true);
        caption_->setObjectName(QStringLiteral("actionCaption"));
        caption_->onHover = [this](bool over) { hover(over); };
        caption_->onClick = [this] { click(); };
        onSurfaceHover = [this] { hover(false); };
        onActivate = [this] { click(); };
        if (switchLanguage_) {
            // A newcomer sees the choice of language first thing: Thai, the
            // game's own, or English.
            language_ = new QPushButton(this);
            language_->setObjectName(QStringLiteral("languageSwitch"));
            language_->setFlat(true);
            language_->setCursor(Qt::PointingHandCursor);
            language_->setFocusPolicy(Qt::NoFocus);
            QPalette pal = language_->palette();
            pal.setColor(QPalette::ButtonText, QColor(0xf4, 0xf0, 0xe0));
            language_->setPalette(pal);
            connect(language_, &QPushButton::clicked, this, [this] {
                if (switchLanguage_(otherLanguage())) sync();
                for (ArtView* view : image_)
                    if (view) view->update();
            });
        }
        timer_->setObjectName(QStringLiteral("riseTimer"));
        connect(timer_, &QTimer::timeout, this, [this] {
            m_.tick();
            sync();
        });
        sync();
    }

    void sync() {
        for (int i = 1; i <= 4; ++i) image_[static_cast<std::size_t>(i)]->sync(m_.image[i]);
        for (std::size_t i = 0; i < 4; ++i) {
            heading_[i]->sync(m_.stakeHeading[i]);
            stake_[i]->sync(m_.stakeLabel[i]);
        }
        moneyHeading_->sync(m_.moneyHeading);
        money_->sync(m_.moneyLabel);
        opponents_->sync(m_.opponents);
        caption_->sync(m_.actionCaption);
        caption_->raise();
        if (language_) {
            language_->setText(languageName(otherLanguage()));
            language_->adjustSize();
            // Bottom left, where no picture rises.
            language_->move(px(60), height() - language_->height() - px(45));
            language_->raise();
        }
        setCursor(ui::cursorShape(m_.cursor));
        syncTimer(*timer_, m_.riseTimer);
        if (m_.closed) {
            timer_->stop();
            accept();
        }
    }

private:
    // Thai and English offer each other; any other language offers Thai.
    static QString otherLanguage() {
        return speaksThai() ? QStringLiteral("en") : QStringLiteral("th");
    }
    void hover(bool over) {
        m_.hoverAction(over);
        sync();
    }
    void click() {
        m_.clickAction();
        sync();
    }

    TitleScreen& m_;
    std::function<bool(const QString&)> switchLanguage_;
    QPushButton* language_ = nullptr;
    std::array<ArtView*, 5> image_{};
    std::array<ModelLabel*, 4> heading_{}, stake_{};
    ModelLabel* moneyHeading_ = nullptr;
    ModelLabel* money_ = nullptr;
    ModelLabel* opponents_ = nullptr;
    ModelLabel* caption_ = nullptr;
    QTimer* timer_ = new QTimer(this);
};

// ---- Statistics screen ----

class StatisticsDialog : public ModelDialog {
public:
    static constexpr int kWidth = 9300, kHeight = 4200;

    StatisticsDialog(QWidget* parent, StatisticsScreen& model)
        : ModelDialog(parent, ui::qs(model.caption), kWidth, kHeight), m_(model) {
        setObjectName(QStringLiteral("statisticsScreen"));
        banner = ui::qs(model.caption);
        bannerHeightTwips = 560;
        picture_ = new ArtView(this);
        picture_->onHover = [this] { hover(false); };
        for (auto& h : heading_) h = new ModelLabel(this);
        for (auto& seat : cell_)
            for (auto& cell : seat) cell = new ModelLabel(this);
        caption_ = new ModelLabel(this, true);
        caption_->setObjectName(QStringLiteral("actionCaption"));
        caption_->onHover = [this](bool over) { hover(over); };
        caption_->onClick = [this] { click(); };
        onSurfaceHover = [this] { hover(false); };
        onActivate = [this] { click(); };
        // The window has no other way out than its caption-button.
        onReject = [this] { click(); };
        sync();
    }

    void sync() {
        for (std::size_t c = 0; c < heading_.size(); ++c) heading_[c]->sync(m_.heading[c]);
        for (int s = 1; s <= 4; ++s) {
            const Label* row[8] = {&m_.name[s],    &m_.points[s], &m_.money[s], &m_.k[s],
                                   &m_.gotFool[s], &m_.fooled[s], &m_.dummy[s], &m_.onThree[s]};
            for (std::size_t c = 0; c < 8; ++c)
                cell_[static_cast<std::size_t>(s - 1)][c]->sync(*row[c]);
        }
        picture_->sync(m_.picMoney);
        caption_->sync(m_.actionCaption);
        if (m_.closed) accept();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        ModelDialog::paintEvent(event);
        // The table's frame follows the model's columns: a dark heading band,
        // striped rows, and the person's own row in gold.
        QPainter p(this);
        const Rect& first = m_.heading[1].rect;
        const Rect& last = m_.heading[8].rect;
        const int left = first.left - 60, right = last.left + last.width + 60;
        const QRect head =
            ui::pixelRect(Rect{left, first.top - 40, right - left, first.height + 80});
        p.fillRect(head, QColor(0, 0, 0, 90));
        p.setPen(QPen(art::gold(), 1));
        p.drawLine(head.bottomLeft(), head.bottomRight());
        for (int s = 1; s <= 4; ++s) {
            const Rect& cell = m_.name[s].rect;
            const QRect row =
                ui::pixelRect(Rect{left, cell.top - 30, right - left, cell.height + 60});
            const QColor tint =
                s == 4 ? QColor(0xd9, 0xa4, 0x1e, 70) : QColor(255, 255, 255, s % 2 ? 18 : 8);
            p.fillRect(row, tint);
        }
        p.setPen(QPen(QColor(0xd9, 0xa4, 0x1e, 80), 1));
        const int bottom = ui::px(m_.name[4].rect.top + m_.name[4].rect.height + 30);
        for (int c = 2; c <= 8; ++c) {
            const int x = ui::px(m_.heading[c].rect.left) - 1;
            p.drawLine(x, head.top() + 3, x, bottom - 3);
        }
    }

private:
    void hover(bool over) {
        m_.hoverAction(over);
        sync();
    }
    void click() {
        m_.clickAction();
        sync();
    }

    StatisticsScreen& m_;
    ArtView* picture_ = nullptr;
    std::array<ModelLabel*, 9> heading_{};
    std::array<std::array<ModelLabel*, 8>, 4> cell_{};
    ModelLabel* caption_ = nullptr;
};

// ---- End screen ----

class EndDialog : public ModelDialog {
public:
    static constexpr int kWidth = 6000, kHeight = 4500;

    EndDialog(QWidget* parent, EndScreen& model, Game& game)
        : ModelDialog(parent, QStringLiteral("Vornak"), kWidth, kHeight), m_(model), game_(game) {
        setObjectName(QStringLiteral("endScreen"));
        for (int i = 0; i < 4; ++i) {
            image_[static_cast<std::size_t>(i)] = new ArtView(this);
            image_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("image%1").arg(i));
            image_[static_cast<std::size_t>(i)]->onHover = [this] { hover(false); };
        }
        caption_ = new ModelLabel(this, true);
        caption_->setObjectName(QStringLiteral("actionCaption"));
        caption_->onHover = [this](bool over) { hover(over); };
        caption_->onClick = [this] { click(); };
        onSurfaceHover = [this] { hover(false); };
        onActivate = [this] { click(); };
        onReject = [this] { click(); };
        timer_->setObjectName(QStringLiteral("blinkTimer"));
        connect(timer_, &QTimer::timeout, this, [this] {
            m_.tick(game_);
            sync();
        });
        // The game has opened the model (and merged a won game's records)
        // before it asks for the window; the window only shows it.
        sync();
    }

    void sync() {
        for (int i = 0; i < 4; ++i) image_[static_cast<std::size_t>(i)]->sync(m_.image[i]);
        // The second won picture is brought to the front whenever it shows.
        if (m_.image[3].visible) image_[3]->raise();
        caption_->sync(m_.actionCaption);
        caption_->raise();
        syncTimer(*timer_, m_.blinkTimer);
        if (m_.closed) {
            timer_->stop();
            accept();
        }
    }

private:
    void hover(bool over) {
        m_.hoverAction(over);
        sync();
    }
    void click() {
        m_.clickAction();
        sync();
    }

    EndScreen& m_;
    Game& game_;
    std::array<ArtView*, 4> image_{};
    ModelLabel* caption_ = nullptr;
    QTimer* timer_ = new QTimer(this);
};

// ---- Hall of fame ----

class HallOfFameDialog : public ModelDialog {
public:
    static constexpr int kWidth = 6600, kHeight = 5000;

    HallOfFameDialog(QWidget* parent, HallOfFame& model)
        : ModelDialog(parent, ui::qs(model.caption), kWidth, kHeight), m_(model) {
        setObjectName(QStringLiteral("hallOfFame"));
        for (auto& h : heading_) h = new ModelLabel(this);
        for (int i = 1; i <= 6; ++i) {
            rank_[static_cast<std::size_t>(i)] = new ModelLabel(this);
            name_[static_cast<std::size_t>(i)] = new ModelLabel(this);
            name_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("lblName%1").arg(i));
        }
        for (std::size_t i = 1; i <= 3; ++i) {
            score_[i] = new ModelLabel(this);
            time_[i] = new ModelLabel(this);
        }
        close_ = new ModelLabel(this, true);
        close_->setObjectName(QStringLiteral("closeLabel"));
        close_->onHover = [this](bool over) {
            m_.hoverClose(over);
            sync();
        };
        close_->onClick = [this] { closeWindow(); };
        onSurfaceHover = [this] {
            m_.hoverClose(false);
            sync();
        };
        onActivate = [this] { closeWindow(); };
        onReject = [this] { closeWindow(); };
        // The game has loaded the records into the model before it asks for
        // the window.
        sync();
    }

    void sync() {
        for (std::size_t i = 0; i < heading_.size(); ++i) heading_[i]->sync(m_.heading[i]);
        for (int i = 1; i <= 6; ++i) {
            rank_[static_cast<std::size_t>(i)]->sync(m_.rank[i]);
            name_[static_cast<std::size_t>(i)]->sync(m_.lblName[i]);
        }
        for (int i = 1; i <= 3; ++i) {
            score_[static_cast<std::size_t>(i)]->sync(m_.lblScore[i]);
            time_[static_cast<std::size_t>(i)]->sync(m_.lblUsedTime[i]);
        }
        close_->sync(m_.closeLabel);
        if (m_.closed) accept();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        ModelDialog::paintEvent(event);
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        // Each table: a rule under its title, a dark band behind the column
        // headings, striped rows and a medal ring behind every place.
        static const QColor kMedal[4] = {QColor(), QColor(0xe8, 0xb9, 0x2a),
                                         QColor(0xc4, 0xcb, 0xd4), QColor(0xc0, 0x7a, 0x3c)};
        for (int t = 0; t < 2; ++t) {
            const Rect& title = m_.heading[t == 0 ? 3 : 5].rect;
            const Rect& columns = m_.heading[t].rect;
            const int left = title.left, right = title.left + title.width;
            p.setPen(QPen(art::gold(), 1));
            p.drawLine(ui::px(left), ui::px(title.top + title.height), ui::px(right),
                       ui::px(title.top + title.height));
            p.fillRect(
                ui::pixelRect(Rect{left, columns.top - 20, right - left, columns.height + 40}),
                QColor(0, 0, 0, 90));
            for (int i = 1; i <= 3; ++i) {
                const Rect& place = m_.rank[t * 3 + i].rect;
                p.fillRect(
                    ui::pixelRect(Rect{left, place.top - 20, right - left, place.height + 40}),
                    QColor(255, 255, 255, i % 2 ? 16 : 6));
                const QRectF box = ui::pixelRect(place);
                const qreal radius = box.height() * 0.5;
                p.setPen(QPen(kMedal[i], 2));
                p.setBrush(QColor(0, 0, 0, 110));
                p.drawEllipse(box.center() + QPointF(0.5, 0.5), radius, radius);
            }
        }
    }

private:
    void closeWindow() {
        m_.clickClose();
        sync();
    }

    HallOfFame& m_;
    std::array<ModelLabel*, 6> heading_{};
    std::array<ModelLabel*, 7> rank_{}, name_{};
    std::array<ModelLabel*, 4> score_{}, time_{};
    ModelLabel* close_ = nullptr;
};

// Runs a modal screen until its model has closed it.
template <typename Dialog, typename Model, typename... Args>
void runModal(QWidget* parent, Model& model, Args&... args) {
    model.closed = false;
    Dialog dialog(parent, model, args...);
    if (!model.closed) dialog.exec();
    // Whatever ended the loop, the model does not stay open.
    model.closed = true;
}

}  // namespace

void runTitleScreen(QWidget* parent, TitleScreen& screen,
                    const std::function<bool(const QString&)>& switchLanguage) {
    runModal<TitleDialog>(parent, screen, switchLanguage);
}

void runStatisticsScreen(QWidget* parent, StatisticsScreen& screen) {
    runModal<StatisticsDialog>(parent, screen);
}

void runEndScreen(QWidget* parent, EndScreen& screen, Game& game) {
    runModal<EndDialog>(parent, screen, game);
}

void runHallOfFame(QWidget* parent, HallOfFame& screen) {
    runModal<HallOfFameDialog>(parent, screen);
}

}  // namespace vornak
