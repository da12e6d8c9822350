#include "sounds.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace vornak {

namespace {

// Qt's sound backend says on the terminal that it found no sound server;
// for a game that simply plays without sound that is no news. Its
// complaints are dropped while it is asked, everything else passes on.
QtMessageHandler passOn = nullptr;
void dropSoundComplaints(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("PulseAudioService")) ||
        QLatin1String(context.category ? context.category : "")
            .startsWith(QLatin1String("qt.multimedia")))
        return;
    if (passOn) passOn(type, context, text);
}

template <class F>
auto quietly(F&& f) {
    passOn = qInstallMessageHandler(dropSoundComplaints);
    struct Restore {
        ~Restore() { qInstallMessageHandler(passOn); }
    } restore;
    return f();
}

}  // namespace

QtSounds::QtSounds(QString folder, QObject* parent) : QObject(parent), folder_(std::move(folder)) {}

bool QtSounds::haveOutput() {
    if (outputKnown_ < 0) {
        // Asked once, when the first sound is wanted; a device plugged in
        // later is picked up through the change signal.
        outputKnown_ = quietly([] { return QMediaDevices::audioOutputs().isEmpty(); }) ? 0 : 1;
        auto* devices = quietly([this] { return new QMediaDevices(this); });
        connect(devices, &QMediaDevices::audioOutputsChanged, this,
                [this] { outputKnown_ = QMediaDevices::audioOutputs().isEmpty() ? 0 : 1; });
    }
    return outputKnown_ == 1;
}

void QtSounds::play(Sound sound) {
    ++asked_;
    const int i = static_cast<int>(sound);
    if (i < 0 || i >= kSoundCount || volume_ <= 0 || !haveOutput()) return;
    QSoundEffect*& effect = effects_[static_cast<std::size_t>(i)];
    if (!effect) {
        const QString file = folder_ + QLatin1Char('/') + QLatin1String(soundFile(sound));
        if (!QFileInfo::exists(file)) return;  // a missing file is a silent sound
        effect = quietly([this] { return new QSoundEffect(this); });
        quietly([&] {
            effect->setSource(QUrl::fromLocalFile(file));
            return 0;
        });
    }
    if (effect->status() == QSoundEffect::Error) return;
    effect->setVolume(volume_ / 100.0);
    quietly([effect] {
        effect->play();
        return 0;
    });
    ++played_;
}

}  // namespace vornak
