#include "TestSupport.h"

#include "app/AppState.h"
#include "app/Msg.h"
#include "controls/ui/TS.h"
#include "practice/ui/Form_Test_Common.h"
#include "records/RecordCheck.h"
#include "store/Database.h"
#include "store/RecordCode.h"
#include "store/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QSqlQuery>
#include <QtTest>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tesmara::test {

ProgramFolder::ProgramFolder()
{
    App().reset();
    App().App_Path = path();
    App().Share_Path = stageDir();
    MsgScript::clear();
    MsgScript::setStrict(true);
    Database::setFatalHandler([](const QString& p, const QString& m) { throw DatabaseFailure{p, m}; });
}

ProgramFolder::~ProgramFolder()
{
    App().reset();
    MsgScript::clear();
}

QString ProgramFolder::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

std::unique_ptr<Form_Test_Common> shownMainWindow(Clock* clock, RandomSource* random)
{
    Form_Test_Common::Services services;
    services.clock = clock;
    services.random = random;
    auto window = std::make_unique<Form_Test_Common>(services);
    window->show();
    return window;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(bytes) == bytes.size();
}

QString stageDir()
{
    QString dir = qEnvironmentVariable("TESMARA_STAGE_DIR");
    if (!dir.endsWith(QLatin1Char('/'))) {
        dir.append(QLatin1Char('/'));
    }
    return dir;
}

void answer(const QStringList& answers)
{
    for (const QString& a : answers) {
        MsgScript::pushAnswer(a);
    }
}

QString lastMessage()
{
    return MsgScript::shown().isEmpty() ? QString() : MsgScript::shown().last().text;
}

void click(QWidget* widget)
{
    QVERIFY(widget && widget->isVisible());
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void clickTab(TS* strip, int index)
{
    const QRect tab = strip->tabRect(index);
    QVERIFY(!tab.isEmpty());
    QTest::mouseClick(strip, Qt::LeftButton, {}, tab.center());
}

void commitText(QWidget* target, const QString& text, const QString& preedit)
{
    QInputMethodEvent event(preedit, {});
    event.setCommitString(text);
    QCoreApplication::sendEvent(target, &event);
}

QString storedSetting(Database& db, const QString& key)
{
    const auto v = Settings(db).raw(key);
    return v && *v ? **v : QStringLiteral("<none>");
}

void addArticle(Database& db, const QString& name, const QString& text, qint64 position)
{
    db.exec(QStringLiteral("insert into text_ (N, T, C, No_) values (?, ?, ?, ?)"),
            {name, text, Code_Of(text), position});
}

qint64 position(Database& db, const QString& table, const QString& key)
{
    return db.scalar(QStringLiteral("select No_ from %1 where N = ?").arg(table), {key}).value_or(-1).toLongLong();
}

qint64 addRecord(Database& db, int type, int speed, int minutes, const QString& accuracy)
{
    const QString kind = QString::number(type);
    QSqlQuery q = db.exec(QStringLiteral("insert into testlog (type, s, t, r) values (?, ?, ?, ?)"),
                          {kind, speed, minutes, accuracy});
    const qint64 id = q.lastInsertId().toLongLong();
    db.exec(QStringLiteral("update testlog set c = ? where ID = ?"),
            {Record_Check(QString::number(id), kind, QString::number(speed), QString::number(minutes), accuracy), id});
    return id;
}

namespace {

constexpr quint32 kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool capabilities(__user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &header, data) == 0;
}

bool setCapabilities(__user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capset, &header, data) == 0;
}

} // namespace

PermissionsApply::PermissionsApply()
{
    __user_cap_data_struct data[2]{};
    if (!capabilities(data)) {
        return;
    }
    m_saved = data[0].effective & kOverrides;
    data[0].effective &= ~kOverrides;
    m_dropped = m_saved != 0 && setCapabilities(data);
}

PermissionsApply::~PermissionsApply()
{
    __user_cap_data_struct data[2]{};
    if (m_dropped && capabilities(data)) {
        data[0].effective |= m_saved;
        setCapabilities(data);
    }
}

ReadOnly::ReadOnly(const QString& path) : m_path(path)
{
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner);
    m_permissions = std::make_unique<PermissionsApply>();
}

ReadOnly::~ReadOnly()
{
    m_permissions.reset();
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

FifoWatch::FifoWatch(const QString& path) : m_path(QFile::encodeName(path))
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    m_valid = ::mkfifo(m_path.constData(), 0600) == 0;
    if (!m_valid) {
        return;
    }
    m_thread = std::thread([this] {
        while (!m_stop) {
            // Opening the writing end without blocking only succeeds while a
            // reader has the pipe open; closing it again ends that reader's
            // wait with an empty file.
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                m_opened = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
}

FifoWatch::~FifoWatch()
{
    m_stop = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
    if (m_valid) {
        ::unlink(m_path.constData());
    }
}

} // namespace tesmara::test
