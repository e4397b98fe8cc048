#pragma once

#include "practice/RunFigures.h"

#include <QObject>
#include <QString>

#include <functional>

namespace tesmara {

class ArticleEditor;
class Clock;
class Database;
class MistakeStore;
class RunTimer;
class TextSource;

// One timed run of a text practice: begin, pause, continue, stop, the live
// labels every second, the result, the practice record, the reading position
// and the offer of the review article. The window shows what this says
// (captions, labels, enabled states) and forwards F5/F9 and the two buttons;
// the typing engine's counters come in through a plain callback.
class PracticeRun : public QObject {
    Q_OBJECT
public:
    enum class State { Ready, Running, Paused, Finished };
    Q_ENUM(State)

    // `db` receives the records; `source` is the current practice text whose
    // reading position moves on when a run stops. `clock` drives the run
    // timer (tests pass a manual clock).
    PracticeRun(Database& db, TextSource& source, Clock* clock = nullptr, QObject* parent = nullptr);
    ~PracticeRun() override;

    // The engine's counters, read at every tick and when the run stops.
    void setCountersSource(std::function<RunCounters()> source) { m_counters = std::move(source); }
    // The record type of runs from now on (recordTypeFor); -1 keeps none.
    void setRecordType(int type) { m_recordType = type; }
    int recordType() const { return m_recordType; }
    // Where a full run's mistakes are counted (the counters' tally).
    void setMistakeStore(MistakeStore* store) { m_mistakes = store; }
    // Who saves the review article; without one a private editor is used.
    void setArticleEditor(ArticleEditor* editor) { m_editor = editor; }
    // The wrong-character offer flag (setting Text_Wrong_Show).
    void setWrongOffer(bool on) { m_wrongOffer = on; }
    bool wrongOffer() const { return m_wrongOffer; }

    // The run-length entry, as the window shows it.
    void setTestTime(const QString& text) { m_testTime = text; }
    QString testTime() const { return m_testTime; }

    // CMD_Begin (F5) and CMD_Stop (F9 when stopEnabled()).
    void CMD_Begin_Click();
    void CMD_Stop_Click();
    // Before switching to another practice: asks while a run is going; false
    // keeps the run. On true the run is abandoned without result.
    bool confirmSwitch();
    // A practice was chosen: back to the ready state.
    void resetToReady();

    State state() const { return m_state; }
    QString beginCaption() const;
    bool stopEnabled() const { return m_state == State::Running || m_state == State::Paused; }
    bool testTimeEnabled() const { return !stopEnabled(); }
    bool inputEnabled() const { return m_state == State::Running; }
    const LiveLabels& labels() const { return m_labels; }
    float Speed_Peak() const { return m_speedPeak; }
    RunTimer& timer() { return *m_timer; }
    // The result text of the last full run (empty otherwise).
    QString lastResult() const { return m_lastResult; }

signals:
    void stateChanged(tesmara::PracticeRun::State state);
    void labelsChanged(const tesmara::LiveLabels& labels);
    // A run begins: the engine zeroes its counters.
    void countersResetRequested();
    // A run begins again after a finished one: reset the rows from the
    // reading position (TextSource::rewindToStoredPosition, then fill rows 0 to 2).
    void rowsReloadRequested();
    // Make row 0 the active row (not yet focused).
    void firstRowActivationRequested();
    // Enable and focus (true) or disable (false) the active input line.
    void inputLineEnabled(bool enabled);
    // A full run's result: the window puts it on the clipboard.
    void resultReady(const QString& text);
    // Select the run-length entry and give it the focus.
    void testTimeFocusRequested();
    void wrongOfferChanged(bool on);

private:
    void begin();
    void pause();
    void resume();
    void stop();
    void refresh();
    void setState(State state);
    RunCounters counters() const;
    void offerReview(const QString& wrongText);

    Database& m_db;
    TextSource& m_source;
    RunTimer* m_timer;
    ArticleEditor* m_editor = nullptr;
    MistakeStore* m_mistakes = nullptr;
    std::function<RunCounters()> m_counters;
    State m_state = State::Ready;
    LiveLabels m_labels;
    QString m_testTime = QStringLiteral("10");
    QString m_runTime;
    QString m_lastResult;
    float m_speedPeak = 0;
    int m_recordType = 0;
    bool m_wrongOffer = true;
    bool m_stopping = false;
};

} // namespace tesmara
