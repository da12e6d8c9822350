// The card table: draws the game's scene and passes the player's mouse and
// keyboard input to the game.
//
// Every element of the scene has one child widget (card faces and backs,
// labels, pictures, panels, buttons). Positions are twips; one scale factor
// maps them to pixels, so the table keeps its proportions, centred, at any
// window size. The score notebook stands beside the table: while it is
// open the table makes room for it. sync() brings the widgets up to
// date with the scene by comparing and setting, which is cheap enough to run after every call into
// the game.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <array>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "game/scene.h"

namespace vornak {

class Game;
class CardList;
class TableMotion;

namespace table {
class CardWidget;
class LabelWidget;
class ImageWidget;
class PanelWidget;
class ButtonWidget;

// Where the mouse input of an element goes.
enum class Route {
    Window,    // the bare table
    TopPanel,  // the strip with the hint line: clicks act as on the table
    Board,     // the end-of-round board panel
    Notebook,  // the score notebook
    Inert,     // no handler (the seat pop-up)
    SeatName,  // a seat's name on the table
    LaidName,  // a seat's name above its laid cards on the board
    CardFace,  // an enabled card face
    CardBack,  // an enabled card back
};
enum class MouseAction { Press, Release, DoubleClick, Move };
// Where the keyboard's focus ring stands: the person's hand, the pile or
// the top of the stock.
enum class FocusArea { Hand, Pile, Stock };
}  // namespace table

class TableWidget : public QWidget {
    Q_OBJECT
public:
    explicit TableWidget(Game& game, QWidget* parent = nullptr);
    ~TableWidget() override;

    // Every call into the game from input goes through the runner, which
    // is expected to make the call and then bring the window up to date.
    // Without one, the call is made and the table synced.
    using Runner = std::function<void(const std::function<void()>&)>;
    void setRunner(Runner runner) { runner_ = std::move(runner); }

    // Brings every widget up to date with the scene.
    void sync();
    // Cards on their way are drawn where the motion has them; a frame of
    // the motion moves only the cards.
    void setMotion(const TableMotion* motion) { motion_ = motion; }
    const TableMotion* motion() const { return motion_; }
    void syncMotion();

    // The area drawn, in table twips: the design area, and the open
    // notebook beside it with a margin around.
    Rect extent() const { return extent_; }
    // Pixels per twip, and the pixel position of the design area's corner.
    double scale() const { return scale_; }
    QPoint origin() const { return origin_; }
    // A rectangle of the table (absolute twips) in widget pixels.
    QRect toPixels(const Rect& r) const;
    // A widget position in table twips.
    QPoint toTwips(QPointF pos) const;

    QSize sizeHint() const override;

    // The card the keyboard's focus ring is on (0 when none), and whether
    // the ring is shown: it appears with the first key that moves it and
    // goes with the next mouse press.
    int focusedCard() const;
    table::FocusArea focusArea() const { return focusArea_; }
    bool focusShown() const { return focusShown_; }
    // Where a menu opened from the keyboard pops up (global pixels): under
    // the focused card while a key is handled, otherwise nothing.
    std::optional<QPoint> keyboardPopupPosition() const;

    // Called by the child widgets.
    void route(table::Route route, int index, table::MouseAction action, Qt::MouseButton button,
               QWidget* source, QPointF pos);
    void scrollNotebook(int index);
    Game& game() { return game_; }
    // Draws the background picture where it lies on the table, `offset`
    // being the painted widget's corner relative to the table.
    void paintBackground(QPainter& p, QPoint offset) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void call(const std::function<void()>& f);
    void buildWidgets();
    Rect wantedExtent() const;
    void updateScale();
    void syncBackground();
    void syncNotebookRows(bool force);
    void restackCards(bool force);
    void raisePanels();
    QWidget* surfaceOf(table::Route route) const;
    // Keyboard play.
    const CardList* focusList(table::FocusArea area) const;
    table::CardWidget* focusedWidget() const;
    void moveFocus(int along, int across);
    void actOnFocus(int key);
    void syncFocusRing();
    void syncAccessibleNames();

    Game& game_;
    Runner runner_;
    const TableMotion* motion_ = nullptr;
    bool raisedForMotion_ = false;  // gliding cards were raised above the rest
    Rect extent_{0, 0, kClientWidth, kClientHeight};
    double scale_ = 1.0 / 15;
    QPoint origin_;
    bool scaleChanged_ = true;

    // Background picture: its file, the picture as decoded, and what is
    // drawn (the same picture, or a reduced copy when it is drawn smaller)
    // with where it is drawn in widget pixels. It is scaled as it is
    // painted: bilinear scaling of the exposed area is cheap, and a
    // pre-scaled full-window copy would cost memory and start-up time.
    std::string bgPath_;
    QImage bgSource_;
    QImage bgImage_;
    QRect bgRect_;
    Color backColor_ = 0xFFFFFFFF;
    Cursor windowCursor_ = Cursor::Default;
    std::string windowTooltip_;

    table::FocusArea focusArea_ = table::FocusArea::Hand;
    int focusIndex_ = 1;  // 1.. along the area's cards
    bool focusShown_ = false;
    bool handlingKey_ = false;
    QWidget* focusRing_ = nullptr;
    std::array<table::LabelWidget*, 5> seatNames_{};
    table::LabelWidget* stockCount_ = nullptr;

    bool afterDoubleClick_ = false;
    bool pressedOnBoard_ = false;  // the last press came while the round was over

    std::vector<table::CardWidget*> faces_, backs_;  // index = card code
    std::string language_ = "th";                    // of the cards' names
    std::vector<long> lastZ_;                        // faces 0..52, backs 53..105
    std::vector<table::LabelWidget*> labels_;
    std::vector<table::ImageWidget*> images_;
    std::vector<table::PanelWidget*> panels_;  // bottom to top
    std::vector<table::ButtonWidget*> buttons_;
    table::PanelWidget* topPanel_ = nullptr;
    table::PanelWidget* boardPanel_ = nullptr;
    table::PanelWidget* notebook_ = nullptr;
    table::PanelWidget* playLogBox_ = nullptr;
    QWidget* notebookBand_ = nullptr;  // clips the scrolling rows
    // Rows of the notebook: [row][0] the round label, [row][1..4] the cells.
    std::vector<std::array<table::LabelWidget*, 5>> notebookRows_;
};

}  // namespace vornak
