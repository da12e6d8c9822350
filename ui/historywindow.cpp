#include "historywindow.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "game/files.h"
#include "core/i18n.h"
#include "game/interfaces.h"
#include "language.h"

namespace vornak {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Money won or lost: "+4500", "-1150", "0".
QString moneyText(long value) {
    return value > 0 ? QStringLiteral("+%1").arg(value) : QString::number(value);
}

QString clockText(long seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString dateText(const GameRecord& g) {
    return qs(historyTime(g.when, g.utcOffset).substr(0, 16));
}

// 1, 2 or 5 times a power of ten, at least `raw`.
double niceStep(double raw) {
    if (raw <= 0) return 1;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw) return m * power;
    return 10 * power;
}

QTableWidget* makeTable(const QString& name, const QStringList& headings, QWidget* parent) {
    auto* t = new QTableWidget(0, int(headings.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headings);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab goes on to the next control; the arrows move inside the table.
    t->setTabKeyNavigation(false);
    t->setAlternatingRowColors(true);
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Column widths from the first rows only: a long history opens at once.
    t->horizontalHeader()->setResizeContentsPrecision(100);
    t->horizontalHeader()->setStretchLastSection(true);
    // Thai headings stack a tone mark over a vowel above the line: the
    // header's own height, taken from the font's ascent, cuts it off.
    t->horizontalHeader()->setMinimumHeight(t->horizontalHeader()->fontMetrics().height() + 14);
    return t;
}

// Writes a row; the columns from `numbersFrom` on are figures, right-aligned.
void setRow(QTableWidget* t, int row, const QStringList& cells, int numbersFrom) {
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        if (c >= numbersFrom) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        t->setItem(row, c, item);
    }
}

}  // namespace

QString levelText(const std::string& level) {
    if (level == "beginner") return QStringLiteral("Beginner Level");
    if (level == "vip") return QStringLiteral("VIP Level");
    return qs(level);
}

QString modeText(const std::string& mode) {
    if (mode == "normal") return tx("ปกติ");
    if (mode == "mission") return tx("ภารกิจ");
    return qs(mode);
}

QString opponentsText(const std::string& opponents) {
    if (opponents == "rules") return tx("ผู้เล่นตามกติกา");
    if (opponents == "expert") return QStringLiteral("Expert");
    if (opponents == "master") return QStringLiteral("Master");
    // A kind this program does not know by name: its word, capitalised.
    QString word = qs(opponents);
    if (!word.isEmpty()) word[0] = word[0].toUpper();
    return word;
}

QString resultText(const std::string& result) {
    if (result == "won") return tx("ชนะ");
    if (result == "lost") return tx("แพ้");
    if (result == "gaveup") return tx("เลิกกลางคัน");
    return qs(result);
}

// ---- The chart ----

