#pragma once

#include <QString>

namespace tesmara {

// What plays the program's sounds. It lives in the sound module
// ("tesmara-sound"), which alone links the audio libraries: the module is
// loaded when sound is first wanted, so a start, and a user who keeps sound
// off, never loads them.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Whether the system has an audio output.
    virtual bool hasOutput() = 0;
    // Starts the sound file `path` asynchronously, from its beginning even
    // when it is still playing.
    virtual void play(const QString& path) = 0;
};

// The module's one entry point, resolved by name.
using SoundPlayerFactory = SoundPlayer* (*)();
inline constexpr char kSoundPlayerFactory[] = "tesmara_sound_player";

} // namespace tesmara
