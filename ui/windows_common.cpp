#include "windows_common.h"

#include <QKeyEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "screenart.h"

namespace vornak::ui {

QRect pixelRect(const Rect& r) {
    return QRect(px(r.left), px(r.top), px(r.width), px(r.height));
}

QColor toQColor(Color bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QString qs(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Qt::CursorShape cursorShape(Cursor cursor) {
    switch (cursor) {
        case Cursor::Busy:
            return Qt::WaitCursor;
        case Cursor::Hand:
            return Qt::PointingHandCursor;
        case Cursor::Close:
            return Qt::PointingHandCursor;
        case Cursor::NoDrop:
            return Qt::ForbiddenCursor;
        case Cursor::Default:
            break;
    }
    return Qt::ArrowCursor;
}

// ---- ModelLabel ----

ModelLabel::ModelLabel(QWidget* parent, bool actsAsButton) : QLabel(parent), button_(actsAsButton) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setWordWrap(false);
    if (button_) setCursor(Qt::PointingHandCursor);
}

void ModelLabel::sync(const Label& model) {
    const QRect geometry = pixelRect(model.rect);
    if (geometry != this->geometry()) setGeometry(geometry);
    const QString text = qs(model.caption);
    if (text != this->text()) setText(text);
    const QString tip = qs(model.tooltip);
    if (tip != toolTip()) setToolTip(tip);

    QFont f = font();
    f.setPointSizeF(model.pointSize > 0 ? model.pointSize : 9);
    f.setBold(model.bold || button_);
    f.setUnderline(model.underline);
    if (f != font()) setFont(f);

    const QColor colour = toQColor(model.foreColor);
    if (palette().color(QPalette::WindowText) != colour) {
        QPalette pal = palette();
        pal.setColor(QPalette::WindowText, colour);
        setPalette(pal);
    }
    Qt::Alignment align = Qt::AlignVCenter;
    align |= model.align == Align::Center
                 ? Qt::AlignHCenter
                 : (model.align == Align::Right ? Qt::AlignRight : Qt::AlignLeft);
    if (button_) align = Qt::AlignCenter;
    if (fixedAlignment) align = fixedAlignment;
    if (alignment() != align) setAlignment(align);
    if (border_ != model.border) {
        border_ = model.border;
        update();
    }
    if (isVisibleTo(parentWidget()) != model.visible) setVisible(model.visible);
}

void ModelLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (button_) {
        const qreal radius = box.height() / 2;
        QLinearGradient plate(box.topLeft(), box.bottomLeft());
        plate.setColorAt(0, QColor(0x0c, 0x4a, 0x28, 225));
        plate.setColorAt(1, QColor(0x04, 0x24, 0x12, 225));
        p.setBrush(plate);
        p.setPen(QPen(art::gold(), 1.5));
        p.drawRoundedRect(box, radius, radius);
    } else if (border_) {
        p.setBrush(QColor(0, 0, 0, 60));
        p.setPen(QPen(QColor(0xd9, 0xa4, 0x1e, 160), 1));
        p.drawRect(box);
    }
    const QRect textBox = rect().adjusted(button_ ? 6 : 3, 0, button_ ? -6 : -3, 0);
    const int flags = static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    // A caption longer than its label is drawn a little smaller rather than
    // cut off.
    QFont f = font();
    if (!wordWrap()) {
        const qreal full = f.pointSizeF();
        while (QFontMetricsF(f).horizontalAdvance(text()) > textBox.width() &&
               f.pointSizeF() > full * 0.6)
            f.setPointSizeF(f.pointSizeF() - 0.5);
    }
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 170));
    p.drawText(textBox.translated(1, 1), flags, text());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(textBox, flags, text());
}

void ModelLabel::mouseMoveEvent(QMouseEvent* event) {
    if (onHover) onHover(true);
    event->accept();
}

void ModelLabel::enterEvent(QEnterEvent*) {
    if (onHover) onHover(true);
}

void ModelLabel::leaveEvent(QEvent*) {
    if (onHover) onHover(false);
}

void ModelLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        onClick) {
        event->accept();
        onClick();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

// ---- ArtView ----

ArtView::ArtView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void ArtView::sync(const Image& model) {
    const QRect geometry = pixelRect(model.rect);
    if (geometry != this->geometry()) setGeometry(geometry);
    if (model.art != art_) {
        art_ = model.art;
        update();
    }
    const QString tip = qs(model.tooltip);
    if (tip != toolTip()) setToolTip(tip);
    if (isVisibleTo(parentWidget()) != model.visible) setVisible(model.visible);
}

void ArtView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    art::paint(p, QRectF(rect()), art_);
}

void ArtView::mouseMoveEvent(QMouseEvent* event) {
    if (onHover) onHover();
    event->accept();
}

// ---- ModelDialog ----

ModelDialog::ModelDialog(QWidget* parent, const QString& title, int widthTwips, int heightTwips)
    : QDialog(parent) {
    setWindowTitle(title);
    setModal(true);
    setFixedSize(px(widthTwips), px(heightTwips));
    setMouseTracking(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x0c, 0x3c, 0x22));
    pal.setColor(QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::ToolTipBase, QColor(0xff, 0xfb, 0xe6));
    pal.setColor(QPalette::ToolTipText, Qt::black);
    setPalette(pal);
}

void ModelDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    art::paintBaize(p, QRectF(rect()));
    if (!banner.isEmpty() && bannerHeightTwips > 0) {
        p.setFont(font());
        art::paintGoldText(p, QRectF(0, 0, width(), px(bannerHeightTwips)), banner,
                           px(bannerHeightTwips) * 0.5, false);
    }
}

void ModelDialog::mouseMoveEvent(QMouseEvent* event) {
    if (onSurfaceHover) onSurfaceHover();
    event->accept();
}

void ModelDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && onActivate) {
        onActivate();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ModelDialog::reject() {
    if (onReject) onReject();
}

}  // namespace vornak::ui
