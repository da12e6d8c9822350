// The table's sounds through Qt Multimedia. Each sound is loaded the first
// time it is wanted, and only when the system has a sound output: without
// one (no device, no sound server) the game plays on in silence, without a
// message and without waiting.
#pragma once

#include <QObject>
#include <QString>

#include <array>

#include "game/play/motion.h"

class QSoundEffect;

namespace vornak {

class QtSounds : public QObject, public Sounds {
public:
    // `folder` holds the sound files (beside the program's pictures).
    explicit QtSounds(QString folder, QObject* parent = nullptr);
    void play(Sound sound) override;
    // 0..100; takes effect from the next sound.
    void setVolume(int volume) { volume_ = volume; }

    // Sounds asked for, and those actually started on a device.
    long asked() const { return asked_; }
    long played() const { return played_; }

private:
    bool haveOutput();

    QString folder_;
    int volume_ = 70;
    int outputKnown_ = -1;  // -1: not asked yet; 0: none; 1: there is one
    std::array<QSoundEffect*, kSoundCount> effects_{};
    long asked_ = 0, played_ = 0;
};

}  // namespace vornak
