#include "practice/ui/KeyboardPage.h"

#include "app/AppState.h"
#include "controls/RunTimer.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Picture.h"
#include "controls/ui/Skin.h"
#include "mistakes/MistakeStore.h"
#include "practice/DrillTime.h"
#include "practice/PracticeKind.h"
#include "practice/ui/Sounds.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace tesmara {

namespace {

using keyboard::Board;

// The page and where its parts sit. The board pictures are drawn to the
// same key pitch, so both share one top; the hands sit under the board
// with the index fingers below F and J, or below the pad's 4, 5, 6 column.
constexpr QSize kPageSize(850, 566);
constexpr int kMargin = 16;
constexpr int kStripTop = 46;
constexpr int kStripHeight = 32;
constexpr int kBoardTop = 88;
constexpr int kHandsTop = kBoardTop + 268 + 6;
constexpr QPoint kPadAt(459, kBoardTop);
constexpr QPoint kHandsAtPad(125, kHandsTop);
// The name of the key to strike: on a card between the hands, or on a
// large one beside the pad.
constexpr QSize kNameCard(80, 72);
constexpr QRect kNameBesidePad(150, 150, 180, 140);

QColor nameInk()
{
    return QColor(0x14, 0x5A, 0xA0);
}

// Pictures are read once and kept for the life of the program, so the
// page opens fast the second time. A finger picture is kept cut to its
// drawn part, with the offset of that part in the hands picture.
struct Picture {
    QPixmap pixmap;
    QPoint offset;
};

QRect drawnPart(const QImage& image)
{
    int left = image.width();
    int top = image.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

class PictureCache : public QObject {
public:
    using QObject::QObject;
    QHash<QString, Picture> pictures;
};

// A missing or unreadable file gives an empty picture.
const Picture& picture(const QString& file, bool cut = false)
{
    // Owned by the application, so the pixmaps go before the GUI does.
    static PictureCache* cache = new PictureCache(QCoreApplication::instance());
    const QString path = App().Share_Path + file;
    auto it = cache->pictures.find(path);
    if (it == cache->pictures.end()) {
        Picture loaded;
        QImage image = pngImage(path);
        if (!image.isNull()) {
            if (cut) {
                image = image.convertToFormat(QImage::Format_ARGB32);
                const QRect part = drawnPart(image);
                loaded.offset = part.topLeft();
                image = image.copy(part);
            }
            loaded.pixmap = QPixmap::fromImage(image);
        }
        it = cache->pictures.insert(path, loaded);
    }
    return *it;
}

QLabel* imageLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

MSG_Label* textLabel(const char* name, const QString& caption, QWidget* parent)
{
    auto* label = new MSG_Label(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(skin::font(10.5));
    return label;
}

// The character code a key press types; in number-pad practice the pad's
// keys give their digit or point even with Num Lock off. 0 for keys that
// type nothing.
int typedCode(const QKeyEvent* e, bool numberPad)
{
    if (numberPad && (e->modifiers() & Qt::KeypadModifier)) {
        // The pad's keys as they come with Num Lock off.
        static const std::pair<int, char> keys[] = {{Qt::Key_Insert, '0'},   {Qt::Key_End, '1'},   {Qt::Key_Down, '2'},
                                                    {Qt::Key_PageDown, '3'}, {Qt::Key_Left, '4'},  {Qt::Key_Clear, '5'},
                                                    {Qt::Key_Right, '6'},    {Qt::Key_Home, '7'},  {Qt::Key_Up, '8'},
                                                    {Qt::Key_PageUp, '9'},   {Qt::Key_Delete, '.'}};
        for (const auto& [key, code] : keys) {
            if (e->key() == key) {
                return code;
            }
        }
    }
    const QString text = e->text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

} // namespace

KeyboardPage::KeyboardPage(Clock* clock, RandomSource* random, Sounds* sounds, QWidget* parent)
    : My_Frame(parent), m_fingering(random), m_sounds(sounds)
{
    setObjectName(QStringLiteral("Frame_Test_KeyBoard"));
    setBackColor(skin::window());
    setBorderStyle(0);
    setFixedSize(kPageSize);
    setFocusPolicy(Qt::StrongFocus);

    Label_Content = textLabel("Label_Content", QStringLiteral("练习内容："), this);
    Combo_Test_KeyBoard = new QComboBox(this);
    Combo_Test_KeyBoard->setObjectName(QStringLiteral("Combo_Test_KeyBoard"));
    Combo_Test_KeyBoard->addItems(Fingering::entryCaptions());
    Combo_Test_KeyBoard->setFocusPolicy(Qt::NoFocus);
    Combo_Test_KeyBoard->setCurrentIndex(0);
    Check_Test_KeyBoard = new Check_Box(QStringLiteral(" 单指练习中不包括数字内容"), this);
    Check_Test_KeyBoard->setObjectName(QStringLiteral("Check_Test_KeyBoard"));
    Check_Box_Test_Key_Number = new Check_Box(QStringLiteral(" 进行数字小键盘练习"), this);
    Check_Box_Test_Key_Number->setObjectName(QStringLiteral("Check_Box_Test_Key_Number"));
    for (Check_Box* box : {Check_Test_KeyBoard, Check_Box_Test_Key_Number}) {
        box->setFocusPolicy(Qt::NoFocus);
        box->setFixedSize(box->sizeHint());
    }

    Label_D_Time = textLabel("Label_D_Time", Drill_Time_Text(0), this);
    Label_D_RW = textLabel("Label_D_RW", m_fingering.countsText(), this);
    Label_D_RW->setAlignment(2);
    Label_Speed_R = textLabel("Label_Speed_R", Fingering::resetSpeedText(), this);
    Label_Speed_R->setAlignment(1);

    Image_Test_Keyboard = imageLabel("Image_Test_Keyboard", this);
    Image_D_Go = imageLabel("Image_D_Go", this);
    Image_Test_Keyboard_Hand = imageLabel("Image_Test_Keyboard_Hand", this);
    for (int i = 0; i < 5; ++i) {
        Image_Test_KeyBoard_HandLeft[i] = imageLabel("Image_Test_KeyBoard_HandLeft", this);
        Image_Test_KeyBoard_HandRight[i] = imageLabel("Image_Test_KeyBoard_HandRight", this);
        Image_Test_KeyBoard_HandLeft[i]->setProperty("index", i);
        Image_Test_KeyBoard_HandRight[i]->setProperty("index", i);
    }
    for (int f = 0; f < keyboard::kFingers; ++f) {
        fingerPicture(f)->hide();
    }
    Label_M = textLabel("Label_M", QStringLiteral("内容"), this);
    Label_M->setAlignment(2);
    Label_M->setForeColor(nameInk());

    Timer_Key_Borad_Hand = new RunTimer(this, clock);
    Timer_Key_Borad_Hand->setObjectName(QStringLiteral("Timer_Key_Borad_Hand"));
    Timer_Key_Borad_Hand->setInterval(0.6f);
    Timer_OverTime = new RunTimer(this, clock);
    Timer_OverTime->setObjectName(QStringLiteral("Timer_OverTime"));
    Timer_OverTime->setInterval(1.0f);

    connect(Check_Box_Test_Key_Number, &Check_Box::Click, this, &KeyboardPage::Check_Box_Test_Key_Number_Click);
    connect(Check_Test_KeyBoard, &Check_Box::Click, this, &KeyboardPage::Check_Test_KeyBoard_Click);
    connect(Combo_Test_KeyBoard, &QComboBox::currentIndexChanged, this, &KeyboardPage::Combo_Test_KeyBoard_Click);
    connect(Timer_Key_Borad_Hand, &RunTimer::tick, this, &KeyboardPage::Timer_Key_Borad_Hand_Timer);
    connect(Timer_OverTime, &RunTimer::tick, this, &KeyboardPage::Timer_OverTime_Timer);

    placeControls(false);
}

QLabel* KeyboardPage::fingerPicture(int finger) const
{
    return finger < 5 ? Image_Test_KeyBoard_HandLeft[finger] : Image_Test_KeyBoard_HandRight[finger - 5];
}

void KeyboardPage::placeControls(bool numberPad)
{
    const int rowTop = 12;
    const int rowHeight = 28;
    Label_Content->setGeometry(kMargin + 6, rowTop + 5, 80, rowHeight - 5);
    Combo_Test_KeyBoard->setGeometry(kMargin + 86, rowTop, 236, rowHeight);
    Check_Test_KeyBoard->move(kMargin + 340, rowTop + (rowHeight - Check_Test_KeyBoard->height()) / 2);
    Check_Box_Test_Key_Number->move(width() - kMargin - 6 - Check_Box_Test_Key_Number->width(),
                                    rowTop + (rowHeight - Check_Box_Test_Key_Number->height()) / 2);

    const int labelHeight = QFontMetrics(Label_D_Time->font()).height() + 2;
    const int labelTop = kStripTop + (kStripHeight - labelHeight) / 2;
    const int third = (width() - 2 * kMargin - 32) / 3;
    Label_D_Time->setGeometry(kMargin + 16, labelTop, third, labelHeight);
    Label_D_RW->setGeometry(kMargin + 16 + third, labelTop, third, labelHeight);
    Label_Speed_R->setGeometry(kMargin + 16 + 2 * third, labelTop, third, labelHeight);

    const Board board = numberPad ? Board::NumberPad : Board::Main;
    const QSize boardSize = keyboard::boardSize(board);
    const QPoint boardAt = numberPad ? kPadAt : QPoint((width() - boardSize.width()) / 2, kBoardTop);
    Image_Test_Keyboard->setGeometry(QRect(boardAt, boardSize));
    // The index fingers under F and J: the middle of the two keys lies over
    // the middle of the hands.
    const QRect f = keyboard::findKey(Board::Main, QLatin1Char('F'))->rect;
    const QRect j = keyboard::findKey(Board::Main, QLatin1Char('J'))->rect;
    const int handsMiddle = boardAt.x() + (f.center().x() + j.center().x() + 1) / 2;
    const QPoint handsAt = numberPad ? kHandsAtPad : QPoint(handsMiddle - keyboard::handsSize().width() / 2, kHandsTop);
    Image_Test_Keyboard_Hand->setGeometry(QRect(handsAt, keyboard::handsSize()));
    m_nameCard =
        numberPad ? kNameBesidePad : QRect(QPoint(handsMiddle - kNameCard.width() / 2, kHandsTop + 10), kNameCard);
    QFont nameFont = skin::font(numberPad ? 40 : 26);
    nameFont.setBold(true);
    Label_M->setFont(nameFont);
    const int nameHeight = QFontMetrics(Label_M->font()).height();
    Label_M->setGeometry(m_nameCard.left(), m_nameCard.top() + (m_nameCard.height() - nameHeight) / 2,
                         m_nameCard.width(), nameHeight);
    update();
}

void KeyboardPage::showPicture(QLabel* image, const QString& file)
{
    image->setPixmap(picture(file).pixmap);
}

void KeyboardPage::loadFingers()
{
    const QPoint handsAt = Image_Test_Keyboard_Hand->pos();
    for (int f = 0; f < keyboard::kFingers; ++f) {
        const Picture& lit = picture(keyboard::fingerFile(f), true);
        QLabel* label = fingerPicture(f);
        label->setPixmap(lit.pixmap);
        label->setGeometry(QRect(handsAt + lit.offset, lit.pixmap.size()));
    }
}

void KeyboardPage::start()
{
    m_fingering.resetCounts();
    Check_Box_Test_Key_Number_Click();
    showPicture(Image_Test_Keyboard_Hand, keyboard::handsFile());
    Timer_Key_Borad_Hand->setEnabled(true);
    Timer_OverTime->setEnabled(true);
    setFocus();
}

void KeyboardPage::endSession(bool ends)
{
    if (!m_fingering.tally().isEmpty() && m_mistakes && m_mistakes->prepare() &&
        m_mistakes->storeRun(int(PracticeKind::KeyMouse), m_fingering.tally(), !m_sessionCounted)) {
        m_sessionCounted = true;
    }
    m_fingering.clearTally();
    if (ends) {
        m_sessionCounted = false;
    }
}

void KeyboardPage::leave()
{
    endSession();
    hide();
    Timer_Key_Borad_Hand->setEnabled(false);
    Timer_OverTime->setEnabled(false);
    for (QLabel* image : {Image_Test_Keyboard, Image_D_Go, Image_Test_Keyboard_Hand}) {
        image->clear();
    }
    for (int f = 0; f < keyboard::kFingers; ++f) {
        fingerPicture(f)->clear();
    }
}

void KeyboardPage::Check_Box_Test_Key_Number_Click()
{
    endSession();
    Image_Test_Keyboard->hide();
    Image_D_Go->hide();
    const bool pad = Check_Box_Test_Key_Number->Value();
    Check_Test_KeyBoard->setVisible(!pad);
    Label_Content->setVisible(!pad);
    Combo_Test_KeyBoard->setEnabled(!pad);
    placeControls(pad);
    m_fingering.setNumberPad(pad);
    showPicture(Image_Test_Keyboard, keyboard::boardFile(m_fingering.board()));
    loadFingers();
    // Every highlight is read now, so no key press waits for a file.
    for (const keyboard::Key& key : keyboard::keys(m_fingering.board())) {
        if (!key.label.isNull()) {
            picture(keyboard::highlightFile(m_fingering.board(), key.label));
        }
    }
    if (pad) {
        m_fingering.setKeySet(Fingering::numberPadSet());
        Key_Press(Fingering::kRestartCode);
    } else {
        Combo_Test_KeyBoard_Click();
    }
    Image_Test_Keyboard->show();
    Image_D_Go->show();
    Timer_OverTime->setEnabled(false);
    Timer_OverTime->setEnabled(true);
    m_fingering.resetCounts();
    Label_D_Time->setCaption(Drill_Time_Text(0));
    Label_D_RW->setCaption(m_fingering.countsText());
    Label_Speed_R->setCaption(Fingering::resetSpeedText());
}

void KeyboardPage::Check_Test_KeyBoard_Click()
{
    Combo_Test_KeyBoard_Click();
}

void KeyboardPage::Combo_Test_KeyBoard_Click()
{
    const int entry = Combo_Test_KeyBoard->currentIndex();
    if (!m_fingering.numberPad() && entry >= 0) {
        m_fingering.setKeySet(Fingering::keySetFor(entry, Check_Test_KeyBoard->Value()));
    }
    if (!isHidden()) {
        Key_Press(Fingering::kRestartCode);
    }
}

bool KeyboardPage::keyPress(const QKeyEvent* event)
{
    if (isHidden()) {
        return false;
    }
    // Shortcuts stay with the window; a held key counts once.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    const int code = typedCode(event, m_fingering.numberPad());
    if (code == 0) {
        return false;
    }
    if (!event->isAutoRepeat()) {
        Key_Press(code);
    }
    return true;
}

void KeyboardPage::Key_Press(int code)
{
    if (isHidden()) {
        return;
    }
    if (m_fingering.press(code)) {
        showTarget();
        showFingers();
    } else if (m_wrongSound && m_sounds) {
        m_sounds->playWrong();
    }
    Label_D_RW->setCaption(m_fingering.countsText());
}

void KeyboardPage::showTarget()
{
    const QChar target = m_fingering.target();
    const Board board = m_fingering.board();
    const QRect at = keyboard::highlightRect(board, target);
    if (at.isEmpty()) {
        Image_D_Go->clear();
    } else {
        Image_D_Go->setPixmap(picture(keyboard::highlightFile(board, target)).pixmap);
        Image_D_Go->setGeometry(at.translated(Image_Test_Keyboard->pos()));
    }
    Label_M->setCaption(m_fingering.targetCaption());
}

void KeyboardPage::showFingers()
{
    const auto& lit = m_fingering.lit();
    for (int f = 0; f < keyboard::kFingers; ++f) {
        fingerPicture(f)->setVisible(lit[f]);
    }
}

void KeyboardPage::Timer_Key_Borad_Hand_Timer()
{
    if (isHidden()) {
        Timer_Key_Borad_Hand->setEnabled(false);
        return;
    }
    if (m_fingering.blink()) {
        showFingers();
    }
}

void KeyboardPage::Timer_OverTime_Timer()
{
    m_fingering.addSecond();
    if (isHidden()) {
        return;
    }
    Label_D_Time->setCaption(Drill_Time_Text(m_fingering.elapsed()));
    if (const auto speed = m_fingering.speedText()) {
        Label_Speed_R->setCaption(*speed);
    }
}

void KeyboardPage::paintEvent(QPaintEvent* e)
{
    My_Frame::paintEvent(e);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A light strip behind the figures and a key-like card behind the name.
    p.setPen(QPen(QColor(0xA8, 0xCD, 0xE8), 1));
    p.setBrush(QColor(0xF3, 0xF8, 0xFE));
    p.drawRoundedRect(QRectF(kMargin, kStripTop, width() - 2 * kMargin, kStripHeight).adjusted(0.5, 0.5, -0.5, -0.5), 8,
                      8);
    const QRectF card = QRectF(m_nameCard).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4A, 0x7A, 0xA8, 40));
    p.drawRoundedRect(card.translated(0, 3), 12, 12);
    p.setBrush(Qt::white);
    p.setPen(QPen(skin::borderHot(), 2));
    p.drawRoundedRect(card, 12, 12);
}

} // namespace tesmara
