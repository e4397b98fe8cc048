#include "practice/PracticeRun.h"

#include "app/Msg.h"
#include "articles/ArticleEditor.h"
#include "controls/RunTimer.h"
#include "mistakes/MistakeStore.h"
#include "practice/PracticeRecord.h"
#include "practice/TextSource.h"
#include "store/Database.h"

namespace tesmara {

PracticeRun::PracticeRun(Database& db, TextSource& source, Clock* clock, QObject* parent)
    : QObject(parent), m_db(db), m_source(source), m_timer(new RunTimer(this, clock))
{
    m_timer->setInterval(1);
    m_timer->setEnabled(false);
    connect(m_timer, &RunTimer::tick, this, &PracticeRun::refresh);
    connect(m_timer, &RunTimer::end, this, [this] {
        refresh();
        stop();
    });
    m_labels = startLabels(0);
}

PracticeRun::~PracticeRun() = default;

QString PracticeRun::beginCaption() const
{
    switch (m_state) {
    case State::Ready:
        return QStringLiteral("开始(F5)");
    case State::Running:
        return QStringLiteral("暂停(F5)");
    case State::Paused:
        return QStringLiteral("继续(F5)");
    case State::Finished:
        return QStringLiteral("再来一次(F5)");
    }
    return {};
}

RunCounters PracticeRun::counters() const
{
    return m_counters ? m_counters() : RunCounters{};
}

void PracticeRun::setState(State state)
{
    m_state = state;
    emit stateChanged(state);
}

void PracticeRun::CMD_Begin_Click()
{
    switch (m_state) {
    case State::Ready:
    case State::Finished:
        begin();
        break;
    case State::Running:
        pause();
        break;
    case State::Paused:
        resume();
        break;
    }
}

void PracticeRun::CMD_Stop_Click()
{
    if (stopEnabled()) {
        stop();
    }
}

void PracticeRun::begin()
{
    const int minutes = runMinutes(m_testTime);
    if (minutes == 0) {
        Show_Msg(QStringLiteral("测试时间不能设得小于 1 分钟或超过 60 分钟！"), 0, 0, QStringLiteral("时间设置问题"));
        emit testTimeFocusRequested();
        return;
    }
    if (m_state == State::Finished) {
        emit rowsReloadRequested();
    }
    m_runTime = m_testTime.trimmed();
    m_lastResult.clear();
    m_speedPeak = 0;
    emit countersResetRequested();
    m_timer->setEnabled(false);
    m_timer->setInterval(1);
    m_timer->setRun_EndTime(qint16(minutes * 60));
    m_labels = startLabels(minutes);
    emit labelsChanged(m_labels);
    setState(State::Running);
    emit firstRowActivationRequested();
    Show_Msg(QStringLiteral("单击“确定”按钮后正式开始练习！"), 1, 0, QStringLiteral("提示"));
    emit inputLineEnabled(true);
    m_timer->setEnabled(true);
}

void PracticeRun::pause()
{
    m_timer->setEnabled(false);
    emit inputLineEnabled(false);
    setState(State::Paused);
}

void PracticeRun::resume()
{
    emit inputLineEnabled(true);
    m_timer->setEnabled(true);
    setState(State::Running);
}

void PracticeRun::refresh()
{
    const int t = m_timer->Sum_RunTime();
    if (t < 1) {
        return;
    }
    const RunCounters c = counters();
    m_speedPeak = nextSpeedPeak(m_speedPeak, t, c.Right_Count);
    m_labels = liveLabels(t, m_timer->Run_EndTime(), c.Right_Count, c.Wrong_Count);
    emit labelsChanged(m_labels);
}

void PracticeRun::stop()
{
    if (m_stopping) {
        return;
    }
    m_stopping = true;
    const auto timeIsUp = [this] { return m_timer->Sum_RunTime() >= m_timer->Run_EndTime(); };
    bool full = timeIsUp();
    if (!full) {
        // The clock runs on while the question is open; when the time runs
        // out meanwhile, the run is complete whatever the answer.
        const QString answer =
            Show_Msg(QStringLiteral("练习时间还没到，真的要停止吗？"), 2, 2, QStringLiteral("停止练习"));
        full = timeIsUp();
        if (!full && answer != QLatin1String("Yes")) {
            m_stopping = false;
            return;
        }
    }
    const RunCounters c = counters();
    const bool english = m_source.englishArticle();
    m_timer->setEnabled(false);
    emit inputLineEnabled(false);
    setState(State::Finished);
    if (full) {
        m_lastResult = resultText(m_labels, c, m_speedPeak, english);
        emit resultReady(m_lastResult);
    }

    // Everything is stored before any notice shows, so that a kill while a
    // notice is open loses nothing. The mistake counts go into the same
    // commit as the record: never one without the other.
    const PracticeKind kind = m_source.kind();
    const int type = !full ? -1 : kind == PracticeKind::Wubi ? m_recordType : recordTypeFor(kind);
    const bool counting = full && c.tally && m_mistakes && m_mistakes->prepare();
    Store_Run_End(m_db, m_source, qint64(c.Right_Count) + c.Wrong_Count, type, speedValue(m_labels), m_runTime,
                  m_labels.Right_Percent, [&] {
                      if (counting) {
                          m_mistakes->addRun(int(kind), *c.tally);
                      }
                  });
    if (full) {
        Show_Msg(m_lastResult, 1, 0, resultTitle(english));
    } else {
        Show_Msg(QStringLiteral("本次练习没有正常完成，成绩将不进行记录！"), 1, 0, QStringLiteral("提示"));
    }
    offerReview(c.Wrong_Text);
    emit testTimeFocusRequested();
    m_stopping = false;
}

void PracticeRun::offerReview(const QString& wrongText)
{
    if (wrongText.isEmpty() || !m_wrongOffer) {
        return;
    }
    const QString answer = Show_Msg(QStringLiteral("您在练习过程中打错了一些字，您希望将这些字保存到\r\n"
                                                   "“错字复习”文章中以便日后强化练习吗?"),
                                    2, 2, QStringLiteral("提示"), 1, 1);
    if (answer.endsWith(QLatin1Char('T'))) {
        m_wrongOffer = false;
        emit wrongOfferChanged(false);
    }
    if (!answer.startsWith(QLatin1String("Yes"))) {
        return;
    }
    const QString text = reviewText(wrongText);
    if (text.isEmpty()) {
        return; // nothing but punctuation was mistyped
    }
    if (m_editor) {
        m_editor->saveReview(text);
    } else {
        ArticleEditor editor(m_db);
        editor.saveReview(text);
    }
}

bool PracticeRun::confirmSwitch()
{
    if (!stopEnabled()) {
        return true;
    }
    // The clock runs on while the question is open, as it does for stopping.
    const QString answer =
        Show_Msg(QStringLiteral("真的要停止正在进行的练习并转入新练习吗? "), 2, 2, QStringLiteral("确认"));
    if (answer != QLatin1String("Yes")) {
        return false;
    }
    m_timer->setEnabled(false);
    emit inputLineEnabled(false);
    setState(State::Ready);
    return true;
}

void PracticeRun::resetToReady()
{
    m_timer->setEnabled(false);
    m_lastResult.clear();
    setState(State::Ready);
}

} // namespace tesmara
