#pragma once

#include "practice/TypingEngine.h"

#include <QWidget>

#include <array>

namespace tesmara {

class Sounds;
class Text_Data;

// The seven line pairs of a text practice, wired to the typing engine: the
// reference lines `Text_Top` and the input lines `Text_Input` (objectName
// as given, the row in the dynamic property "index", children in row
// order). Keys on an input line go to the engine; the engine's focus and
// sound requests come back here. Filling rows is left to the holder, which
// connects engine().fillRequested to its text source.
class TypingBoard : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = TypingEngine::kRows;

    explicit TypingBoard(QWidget* parent = nullptr);
    ~TypingBoard() override;

    TypingEngine& engine() { return m_engine; }
    Text_Data* top(int row) const { return m_top[row]; }
    Text_Data* input(int row) const { return m_input[row]; }

    // Plays "wrong.wav" for the engine; none set = silent.
    void setSounds(Sounds* sounds) { m_sounds = sounds; }

    // Places the pairs one below the other: every line `lineWidth` pixels
    // wide at size step `windowSize`, pair r at r * pairPitch, its input
    // line inputOffset below its reference line.
    void arrange(int windowSize, int lineWidth, int pairPitch, int inputOffset);

    QSize sizeHint() const override;

signals:
    // Input line `row` got the focus (the Wubi hint area moves clear of it
    // and the code tip is shown for it).
    void rowFocused(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TypingEngine m_engine;
    std::array<Text_Data*, kRows> m_top{};
    std::array<Text_Data*, kRows> m_input{};
    Sounds* m_sounds = nullptr;
    QSize m_arranged;
};

} // namespace tesmara
