// The windows of the Help menu: the rules, the about window and its
// scrolling credits.
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "rulestext.h"
#include "screenart.h"
#include "windows.h"
#include "windows_common.h"
#include "language.h"

namespace vornak {

using ui::px;

namespace {

const QString kProductTitle = QStringLiteral("Vornak Version 1.30");

void raiseWindow(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

// ---- Rules ----

class RulesWindow : public QWidget {
public:
    // Twips of the layout: the text box is the inner height less 1500 tall
    // and the inner width less 100 wide; the button sits centred 800 above
    // the bottom.
    static constexpr int kTextTop = 300, kTextBottomGap = 1500, kSideGap = 100;
    static constexpr int kButtonFromBottom = 800, kButtonWidth = 1500, kButtonHeight = 450;

    explicit RulesWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
        setObjectName(QStringLiteral("rulesWindow"));
        setWindowTitle(QStringLiteral("Help"));
        setAttribute(Qt::WA_DeleteOnClose);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(0x0c, 0x3c, 0x22));
        setPalette(pal);
        text_ = new QTextEdit(this);
        text_->setObjectName(QStringLiteral("rulesText"));
        text_->setReadOnly(true);
        text_->setHtml(rulesHtml());
        QFont f = font();
        f.setPointSizeF(f.pointSizeF() > 0 ? f.pointSizeF() + 1.5 : 11);
        text_->setFont(f);
        QPalette textPal = text_->palette();
        textPal.setColor(QPalette::Base, QColor(0xfd, 0xfb, 0xf2));
        textPal.setColor(QPalette::Text, QColor(0x1c, 0x1c, 0x1c));
        text_->setPalette(textPal);
        text_->document()->setDocumentMargin(10);
        close_ = new QPushButton(QStringLiteral("&Close"), this);
        close_->setObjectName(QStringLiteral("closeButton"));
        close_->setDefault(true);
        connect(close_, &QPushButton::clicked, this, &QWidget::close);
        setMinimumSize(px(5000), px(4000));
        resize(px(9600), px(8400));
    }

protected:
    void resizeEvent(QResizeEvent*) override {
        const int w = width(), h = height();
        text_->setGeometry(px(kSideGap / 2), px(kTextTop), w - px(kSideGap),
                           qMax(0, h - px(kTextBottomGap)));
        const int bw = px(kButtonWidth);
        close_->setGeometry((w - bw) / 2, h - px(kButtonFromBottom), bw, px(kButtonHeight));
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        art::paintBaize(p, QRectF(rect()));
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape)
            close();
        else
            QWidget::keyPressEvent(event);
    }

private:
    QTextEdit* text_ = nullptr;
    QPushButton* close_ = nullptr;
};

// ---- Credits ----

class CreditsWindow : public QDialog {
public:
    CreditsWindow(QWidget* about) : QDialog(about), about_(about) {
        setObjectName(QStringLiteral("creditsWindow"));
        setWindowTitle(QStringLiteral("Credits"));
        setModal(true);
        setCursor(Qt::PointingHandCursor);
        setToolTip(QString());
        scroll_->setObjectName(QStringLiteral("scrollTimer"));
        scroll_->setInterval(50);
        connect(scroll_, &QTimer::timeout, this, [this] {
            offset_ += 2;
            // Once the last line has left the top, the lines come round again.
            if (offset_ > height() + contentHeight()) offset_ = 0;
            update();
        });
        twinkle_->setInterval(100);
        connect(twinkle_, &QTimer::timeout, this, [this] {
            ++twinkle_phase_;
            update();
        });
    }

