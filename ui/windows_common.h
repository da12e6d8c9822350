// Widgets shared by the secondary windows: a label drawn from a scene Label,
// a picture drawn from a scene Image, and the base of the modal screens
// (baize background, twips geometry, hover and click plumbing).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QWidget>
#include <functional>
#include <string>

#include "game/scene.h"

namespace vornak::ui {

constexpr double kTwipsPerPixel = 15.0;
inline int px(int twips) {
    return static_cast<int>(twips / kTwipsPerPixel + (twips >= 0 ? 0.5 : -0.5));
}
QRect pixelRect(const Rect& twips);
QColor toQColor(Color bgr);
QString qs(const std::string& utf8);

// A label of a model screen. Its caption, colour (through the palette),
// font, border, visibility and tooltip follow the model's Label. Captions
// that act as buttons get a framed plate behind them and report hover and
// clicks.
class ModelLabel : public QLabel {
public:
    explicit ModelLabel(QWidget* parent, bool actsAsButton = false);
    void sync(const Label& model);

    std::function<void(bool over)> onHover;
    std::function<void()> onClick;
    // Table cells keep their own alignment whatever the model says.
    Qt::Alignment fixedAlignment{};

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool button_;
    bool border_ = false;
};

// A picture of a model screen, painted by art name.
class ArtView : public QWidget {
public:
    explicit ArtView(QWidget* parent);
    // Position, size, picture and visibility from the model.
    void sync(const Image& model);
    const std::string& art() const { return art_; }

    std::function<void()> onHover;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::string art_;
};

// The base of the modal screens: fixed size in twips, baize background,
// optional painted banner, and a hover callback for the window surface.
class ModelDialog : public QDialog {
public:
    ModelDialog(QWidget* parent, const QString& title, int widthTwips, int heightTwips);

    std::function<void()> onSurfaceHover;
    // Return, Enter or Space: the keyboard's way to press the caption-button.
    std::function<void()> onActivate;
    // Gold heading painted across the top when not empty.
    QString banner;
    int bannerHeightTwips = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Closing with the title bar or Esc only closes through the model.
    void reject() override;

    std::function<void()> onReject;
};

Qt::CursorShape cursorShape(Cursor cursor);

}  // namespace vornak::ui