MoneyChart::MoneyChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("moneyChart"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tx("กราฟเงินได้เสียสะสมตามลำดับเกม"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MoneyChart::setCurve(std::vector<long> curve) {
    curve_ = std::move(curve);
    current_ = 0;
    setAccessibleDescription(describe());
    update();
}

QString MoneyChart::describe() const {
    const int games = int(curve_.size()) - 1;
    if (games <= 0) return tx("ยังไม่มีเกม");
    if (current_ > 0) {
        const long change = curve_[std::size_t(current_)] - curve_[std::size_t(current_ - 1)];
        return qs(format(_("เกมที่ %1: ได้เสีย %2 บาท  รวม %3 บาท"),
                         {std::to_string(current_), moneyText(change).toStdString(),
                          moneyText(curve_[std::size_t(current_)]).toStdString()}));
    }
    const auto [low, high] = std::minmax_element(curve_.begin(), curve_.end());
    return qs(format(_("%1 เกม  รวม %2 บาท  ต่ำสุด %3 บาท  สูงสุด %4 บาท"),
                     {std::to_string(games), moneyText(curve_.back()).toStdString(),
                      moneyText(*low).toStdString(), moneyText(*high).toStdString()}));
}

void MoneyChart::choose(int game) {
    const int games = int(curve_.size()) - 1;
    if (games <= 0) return;
    current_ = std::clamp(game, 1, games);
    setAccessibleDescription(describe());
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
    update();
    emit chosen(current_);
}

void MoneyChart::keyPressEvent(QKeyEvent* event) {
    const int games = int(curve_.size()) - 1;
    switch (event->key()) {
        case Qt::Key_Left:
            choose(current_ <= 1 ? 1 : current_ - 1);
            break;
        case Qt::Key_Right:
            choose(current_ + 1);
            break;
        case Qt::Key_Home:
            choose(1);
            break;
        case Qt::Key_End:
            choose(games);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

MoneyChart::Scale MoneyChart::scale() const {
    Scale out;
    if (curve_.empty()) return out;
    const auto [lowIt, highIt] = std::minmax_element(curve_.begin(), curve_.end());
    out.low = double(std::min(0L, *lowIt));
    out.high = double(std::max(0L, *highIt));
    if (out.high - out.low < 1) out.high = out.low + 1000;
    out.step = niceStep((out.high - out.low) / 5);
    out.low = std::floor(out.low / out.step) * out.step;
    out.high = std::ceil(out.high / out.step) * out.step;
    return out;
}

QRectF MoneyChart::plotArea() const {
    const QFontMetrics fm(font());
    const Scale sc = scale();
    // Room for the widest of the money figures at the left.
    const int widest = std::max(fm.horizontalAdvance(moneyText(long(sc.low))),
                                fm.horizontalAdvance(moneyText(long(sc.high))));
    const double left = widest + 12;
    return QRectF(left, fm.height() * 0.6, width() - left - 16, height() - fm.height() * 2.4);
}

void MoneyChart::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const int games = int(curve_.size()) - 1;
    const QRectF area = plotArea();
    if (games <= 0 || area.width() <= 0) return;
    const double step = area.width() / games;
    choose(int(std::lround((event->position().x() - area.left()) / step)));
}

void MoneyChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.base());
    if (hasFocus()) {
        p.setPen(QPen(pal.highlight(), 2));
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }
    const int games = int(curve_.size()) - 1;
    if (games <= 0) {
        p.setPen(pal.text().color());
        p.drawText(rect(), Qt::AlignCenter, tx("ยังไม่มีเกม"));
        return;
    }

    const QRectF area = plotArea();
    const Scale sc = scale();
    const double low = sc.low, high = sc.high, step = sc.step;
    auto yOf = [&](double v) { return area.bottom() - (v - low) / (high - low) * area.height(); };
    auto xOf = [&](int i) { return area.left() + area.width() * i / games; };

    const QFontMetrics fm(font());
    const QColor grid = pal.mid().color();
    p.setFont(font());
    for (double v = low; v <= high + step / 2; v += step) {
        const double y = yOf(v);
        p.setPen(QPen(grid, v == 0 ? 1.6 : 0.6));
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        p.setPen(pal.text().color());
        p.drawText(QRectF(0, y - fm.height() / 2.0, area.left() - 6, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, moneyText(long(std::lround(v))));
    }
    const int xStep = int(niceStep(games / 8.0));
    for (int i = 0; i <= games; i += std::max(1, xStep)) {
        const double x = xOf(i);
        p.setPen(QPen(grid, 0.6));
        p.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + 4));
        p.setPen(pal.text().color());
        p.drawText(QRectF(x - 30, area.bottom() + 4, 60, fm.height()), Qt::AlignCenter,
                   QString::number(i));
    }

    // More games than pixels: each column of pixels draws its games' lowest
    // and highest money, which looks the same and costs a column's worth.
    QPolygonF line;
    const int columns = std::max(1, int(area.width()));
    if (games <= 2 * columns) {
        for (int i = 0; i <= games; ++i)
            line << QPointF(xOf(i), yOf(double(curve_[std::size_t(i)])));
    } else {
        int i = 0;
        for (int c = 0; c <= columns && i <= games; ++c) {
            const int last = std::min(games, int(std::lround(double(c + 1) * games / columns)) - 1);
            long lo = curve_[std::size_t(i)], hi = lo;
            const bool rising = curve_[std::size_t(std::max(i, last))] >= curve_[std::size_t(i)];
            for (; i <= last; ++i) {
                lo = std::min(lo, curve_[std::size_t(i)]);
                hi = std::max(hi, curve_[std::size_t(i)]);
            }
            const double x = area.left() + c;
            line << QPointF(x, yOf(double(rising ? lo : hi)))
                 << QPointF(x, yOf(double(rising ? hi : lo)));
            i = std::max(i, last + 1);
        }
    }
    p.setPen(QPen(QColor(0x1b, 0x7f, 0x3a), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
    if (games <= 150) {
        for (int i = 1; i <= games; ++i) {
            const bool up = curve_[std::size_t(i)] >= curve_[std::size_t(i - 1)];
            p.setPen(Qt::NoPen);
            p.setBrush(up ? QColor(0x1b, 0x7f, 0x3a) : QColor(0xc6, 0x28, 0x28));
            p.drawEllipse(QPointF(xOf(i), yOf(double(curve_[std::size_t(i)]))), 2.6, 2.6);
        }
    }
    if (current_ > 0) {
        const QPointF at(xOf(current_), yOf(double(curve_[std::size_t(current_)])));
        p.setPen(QPen(pal.highlight(), 1, Qt::DashLine));
        p.drawLine(QPointF(at.x(), area.top()), QPointF(at.x(), area.bottom()));
        p.setPen(QPen(pal.highlight(), 2));
        p.setBrush(pal.base());
        p.drawEllipse(at, 5, 5);
    }
}

// ---- The window ----

HistoryWindow::HistoryWindow(std::vector<GameRecord> games, Dialogs& dialogs, std::int64_t now,
                             QWidget* parent)
    : QDialog(parent), games_(std::move(games)), dialogs_(dialogs), now_(now) {
    setObjectName(QStringLiteral("historyWindow"));
    setWindowTitle(tx("สถิติการเล่นของคุณ"));
    auto* layout = new QVBoxLayout(this);

    auto* filters = new QHBoxLayout;
    auto* levelLabel = new QLabel(tx("ระดับ (&L):"), this);
    level_ = new QComboBox(this);
    level_->setObjectName(QStringLiteral("levelFilter"));
    level_->addItems({tx("ทุกระดับ"), levelText("beginner"), levelText("vip")});
    levelLabel->setBuddy(level_);
    auto* periodLabel = new QLabel(tx("ช่วงเวลา (&P):"), this);
    period_ = new QComboBox(this);
    period_->setObjectName(QStringLiteral("periodFilter"));
    period_->addItems({tx("ทุกเกม"), tx("7 วันที่ผ่านมา"), tx("30 วันที่ผ่านมา"), tx("1 ปีที่ผ่านมา")});
    periodLabel->setBuddy(period_);
    filters->addWidget(levelLabel);
    filters->addWidget(level_);
    filters->addSpacing(16);
    filters->addWidget(periodLabel);
    filters->addWidget(period_);
    filters->addStretch();
    layout->addLayout(filters);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    auto* chartTitle = new QLabel(tx("เงินได้เสียสะสม (บาท) ตามลำดับเกม"), this);
    QFont bold = chartTitle->font();
    bold.setBold(true);
    chartTitle->setFont(bold);
    layout->addWidget(chartTitle);
    chart_ = new MoneyChart(this);
    chartTitle->setBuddy(chart_);
    layout->addWidget(chart_, 3);
    chartNote_ = new QLabel(this);
    chartNote_->setObjectName(QStringLiteral("chartNote"));
    layout->addWidget(chartNote_);
    connect(chart_, &MoneyChart::chosen, this, [this] { chartNote_->setText(chart_->describe()); });

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("figureTabs"));
    groups_ = makeTable(QStringLiteral("groupsTable"),
                        {tx("ระดับ"), tx("โหมด"), tx("คู่แข่ง"), tx("เกม"), tx("ชนะ"), tx("แพ้"),
                         tx("เลิกกลางคัน"), tx("ชนะ (%)"), tx("แต้มเฉลี่ยต่อรอบ"), tx("เงินได้เสีย (บาท)")},
                        tabs);
    groups_->setAccessibleName(tx("ชนะและแพ้ตามระดับและคู่แข่ง"));
    best_ = makeTable(QStringLiteral("bestTable"),
                      {QString(), tx("วันที่"), tx("ระดับ"), tx("โหมด"), tx("คู่แข่ง"), tx("ผล"),
                       tx("จำนวนรอบ"), tx("แต้ม"), tx("เงินได้เสีย (บาท)")},
                      tabs);
    best_->setAccessibleName(tx("เกมที่ดีที่สุดและแย่ที่สุด"));
    list_ = makeTable(QStringLiteral("gamesTable"),
                      {QStringLiteral("#"), tx("วันที่"), tx("ระดับ"), tx("โหมด"), tx("คู่แข่ง"), tx("ผล"),
                       tx("จำนวนรอบ"), tx("แต้ม"), tx("เงินได้เสีย (บาท)"), tx("น็อค"), tx("น็อคมืด"),
                       tx("โดนโง่"), tx("ได้โง่"), tx("เวลา")},
                      tabs);
    list_->setAccessibleName(tx("ทุกเกมที่แสดง"));
    tabs->addTab(groups_, tx("ตามระดับและคู่แข่ง (&G)"));
    tabs->addTab(best_, tx("ดีที่สุดและแย่ที่สุด (&B)"));
    tabs->addTab(list_, tx("ทุกเกม (&A)"));
    layout->addWidget(tabs, 4);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* exportButton =
        buttons->addButton(tx("ส่งออกเป็น CSV... (&E)"), QDialogButtonBox::ActionRole);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    exportButton->setAutoDefault(false);
    connect(exportButton, &QPushButton::clicked, this, [this] { exportShown(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(level_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(period_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    refresh();
    resize(900, 680);
    level_->setFocus();
}

void HistoryWindow::setLevel(int index) {
    level_->setCurrentIndex(index);
}

void HistoryWindow::setPeriod(int index) {
    period_->setCurrentIndex(index);
}

void HistoryWindow::refresh() {
    static const char* const kLevels[] = {"", "beginner", "vip"};
    static const int kDays[] = {0, 7, 30, 365};
    HistoryFilter filter;
    filter.level = kLevels[std::clamp(level_->currentIndex(), 0, 2)];
    const int days = kDays[std::clamp(period_->currentIndex(), 0, 3)];
    filter.since = days > 0 ? now_ - std::int64_t(days) * 86400 : 0;
    shown_ = filterGames(games_, filter);
    figures_ = computeFigures(shown_);

    const GameGroup& t = figures_.total;
    if (t.games == 0) {
        summary_->setText(games_.empty()
                              ? tx("ยังไม่มีเกมในประวัติการเล่น เกมที่เล่นจบหรือเลิกกลางคันจะถูกบันทึกไว้ที่นี่")
                              : tx("ไม่มีเกมในระดับและช่วงเวลาที่เลือก"));
    } else {
        summary_->setText(qs(format(
            _("%1 เกม  ชนะ %2  แพ้ %3  เลิกกลางคัน %4  ·  แต้มเฉลี่ยต่อรอบ %5  ·  เงินได้เสียรวม %6 บาท"),
            {std::to_string(t.games), std::to_string(t.won), std::to_string(t.lost),
             std::to_string(t.gaveUp), QString::number(t.pointsPerRound(), 'f', 1).toStdString(),
             moneyText(t.money).toStdString()})));
    }
    chart_->setCurve(figures_.moneyCurve);
    chartNote_->setText(chart_->describe());
    fillGroups();
    fillBest();
    fillGames();
}

void HistoryWindow::fillGroups() {
    auto cells = [](const GameGroup& g, QStringList first) {
        return first << QString::number(g.games) << QString::number(g.won)
                     << QString::number(g.lost) << QString::number(g.gaveUp)
                     << QString::number(g.winPercent(), 'f', 0)
                     << QString::number(g.pointsPerRound(), 'f', 1) << moneyText(g.money);
    };
    const auto& groups = figures_.groups;
    groups_->setRowCount(int(groups.size()) + (groups.empty() ? 0 : 1));
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const GameGroup& g = groups[i];
        setRow(groups_, int(i),
               cells(g, {levelText(g.level), modeText(g.mode), opponentsText(g.opponents)}), 3);
    }
    if (!groups.empty()) {
        const int row = int(groups.size());
        setRow(groups_, row, cells(figures_.total, {tx("รวม"), QString(), QString()}), 3);
        for (int c = 0; c < groups_->columnCount(); ++c) {
            QFont f = groups_->item(row, c)->font();
            f.setBold(true);
            groups_->item(row, c)->setFont(f);
        }
    }
}

void HistoryWindow::fillBest() {
    best_->setRowCount(int(figures_.best.size() + figures_.worst.size()));
    int row = 0;
    auto add = [this, &row](const QString& rank, std::size_t at) {
        const GameRecord& g = shown_[at];
        setRow(best_, row++,
               {rank, dateText(g), levelText(g.level), modeText(g.mode), opponentsText(g.opponents),
                resultText(g.result), QString::number(g.rounds), QString::number(g.points),
                moneyText(g.money)},
               6);
    };
    for (std::size_t i = 0; i < figures_.best.size(); ++i)
        add(qs(format(_("ดีที่สุด %1"), {std::to_string(i + 1)})), figures_.best[i]);
    for (std::size_t i = 0; i < figures_.worst.size(); ++i)
        add(qs(format(_("แย่ที่สุด %1"), {std::to_string(i + 1)})), figures_.worst[i]);
}

void HistoryWindow::fillGames() {
    list_->setRowCount(int(shown_.size()));
    // The latest game first.
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const std::size_t at = shown_.size() - 1 - i;
        const GameRecord& g = shown_[at];
        setRow(list_, int(i),
               {QString::number(at + 1), dateText(g), levelText(g.level), modeText(g.mode),
                opponentsText(g.opponents), resultText(g.result), QString::number(g.rounds),
                QString::number(g.points), moneyText(g.money), QString::number(g.knocks),
                QString::number(g.darkKnocks), QString::number(g.fooled),
                QString::number(g.foolsWon), clockText(g.seconds)},
               6);
    }
}

bool HistoryWindow::exportShown() {
    const auto path =
        dialogs_.saveFile(_("ส่งออกประวัติการเล่นเป็น CSV"), "CSV (*.csv)|*.csv", "vornak-history.csv");
    if (!path || path->empty()) return false;
    if (!replaceFile(*path, exportCsv(shown_))) {
        dialogs_.messageBox(format(_("ไม่สามารถบันทึกไฟล์ได้\n%1"), {*path}), _("คำเตือน"),
                            MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

}  // namespace vornak
