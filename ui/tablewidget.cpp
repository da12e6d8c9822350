#include "tablewidget.h"
#include "game/play/motion.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QtMath>

#include <algorithm>
#include <utility>

#include "cardart.h"
#include "picture.h"
#include "game/game.h"
#include "game/results/layout.h"

namespace vornak {

using table::MouseAction;
using table::Route;

namespace {

QColor toQColor(Color c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

int buttonNumber(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

// A rectangle in twips to pixels, relative to `offset`. Edges are rounded
// separately so neighbouring elements meet without gaps.
QRect mapRect(double s, const Rect& r, QPoint offset) {
    const int l = qRound(r.left * s), t = qRound(r.top * s);
    const int rr = qRound((r.left + r.width) * s), b = qRound((r.top + r.height) * s);
    return QRect(offset.x() + l, offset.y() + t, std::max(rr - l, 0), std::max(b - t, 0));
}

// The pointer shown over close marks: a small round close button.
QCursor closeCursor() {
    static QCursor cursor = [] {
        QPixmap pm(24, 24);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paintArt(p, QRectF(2, 2, 20, 20), QStringLiteral("close"));
        return QCursor(pm, 12, 12);
    }();
    return cursor;
}

QCursor toQCursor(Cursor c) {
    switch (c) {
        case Cursor::Busy:
            return QCursor(Qt::WaitCursor);
        case Cursor::Hand:
            return QCursor(Qt::PointingHandCursor);
        case Cursor::Close:
            return closeCursor();
        case Cursor::NoDrop:
            return QCursor(Qt::ForbiddenCursor);
        case Cursor::Default:
            break;
    }
    return QCursor(Qt::ArrowCursor);
}

// A card as a screen reader says it: "7 of hearts", "Queen of spades".
QString spokenCardName(int code) {
    static const char* const ranks[] = {"2", "3",  "4",    "5",     "6",    "7",  "8",
                                        "9", "10", "Jack", "Queen", "King", "Ace"};
    static const char* const suits[] = {"clubs", "diamonds", "hearts", "spades"};
    if (!isValidCard(code)) return QString();
    return QStringLiteral("%1 of %2").arg(ranks[rankOf(code)], suits[suitOf(code)]);
}

void setAccessibleNameIfChanged(QWidget* w, const QString& name) {
    if (w->accessibleName() != name) w->setAccessibleName(name);
}

void setShown(QWidget* w, bool shown) {
    if (w->isHidden() == shown) w->setVisible(shown);
}

void setGeometryIfChanged(QWidget* w, const QRect& r) {
    if (w->geometry() != r) w->setGeometry(r);
}

}  // namespace

namespace table {

// Base of the element widgets: forwards mouse input to the table.
class ElementWidget : public QWidget {
public:
    ElementWidget(TableWidget* table, QWidget* parent, Route route, int index)
        : QWidget(parent), table_(table), route_(route), index_(index) {
        setMouseTracking(true);
    }
    void setRoute(Route r) { route_ = r; }

protected:
    virtual Route currentRoute() const { return route_; }
    void forward(MouseAction a, QMouseEvent* e) {
        if (clicksInert_ && a != MouseAction::Move) return;
        table_->route(currentRoute(), index_, a, e->button(), this, e->position());
    }
    void mousePressEvent(QMouseEvent* e) override { forward(MouseAction::Press, e); }
    void mouseReleaseEvent(QMouseEvent* e) override { forward(MouseAction::Release, e); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { forward(MouseAction::DoubleClick, e); }
    void mouseMoveEvent(QMouseEvent* e) override { forward(MouseAction::Move, e); }

    TableWidget* table_;
    Route route_;
    int index_;
    // Presses, releases and double-clicks on the element do nothing; the
    // pointer's moves still reach the surface it lies on.
    bool clicksInert_ = false;
};

// A card face (code 1..52) or back. Only an enabled card reacts itself; a
// disabled one lets its input fall through to the table beneath, and is
// drawn exactly like an enabled one.
class CardWidget : public ElementWidget {
public:
    CardWidget(TableWidget* table, int code, bool face)
        : ElementWidget(table, table, face ? Route::CardFace : Route::CardBack, code),
          code_(code),
          face_(face) {
        setObjectName(QStringLiteral("%1%2").arg(face ? "cardFace" : "cardBack").arg(code));
        if (face) setToolTip(qs(cardName(code)));
        setAccessibleName(face ? spokenCardName(code) : QStringLiteral("Face-down card"));
        hide();
    }
    const CardPicture& record() const {
        const Scene& s = table_->game().scene;
        return face_ ? s.cardFace[code_] : s.cardBack[code_];
    }
    void sync(bool force) {
        const CardPicture& r = record();
        int left = r.left, top = r.top;
        if (const TableMotion* m = table_->motion()) m->shownAt(code_, face_, left, top);
        if (force || left != shownLeft_ || top != shownTop_) {
            shownLeft_ = left;
            shownTop_ = top;
            const double s = table_->scale();
            const QPoint at = table_->origin() + QPoint(qRound(left * s), qRound(top * s));
            const QSize size(qRound((face_ ? kFaceWidth : kBackWidth) * s),
                             qRound(kFaceHeight * s));
            setGeometryIfChanged(this, QRect(at, size));
        }
        enabled_ = r.enabled;
        if (r.hinted != last_.hinted) update();
        setShown(this, r.visible);
        last_ = r;
    }
    bool reacts() const { return enabled_; }

protected:
    Route currentRoute() const override { return enabled_ ? route_ : Route::Window; }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawPixmap(0, 0, cardPixmap(face_ ? code_ : 0, size(), devicePixelRatioF()));
        if (record().hinted) {
            // The hint's mark: a green edge and a tint, so it reads on any card.
            p.setRenderHint(QPainter::Antialiasing);
            const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
            p.setBrush(QColor(64, 220, 120, 40));
            p.setPen(QPen(QColor(30, 160, 70), 3));
            p.drawRoundedRect(r, 4, 4);
        }
    }

private:
    int code_;
    bool face_;
    bool enabled_ = false;
    CardPicture last_;
    int shownLeft_ = -1, shownTop_ = -1;  // where it is drawn, in twips
};

// A label: transparent, text in its fore colour (kept in the palette).
class LabelWidget : public ElementWidget {
public:
    using Getter = std::function<const Label*()>;
    LabelWidget(TableWidget* table, QWidget* parent, Getter get, Route route, int index,
                int topOffset = 0)
        : ElementWidget(table, parent, route, index), get_(std::move(get)), topOffset_(topOffset) {
        // Only the seats' name labels answer the mouse; a click on any other
        // label neither continues the round nor opens the skin menu.
        clicksInert_ = route != Route::SeatName && route != Route::LaidName;
        hide();
    }
    void sync(bool force) {
        const Label* l = get_();
        if (!l) {
            setShown(this, false);
            return;
        }
        const bool first = !synced_;
        synced_ = true;
        bool repaint = false;
        bool relayout = first || force;
        if (first || l->pointSize != last_.pointSize || l->bold != last_.bold ||
            l->underline != last_.underline || l->caption != last_.caption ||
            l->align != last_.align || l->rect.left != last_.rect.left ||
            l->rect.top != last_.rect.top || l->rect.width != last_.rect.width ||
            l->rect.height != last_.rect.height)
            relayout = true;
        if (first || l->foreColor != last_.foreColor) {
            QPalette pal = palette();
            pal.setColor(QPalette::WindowText, toQColor(l->foreColor));
            setPalette(pal);
            repaint = true;
        }
        if (first || l->tooltip != last_.tooltip) setToolTip(qs(l->tooltip));
        if (first || l->border != last_.border) repaint = true;
        const bool visibleBefore = !isHidden();
        last_ = *l;
        if (relayout) {
            text_ = qs(l->caption);
            // What a screen reader reads: the text is only drawn.
            if (accessibleName() != text_) setAccessibleName(text_);
            pendingLayout_ = true;
            setAccessibleNameIfChanged(this, text_);
        }
        // A label that is not shown is laid out when it is: the round's
        // board and the notebook are hidden for most of a game, and laying
        // their labels out early only loads fonts.
        const bool shown = l->visible && (onTable() || !parentWidget()->isHidden());
        if (pendingLayout_ && shown) {
            shownDirty_ = true;
            layoutText();
            pendingLayout_ = false;
            repaint = true;
        }
        setShown(this, l->visible);
        if (repaint && visibleBefore) update();
    }
    const QString& text() const { return text_; }

protected:
    bool onTable() const { return parentWidget() == table_; }
    QPoint offset() const { return onTable() ? table_->origin() : QPoint(0, 0); }

    // Chooses the font and the widget's rectangle. Text that does not fit
    // its label is first set a little smaller; on the open table the label
    // then grows around it (following its alignment), inside a panel the
    // text is cut short with an ellipsis.
    void layoutText() {
        Rect tw = last_.rect;
        tw.top -= topOffset_;
        QRect r = mapRect(table_->scale(), tw, offset());

        QFont f = QApplication::font();
        f.setBold(last_.bold);
        f.setUnderline(last_.underline);
        const int px =
            std::max(1, qRound(last_.pointSize * 20 * table_->scale()));  // 20 twips a point
        f.setPixelSize(px);
        const int avail = std::max(1, r.width() - 2 * kPad);
        int needed = textWidth(f);
        if (needed > avail) {
            f.setPixelSize(std::max(1, int(px * std::max(kMinShrink, double(avail) / needed))));
            needed = textWidth(f);
        }
        setFont(f);
        if (onTable() && needed > avail) {
            const int grow = needed - avail;
            switch (last_.align) {
                case Align::Left:
                    r.adjust(0, 0, grow, 0);
                    break;
                case Align::Center:
                    r.adjust(-grow / 2, 0, grow - grow / 2, 0);
                    break;
                case Align::Right:
                    r.adjust(-grow, 0, 0, 0);
                    break;
            }
        }
        const int lineHeight = QFontMetrics(f).height() * std::max<int>(1, text_.count('\n') + 1);
        if (onTable() && lineHeight > r.height()) {
            const int grow = lineHeight - r.height();
            r.adjust(0, -grow / 2, 0, grow - grow / 2);
        }
        setGeometryIfChanged(this, r);
    }
    // Measured as painting measures it (in fractions of a pixel), rounded
    // up: a text that fits by the whole pixel may not fit by the fraction,
    // and would be cut short with an ellipsis.
    int textWidth(const QFont& f) const {
        const QFontMetricsF fm(f);
        qreal w = 0;
        for (const QString& line : text_.split('\n')) w = std::max(w, fm.horizontalAdvance(line));
        return qCeil(w);
    }

    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::TextAntialiasing);
        const QRect r = rect();
        if (last_.border) {
            p.setPen(QPen(palette().color(QPalette::WindowText), 1));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
        if (text_.isEmpty()) return;
        const QRect textRect = r.adjusted(kPad, 0, -kPad, 0);
        // Lines too long for the label are cut short; the cut lines and
        // their widths are kept until the text, font or width changes.
        if (shownKey_ != std::make_pair(textRect.width(), font().key()) || shownDirty_) {
            const QFontMetricsF fm(font());
            shown_.clear();
            for (const QString& line : text_.split('\n')) {
                QString s = line;
                if (fm.horizontalAdvance(s) > textRect.width())
                    s = fm.elidedText(s, Qt::ElideRight, textRect.width());
                shown_.push_back({s, fm.horizontalAdvance(s)});
            }
            shownKey_ = {textRect.width(), font().key()};
            shownDirty_ = false;
        }
        // Each line is drawn at its base line: drawing into a rectangle would
        // work out where Thai words may break, which needs libthai's
        // dictionary, and no label wraps.
        const QFontMetricsF fm(font());
        const qreal lineHeight = fm.height();
        qreal baseline = textRect.top() +
                         (textRect.height() - lineHeight * qreal(shown_.size())) / 2 + fm.ascent();
        // A soft shadow keeps light text readable on any background.
        const int d = std::max(1, qRound(font().pixelSize() / 14.0));
        const QColor shadow(0, 0, 0, 150), ink = palette().color(QPalette::WindowText);
        for (const ShownLine& line : shown_) {
            qreal x = textRect.left();
            if (last_.align == Align::Center) x += (textRect.width() - line.width) / 2;
            if (last_.align == Align::Right) x += textRect.width() - line.width;
            p.setPen(shadow);
            p.drawText(QPointF(x + d, baseline + d), line.text);
            p.setPen(ink);
            p.drawText(QPointF(x, baseline), line.text);
            baseline += lineHeight;
        }
    }

private:
    static constexpr int kPad = 2;
    static constexpr double kMinShrink = 0.8;
    Getter get_;
    int topOffset_;
    bool synced_ = false;
    bool pendingLayout_ = false;
    struct ShownLine {
        QString text;
        qreal width;
    };
    std::vector<ShownLine> shown_;
    std::pair<int, QString> shownKey_;
    bool shownDirty_ = true;
    Label last_;
    QString text_;
};

// A picture drawn from its art name.
class ImageWidget : public ElementWidget {
public:
    ImageWidget(TableWidget* table, QWidget* parent, const Image* image, Route route)
        : ElementWidget(table, parent, route, 0), image_(image) {
        hide();
    }
    void sync(bool force) {
        const Image& im = *image_;
        if (!synced_ || im.art != last_.art) update();
        if (!synced_ || im.tooltip != last_.tooltip) setToolTip(qs(im.tooltip));
        if (!synced_ || force || im.rect.left != last_.rect.left || im.rect.top != last_.rect.top ||
            im.rect.width != last_.rect.width || im.rect.height != last_.rect.height) {
            const QPoint off = parentWidget() == table_ ? table_->origin() : QPoint(0, 0);
            setGeometryIfChanged(this, mapRect(table_->scale(), im.rect, off));
        }
        synced_ = true;
        last_ = im;
        setShown(this, im.visible);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paintArt(p, QRectF(rect()), qs(last_.art));
    }

private:
    const Image* image_;
    bool synced_ = false;
    Image last_;
};

enum class PanelKind { Top, Board, Notebook, PlayLogBox, PlayLogShadow };

// The panels: the top strip, the round's board, the notebook and the seat
// pop-up with its shadow. Their children are placed relative to them.
class PanelWidget : public ElementWidget {
public:
    PanelWidget(TableWidget* table, const Panel* panel, PanelKind kind, Route route)
        : ElementWidget(table, table, route, 0), panel_(panel), kind_(kind) {
        hide();
    }
    void sync(bool force) {
        const Panel& pn = *panel_;
        if (!synced_ || pn.tooltip != last_.tooltip) setToolTip(qs(pn.tooltip));
        if (!synced_ || pn.cursor != last_.cursor) {
            if (pn.cursor == Cursor::Default)
                unsetCursor();
            else
                setCursor(toQCursor(pn.cursor));
        }
        if (!synced_ || force || pn.rect.left != last_.rect.left || pn.rect.top != last_.rect.top ||
            pn.rect.width != last_.rect.width || pn.rect.height != last_.rect.height)
            setGeometryIfChanged(this, table_->toPixels(pn.rect));
        synced_ = true;
        last_ = pn;
        setShown(this, pn.visible);
    }
    PanelKind kind() const { return kind_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override {
        // The top strip has no handler of its own for the pointer: it
        // stays while the pointer is over it.
        if (kind_ != PanelKind::Top) forward(MouseAction::Move, e);
    }

private:
    const Panel* panel_;
    PanelKind kind_;
    bool synced_ = false;
    Panel last_;
};

void PanelWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double s = table_->scale();
    const qreal radius = std::max(2.0, 90 * s);
    switch (kind_) {
        case PanelKind::Top: {
            // The table's own background shows through, a little darker.
            p.fillRect(rect(), toQColor(table_->game().scene.backColor));
            table_->paintBackground(p, pos());
            QLinearGradient g(0, 0, 0, height());
            g.setColorAt(0, QColor(0, 0, 0, 120));
            g.setColorAt(1, QColor(0, 0, 0, 60));
            p.fillRect(rect(), g);
            p.setPen(QPen(QColor(230, 190, 90, 180), 1));
            p.drawLine(QPointF(0, height() - 0.5), QPointF(width(), height() - 0.5));
            break;
        }
        case PanelKind::Board:
        case PanelKind::Notebook: {
            QLinearGradient g(0, 0, 0, height());
            if (kind_ == PanelKind::Board) {
                g.setColorAt(0, QColor(22, 40, 30, 235));
                g.setColorAt(1, QColor(8, 20, 14, 235));
            } else {
                g.setColorAt(0, QColor(28, 34, 52, 240));
                g.setColorAt(1, QColor(12, 16, 28, 240));
            }
            p.setPen(QPen(QColor(214, 170, 60), std::max(1.0, 30 * s)));
            p.setBrush(g);
            p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius, radius);
            if (kind_ == PanelKind::Notebook) {
                // Ruled like a score book: a line under every row of the
                // band, and one above the totals.
                using namespace results;
                p.setPen(QPen(QColor(255, 255, 255, 28), 1));
                for (int y = kNotebookHeadingTop + kNotebookRowHeight + 30; y < kNotebookRowsBottom;
                     y += kNotebookRowStep)
                    p.drawLine(QPointF(60 * s, y * s), QPointF(width() - 60 * s, y * s));
                p.setPen(QPen(QColor(214, 170, 60, 160), 1));
                const qreal ty = (kNotebookTotalTop - 30) * s;
                p.drawLine(QPointF(60 * s, ty), QPointF(width() - 60 * s, ty));
                const qreal x = kNotebookCellLeft * s - 1;
                p.setPen(QPen(QColor(255, 255, 255, 40), 1));
                p.drawLine(QPointF(x, kNotebookHeadingTop * s),
                           QPointF(x, (kNotebookTotalTop + kNotebookRowHeight) * s));
            }
            break;
        }
        case PanelKind::PlayLogBox: {
            QLinearGradient g(0, 0, 0, height());
            g.setColorAt(0, QColor(36, 44, 70, 245));
            g.setColorAt(1, QColor(18, 22, 40, 245));
            p.setPen(QPen(QColor(200, 200, 220), 1));
            p.setBrush(g);
            p.drawRoundedRect(r, radius * 0.6, radius * 0.6);
            break;
        }
        case PanelKind::PlayLogShadow:
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 110));
            p.drawRoundedRect(r, radius * 0.6, radius * 0.6);
            break;
    }
}

