#include "practice/TypingEngine.h"

namespace tesmara {

namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kMaxBackRows = 3;

int nextRow(int row)
{
    return (row + 1) % TypingEngine::kRows;
}

int previousRow(int row)
{
    return (row + TypingEngine::kRows - 1) % TypingEngine::kRows;
}

// 1-based character of a line, or a null character past its end.
QChar charAt(const QString& text, int index)
{
    return index >= 1 && index <= text.size() ? text.at(index - 1) : QChar();
}

// The whole character 1-based unit `index` of a line belongs to: a
// character outside the Basic Multilingual Plane is two units, and half of
// one means nothing to a reader.
QString characterAt(const QString& text, int index)
{
    const QChar unit = charAt(text, index);
    if (unit.isHighSurrogate() && charAt(text, index + 1).isLowSurrogate()) {
        return QString(unit) + charAt(text, index + 1);
    }
    if (unit.isLowSurrogate() && charAt(text, index - 1).isHighSurrogate()) {
        return QString(charAt(text, index - 1)) + unit;
    }
    return QString(unit);
}

} // namespace

TypingEngine::TypingEngine(QObject* parent) : QObject(parent)
{
    for (int r = 0; r < kRows; ++r) {
        m_top[r] = &m_ownTop[r];
        m_input[r] = &m_ownInput[r];
    }
    clearRows(0);
}

TypingEngine::~TypingEngine() = default;

void TypingEngine::attach(const std::array<TextLine*, kRows>& tops, const std::array<TextLine*, kRows>& inputs)
{
    m_top = tops;
    m_input = inputs;
    m_active = -1;
}

bool TypingEngine::tipsShown() const
{
    return m_codeTips && m_kind != PracticeKind::English && m_kind != PracticeKind::Numbers &&
           m_kind != PracticeKind::KeyMouse;
}

void TypingEngine::resetCounters()
{
    Right_Count = 0;
    Wrong_Count = 0;
    Word_Count = 0;
    Wrong_Text.clear();
    m_tally.clear();
}

void TypingEngine::activateRow(int row)
{
    top(row).setBackColor(kActiveBack);
    input(row).setEnabled(true);
    top(row).setNowColor(true);
    input(row).setNowColor(true);
    m_active = row;
    emit focusRequested(row);
}

void TypingEngine::deactivateRow(int row)
{
    input(row).setEnabled(false);
    top(row).setBackColor(kInactiveBack);
    input(row).setNowColor(false);
    top(row).setNowColor(false);
    if (m_active == row) {
        m_active = -1;
    }
}

void TypingEngine::clearRows(int textType)
{
    for (int r = 0; r < kRows; ++r) {
        deactivateRow(r);
        top(r).setTextType(textType);
        input(r).setTextType(textType);
        // Input lines of mixed-cell practice draw at their reference line's
        // positions.
        input(r).setSetSame(true);
        top(r).setText(QString());
        input(r).setText(QString());
    }
    m_active = -1;
    Back_Rows = 0;
    Ctrl_Held = false;
}

void TypingEngine::resetRows(int textType)
{
    clearRows(textType);
    for (int r = 0; r < 3; ++r) {
        emit fillRequested(r);
    }
}

void TypingEngine::putLine(int row, const QString& text)
{
    // Emptying first also clears the marks the row's previous line had.
    top(row).setText(QString());
    top(row).setText(text);
    input(row).setText(QString());
    if (top(row).TextType() == 2 && !top(row).Text().isEmpty()) {
        input(row).Set_Set(top(row).Get_Set());
    }
}

void TypingEngine::beginRun()
{
    resetCounters();
    activateRow(0);
}

void TypingEngine::pauseRun()
{
    if (m_active >= 0) {
        input(m_active).setEnabled(false);
    }
}

void TypingEngine::resumeRun()
{
    if (m_active >= 0) {
        input(m_active).setEnabled(true);
        emit focusRequested(m_active);
    }
}

void TypingEngine::keyDown(int row, int keyCode, int shift)
{
    Ctrl_Held = shift == kShiftCtrl || shift == kShiftAlt;
}

void TypingEngine::keyUp(int row, int keyCode, int shift)
{
    if (keyCode != kKeyF1 ||
        !(m_kind == PracticeKind::Chinese || m_kind == PracticeKind::Wubi || m_kind == PracticeKind::Article)) {
        return;
    }
    if (m_itemLength > 1) {
        return;
    }
    const QChar next = charAt(top(row).Text(), int(input(row).Text().size()) + 1);
    if (!next.isNull()) {
        emit hintRequested(row, next);
    }
}

void TypingEngine::type(QChar ch)
{
    if (m_active < 0) {
        return;
    }
    int c = ch.unicode();
    keyPress(m_active, c);
}

void TypingEngine::type(const QString& text)
{
    for (QChar ch : text) {
        type(ch);
    }
}

void TypingEngine::keyPress(int row, int& c)
{
    // Several characters committed at once all arrive at the line that had
    // the focus; once that row is complete and inactive, the rest belong to
    // the row that is active now.
    if (m_active >= 0 && row != m_active && !input(row).Enabled()) {
        row = m_active;
    }
    handleKey(row, c, 0);
    c = 0;
}

