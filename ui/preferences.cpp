#include "preferences.h"
#include "language.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace vornak {

namespace {

// The words kept in the file for each pace.
constexpr std::array<const char*, 3> kPaceWords = {"rules", "quick", "instant"};

QString paceWord(Pace pace) {
    return QString::fromLatin1(kPaceWords[static_cast<std::size_t>(pace)]);
}

Pace paceFromWord(const QString& word) {
    for (std::size_t i = 0; i < kPaceWords.size(); ++i)
        if (word == QLatin1String(kPaceWords[i])) return static_cast<Pace>(i);
    return Pace::Rules;
}

}  // namespace

QString preferencesFile() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/vornak.conf");
}

Preferences loadPreferences() {
    const QSettings s(preferencesFile(), QSettings::IniFormat);
    Preferences p;
    p.pace = paceFromWord(s.value(QStringLiteral("pace"), paceWord(p.pace)).toString());
    p.flights = s.value(QStringLiteral("flights"), p.flights).toBool();
    p.blinking = s.value(QStringLiteral("blinking"), p.blinking).toBool();
    p.hintAlways = s.value(QStringLiteral("hintAlways"), p.hintAlways).toBool();
    p.cardsAnimated = s.value(QStringLiteral("cardMoves")).toString() == QLatin1String("animated");
    p.sound = s.value(QStringLiteral("sound"), p.sound).toBool();
    bool ok = false;
    const int volume = s.value(QStringLiteral("volume"), p.volume).toInt(&ok);
    if (ok) p.volume = std::clamp(volume, 0, 100);
    const QString opponents = s.value(QStringLiteral("opponents")).toString();
    p.expertPlayers = opponents == QLatin1String("expert");
    p.masterPlayers = opponents == QLatin1String("master");
    return p;
}

void savePreferences(const Preferences& prefs) {
    QSettings s(preferencesFile(), QSettings::IniFormat);
    s.setValue(QStringLiteral("pace"), paceWord(prefs.pace));
    s.setValue(QStringLiteral("flights"), prefs.flights);
    s.setValue(QStringLiteral("blinking"), prefs.blinking);
    s.setValue(QStringLiteral("hintAlways"), prefs.hintAlways);
    s.setValue(QStringLiteral("cardMoves"),
               prefs.cardsAnimated ? QStringLiteral("animated") : QStringLiteral("asTheGame"));
    s.setValue(QStringLiteral("sound"), prefs.sound);
    s.setValue(QStringLiteral("volume"), prefs.volume);
    s.setValue(QStringLiteral("opponents"), prefs.masterPlayers   ? QStringLiteral("master")
                                            : prefs.expertPlayers ? QStringLiteral("expert")
                                                                  : QStringLiteral("rules"));
    s.sync();
}

