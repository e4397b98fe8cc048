#include "controls/ui/Text.h"

#include "controls/ui/Skin.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace tesmara {

namespace {

bool g_designMode = false;

Text::DesignNotice& designNotice()
{
    static Text::DesignNotice notice = [](const QString& title, const QString& text) {
        QMessageBox::critical(nullptr, title, text);
    };
    return notice;
}

// Lets a single-line edit hide its text behind any character.
class PasswordStyle : public QProxyStyle {
public:
    QChar mask = QLatin1Char('*');
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter) {
            return mask.unicode();
        }
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

// The character code a key press delivers, 0 for keys that type nothing.
int keyAsciiOf(const QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (mods & (Qt::AltModifier | Qt::MetaModifier)) {
        return 0;
    }
    if (mods & Qt::ControlModifier) {
        if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) {
            return e->key() - Qt::Key_A + 1;
        }
        return 0;
    }
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QString text = e->text();
    if (text.isEmpty() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7F) {
        return 0;
    }
    return int(text.toUcs4().value(0));
}

QString stringOfCode(int code)
{
    const char32_t c = char32_t(code);
    return QString::fromUcs4(&c, 1);
}

} // namespace

Text::Text(QWidget* parent) : QWidget(parent), m_backColor(skin::field()), m_foreColor(skin::text())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    Txt_No_Change();
}

void Text::setDesignMode(bool on)
{
    g_designMode = on;
}

bool Text::designMode()
{
    return g_designMode;
}

void Text::setDesignNotice(DesignNotice notice)
{
    designNotice() = std::move(notice);
}

bool Text::refusedInDesign() const
{
    if (!g_designMode) {
        return false;
    }
    if (designNotice()) {
        designNotice()(QStringLiteral("错误"), QStringLiteral("此属性的值在设计状态下不可更改！"));
    }
    return true;
}

void Text::Txt_No_Change()
{
    const QString current = m_inner != nullptr ? text() : QString();
    const bool hadFocus = m_inner != nullptr && m_inner->hasFocus();
    if (m_inner != nullptr) {
        m_inner->removeEventFilter(this);
        delete m_inner;
        m_inner = nullptr;
        m_line = nullptr;
        m_plain = nullptr;
    }
    if (m_multiLine) {
        m_plain = new QPlainTextEdit(this);
        m_plain->setFrameShape(QFrame::NoFrame);
        m_plain->setTabChangesFocus(true);
        m_plain->setPlainText(current);
        m_plain->setReadOnly(m_locked);
        m_plain->setLineWrapMode((m_scrollBars & 1) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        const auto policy = [this](int bit) {
            return (m_scrollBars & bit) != 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
        };
        m_plain->setHorizontalScrollBarPolicy(policy(1));
        m_plain->setVerticalScrollBarPolicy(policy(2));
        m_plain->viewport()->installEventFilter(this);
        connect(m_plain, &QPlainTextEdit::textChanged, this, [this] {
            enforceMaxLength();
            if (!m_trimming) {
                emit Change();
            }
        });
        m_inner = m_plain;
    } else {
        m_line = new QLineEdit(this);
        m_line->setFrame(false);
        m_line->setMaxLength(m_maxLength > 0 ? m_maxLength : 1 << 30);
        m_line->setText(current);
        m_line->setReadOnly(m_locked);
        m_line->setAlignment(m_alignment == 1   ? Qt::AlignRight | Qt::AlignVCenter
                             : m_alignment == 2 ? Qt::AlignHCenter | Qt::AlignVCenter
                                                : Qt::AlignLeft | Qt::AlignVCenter);
        if (!m_passwordChar.isEmpty()) {
            if (m_passwordStyle == nullptr) {
                auto* style = new PasswordStyle;
                style->setParent(this);
                m_passwordStyle = style;
            }
            static_cast<PasswordStyle*>(m_passwordStyle)->mask = m_passwordChar.at(0);
            m_line->setStyle(m_passwordStyle);
            m_line->setEchoMode(QLineEdit::Password);
        }
        connect(m_line, &QLineEdit::textChanged, this, [this] { emit Change(); });
        m_inner = m_line;
    }
    m_inner->setObjectName(QStringLiteral("Txt"));
    m_inner->setFont(font());
    m_inner->installEventFilter(this);
    skin::applyPointer(m_inner, m_mousePointer, m_mouseIcon);
    setFocusProxy(m_inner);
    applyColours();
    layoutInner();
    m_inner->show();
    if (hadFocus) {
        m_inner->setFocus();
    }
    update();
}

QString Text::text() const
{
    return m_line != nullptr ? m_line->text() : m_plain->toPlainText();
}

void Text::setText(const QString& text)
{
    if (m_line != nullptr) {
        m_line->setText(text);
    } else {
        m_plain->setPlainText(text);
    }
}

void Text::setBackColor(const QColor& colour)
{
    m_backColor = colour;
    applyColours();
}

void Text::setForeColor(const QColor& colour)
{
    m_foreColor = colour;
    applyColours();
}

void Text::setPasswordChar(const QString& passwordChar)
{
    m_passwordChar = passwordChar.left(1);
    Txt_No_Change();
}

void Text::setScrollBars(int scrollBars)
{
    m_scrollBars = scrollBars;
    Txt_No_Change();
}

void Text::setMultiLine(bool multiLine)
{
    if (m_multiLine != multiLine) {
        m_multiLine = multiLine;
        Txt_No_Change();
    }
}

void Text::setAlignment(int alignment)
{
    m_alignment = alignment;
    Txt_No_Change();
}

void Text::setMaxLength(int maxLength)
{
    m_maxLength = qMax(0, maxLength);
    if (m_line != nullptr) {
        m_line->setMaxLength(m_maxLength > 0 ? m_maxLength : 1 << 30);
    } else {
        enforceMaxLength();
    }
}

void Text::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    skin::applyPointer(m_inner, m_mousePointer, m_mouseIcon);
}

