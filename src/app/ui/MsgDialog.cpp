#include "app/ui/MsgDialog.h"

#include "app/AppState.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Skin.h"
#include "practice/RunFigures.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace tesmara {

namespace {

// Measures in twips, 15 to a pixel.
int px(int twips)
{
    return (twips + 7) / 15;
}

// The window height of the layout includes the frame's caption bar and
// borders, which the window system draws outside our client area.
constexpr int kCaptionTwips = 450;
constexpr int kIconLeft = 240;
constexpr int kTextTop = 300;
constexpr int kIconSize = 480;
constexpr int kLabelLeft = 960;
constexpr int kCheckWidth = 1400;
constexpr int kCheckHeight = 240;
constexpr int kPairWidth = 1050;
constexpr int kPairHeight = 375;

// The three pictures of Image_MSG: 0 error, 1 information, 2 question.
class MsgIcon : public QWidget {
public:
    MsgIcon(int kind, QWidget* parent) : QWidget(parent), m_kind(kind) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF disc = QRectF(rect()).adjusted(1.5, 1, -2.5, -3);
        // Soft shadow under the disc.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x10, 0x30, 0x50, 45));
        p.drawEllipse(disc.translated(1, 2));

        QColor light;
        QColor dark;
        switch (m_kind) {
        case 0:
            light = QColor(0xFF, 0x8A, 0x80);
            dark = QColor(0xC6, 0x28, 0x28);
            break;
        case 2:
            light = QColor(0x6F, 0xD0, 0xC8);
            dark = QColor(0x16, 0x84, 0x8C);
            break;
        default:
            light = QColor(0x7C, 0xC0, 0xF4);
            dark = QColor(0x1A, 0x6C, 0xC0);
            break;
        }
        const QPointF lit = disc.center() - QPointF(disc.width() * 0.2, disc.height() * 0.25);
        QRadialGradient fill(lit, disc.width() * 0.8);
        fill.setColorAt(0, light);
        fill.setColorAt(1, dark);
        p.setBrush(fill);
        p.setPen(QPen(dark.darker(130), 1.0));
        p.drawEllipse(disc);
        // Glossy highlight over the upper half.
        QLinearGradient gloss(disc.topLeft(), QPointF(disc.left(), disc.center().y()));
        gloss.setColorAt(0, QColor(255, 255, 255, 120));
        gloss.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(gloss);
        p.drawEllipse(
            QRectF(disc.left() + disc.width() * 0.15, disc.top() + 1.5, disc.width() * 0.7, disc.height() * 0.5));

        const QPointF c = disc.center();
        const qreal s = disc.width();
        p.setBrush(Qt::white);
        if (m_kind == 0) {
            QPen pen(Qt::white, s * 0.13, Qt::SolidLine, Qt::RoundCap);
            p.setPen(pen);
            const qreal d = s * 0.18;
            p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
            p.drawLine(c + QPointF(d, -d), c + QPointF(-d, d));
        } else if (m_kind == 1) {
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(c.x(), c.y() - s * 0.22), s * 0.075, s * 0.075);
            const QRectF stem(c.x() - s * 0.065, c.y() - s * 0.09, s * 0.13, s * 0.34);
            p.drawRoundedRect(stem, s * 0.05, s * 0.05);
        } else {
            QPen pen(Qt::white, s * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            QPainterPath hook;
            const qreal r = s * 0.13;
            hook.moveTo(c.x() - r, c.y() - s * 0.12);
            hook.arcTo(QRectF(c.x() - r, c.y() - s * 0.12 - r, 2 * r, 2 * r), 180, -250);
            hook.quadTo(QPointF(c.x(), c.y() + s * 0.0), QPointF(c.x(), c.y() + s * 0.09));
            p.drawPath(hook);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(c.x(), c.y() + s * 0.25), s * 0.065, s * 0.065);
        }
    }

private:
    int m_kind;
};

} // namespace