bool editPreferences(QWidget* parent, Preferences& prefs) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("preferencesWindow"));
    dialog.setWindowTitle(tx("ตั้งค่าการเล่น"));
    auto* layout = new QVBoxLayout(&dialog);

    auto* paceBox = new QGroupBox(tx("จังหวะของผู้เล่นคอมพิวเตอร์"), &dialog);
    auto* paceLayout = new QVBoxLayout(paceBox);
    auto* paces = new QButtonGroup(&dialog);
    const std::array<QString, 3> paceTexts = {
        tx("ตามกติกา (หยุดคิดตามปกติ)"),
        tx("เร็ว (หยุดคิดหนึ่งในสามของปกติ)"),
        tx("ทันที (ไม่หยุดคิด)"),
    };
    for (std::size_t i = 0; i < paceTexts.size(); ++i) {
        auto* b = new QRadioButton(paceTexts[i], paceBox);
        b->setObjectName(QStringLiteral("pace_%1").arg(QLatin1String(kPaceWords[i])));
        paces->addButton(b, int(i));
        paceLayout->addWidget(b);
    }
    paces->button(static_cast<int>(prefs.pace))->setChecked(true);
    layout->addWidget(paceBox);

    auto* opponentsBox = new QGroupBox(tx("ผู้เล่นคอมพิวเตอร์"), &dialog);
    auto* opponentsLayout = new QVBoxLayout(opponentsBox);
    auto* rules = new QRadioButton(tx("เล่นตามกติกา"), opponentsBox);
    rules->setObjectName(QStringLiteral("opponents_rules"));
    auto* expert = new QRadioButton(tx("เซียน (คิดล่วงหน้า ไม่แอบดูไพ่)"), opponentsBox);
    expert->setObjectName(QStringLiteral("opponents_expert"));
    auto* master = new QRadioButton(tx("เซียนใหญ่ (ค้นทุกการเล่น ไม่แอบดูไพ่)"), opponentsBox);
    master->setObjectName(QStringLiteral("opponents_master"));
    (prefs.masterPlayers ? master : prefs.expertPlayers ? expert : rules)->setChecked(true);
    opponentsLayout->addWidget(rules);
    opponentsLayout->addWidget(expert);
    opponentsLayout->addWidget(master);
    layout->addWidget(opponentsBox);

    auto check = [&](const char* name, const QString& text, bool on) {
        auto* c = new QCheckBox(text, &dialog);
        c->setObjectName(QLatin1String(name));
        c->setChecked(on);
        layout->addWidget(c);
        return c;
    };
    QCheckBox* flights = check("flights", tx("แสดงไพ่บินเมื่อหงายไพ่ชุด"), prefs.flights);
    QCheckBox* blinking = check("blinking", tx("ชื่อผู้เล่นที่ถึงตากะพริบ"), prefs.blinking);
    QCheckBox* hint = check("hintAlways", tx("แสดงบรรทัดคำแนะนำด้านบนตลอดเวลา"), prefs.hintAlways);

    // Card moves: as the game has them (at once) or travelling there.
    auto* movesBox = new QGroupBox(tx("การเคลื่อนที่ของไพ่"), &dialog);
    auto* movesLayout = new QVBoxLayout(movesBox);
    auto* movesAsGame = new QRadioButton(tx("ตามแบบของเกม (ไพ่ไปอยู่ที่ใหม่ทันที)"), movesBox);
    movesAsGame->setObjectName(QStringLiteral("cardMoves_asTheGame"));
    auto* movesAnimated = new QRadioButton(tx("เคลื่อนไหว (ไพ่เลื่อนไปยังที่ใหม่)"), movesBox);
    movesAnimated->setObjectName(QStringLiteral("cardMoves_animated"));
    (prefs.cardsAnimated ? movesAnimated : movesAsGame)->setChecked(true);
    movesLayout->addWidget(movesAsGame);
    movesLayout->addWidget(movesAnimated);
    layout->addWidget(movesBox);

    auto* soundBox = new QGroupBox(tx("เสียง"), &dialog);
    auto* soundLayout = new QHBoxLayout(soundBox);
    auto* sound = new QCheckBox(tx("เปิดเสียง"), soundBox);
    sound->setObjectName(QStringLiteral("sound"));
    sound->setChecked(prefs.sound);
    auto* volumeLabel = new QLabel(tx("ความดัง"), soundBox);
    auto* volume = new QSlider(Qt::Horizontal, soundBox);
    volume->setObjectName(QStringLiteral("volume"));
    volume->setRange(0, 100);
    volume->setValue(prefs.volume);
    volume->setEnabled(prefs.sound);
    volumeLabel->setBuddy(volume);
    QObject::connect(sound, &QCheckBox::toggled, volume, &QWidget::setEnabled);
    soundLayout->addWidget(sound);
    soundLayout->addSpacing(12);
    soundLayout->addWidget(volumeLabel);
    soundLayout->addWidget(volume, 1);
    layout->addWidget(soundBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    if (dialog.exec() != QDialog::Accepted) return false;
    prefs.pace = static_cast<Pace>(std::max(0, paces->checkedId()));
    prefs.flights = flights->isChecked();
    prefs.blinking = blinking->isChecked();
    prefs.hintAlways = hint->isChecked();
    prefs.cardsAnimated = movesAnimated->isChecked();
    prefs.sound = sound->isChecked();
    prefs.volume = volume->value();
    prefs.expertPlayers = expert->isChecked();
    prefs.masterPlayers = master->isChecked();
    return true;
}

}  // namespace vornak