void Text::setLocked(bool locked)
{
    m_locked = locked;
    if (m_line != nullptr) {
        m_line->setReadOnly(locked);
    } else {
        m_plain->setReadOnly(locked);
    }
}

void Text::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    skin::applyPointer(m_inner, m_mousePointer, m_mouseIcon);
}

int Text::SelStart() const
{
    if (m_line != nullptr) {
        return m_line->hasSelectedText() ? m_line->selectionStart() : m_line->cursorPosition();
    }
    return m_plain->textCursor().selectionStart();
}

int Text::SelLength() const
{
    if (m_line != nullptr) {
        return m_line->hasSelectedText() ? m_line->selectionLength() : 0;
    }
    const QTextCursor c = m_plain->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

QString Text::SelText() const
{
    if (m_line != nullptr) {
        return m_line->selectedText();
    }
    QString selected = m_plain->textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return selected;
}

void Text::setSelection(int start, int length)
{
    const int size = int(text().size());
    start = qBound(0, start, size);
    length = qBound(0, length, size - start);
    if (m_line != nullptr) {
        if (length == 0) {
            m_line->deselect();
            m_line->setCursorPosition(start);
        } else {
            m_line->setSelection(start, length);
        }
    } else {
        QTextCursor c = m_plain->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        m_plain->setTextCursor(c);
    }
}

void Text::setSelStart(int start)
{
    if (refusedInDesign()) {
        return;
    }
    setSelection(start, 0);
}

void Text::setSelLength(int length)
{
    if (refusedInDesign()) {
        return;
    }
    setSelection(SelStart(), length);
}

void Text::setSelText(const QString& replacement)
{
    if (refusedInDesign()) {
        return;
    }
    if (m_line != nullptr) {
        m_line->insert(replacement);
    } else {
        m_plain->textCursor().insertText(replacement);
    }
}

void Text::SelAll()
{
    if (m_line != nullptr) {
        m_line->selectAll();
    } else {
        m_plain->selectAll();
    }
}

void Text::enforceMaxLength()
{
    if (m_plain == nullptr || m_maxLength <= 0 || m_trimming) {
        return;
    }
    const int size = m_plain->document()->characterCount() - 1;
    if (size <= m_maxLength) {
        return;
    }
    // Drop what overflowed just before the caret, where it was typed.
    m_trimming = true;
    QTextCursor c = m_plain->textCursor();
    const int over = size - m_maxLength;
    const int end = c.position();
    const int begin = qMax(0, end - over);
    c.setPosition(begin);
    c.setPosition(end, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    if (m_plain->document()->characterCount() - 1 > m_maxLength) {
        c.movePosition(QTextCursor::End);
        c.setPosition(m_maxLength, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    }
    m_trimming = false;
}

void Text::applyColours()
{
    if (m_inner == nullptr) {
        return;
    }
    QPalette pal = m_inner->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Base, m_backColor);
        pal.setColor(group, QPalette::Text, m_foreColor);
    }
    pal.setColor(QPalette::Disabled, QPalette::Base, skin::fieldDisabled());
    pal.setColor(QPalette::Disabled, QPalette::Text, skin::textDisabled());
    pal.setColor(QPalette::Highlight, QColor(0x3A, 0x8E, 0xD6));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    m_inner->setPalette(pal);
    update();
}

void Text::layoutInner()
{
    if (m_inner == nullptr) {
        return;
    }
    m_inner->setGeometry(m_line != nullptr ? rect().adjusted(5, 2, -4, -2) : rect().adjusted(3, 3, -3, -3));
}

QSize Text::sizeHint() const
{
    const QFontMetrics fm(font());
    if (m_multiLine) {
        return QSize(200, fm.lineSpacing() * 4 + 10);
    }
    return QSize(120, fm.height() + 10);
}

void Text::resizeEvent(QResizeEvent* e)
{
    layoutInner();
    QWidget::resizeEvent(e);
}

void Text::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange && m_inner != nullptr) {
        m_inner->setFont(font());
        updateGeometry();
    }
    QWidget::changeEvent(e);
}

