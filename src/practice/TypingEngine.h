#pragma once

#include "controls/TextLine.h"
#include "mistakes/MistakeTally.h"
#include "practice/PracticeKind.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>

namespace tesmara {

// What happens to every typed character of a text practice: seven row pairs
// in a ring (a reference line `Text_Top` r over the input line `Text_Input`
// r), one active row, and the run counters. The rows are TextLine models; by
// default the engine owns plain ones, the practice window attaches the
// models of its fourteen line widgets instead.
//
// Everything is synchronous on the caller's thread. fillRequested must be
// answered at once (a direct connection) with putLine().
class TypingEngine : public QObject {
    Q_OBJECT
public:
    static constexpr int kRows = 7;
    static constexpr TextLine::Colour kActiveBack = 0xFFC8FF;
    static constexpr TextLine::Colour kInactiveBack = 0xFFF5EB;
    static constexpr TextLine::Colour kWrongColour = 255;
    static constexpr QChar kItemSeparator = QChar(0x3000); // ideographic space
    static constexpr int kShiftCtrl = 2;
    static constexpr int kShiftAlt = 4;
    static constexpr int kKeyF1 = 112;

    explicit TypingEngine(QObject* parent = nullptr);
    ~TypingEngine() override;

    // Uses the given lines instead of the engine's own (widgets' models).
    void attach(const std::array<TextLine*, kRows>& tops, const std::array<TextLine*, kRows>& inputs);
    TextLine& top(int row) { return *m_top[row]; }
    TextLine& input(int row) { return *m_input[row]; }
    const TextLine& top(int row) const { return *m_top[row]; }
    const TextLine& input(int row) const { return *m_input[row]; }

    // Practice state read while typing (kept by the main window).
    PracticeKind kind() const { return m_kind; }
    void setKind(PracticeKind kind) { m_kind = kind; }
    int itemLength() const { return m_itemLength; }
    void setItemLength(int length) { m_itemLength = length < 1 ? 1 : length; }
    bool wrongSound() const { return m_wrongSound; }
    void setWrongSound(bool on) { m_wrongSound = on; }
    bool wrongColour() const { return m_wrongColour; }
    void setWrongColour(bool on) { m_wrongColour = on; }
    // A code-tip mode is chosen in the tips list.
    bool codeTips() const { return m_codeTips; }
    void setCodeTips(bool on) { m_codeTips = on; }
    // Wubi letter drills (short codes, roots, key names): a typed letter is
    // looked up and the answer typed in its place. Empty function = off.
    using DrillLookup = std::function<QString(QChar letter)>;
    void setDrillLookup(DrillLookup lookup) { m_drillLookup = std::move(lookup); }

    // Run counters.
    qint32 Right_Count = 0;
    qint32 Wrong_Count = 0;
    qint32 Word_Count = 0;
    QString Wrong_Text;
    qint16 Back_Rows = 0;
    bool Ctrl_Held = false;

    // Right and wrong per expected character, for the mistake statistics;
    // follows the counters (Backspace takes back here too).
    const MistakeTally& tally() const { return m_tally; }

    // Counters back to zero for a new run.
    void resetCounters();

    // Rows.
    int activeRow() const { return m_active; }
    void activateRow(int row);
    void deactivateRow(int row);
    // Every line emptied, every row inactive; `TextType` for all fourteen.
    void clearRows(int textType);
    // clearRows, then rows 0 to 2 are filled (fillRequested).
    void resetRows(int textType);
    // The text source's answer to fillRequested: the reference line gets
    // the text, the input line is emptied (and, for mixed-cell lines, takes
    // over the reference line's positions).
    void putLine(int row, const QString& text);

    // Run steps used by the run lifecycle.
    void beginRun();  // counters reset, row 0 active
    void pauseRun();  // active input line disabled
    void resumeRun(); // active input line enabled and focused

    // Events of input line `row`, in the order the line raises them.
    // keyPress does the whole work for the key (matching, counting, adding
    // or removing characters, completing rows) and sets c to 0.
    void keyDown(int row, int keyCode, int shift);
    void keyPress(int row, int& c);
    void keyUp(int row, int keyCode, int shift);

    // A character typed as if on the active row's input line.
    void type(QChar ch);
    void type(const QString& text);

signals:
    // Row `row` needs the next line of practice text (answer: putLine).
    void fillRequested(int row);
    // The input focus should go to input line `row`.
    void focusRequested(int row);
    // A wrong character with the wrong-sound option on (play "wrong.wav").
    void wrongSoundRequested();
    // A character was counted wrong; index is 1-based in the row.
    void wrongTyped(int row, int index);
    // The code tip of the row should be refreshed.
    void tipRefreshRequested(int row);
    // F1: the code hint for the next character to type.
    void hintRequested(int row, QChar next);
    // A row was completed and the next one activated.
    void rowCompleted(int row);

private:
    void handleKey(int row, int& c, int depth);
    void pressKey(int row, int& c, int depth);
    void backspace(int row, int& c);
    void removeWord(int row);
    // Takes a typed character back out of the counters.
    void uncount(int row, int index, QChar typed);
    void rowChanged(int row);
    bool tipsShown() const;
    void appendToInput(int row, const QString& text);

    std::array<TextLine, kRows> m_ownTop;
    std::array<TextLine, kRows> m_ownInput;
    std::array<TextLine*, kRows> m_top{};
    std::array<TextLine*, kRows> m_input{};
    int m_active = -1;
    PracticeKind m_kind = PracticeKind::Chinese;
    int m_itemLength = 1;
    bool m_wrongSound = true;
    bool m_wrongColour = true;
    bool m_codeTips = false;
    DrillLookup m_drillLookup;
    MistakeTally m_tally;
};

} // namespace tesmara