// The keyboard's focus ring, drawn around the focused card above the cards.
class FocusRing : public QWidget {
public:
    explicit FocusRing(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("focusRing"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }
    static constexpr int kMargin = 4;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 160), 3));
        p.drawRoundedRect(r, kMargin + 2, kMargin + 2);
        p.setPen(QPen(QColor(255, 215, 64), 2));
        p.drawRoundedRect(r, kMargin + 2, kMargin + 2);
    }
};

// The notebook's scroll buttons.
class ButtonWidget : public QPushButton {
public:
    ButtonWidget(TableWidget* table, QWidget* parent, const Button* button, int index)
        : QPushButton(parent), table_(table), button_(button) {
        setFocusPolicy(Qt::NoFocus);
        hide();
        connect(this, &QPushButton::clicked, this,
                [this, index] { table_->scrollNotebook(index); });
    }
    void sync(bool force) {
        const Button& b = *button_;
        if (!synced_ || b.caption != last_.caption) setText(qs(b.caption));
        if (!synced_ || force || b.rect.left != last_.rect.left || b.rect.top != last_.rect.top ||
            b.rect.width != last_.rect.width || b.rect.height != last_.rect.height) {
            setGeometryIfChanged(this, mapRect(table_->scale(), b.rect, QPoint(0, 0)));
        }
        if (!synced_ || force) {
            QFont f = QApplication::font();
            f.setPixelSize(std::max(1, qRound(8 * 20 * table_->scale())));
            setFont(f);
        }
        if (isEnabled() != b.enabled) setEnabled(b.enabled);
        synced_ = true;
        last_ = b;
        setShown(this, b.visible);
    }

private:
    TableWidget* table_;
    const Button* button_;
    bool synced_ = false;
    Button last_;
};

}  // namespace table