    qreal offset() const { return offset_; }

protected:
    void showEvent(QShowEvent* event) override {
        // The credits take the place of the about window: the same inner
        // rectangle, so that their frames cover each other exactly. (A move
        // to the about window's frame position would put this window's
        // inner area there, a title bar higher.)
        if (about_) {
            setFixedSize(about_->size());
            setGeometry(QRect(about_->mapToGlobal(QPoint(0, 0)), about_->size()));
        }
        // The title starts just inside the bottom edge, so something shows at once.
        offset_ = height() / 4.0;
        twinkle_phase_ = 0;
        scroll_->start();
        twinkle_->start();
        QDialog::showEvent(event);
    }
    void hideEvent(QHideEvent* event) override {
        scroll_->stop();
        twinkle_->stop();
        QDialog::hideEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent*) override { accept(); }

    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient bg(0, 0, 0, height());
        bg.setColorAt(0, QColor(0x04, 0x1a, 0x0e));
        bg.setColorAt(0.5, QColor(0x0b, 0x3a, 0x21));
        bg.setColorAt(1, QColor(0x04, 0x1a, 0x0e));
        p.fillRect(rect(), bg);
        // A few stars that twinkle in turn.
        for (int i = 0; i < 24; ++i) {
            const qreal x = (i * 97 % 100) / 100.0 * width();
            const qreal y = (i * 61 % 100) / 100.0 * height();
            const int alpha = ((i + twinkle_phase_) % 6) * 30 + 20;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 240, 190, alpha));
            p.drawEllipse(QPointF(x, y), 1.2, 1.2);
        }
        qreal y = height() - offset_;
        for (const Line& line : lines()) {
            QFont f = font();
            f.setPointSizeF(line.size);
            f.setBold(line.bold);
            p.setFont(f);
            const qreal h = QFontMetricsF(f).height() * 1.25;
            if (y + h > 0 && y < height()) {
                p.setPen(QColor(0, 0, 0, 160));
                p.drawText(QRectF(1, y + 1, width(), h), Qt::AlignCenter, line.text);
                p.setPen(line.color);
                p.drawText(QRectF(0, y, width(), h), Qt::AlignCenter, line.text);
            }
            y += h;
        }
        // Soft fades at the top and bottom edges.
        const int fade = height() / 6;
        QLinearGradient top(0, 0, 0, fade);
        top.setColorAt(0, QColor(0x04, 0x1a, 0x0e, 255));
        top.setColorAt(1, QColor(0x04, 0x1a, 0x0e, 0));
        p.fillRect(QRect(0, 0, width(), fade), top);
        QLinearGradient bottom(0, height() - fade, 0, height());
        bottom.setColorAt(0, QColor(0x04, 0x1a, 0x0e, 0));
        bottom.setColorAt(1, QColor(0x04, 0x1a, 0x0e, 255));
        p.fillRect(QRect(0, height() - fade, width(), fade), bottom);
    }

private:
    struct Line {
        QString text;
        qreal size;
        bool bold;
        QColor color;
    };
    static std::vector<Line> lines() {
        const QColor gold(0xf2, 0xc9, 0x4c), white(0xf4, 0xf0, 0xe0), soft(0xb9, 0xd8, 0xc2);
        std::vector<Line> all = {
            {kProductTitle, 16, true, gold},
            {QString(), 10, false, white},
            {QStringLiteral("------ CREDITS ------"), 12, true, white},
            {QString(), 10, false, white},
            {QStringLiteral("Game Design"), 10, false, soft},
            {QStringLiteral("The Vornak team"), 12, true, white},
            {QString(), 8, false, white},
            {QStringLiteral("Programming"), 10, false, soft},
            {QStringLiteral("The Vornak team"), 12, true, white},
            {QString(), 8, false, white},
            {QStringLiteral("Card Art"), 10, false, soft},
            {QStringLiteral("The Vornak team"), 12, true, white},
            {QString(), 8, false, white},
            {QStringLiteral("Thai Text"), 10, false, soft},
            {QStringLiteral("The Vornak team"), 12, true, white},
            {QString(), 8, false, white},
            {QStringLiteral("Testing"), 10, false, soft},
            {QStringLiteral("The Vornak team"), 12, true, white},
            {QString(), 14, false, white},
            {tx("ขอบคุณที่เล่น Vornak"), 12, true, gold},
        };
        // Under the Thai line, its English; the translation stands alone.
        if (speaksThai()) all.push_back({QStringLiteral("Thank you for playing"), 10, false, soft});
        return all;
    }
    qreal contentHeight() const {
        qreal total = 0;
        for (const Line& line : lines()) {
            QFont f = font();
            f.setPointSizeF(line.size);
            f.setBold(line.bold);
            total += QFontMetricsF(f).height() * 1.25;
        }
        return total;
    }

    QPointer<QWidget> about_;
    QTimer* scroll_ = new QTimer(this);
    QTimer* twinkle_ = new QTimer(this);
    qreal offset_ = 0;
    int twinkle_phase_ = 0;
};

// ---- About ----