MsgDialog::MsgDialog(const MsgRequest& request, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_text(request.text)
{
    setObjectName(QStringLiteral("Form_MSG"));
    setWindowTitle(request.title);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, skin::fromVb(skin::kWindowVb));
    setPalette(pal);
    setAutoFillBackground(true);

    m_label = new MSG_Label(this);
    m_label->setObjectName(QStringLiteral("Label_Msg"));
    m_label->setBackColor(skin::fromVb(skin::kWindowVb));
    for (int i = 0; i < 3; ++i) {
        m_icons[i] = new MsgIcon(i, this);
        m_icons[i]->setObjectName(QStringLiteral("Image_MSG_%1").arg(i));
        m_icons[i]->hide();
    }
    m_ok = new Cmd(QStringLiteral("确定(&O)"), this);
    m_ok->setObjectName(QStringLiteral("CMDOK"));
    m_yes = new Cmd(QStringLiteral("是(&Y)"), this);
    m_yes->setObjectName(QStringLiteral("CMDYES"));
    m_no = new Cmd(QStringLiteral("否(&N)"), this);
    m_no->setObjectName(QStringLiteral("CMDNO"));
    m_cancel = new Cmd(QStringLiteral("取消(&C)"), this);
    m_cancel->setObjectName(QStringLiteral("CMDCancel"));
    m_check = new Check_Box(QStringLiteral("以后不再显示"), this);
    m_check->setObjectName(QStringLiteral("Check1"));
    m_check->setBackColor(skin::fromVb(skin::kWindowVb));
    for (QWidget* w : std::initializer_list<QWidget*>{m_ok, m_yes, m_no, m_cancel, m_check}) {
        w->hide();
        w->installEventFilter(this);
    }
    m_guarded = isResultTitle(request.title);

    connect(m_ok, &Cmd::Click, this, [this] {
        if (m_guarded && m_okMarked) {
            m_okMarked = false;
            return;
        }
        answerWith(QStringLiteral("OK"));
    });
    connect(m_yes, &Cmd::Click, this, [this] { answerWith(QStringLiteral("Yes")); });
    connect(m_no, &Cmd::Click, this, [this] { answerWith(QStringLiteral("No")); });
    connect(m_cancel, &Cmd::Click, this, [this] { answerWith(QStringLiteral("Cancel")); });

    layOut(request);
}

void MsgDialog::layOut(const MsgRequest& request)
{
    m_label->setCaption(request.text);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    // A line wider than the screen wraps instead of pushing the window off it.
    const int maxLabel = qMax(200, area.width() - px(1200) - 40);
    const QSize labelSize = m_label->textSize(maxLabel);
    const int labelW = labelSize.width() * 15;
    const int labelH = labelSize.height() * 15;

    const bool withCheck = request.check != 0;
    const int w = qMax(labelW + 1200, 3000);
    const int h = labelH + (withCheck ? 1950 : 1750);
    m_twipsWidth = w;
    m_twipsHeight = h;
    setFixedSize(px(w), px(h - kCaptionTwips));

    // The text stands level with the icon's middle when it is shorter.
    const int labelTop = labelH < kIconSize ? kTextTop + (kIconSize - labelH) / 2 : kTextTop;
    m_label->setGeometry(px(kLabelLeft), px(labelTop), labelSize.width(), labelSize.height());
    if (request.icon >= 0 && request.icon < 3) {
        m_icons[request.icon]->setGeometry(px(kIconLeft), px(kTextTop), px(kIconSize), px(kIconSize));
        m_icons[request.icon]->show();
    }

    if (withCheck) {
        const int checkW = qMax(kCheckWidth, m_check->sizeHint().width() * 15);
        m_check->setGeometry(px((w - checkW) / 2), px(h - 1400), px(checkW), px(kCheckHeight));
        m_check->setValue(false);
        m_check->show();
    }

    auto placePair = [&](Cmd* first, Cmd* second) {
        const int left = (w - 2550) / 2;
        first->setGeometry(px(left), px(h - 1110), px(kPairWidth), px(kPairHeight));
        second->setGeometry(px(left + 1500), px(h - 1110), px(kPairWidth), px(kPairHeight));
        first->show();
        second->show();
    };
    switch (request.buttons) {
    case 0:
        m_ok->setGeometry(px((w - 1200) / 2), px(h - 1170), px(1320), px(420));
        m_ok->show();
        break;
    case 1:
        placePair(m_ok, m_cancel);
        break;
    case 2:
        placePair(m_yes, m_no);
        break;
    default:
        break;
    }

    QList<QWidget*> order{m_ok, m_yes, m_no, m_cancel};
    if (request.focus == 2) {
        order = {m_cancel, m_ok, m_yes, m_no};
    } else if (request.focus == 4) {
        order = {m_no, m_yes, m_ok, m_cancel};
    }
    order.append(m_check);
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order.at(i - 1), order.at(i));
    }
    m_first = nullptr;
    for (QWidget* widget : order) {
        if (!widget->isHidden()) {
            m_first = widget;
            break;
        }
    }

    const int frameW = px(w);
    const int frameH = px(h);
    move(area.x() + (area.width() - frameW) / 2, area.y() + (area.height() - frameH) / 2);
}

