// The round review window: a round move by move with every hand face up,
// and the person's decisions graded by the strongest computer player on a
// worker thread. Opened from the round's board and from the notebook.
#pragma once

#include <QPointer>
#include <QWidget>

#include <atomic>
#include <thread>

#include "review/review.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace vornak {

class Game;
class TableWidget;

class ReviewBoard;

class ReviewWindow : public QWidget {
    Q_OBJECT
public:
    ReviewWindow(RoundReview review, QWidget* parent = nullptr);
    ~ReviewWindow() override;  // cancels the evaluation and waits for it

    const RoundReview& review() const { return review_; }
    bool evaluationDone() const { return done_; }
    // The rollouts of each decision's evaluation (tests make it small).
    static void setRollouts(int rollouts);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void step(int to);
    void showPosition();
    void fillList();
    void verdictCame(std::size_t decision, const Verdict& verdict);
    void cancel();

    RoundReview review_;
    ReviewBoard* board_;
    QLabel *where_, *said_, *move_, *verdict_, *status_;
    QPushButton *first_, *back_, *forward_, *last_;
    QListWidget* list_;
    QProgressBar* progress_;
    std::atomic<bool> cancel_{false};
    std::thread worker_;
    std::size_t evaluatedCount_ = 0;
    bool done_ = false;
};

// The ways into the review from the main window: a button on the round's
// board and, in the notebook, a double-click on a round's row.
class ReviewEntry : public QObject {
    Q_OBJECT
public:
    ReviewEntry(Game& game, TableWidget* table, QWidget* window);
    // Shows the board's button while the board of a reviewable round stands.
    void sync();
    // Opens the review of round `round`; false (with a message) when it has
    // no record.
    bool open(int round);
    ReviewWindow* lastOpened() const { return opened_; }
    // The notebook's round under a point of the notebook panel, 0 for none.
    int roundAt(QPoint notebookPixel) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchNotebook();

    Game& game_;
    TableWidget* table_;
    QWidget* window_;
    QPushButton* boardButton_ = nullptr;
    QPointer<ReviewWindow> opened_;
};

}  // namespace vornak