class AboutWindow : public QDialog {
public:
    explicit AboutWindow(QWidget* parent) : QDialog(parent) {
        setObjectName(QStringLiteral("aboutWindow"));
        setWindowTitle(QStringLiteral("About Vornak Version 1.30"));
        setModal(false);
        setAttribute(Qt::WA_DeleteOnClose);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(0x0c, 0x3c, 0x22));
        pal.setColor(QPalette::WindowText, QColor(0xf4, 0xf0, 0xe0));
        setPalette(pal);

        auto* picture = new ui::ArtView(this);
        Image art;
        art.visible = true;
        art.art = "about-fan";
        art.rect = Rect{0, 0, 2700, 2700};
        picture->sync(art);
        picture->setFixedSize(px(2700), px(2700));

        auto* title = new QLabel(kProductTitle, this);
        QFont tf = title->font();
        tf.setBold(true);
        tf.setPointSizeF(tf.pointSizeF() > 0 ? tf.pointSizeF() + 3 : 12);
        title->setFont(tf);
        QPalette titlePal = title->palette();
        titlePal.setColor(QPalette::WindowText, QColor(0xf2, 0xc9, 0x4c));
        title->setPalette(titlePal);

        auto* warning = new QGroupBox(tx("คำเตือน"), this);
        warning->setObjectName(QStringLiteral("warningFrame"));
        auto* line1 = new QLabel(tx("ใช้โปรแกรมเพื่อความบันเทิงเท่านั้น  ไม่ควรใช้เพื่อการพนัน"), warning);
        auto* line2 = new QLabel(tx("“การพนันไม่ได้สร้างความร่ำรวยให้ใครอย่างยั่งยืน”"), warning);
        QFont headingFont = warning->font();
        headingFont.setBold(true);
        warning->setFont(headingFont);
        for (QLabel* l : {line1, line2}) {
            QFont lineFont = l->font();
            lineFont.setBold(false);
            l->setFont(lineFont);
        }
        auto* frameLayout = new QVBoxLayout(warning);
        frameLayout->setSpacing(px(90));
        frameLayout->addWidget(line1);
        frameLayout->addWidget(line2);

        auto* ok = new QPushButton(QStringLiteral("OK"), this);
        ok->setObjectName(QStringLiteral("okButton"));
        ok->setDefault(true);
        auto* credit = new QPushButton(QStringLiteral("&Credit"), this);
        credit->setObjectName(QStringLiteral("creditButton"));
        connect(ok, &QPushButton::clicked, this, &QDialog::close);
        connect(credit, &QPushButton::clicked, this, [this] {
            CreditsWindow credits(this);
            credits.exec();
        });

        auto* right = new QVBoxLayout;
        right->addWidget(title);
        right->addSpacing(6);
        right->addWidget(warning);
        right->addStretch(1);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        buttons->addWidget(credit);
        buttons->addWidget(ok);
        right->addLayout(buttons);
        auto* top = new QHBoxLayout(this);
        top->setContentsMargins(px(240), px(240), px(240), px(240));
        top->setSpacing(px(240));
        top->addWidget(picture, 0, Qt::AlignTop);
        top->addLayout(right, 1);
        // The window takes the size its contents need, so the warning lines
        // are never cut in any font.
        top->setSizeConstraint(QLayout::SetFixedSize);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        art::paintBaize(p, QRectF(rect()));
    }
};

}  // namespace

void showRulesWindow(QWidget* parent) {
    static QPointer<RulesWindow> window;
    if (!window) {
        window = new RulesWindow(parent);
        // A new window opens over the game, inside the screen.
        if (parent) {
            const QWidget* game = parent->window();
            QRect r(QPoint(0, 0), window->size());
            r.moveCenter(game->geometry().center());
            if (const QScreen* screen = game->screen()) {
                const QRect free = screen->availableGeometry();
                r.setSize(r.size().boundedTo(free.size()));
                r.moveLeft(std::clamp(r.left(), free.left(), free.right() + 1 - r.width()));
                r.moveTop(std::clamp(r.top(), free.top(), free.bottom() + 1 - r.height()));
            }
            window->setGeometry(r);
        }
    }
    raiseWindow(window);
}

void showAboutWindow(QWidget* parent) {
    static QPointer<AboutWindow> window;
    if (!window) window = new AboutWindow(parent);
    raiseWindow(window);
}

}  // namespace vornak
