#include "practice/ui/TypingBoard.h"

#include "controls/ui/TextData.h"
#include "practice/ui/Sounds.h"

#include <QEvent>
#include <QFontMetricsF>

namespace tesmara {

TypingBoard::TypingBoard(QWidget* parent) : QWidget(parent)
{
    std::array<TextLine*, kRows> tops{};
    std::array<TextLine*, kRows> inputs{};
    for (int r = 0; r < kRows; ++r) {
        m_top[r] = new Text_Data(this);
        m_top[r]->setObjectName(QStringLiteral("Text_Top"));
        m_top[r]->setProperty("index", r);
        // Reference lines only show text; they never take the focus.
        m_top[r]->setFocusPolicy(Qt::NoFocus);
        m_top[r]->setAttribute(Qt::WA_InputMethodEnabled, false);
        tops[r] = &m_top[r]->line();
    }
    for (int r = 0; r < kRows; ++r) {
        Text_Data* line = new Text_Data(this);
        line->setObjectName(QStringLiteral("Text_Input"));
        line->setProperty("index", r);
        line->setBackColor(0xFFFFFF);
        m_input[r] = line;
        line->installEventFilter(this);
        inputs[r] = &line->line();
        connect(line, &Text_Data::KeyDown, this,
                [this, r](int keyCode, int shift) { m_engine.keyDown(r, keyCode, shift); });
        connect(line, &Text_Data::KeyPress, this, [this, r](int& c) { m_engine.keyPress(r, c); });
        connect(line, &Text_Data::KeyUp, this,
                [this, r](int keyCode, int shift) { m_engine.keyUp(r, keyCode, shift); });
    }
    m_engine.attach(tops, inputs);
    // Open the line font now, with the window, so that the first practice
    // does not wait for the font file.
    QFontMetricsF(m_top[0]->Font()).horizontalAdvance(QChar(0x5B57));
    m_engine.clearRows(0);

    connect(&m_engine, &TypingEngine::focusRequested, this, [this](int row) { m_input[row]->setFocus(); });
    connect(&m_engine, &TypingEngine::wrongSoundRequested, this, [this] {
        if (m_sounds) {
            m_sounds->playWrong();
        }
    });
    // The 13425-twip window: lines 13155 wide, pairs 930 apart, input 465 down.
    arrange(1, 877, 62, 31);
}

TypingBoard::~TypingBoard()
{
    // The lines go before the engine that points into them and before the
    // connections that lead to it.
    for (int r = 0; r < kRows; ++r) {
        m_input[r]->removeEventFilter(this);
        delete m_input[r];
        delete m_top[r];
    }
}

void TypingBoard::arrange(int windowSize, int lineWidth, int pairPitch, int inputOffset)
{
    int bottom = 0;
    for (int r = 0; r < kRows; ++r) {
        m_top[r]->setWindow_Size(windowSize);
        m_input[r]->setWindow_Size(windowSize);
        m_top[r]->setGeometry(0, r * pairPitch, lineWidth, m_top[r]->height());
        m_input[r]->setGeometry(0, r * pairPitch + inputOffset, lineWidth, m_input[r]->height());
        bottom = m_input[r]->geometry().bottom() + 1;
    }
    m_arranged = QSize(lineWidth, bottom);
    setMinimumSize(m_arranged);
    updateGeometry();
}

bool TypingBoard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        for (int r = 0; r < kRows; ++r) {
            if (watched == m_input[r]) {
                emit rowFocused(r);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

QSize TypingBoard::sizeHint() const
{
    return m_arranged;
}

} // namespace tesmara
