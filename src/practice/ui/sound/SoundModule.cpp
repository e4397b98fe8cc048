// The sound module: plays the program's sounds through Qt Multimedia.
#include "practice/ui/SoundPlayer.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <map>
#include <memory>

namespace {

class EffectPlayer : public tesmara::SoundPlayer {
public:
    bool hasOutput() override { return !QMediaDevices::audioOutputs().isEmpty(); }

    void play(const QString& path) override
    {
        std::unique_ptr<QSoundEffect>& effect = m_effects[path];
        if (!effect) {
            effect = std::make_unique<QSoundEffect>();
            effect->setSource(QUrl::fromLocalFile(path));
            effect->setVolume(0.6f);
        }
        // A new key restarts the sound rather than queueing behind it.
        effect->stop();
        effect->play();
    }

private:
    std::map<QString, std::unique_ptr<QSoundEffect>> m_effects;
};

} // namespace

extern "C" Q_DECL_EXPORT tesmara::SoundPlayer* tesmara_sound_player()
{
    return new EffectPlayer;
}