bool Text::event(QEvent* e)
{
    if (e->type() == QEvent::HoverEnter || e->type() == QEvent::HoverLeave) {
        m_hot = e->type() == QEvent::HoverEnter;
        update();
    }
    return QWidget::event(e);
}

void Text::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    skin::Look look = skin::Look::Normal;
    if (!isEnabled()) {
        look = skin::Look::Disabled;
    } else if (m_hot) {
        look = skin::Look::Hot;
    }
    const bool focused = m_inner != nullptr && m_inner->hasFocus();
    skin::paintField(p, QRectF(rect()).adjusted(1, 1, -1, -1), look, focused, 3.0,
                     isEnabled() ? m_backColor : skin::fieldDisabled());
}

void Text::typeCode(int code)
{
    // A key whose code the handler changed: type the new character instead.
    int key = Qt::Key_unknown;
    QString typed;
    switch (code) {
    case 8:
        key = Qt::Key_Backspace;
        break;
    case 13:
        key = Qt::Key_Return;
        typed = QStringLiteral("\r");
        break;
    case 27:
        key = Qt::Key_Escape;
        break;
    default:
        if (code < 0x20) {
            return;
        }
        typed = stringOfCode(code);
        break;
    }
    m_retyping = true;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
    QCoreApplication::sendEvent(m_inner, &press);
    m_retyping = false;
}

bool Text::filterKey(QKeyEvent* e)
{
    const int original = keyAsciiOf(e);
    if (original == 0 || !isEnabled()) {
        return false;
    }
    int keyAscii = original;
    emit KeyPress(keyAscii);
    if (keyAscii == original) {
        return false;
    }
    if (keyAscii != 0) {
        typeCode(keyAscii);
    }
    return true;
}

bool Text::filterInputMethod(QInputMethodEvent* e)
{
    const QString commit = e->commitString();
    if (commit.isEmpty() || !isEnabled()) {
        return false;
    }
    QString kept;
    bool changed = false;
    for (char32_t c : commit.toUcs4()) {
        int keyAscii = int(c);
        emit KeyPress(keyAscii);
        if (keyAscii != int(c)) {
            changed = true;
        }
        if (keyAscii >= 0x20) {
            kept += stringOfCode(keyAscii);
        }
    }
    if (!changed) {
        return false;
    }
    QInputMethodEvent replacement(e->preeditString(), e->attributes());
    replacement.setCommitString(kept, e->replacementStart(), e->replacementLength());
    m_retyping = true;
    QCoreApplication::sendEvent(m_inner, &replacement);
    m_retyping = false;
    return true;
}

bool Text::eventFilter(QObject* watched, QEvent* e)
{
    const bool ours = watched == m_inner || (m_plain != nullptr && watched == m_plain->viewport());
    if (!ours || m_retyping) {
        return QWidget::eventFilter(watched, e);
    }
    switch (e->type()) {
    case QEvent::KeyPress:
        if (watched == m_inner && filterKey(static_cast<QKeyEvent*>(e))) {
            return true;
        }
        break;
    case QEvent::InputMethod:
        if (filterInputMethod(static_cast<QInputMethodEvent*>(e))) {
            return true;
        }
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        update();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace tesmara
