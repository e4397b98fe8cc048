#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QProxyStyle;

namespace tesmara {

// Text box around an inner edit `Txt` (one line, or several with MultiLine).
// KeyPress(KeyAscii) comes before the edit sees a typed character: the
// character's code (Enter 13, Backspace 8, Esc 27, Ctrl+letter 1..26); the
// handler may set it to 0 to discard the key or to another code to type that
// instead. Characters committed by an input method go through KeyPress one
// by one. Change is raised whenever the text changes, also from code.
// ScrollBars: 0 none, 1 horizontal (no wrapping), 2 vertical, 3 both; used
// with MultiLine. Alignment: 0 left, 1 right, 2 centre (single line).
// MaxLength 0 means no limit. Properties the inner edit cannot change in
// place (MultiLine) take effect at once by rebuilding it.
class Text : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QColor ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(QString PasswordChar READ PasswordChar WRITE setPasswordChar)
    Q_PROPERTY(int ScrollBars READ ScrollBars WRITE setScrollBars)
    Q_PROPERTY(bool MultiLine READ MultiLine WRITE setMultiLine)
    Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(int SelLength READ SelLength WRITE setSelLength)
    Q_PROPERTY(int SelStart READ SelStart WRITE setSelStart)
    Q_PROPERTY(QString SelText READ SelText WRITE setSelText)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
public:
    explicit Text(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor& colour);
    QColor ForeColor() const { return m_foreColor; }
    void setForeColor(const QColor& colour);
    QString PasswordChar() const { return m_passwordChar; }
    void setPasswordChar(const QString& passwordChar);
    int ScrollBars() const { return m_scrollBars; }
    void setScrollBars(int scrollBars);
    bool MultiLine() const { return m_multiLine; }
    void setMultiLine(bool multiLine);
    int Alignment() const { return m_alignment; }
    void setAlignment(int alignment);
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int maxLength);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    bool Locked() const { return m_locked; }
    void setLocked(bool locked);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);

    // Selection, in characters from 0. Setting SelStart moves the caret and
    // clears the selection; SelLength selects from SelStart; SelText
    // replaces the selection.
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString& text);

    void SelAll();
    // Applies every stored property to a fresh inner edit and lays it out.
    void Txt_No_Change();

    // The inner edit (a QLineEdit or a QPlainTextEdit named "Txt").
    QWidget* inner() const { return m_inner; }

    // While a window is being designed the selection cannot be set: the
    // attempt shows a notice and changes nothing. A running program never
    // turns design mode on; a window designer would.
    static void setDesignMode(bool on);
    static bool designMode();
    using DesignNotice = std::function<void(const QString& title, const QString& text)>;
    // Who shows that notice (a critical message box unless replaced).
    static void setDesignNotice(DesignNotice notice);

    QSize sizeHint() const override;

signals:
    void Change();
    void KeyPress(int& KeyAscii);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    bool refusedInDesign() const;
    bool filterKey(QKeyEvent* e);
    bool filterInputMethod(QInputMethodEvent* e);
    void typeCode(int code);
    void applyColours();
    void layoutInner();
    void enforceMaxLength();
    void setSelection(int start, int length);

    QWidget* m_inner = nullptr;
    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_plain = nullptr;
    QProxyStyle* m_passwordStyle = nullptr;
    QColor m_backColor;
    QColor m_foreColor;
    QString m_passwordChar;
    int m_scrollBars = 0;
    bool m_multiLine = false;
    int m_alignment = 0;
    int m_maxLength = 0;
    int m_mousePointer = 0;
    bool m_locked = false;
    QPixmap m_mouseIcon;
    bool m_hot = false;
    bool m_retyping = false;
    bool m_trimming = false;
};

} // namespace tesmara
