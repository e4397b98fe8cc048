#include "practice/ui/Sounds.h"

#include "app/AppState.h"
#include "practice/ui/SoundPlayer.h"

#include <QCoreApplication>
#include <QLibrary>

namespace tesmara {

namespace {

QString& moduleFolder()
{
    static QString folder;
    return folder;
}

// The sound module's factory, loaded once per process: from the folder set
// for tests, beside the program (a build or portable install), or from the
// installed library folder.
SoundPlayerFactory factory()
{
    static const SoundPlayerFactory loaded = [] {
        const QString program = QCoreApplication::applicationDirPath();
        QStringList folders{program, program + QStringLiteral("/" TESMARA_SOUND_MODULE_DIR)};
        if (!moduleFolder().isEmpty()) {
            folders.prepend(moduleFolder());
        }
        for (const QString& folder : folders) {
            QLibrary module(folder + QStringLiteral("/tesmara-sound"));
            if (module.load()) {
                return reinterpret_cast<SoundPlayerFactory>(module.resolve(kSoundPlayerFactory));
            }
        }
        qWarning("The sound module tesmara-sound was not found: sounds are off.");
        return SoundPlayerFactory(nullptr);
    }();
    return loaded;
}

} // namespace

Sounds::Sounds(const QString& folder, QObject* parent) : QObject(parent), m_folder(folder)
{
    if (!m_folder.isEmpty() && !m_folder.endsWith(QLatin1Char('/'))) {
        m_folder += QLatin1Char('/');
    }
}

Sounds::~Sounds() = default;

void Sounds::setModuleFolder(const QString& folder)
{
    moduleFolder() = folder;
}

SoundPlayer* Sounds::player() const
{
    if (!m_player) {
        if (const SoundPlayerFactory make = factory()) {
            m_player.reset(make());
        }
    }
    return m_player.get();
}

bool Sounds::hasOutput() const
{
    if (m_outputCheck) {
        return m_outputCheck();
    }
    SoundPlayer* p = player();
    return p && p->hasOutput();
}

void Sounds::play(const QString& file)
{
    if (!hasOutput()) {
        return;
    }
    SoundPlayer* p = player();
    if (!p) {
        return;
    }
    p->play((m_folder.isEmpty() ? App().Share_Path : m_folder) + file);
    ++m_started;
}

void Sounds::playWrong()
{
    play(QStringLiteral("wrong.wav"));
}

void Sounds::playKey()
{
    play(QStringLiteral("key.wav"));
}

} // namespace tesmara
