// Game ▸ Statistics...: the player's history of games as a chart of the
// money over the games and as tables of figures, filtered by level and by
// period, with an export of the games shown as CSV.
#pragma once

#include <QDialog>
#include <QWidget>

#include <cstdint>
#include <vector>

#include "game/results/history.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace vornak {

class Dialogs;

// The money after each game as a line from 0 before the first. With the
// focus, Left and Right (Home, End) move from game to game; the game chosen
// is marked, written under the chart and said to a screen reader.
class MoneyChart : public QWidget {
    Q_OBJECT
public:
    explicit MoneyChart(QWidget* parent = nullptr);
    void setCurve(std::vector<long> curve);
    const std::vector<long>& curve() const { return curve_; }
    int current() const { return current_; }  // the game chosen (1..), 0 for none
    // What is said of the game chosen, or of the whole line.
    QString describe() const;
    QSize sizeHint() const override { return {640, 260}; }
    QSize minimumSizeHint() const override { return {320, 160}; }

signals:
    void chosen(int game);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void choose(int game);
    // The money axis: from `low` to `high` in steps of `step` baht.
    struct Scale {
        double low = 0, high = 1000, step = 200;
    };
    Scale scale() const;
    QRectF plotArea() const;

    std::vector<long> curve_;
    int current_ = 0;
};

class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    // `now` is the time the periods count back from.
    HistoryWindow(std::vector<GameRecord> games, Dialogs& dialogs, std::int64_t now,
                  QWidget* parent = nullptr);

    // The filters as their lists offer them: level 0 every level, 1 Beginner,
    // 2 VIP; period 0 every game, 1 the last 7 days, 2 the last 30, 3 the
    // last 365.
    void setLevel(int index);
    void setPeriod(int index);
    const std::vector<GameRecord>& shown() const { return shown_; }
    const HistoryFigures& figures() const { return figures_; }
    // Asks for a file through the dialogs and writes the games shown into it;
    // false when none was chosen or it could not be written (and said so).
    bool exportShown();

private:
    void refresh();
    void fillGroups();
    void fillBest();
    void fillGames();

    std::vector<GameRecord> games_;
    Dialogs& dialogs_;
    std::int64_t now_;
    std::vector<GameRecord> shown_;
    HistoryFigures figures_;
    QComboBox* level_;
    QComboBox* period_;
    QLabel* summary_;
    MoneyChart* chart_;
    QLabel* chartNote_;
    QTableWidget* groups_;
    QTableWidget* best_;
    QTableWidget* list_;
};

// The words of the history as the player reads them.
QString levelText(const std::string& level);
QString modeText(const std::string& mode);
QString opponentsText(const std::string& opponents);
QString resultText(const std::string& result);

}  // namespace vornak