using namespace table;

TableWidget::TableWidget(Game& game, QWidget* parent) : QWidget(parent), game_(game) {
    setObjectName(QStringLiteral("table"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    buildWidgets();
    updateScale();
    sync();
}

TableWidget::~TableWidget() = default;

QSize TableWidget::sizeHint() const {
    return QSize(kClientWidth / 15, kClientHeight / 15);
}

void TableWidget::buildWidgets() {
    Scene& sc = game_.scene;
    auto label = [this](QWidget* parent, const Label* l, Route route, int index, QString name) {
        auto* w = new LabelWidget(
            this, parent, [l] { return l; }, route, index);
        w->setObjectName(name);
        labels_.push_back(w);
        return w;
    };
    auto image = [this](QWidget* parent, const Image* im, Route route, QString name) {
        auto* w = new ImageWidget(this, parent, im, route);
        w->setObjectName(name);
        images_.push_back(w);
        return w;
    };

    // Bottom layer: pictures of the table, then its labels.
    image(this, &sc.skinOverlay, Route::Window, QStringLiteral("skinOverlay"));
    image(this, &sc.noKnockPicture, Route::Window, QStringLiteral("noKnockPicture"));
    image(this, &sc.forwardIcon, Route::Window, QStringLiteral("forwardIcon"));
    image(this, &sc.backwardIcon, Route::Window, QStringLiteral("backwardIcon"));

    for (int s = 1; s <= 4; ++s) {
        const QString n = QString::number(s);
        seatNames_[std::size_t(s)] =
            label(this, &sc.seatName[s], Route::SeatName, s, "seatName" + n);
        label(this, &sc.boardHandName[s], Route::Window, s, "boardHandName" + n);
        label(this, &sc.boardLaidName[s], Route::LaidName, s, "boardLaidName" + n);
        label(this, &sc.panelName[s], Route::Window, s, "panelName" + n);
        label(this, &sc.panelTitle[s], Route::Window, s, "panelTitle" + n);
        label(this, &sc.panelPoints[s], Route::Window, s, "panelPoints" + n);
        label(this, &sc.panelK[s], Route::Window, s, "panelK" + n);
        label(this, &sc.panelFooled[s], Route::Window, s, "panelFooled" + n);
        label(this, &sc.panelGotFool[s], Route::Window, s, "panelGotFool" + n);
    }
    stockCount_ = label(this, &sc.stockCount, Route::Window, 0, QStringLiteral("stockCount"));
    label(this, &sc.targetLine, Route::Window, 0, QStringLiteral("targetLine"));
    label(this, &sc.ratesLine, Route::Window, 0, QStringLiteral("ratesLine"));

    // Cards, stacked by their z-order above the labels.
    faces_.assign(53, nullptr);
    backs_.assign(53, nullptr);
    lastZ_.assign(106, -1);
    for (int c = 1; c <= 52; ++c) {
        backs_[c] = new CardWidget(this, c, false);
        faces_[c] = new CardWidget(this, c, true);
    }

    focusRing_ = new FocusRing(this);

    // Panels above everything, in this order.
    boardPanel_ = new PanelWidget(this, &sc.boardPanel, PanelKind::Board, Route::Board);
    boardPanel_->setObjectName(QStringLiteral("boardPanel"));
    notebook_ = new PanelWidget(this, &sc.notebook, PanelKind::Notebook, Route::Notebook);
    notebook_->setObjectName(QStringLiteral("notebook"));
    topPanel_ = new PanelWidget(this, &sc.topPanel, PanelKind::Top, Route::TopPanel);
    topPanel_->setObjectName(QStringLiteral("topPanel"));
    auto* shadow = new PanelWidget(this, &sc.playLogShadow, PanelKind::PlayLogShadow, Route::Inert);
    shadow->setObjectName(QStringLiteral("playLogShadow"));
    playLogBox_ = new PanelWidget(this, &sc.playLogBox, PanelKind::PlayLogBox, Route::Inert);
    playLogBox_->setObjectName(QStringLiteral("playLogBox"));
    shadow->setAttribute(Qt::WA_TransparentForMouseEvents);
    playLogBox_->setAttribute(Qt::WA_TransparentForMouseEvents);
    panels_ = {boardPanel_, notebook_, topPanel_, shadow, playLogBox_};

    // Top strip.
    label(topPanel_, &sc.clockLabel, Route::TopPanel, 0, QStringLiteral("clockLabel"));
    label(topPanel_, &sc.moneyLabel, Route::TopPanel, 0, QStringLiteral("moneyLabel"));
    label(topPanel_, &sc.levelLabel, Route::TopPanel, 0, QStringLiteral("levelLabel"));
    label(topPanel_, &sc.hintLine, Route::TopPanel, 0, QStringLiteral("hintLine"));

    // Board.
    for (int s = 1; s <= 4; ++s)
        label(boardPanel_, &sc.resultLine[s], Route::Board, s,
              QStringLiteral("resultLine%1").arg(s));
    image(boardPanel_, &sc.boardCloseMark, Route::Board, QStringLiteral("boardCloseMark"));

    // Notebook: headings, the band of scrolling rows, totals, buttons.
    for (int s = 0; s <= 4; ++s)
        label(notebook_, &sc.notebookHeading[s], Route::Notebook, s,
              QStringLiteral("notebookHeading%1").arg(s));
    notebookBand_ = new QWidget(notebook_);
    notebookBand_->setObjectName(QStringLiteral("notebookBand"));
    notebookBand_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label(notebook_, &sc.notebookTotalCaption, Route::Notebook, 0,
          QStringLiteral("notebookTotalCaption"));
    for (int s = 1; s <= 4; ++s)
        label(notebook_, &sc.notebookTotal[s], Route::Notebook, s,
              QStringLiteral("notebookTotal%1").arg(s));
    image(notebook_, &sc.notebookCloseMark, Route::Notebook, QStringLiteral("notebookCloseMark"));
    auto* up = new ButtonWidget(this, notebook_, &sc.notebookScrollUp, 0);
    up->setObjectName(QStringLiteral("notebookScrollUp"));
    auto* down = new ButtonWidget(this, notebook_, &sc.notebookScrollDown, 1);
    down->setObjectName(QStringLiteral("notebookScrollDown"));
    buttons_ = {up, down};

    // Seat pop-up.
    label(playLogBox_, &sc.playLogHeading, Route::Inert, 0, QStringLiteral("playLogHeading"));
    label(playLogBox_, &sc.playLogCounters, Route::Inert, 0, QStringLiteral("playLogCounters"));
    for (int i = 1; i <= 12; ++i)
        label(playLogBox_, &sc.playLogLine[i], Route::Inert, i,
              QStringLiteral("playLogLine%1").arg(i));
}

QWidget* TableWidget::surfaceOf(Route route) const {
    switch (route) {
        case Route::Board:
            return boardPanel_;
        case Route::Notebook:
            return notebook_;
        default:
            return const_cast<TableWidget*>(this);
    }
}

QRect TableWidget::toPixels(const Rect& r) const {
    return mapRect(scale_, r, origin_);
}

QPoint TableWidget::toTwips(QPointF pos) const {
    return QPoint(qFloor((pos.x() - origin_.x()) / scale_),
                  qFloor((pos.y() - origin_.y()) / scale_));
}

Rect TableWidget::wantedExtent() const {
    // Only the notebook is placed beside the table on purpose; a seat's
    // pop-up that outgrows the table is cut off rather than shrinking it.
    const Panel& p = game_.scene.notebook;
    constexpr int kMargin = 60;
    int left = 0, top = 0, right = kClientWidth, bottom = kClientHeight;
    if (p.visible) {
        const Rect& r = p.rect;
        if (r.left < 0) left = r.left - kMargin;
        if (r.top < 0) top = r.top - kMargin;
        if (r.left + r.width > kClientWidth) right = r.left + r.width + kMargin;
        if (r.top + r.height > kClientHeight) bottom = r.top + r.height + kMargin;
    }
    return Rect{left, top, right - left, bottom - top};
}

void TableWidget::updateScale() {
    const Rect& e = extent_;
    const double s = std::min(double(width()) / e.width, double(height()) / e.height);
    const double scale = s > 0 ? s : 1.0 / 15;
    const QPoint origin(qRound((width() - e.width * scale) / 2 - e.left * scale),
                        qRound((height() - e.height * scale) / 2 - e.top * scale));
    if (scale != scale_ || origin != origin_) {
        scale_ = scale;
        origin_ = origin;
        scaleChanged_ = true;
    }
}

void TableWidget::call(const std::function<void()>& f) {
    if (runner_) {
        runner_(f);
    } else {
        f();
        sync();
    }
}

void TableWidget::route(Route route, int index, MouseAction action, Qt::MouseButton button,
                        QWidget* source, QPointF pos) {
    Game& g = game_;
    const int b = buttonNumber(button);
    if (action == MouseAction::Press || action == MouseAction::DoubleClick) {
        pressedOnBoard_ = g.table.RoundOver;
        if (focusShown_) {  // the mouse takes over from the keyboard
            focusShown_ = false;
            syncFocusRing();
        }
    }
    switch (route) {
        case Route::Window:
        case Route::TopPanel: {
            const QPoint t = toTwips(source ? source->mapTo(this, pos) : pos);
            switch (action) {
                case MouseAction::Press:
                    afterDoubleClick_ = false;
                    break;
                case MouseAction::Release: {
                    const bool click = b == 1 && !afterDoubleClick_;
                    afterDoubleClick_ = false;
                    // The board waits for a click of its own: the release of
                    // a press made while the round was still on (the
                    // double-click whose discard ended it) does not take it
                    // down.
                    const bool stale = g.table.RoundOver && !pressedOnBoard_;
                    pressedOnBoard_ = false;
                    if (stale) break;
                    call([&g, b, t] { g.windowMouseUp(b, t.x(), t.y()); });
                    if (click) call([&g] { g.windowClick(); });
                    break;
                }
                case MouseAction::DoubleClick:
                    if (b == 1) {
                        afterDoubleClick_ = true;
                        call([&g] { g.windowDblClick(); });
                    }
                    break;
                case MouseAction::Move:
                    if (route == Route::Window) call([&g, t] { g.windowMouseMove(t.x(), t.y()); });
                    break;
            }
            break;
        }
        case Route::Board:
        case Route::Notebook: {
            // `source` is the panel or an element inside it.
            QWidget* panel = surfaceOf(route);
            const QPointF local = source ? source->mapTo(panel, pos) : pos;
            const int x = qFloor(local.x() / scale_), y = qFloor(local.y() / scale_);
            const bool board = route == Route::Board;
            if (action == MouseAction::Move)
                call([&g, board, x, y] {
                    board ? g.boardPanelMouseMove(x, y) : g.notebookMouseMove(x, y);
                });
            else if (action == MouseAction::Release)
                call([&g, board, b, x, y] {
                    board ? g.boardPanelMouseUp(b, x, y) : g.notebookMouseUp(b, x, y);
                });
            break;
        }
        case Route::SeatName:
        case Route::LaidName: {
            const bool name = route == Route::SeatName;
            if (action == MouseAction::Press)
                call([&g, name, index] {
                    name ? g.seatNameMouseDown(index) : g.seatLaidMouseDown(index);
                });
            else if (action == MouseAction::Release)
                call([&g, index] { g.seatLabelMouseUp(index); });
            else if (action == MouseAction::Move)
                call([&g, name, index] {
                    name ? g.seatNameMouseMove(index) : g.seatLaidMouseMove(index);
                });
            break;
        }
        case Route::CardFace:
        case Route::CardBack: {
            const bool face = route == Route::CardFace;
            if (action == MouseAction::Release)
                call([&g, face, index, b] {
                    face ? g.cardMouseUp(index, b) : g.stockMouseUp(index, b);
                });
            else if (action == MouseAction::DoubleClick && b == 1)
                call([&g, face, index] { face ? g.cardDblClick(index) : g.stockDblClick(index); });
            break;
        }
        case Route::Inert:
            break;
    }
}

void TableWidget::scrollNotebook(int index) {
    Game& g = game_;
    call([&g, index] { g.notebookScroll(index); });
}

void TableWidget::mousePressEvent(QMouseEvent* e) {
    route(Route::Window, 0, MouseAction::Press, e->button(), this, e->position());
}
void TableWidget::mouseReleaseEvent(QMouseEvent* e) {
    route(Route::Window, 0, MouseAction::Release, e->button(), this, e->position());
}
void TableWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    route(Route::Window, 0, MouseAction::DoubleClick, e->button(), this, e->position());
}
void TableWidget::mouseMoveEvent(QMouseEvent* e) {
    route(Route::Window, 0, MouseAction::Move, e->button(), this, e->position());
}

void TableWidget::keyPressEvent(QKeyEvent* e) {
    Game& g = game_;
    const int k = e->key();
    switch (k) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            moveFocus(k == Qt::Key_Left ? -1 : 1, 0);
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
            moveFocus(0, k == Qt::Key_Up ? 1 : -1);
            return;
        default:
            break;
    }
    const bool menuKey =
        k == Qt::Key_Menu || (k == Qt::Key_F10 && (e->modifiers() & Qt::ShiftModifier));
    const bool roundWasOver = g.table.RoundOver;
    // The game's own keys: any key continues after a round, and "1" then
    // Esc arms the hand exchange.
    int key = -1;
    if (k == Qt::Key_Escape)
        key = 27;
    else if (!e->text().isEmpty())
        key = e->text().at(0).unicode();
    if (key >= 0) call([&g, key] { g.keyPress(key); });
    if (roundWasOver) return;

    handlingKey_ = true;
    if (k == Qt::Key_Escape)
        call([&g] { g.dropSelection(); });
    else if (k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter || menuKey)
        actOnFocus(menuKey ? Qt::Key_Menu : k == Qt::Key_Enter ? Qt::Key_Return : k);
    handlingKey_ = false;
    if (key < 0 && !menuKey) QWidget::keyPressEvent(e);
}

