#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace tesmara {

class SoundPlayer;

// The two sounds of typing: "wrong.wav" for a mistyped character and
// "key.wav" for every key. Played asynchronously, and only when the system
// has an audio output; without one they are skipped silently. The audio
// libraries are loaded with the first sound, never before: a start, and a
// user who keeps sound off, never pays for them.
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

    // Where the sound module is looked for before the program's own folders
    // (tests: the build's stage folder).
    static void setModuleFolder(const QString& folder);

private:
    SoundPlayer* player() const;
    void play(const QString& file);

    QString m_folder;
    std::function<bool()> m_outputCheck;
    mutable std::unique_ptr<SoundPlayer> m_player;
    int m_started = 0;
};

} // namespace tesmara