void TypingEngine::handleKey(int row, int& c, int depth)
{
    TextLine& in = input(row);
    const QString before = in.Text();
    pressKey(row, c, depth);
    if (c == kBackspace && !in.Text().isEmpty()) {
        in.setText(in.Text().left(in.Text().size() - 1));
    }
    c = 0;
    if (in.Text() != before) {
        rowChanged(row);
    }
}

void TypingEngine::appendToInput(int row, const QString& text)
{
    input(row).setText(input(row).Text() + text);
}

void TypingEngine::pressKey(int row, int& c, int depth)
{
    if (Ctrl_Held) {
        c = 0;
        Ctrl_Held = false;
        return;
    }
    if (c == kEnter) {
        c = 0;
        return;
    }
    if (c == kBackspace) {
        backspace(row, c);
        return;
    }
    if (c == 0) {
        return;
    }
    TextLine& in = input(row);
    TextLine& ref = top(row);
    if (in.Text().size() >= ref.Text().size()) {
        // A full row hands the key on; a ring of rows without text drops it.
        if (depth + 1 < kRows) {
            handleKey(nextRow(row), c, depth + 1);
        }
        c = 0;
        return;
    }
    if (m_kind == PracticeKind::Wubi && m_drillLookup) {
        const QString answer = m_drillLookup(QChar(char16_t(c)).toLower());
        if (!answer.isEmpty()) {
            appendToInput(row, answer);
            c = 0;
        }
    }
    if (c != 0) {
        appendToInput(row, QString(QChar(char16_t(c))));
    }
    const QString& refText = ref.Text();
    const int k = int(in.Text().size());
    const QChar expected = charAt(refText, k);
    m_tally.addAt(refText, in.Text(), k);
    if (!expected.isNull() && charAt(in.Text(), k) == expected) {
        ++Right_Count;
    } else {
        if (m_wrongSound) {
            emit wrongSoundRequested();
        }
        ++Wrong_Count;
        if ((m_kind == PracticeKind::Chinese || m_kind == PracticeKind::Article) && !expected.isNull()) {
            Wrong_Text += characterAt(refText, k);
        }
        if (m_wrongColour) {
            in.SetColor(qint16(k), kWrongColour);
            ref.SetColor(qint16(k), kWrongColour);
        }
        emit wrongTyped(row, k);
    }
    if (m_itemLength > 1 && charAt(refText, k + 1) == kItemSeparator) {
        appendToInput(row, QString(kItemSeparator));
    }
    if (tipsShown()) {
        emit tipRefreshRequested(row);
    }
    if (m_kind == PracticeKind::English && charAt(refText, int(in.Text().size())) == QLatin1Char(' ')) {
        ++Word_Count;
    }
    c = 0;
}

void TypingEngine::uncount(int row, int index, QChar typed)
{
    const QChar expected = charAt(top(row).Text(), index);
    m_tally.addAt(top(row).Text(), input(row).Text(), index, -1);
    if (!expected.isNull() && typed == expected) {
        --Right_Count;
    } else {
        --Wrong_Count;
        top(row).SetColor(qint16(index), 0);
    }
}

void TypingEngine::backspace(int row, int& c)
{
    TextLine& in = input(row);
    if (!in.Text().isEmpty()) {
        const int k = int(in.Text().size());
        top(row).SetColor(qint16(k), 0);
        if (m_itemLength == 1) {
            uncount(row, k, in.Text().at(k - 1));
            if (m_kind == PracticeKind::English && charAt(top(row).Text(), k) == QLatin1Char(' ')) {
                --Word_Count;
            }
            // c stays Backspace: the line removes the character.
        } else {
            c = 0;
            removeWord(row);
        }
        if (tipsShown()) {
            emit tipRefreshRequested(row);
        }
        return;
    }

    // An empty row: step back into the row before, at most three rows deep,
    // and take its last character away.
    c = 0;
    if (Back_Rows >= kMaxBackRows) {
        return;
    }
    const int p = previousRow(row);
    if (top(p).Text().isEmpty()) {
        return;
    }
    if (m_kind == PracticeKind::English) {
        // The character taken back is the end of the previous line, which
        // closes a word there.
        --Word_Count;
    }
    deactivateRow(row);
    activateRow(p);
    ++Back_Rows;
    TextLine& prev = input(p);
    const int k = int(prev.Text().size());
    if (k > 0) {
        uncount(p, k, prev.Text().at(k - 1));
        prev.setText(prev.Text().left(k - 1));
    }
    if (m_itemLength > 1) {
        removeWord(p);
        if (tipsShown()) {
            emit tipRefreshRequested(p);
        }
    }
}

void TypingEngine::removeWord(int row)
{
    QString text = input(row).Text();
    if (!text.isEmpty() && text.back() == kItemSeparator) {
        text.chop(1);
    }
    int end = int(text.size());
    while (end > 0 && text.at(end - 1) != kItemSeparator) {
        uncount(row, end, text.at(end - 1));
        --end;
    }
    input(row).setText(text.left(end));
}

void TypingEngine::rowChanged(int row)
{
    if (input(row).Text().size() < top(row).Text().size()) {
        return;
    }
    deactivateRow(row);
    activateRow(nextRow(row));
    if (Back_Rows < 1) {
        emit fillRequested((row + 3) % kRows);
    } else {
        --Back_Rows;
    }
    emit rowCompleted(row);
}

} // namespace tesmara