// ---- Keyboard play ----

const CardList* TableWidget::focusList(FocusArea area) const {
    switch (area) {
        case FocusArea::Hand:
            return &game_.table.Seats[kHuman].Cards;
        case FocusArea::Pile:
            return &game_.table.Seats[0].PileCards;
        case FocusArea::Stock:
            return &game_.table.Seats[0].Cards;
    }
    return nullptr;
}

int TableWidget::focusedCard() const {
    const CardList* list = focusList(focusArea_);
    if (list->count <= 0) return 0;
    if (focusArea_ == FocusArea::Stock) return list->top();
    return (*list)[std::clamp(focusIndex_, 1, list->count)];
}

CardWidget* TableWidget::focusedWidget() const {
    const int code = focusedCard();
    if (!isValidCard(code)) return nullptr;
    return focusArea_ == FocusArea::Stock ? backs_[std::size_t(code)] : faces_[std::size_t(code)];
}

std::optional<QPoint> TableWidget::keyboardPopupPosition() const {
    const CardWidget* w = handlingKey_ ? focusedWidget() : nullptr;
    if (!w || !w->isVisible()) return std::nullopt;
    return w->mapToGlobal(QPoint(w->width() / 2, w->height()));
}

void TableWidget::moveFocus(int along, int across) {
    const int count = focusList(focusArea_)->count;
    focusIndex_ = std::clamp(focusIndex_, 1, std::max(1, count));
    if (!focusShown_) {
        // The first key shows the ring where it stands.
    } else if (across != 0) {
        // Up goes from the hand to the pile to the stock; down comes back.
        // An empty place is passed over.
        int a = static_cast<int>(focusArea_);
        for (int step = 0; step < 2; ++step) {
            a += across;
            if (a < 0 || a > 2) break;
            const auto area = static_cast<FocusArea>(a);
            const CardList* list = focusList(area);
            if (list->count <= 0) continue;
            focusArea_ = area;
            // On the pile the ring starts at its top card; in the hand
            // it keeps its place as far as the hand reaches.
            focusIndex_ =
                area == FocusArea::Hand ? std::min(focusIndex_, list->count) : list->count;
            break;
        }
    } else if (focusArea_ != FocusArea::Stock) {
        focusIndex_ = std::clamp(focusIndex_ + along, 1, std::max(1, count));
    }
    focusShown_ = true;
    syncFocusRing();
    if (CardWidget* w = focusedWidget()) {
        QAccessibleEvent event(w, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

void TableWidget::actOnFocus(int key) {
    if (!focusShown_) {  // a first key only shows where the ring is
        moveFocus(0, 0);
        return;
    }
    const int code = focusedCard();
    CardWidget* w = focusedWidget();
    // As with the mouse, a card that does not react to a click does nothing.
    if (!w || !w->isVisible() || !w->reacts()) return;
    Game& g = game_;
    const bool stock = focusArea_ == FocusArea::Stock;
    if (key == Qt::Key_Space) {
        if (focusArea_ == FocusArea::Hand) call([&g, code] { g.cardMouseUp(code, 1); });
    } else if (key == Qt::Key_Return) {
        call([&g, code, stock] { stock ? g.stockDblClick(code) : g.cardDblClick(code); });
    } else if (key == Qt::Key_Menu) {
        call([&g, code, stock] { stock ? g.stockMouseUp(code, 2) : g.cardMouseUp(code, 2); });
    }
}

void TableWidget::syncFocusRing() {
    // The round's board lays the cards out in columns: no ring there.
    const CardWidget* w = focusShown_ && !game_.table.RoundOver ? focusedWidget() : nullptr;
    if (!w || !w->isVisible()) {
        focusRing_->hide();
        return;
    }
    const int m = FocusRing::kMargin;
    const QRect r = w->geometry().adjusted(-m, -m, m, m);
    if (focusRing_->isVisible() && focusRing_->geometry() == r) return;
    setGeometryIfChanged(focusRing_, r);
    focusRing_->show();
    raisePanels();
}

void TableWidget::syncAccessibleNames() {
    for (int s = 1; s <= 4; ++s)
        setAccessibleNameIfChanged(seatNames_[std::size_t(s)],
                                   QStringLiteral("%1, %2 cards")
                                       .arg(qs(game_.match.Players[s].Name).trimmed())
                                       .arg(game_.table.Seats[s].CardCount()));
    setAccessibleNameIfChanged(
        stockCount_, QStringLiteral("Stock, %1 cards").arg(game_.table.Seats[0].CardCount()));
}

void TableWidget::resizeEvent(QResizeEvent*) {
    updateScale();
    sync();
}

void TableWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor back = toQColor(game_.scene.backColor);
    const QRect area(origin_, QSize(qRound(kClientWidth * scale_), qRound(kClientHeight * scale_)));
    if (area != rect()) p.fillRect(rect(), back.darker(170));
    p.fillRect(area, back);
    p.setClipRect(area);
    paintBackground(p, QPoint(0, 0));
}

void TableWidget::paintBackground(QPainter& p, QPoint offset) const {
    if (bgImage_.isNull()) return;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(bgRect_.translated(-offset), bgImage_);
    p.restore();
}

void TableWidget::syncBackground() {
    const Scene& sc = game_.scene;
    bool changed = false;
    if (sc.backgroundPicture != bgPath_) {
        bgPath_ = sc.backgroundPicture;
        if (bgPath_.empty()) {
            bgSource_ = QImage();
        } else {
            // A picture that cannot be loaded leaves the previous one.
            QImage loaded = readPicture(bgPath_);
            if (!loaded.isNull()) bgSource_ = std::move(loaded);
        }
        bgImage_ = QImage();
        changed = true;
    }
    // A pixel of the picture is 15 twips of the table.
    const QRect drawn = bgSource_.isNull()
                            ? QRect()
                            : QRect(origin_, (QSizeF(bgSource_.size()) * (15 * scale_)).toSize());
    if (drawn != bgRect_ || bgImage_.isNull() != bgSource_.isNull()) {
        bgRect_ = drawn;
        // Bilinear sampling would alias a picture drawn much smaller than it
        // is: that picture is reduced once, with averaging.
        const QSize device = (QSizeF(drawn.size()) * devicePixelRatioF()).toSize();
        const bool reduce = !device.isEmpty() && (device.width() < bgSource_.width() ||
                                                  device.height() < bgSource_.height());
        bgImage_ = reduce
                       ? bgSource_.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       : bgSource_;
        changed = true;
    }
    if (sc.backColor != backColor_) {
        backColor_ = sc.backColor;
        changed = true;
    }
    if (changed) {
        update();
        topPanel_->update();
    }
}

void TableWidget::syncNotebookRows(bool force) {
    const Scene& sc = game_.scene;
    using namespace results;
    const int bandHeight = kNotebookRowsBottom - kNotebookRowsTop;
    if (force || notebookBand_->geometry().isNull())
        notebookBand_->setGeometry(mapRect(
            scale_, Rect{0, kNotebookRowsTop, sc.notebook.rect.width, bandHeight}, QPoint(0, 0)));

    std::size_t rows = sc.notebookRound.size();
    for (int s = 1; s <= 4; ++s) rows = std::max(rows, sc.notebookCell[s].size());
    const std::size_t wanted = rows > 0 ? rows - 1 : 0;  // element 0 is the template
    while (notebookRows_.size() > wanted) {
        for (LabelWidget* w : notebookRows_.back()) {
            labels_.erase(std::find(labels_.begin(), labels_.end(), w));
            w->hide();
            w->deleteLater();
        }
        notebookRows_.pop_back();
    }
    while (notebookRows_.size() < wanted) {
        const std::size_t r = notebookRows_.size() + 1;
        std::array<LabelWidget*, 5> row{};
        for (int col = 0; col <= 4; ++col) {
            Game* g = &game_;
            auto get = [g, r, col]() -> const Label* {
                const auto& v = col == 0 ? g->scene.notebookRound : g->scene.notebookCell[col];
                return r < v.size() ? &v[r] : nullptr;
            };
            auto* w =
                new LabelWidget(this, notebookBand_, get, Route::Notebook, col, kNotebookRowsTop);
            w->setObjectName(QStringLiteral("notebookRow%1_%2").arg(r).arg(col));
            row[static_cast<std::size_t>(col)] = w;
            labels_.push_back(w);
            w->sync(true);
        }
        notebookRows_.push_back(row);
    }
}

void TableWidget::restackCards(bool force) {
    const Scene& sc = game_.scene;
    struct Entry {
        long z;
        CardWidget* w;
        std::size_t slot;
    };
    std::vector<Entry> changed;
    long maxUnchanged = -1;
    for (int c = 1; c <= 52; ++c) {
        const Entry entries[2] = {{sc.cardBack[c].z, backs_[c], std::size_t(53 + c)},
                                  {sc.cardFace[c].z, faces_[c], std::size_t(c)}};
        for (const Entry& e : entries) {
            if (force || lastZ_[e.slot] != e.z)
                changed.push_back(e);
            else
                maxUnchanged = std::max(maxUnchanged, e.z);
        }
    }
    if (changed.empty()) return;
    bool full = force;
    for (const Entry& e : changed)
        if (e.z <= maxUnchanged) full = true;
    if (full) {
        // Restack every card.
        changed.clear();
        for (int c = 1; c <= 52; ++c) {
            changed.push_back({sc.cardBack[c].z, backs_[c], std::size_t(53 + c)});
            changed.push_back({sc.cardFace[c].z, faces_[c], std::size_t(c)});
        }
    }
    // Cards brought to the front since the last sync only need raising, in
    // their order; equal z keeps backs below faces.
    std::stable_sort(changed.begin(), changed.end(),
                     [](const Entry& a, const Entry& b) { return a.z < b.z; });
    for (const Entry& e : changed) {
        e.w->raise();
        lastZ_[e.slot] = e.z;
    }
    raisePanels();
}

void TableWidget::syncMotion() {
    bool any = false;
    for (int c = 1; c <= 52; ++c) {
        backs_[c]->sync(false);
        faces_[c]->sync(false);
        if (motion_ && motion_->gliding(c)) {
            // A card on its way passes over the others.
            (faces_[c]->isVisible() ? faces_[c] : backs_[c])->raise();
            any = true;
        }
    }
    if (any) {
        raisedForMotion_ = true;
        raisePanels();
    } else if (raisedForMotion_) {
        raisedForMotion_ = false;
        restackCards(true);
    }
}

void TableWidget::raisePanels() {
    if (focusRing_->isVisible()) focusRing_->raise();
    for (PanelWidget* p : panels_) p->raise();
}

void TableWidget::sync() {
    // The cards' names follow the language.
    if (language_ != language()) {
        language_ = language();
        for (std::size_t c = 1; c < faces_.size(); ++c)
            if (faces_[c]) faces_[c]->setToolTip(qs(cardName(static_cast<int>(c))));
    }
    // Before the table has its first real size there is nothing to lay out:
    // the first resize lays everything out at the size that is shown.
    if (!isVisible() && !testAttribute(Qt::WA_Resized)) {
        scaleChanged_ = true;
        return;
    }
    const Rect extent = wantedExtent();
    if (extent.left != extent_.left || extent.top != extent_.top || extent.width != extent_.width ||
        extent.height != extent_.height) {
        extent_ = extent;
        updateScale();
        update();
    }
    const bool force = scaleChanged_;
    scaleChanged_ = false;
    const Scene& sc = game_.scene;

    syncBackground();
    if (sc.windowCursor != windowCursor_ || force) {
        windowCursor_ = sc.windowCursor;
        if (windowCursor_ == Cursor::Default)
            unsetCursor();
        else
            setCursor(toQCursor(windowCursor_));
    }
    for (PanelWidget* p : panels_) p->sync(force);
    syncNotebookRows(force);
    for (ImageWidget* w : images_) w->sync(force);
    for (LabelWidget* w : labels_) w->sync(force);
    for (ButtonWidget* w : buttons_) w->sync(force);
    for (int c = 1; c <= 52; ++c) {
        backs_[c]->sync(force);
        faces_[c]->sync(force);
    }
    restackCards(false);
    if (motion_ && (motion_->moving() || raisedForMotion_)) syncMotion();
    syncAccessibleNames();
    syncFocusRing();
}

}  // namespace vornak
