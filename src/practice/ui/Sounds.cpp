#include "practice/ui/Sounds.h"

#include "app/AppState.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace tesmara {

Sounds::Sounds(const QString& folder, QObject* parent) : QObject(parent), m_folder(folder)
{
    if (!m_folder.isEmpty() && !m_folder.endsWith(QLatin1Char('/'))) {
        m_folder += QLatin1Char('/');
    }
}

Sounds::~Sounds() = default;

bool Sounds::hasOutput() const
{
    if (m_outputCheck) {
        return m_outputCheck();
    }
    return !QMediaDevices::audioOutputs().isEmpty();
}

void Sounds::play(std::unique_ptr<QSoundEffect>& effect, const QString& file)
{
    if (!hasOutput()) {
        return;
    }
    if (!effect) {
        const QString folder = m_folder.isEmpty() ? App().Share_Path : m_folder;
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(folder + file));
        effect->setVolume(0.6f);
    }
    // A new key restarts the sound rather than queueing behind it.
    effect->stop();
    effect->play();
    ++m_started;
}

void Sounds::playWrong()
{
    play(m_wrong, QStringLiteral("wrong.wav"));
}

void Sounds::playKey()
{
    play(m_key, QStringLiteral("key.wav"));
}

} // namespace tesmara
