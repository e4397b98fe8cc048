#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QSoundEffect;

namespace tesmara {

// The two sounds of typing: "wrong.wav" for a mistyped character and
// "key.wav" for every key. Played asynchronously, and only when the system
// has an audio output; without one they are skipped silently.
class Sounds : public QObject {
    Q_OBJECT
public:
    // `folder` holds the .wav files; empty means the program's shared folder.
    explicit Sounds(const QString& folder = QString(), QObject* parent = nullptr);
    ~Sounds() override;

    // Whether an audio output exists (the check can be replaced in tests).
    bool hasOutput() const;
    void setOutputCheck(std::function<bool()> check) { m_outputCheck = std::move(check); }

    void playWrong();
    void playKey();

    // How many sounds were actually started (for tests and diagnostics).
    int started() const { return m_started; }

private:
    void play(std::unique_ptr<QSoundEffect>& effect, const QString& file);

    QString m_folder;
    std::function<bool()> m_outputCheck;
    std::unique_ptr<QSoundEffect> m_wrong;
    std::unique_ptr<QSoundEffect> m_key;
    int m_started = 0;
};

} // namespace tesmara