void MsgDialog::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_first != nullptr) {
        m_first->setFocus(Qt::TabFocusReason);
    } else {
        setFocus();
    }
}

QString MsgDialog::ask(const MsgRequest& request)
{
    QApplication::beep();
    App().Msg_Result.clear();
    MsgDialog dialog(request);
    dialog.exec();
    return dialog.answer();
}

void MsgDialog::answerWith(const QString& word)
{
    m_answer = word;
    if (!m_check->isHidden()) {
        m_answer += m_check->Value() ? QLatin1Char('T') : QLatin1Char('F');
    }
    App().Msg_Result = m_answer;
    accept();
}

void MsgDialog::reject()
{
    // Closing by the frame: an OK dialog answers OK; one that asks a real
    // question (a button other than OK shown) stays open.
    if (!m_answer.isEmpty()) {
        QDialog::reject();
        return;
    }
    const bool allOthers = !m_no->isHidden() && !m_cancel->isHidden() && !m_yes->isHidden();
    if (!m_ok->isHidden() && !allOthers) {
        m_okMarked = false;
        m_ok->click();
    }
}

void MsgDialog::clickIfShown(Cmd* button)
{
    if (!button->isHidden()) {
        button->click();
    }
}

void MsgDialog::copyText()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    QString text = m_text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    clipboard->setText(text);
}

bool MsgDialog::handleKey(QObject* target, QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (m_guarded && target == m_ok) {
        m_okMarked = mods == Qt::NoModifier && (e->key() == Qt::Key_Space || e->key() == Qt::Key_O);
    }
    if (mods == Qt::ControlModifier && e->key() == Qt::Key_C) {
        copyText();
        return true;
    }
    if (mods != Qt::NoModifier) {
        return false;
    }
    switch (e->key()) {
    case Qt::Key_Escape:
        if (!m_cancel->isHidden()) {
            m_cancel->click();
        } else if (!m_no->isHidden()) {
            m_no->click();
        } else {
            clickIfShown(m_ok);
        }
        return true;
    case Qt::Key_C:
        clickIfShown(m_cancel);
        return true;
    case Qt::Key_N:
        clickIfShown(m_no);
        return true;
    case Qt::Key_O:
        clickIfShown(m_ok);
        return true;
    case Qt::Key_Y:
        clickIfShown(m_yes);
        return true;
    default:
        return false;
    }
}

bool MsgDialog::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && handleKey(watched, static_cast<QKeyEvent*>(e))) {
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void MsgDialog::keyPressEvent(QKeyEvent* e)
{
    if (!handleKey(this, e)) {
        QDialog::keyPressEvent(e);
    }
}

} // namespace tesmara
