#include "practice/ui/MousePage.h"

#include "app/ClockTimer.h"
#include "controls/RunTimer.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Option.h"
#include "controls/ui/Picture.h"
#include "controls/ui/Skin.h"
#include "practice/DrillTime.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>

#include <limits>

namespace tesmara {

namespace {

constexpr int kTwips = 15; // per pixel

QRect twips(int left, int top, int width, int height)
{
    return QRect(left / kTwips, top / kTwips, width / kTwips, height / kTwips);
}

// The play area and the drag target strip, as designed.
const QRect kPlayArea = twips(30, 105, 11370, 6000);
const QRect kTarget = twips(30, 5000, 11355, 825);
constexpr int kMouseSize = 480 / kTwips;

// Below the play area: the counts and the time, then the choices.
constexpr int kPanelWidth = 762;
constexpr int kStatusTop = 413;
constexpr int kChoicesTop = 442;
constexpr int kChoicesHeight = 62;
constexpr int kHintTop = 512;
constexpr int kPanelHeight = 536;

const QColor kFigures(0x1F, 0x4E, 0x8C);
const QColor kHint(0x4A, 0x66, 0x80);

QComboBox* combo(const QStringList& items, QWidget* parent, const char* name)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->addItems(items);
    return c;
}

} // namespace

PictureBox::PictureBox(const QColor& plain, QWidget* parent) : QWidget(parent), m_plain(plain)
{
    if (plain.isValid()) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void PictureBox::load(const QString& path)
{
    const QImage picture = pngImage(path);
    if (picture.isNull()) {
        clear();
    } else {
        m_source = path;
        setPicture(QPixmap::fromImage(picture));
    }
}

void PictureBox::clear()
{
    m_source.clear();
    setPicture(QPixmap());
}

void PictureBox::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    const QRect r = e->rect();
    if (m_picture.isNull()) {
        if (m_plain.isValid()) {
            p.fillRect(r, m_plain);
        }
    } else {
        if (m_plain.isValid() && m_picture.size() != size()) {
            p.fillRect(r, m_plain);
        }
        p.drawPixmap(r, m_picture, r);
    }
}

MouseSprite::MouseSprite(int index, QWidget* parent) : QWidget(parent), m_index(index)
{
    setObjectName(QStringLiteral("Image_Mouse"));
    setProperty("index", index);
    setFixedSize(kMouseSize, kMouseSize);
    setCursor(Qt::PointingHandCursor);
}

void MouseSprite::setPicture(const QPixmap& picture)
{
    if (picture.cacheKey() != m_picture.cacheKey()) {
        m_picture = picture;
        update();
    }
}

void MouseSprite::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}

void MouseSprite::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) {
        return;
    }
    m_button = e->button();
    m_doubleClicked = false;
    emit pressed(m_index, m_button == Qt::LeftButton);
}

void MouseSprite::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) {
        return;
    }
    // The second press of a double click is reported as the double click
    // alone, and its release is no click.
    m_button = e->button();
    m_doubleClicked = true;
    emit doubleClicked(m_index);
}

void MouseSprite::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != m_button) {
        return;
    }
    m_button = Qt::NoButton;
    const bool click = !m_doubleClicked && rect().contains(e->position().toPoint());
    m_doubleClicked = false;
    if (click) {
        emit clicked(m_index);
    }
    emit released(m_index);
}

void MouseSprite::mouseMoveEvent(QMouseEvent* e)
{
    if (m_button != Qt::NoButton) {
        emit moved(m_index, e->position().toPoint());
    }
}

MousePage::MousePage(Clock* clock, RandomSource* random, QWidget* parent) : My_Frame(parent), m_field(random)
{
    setObjectName(QStringLiteral("Frame_Test_Mouse"));
    setBorderStyle(0);
    setBackColor(skin::window());
    setFixedSize(kPanelWidth, kPanelHeight);

    Timer_MouseTest = new ClockTimer(mouseTickInterval(2), clock ? *clock : defaultClock(), this);
    Timer_MouseTest->setObjectName(QStringLiteral("Timer_MouseTest"));
    connect(Timer_MouseTest, &ClockTimer::timeout, this, [this] {
        m_field.tick();
        showField();
    });
    Timer_OverTime = new RunTimer(this, clock);
    Timer_OverTime->setObjectName(QStringLiteral("Timer_OverTime"));
    Timer_OverTime->setInterval(1.0f);
    connect(Timer_OverTime, &RunTimer::tick, this, [this] {
        if (m_seconds < std::numeric_limits<qint32>::max()) {
            ++m_seconds;
        }
        Label_M_Time->setCaption(Drill_Time_Text(m_seconds));
    });
    buildControls();
    placeControls();
    connectMice();
    hide();
}

void MousePage::buildControls()
{
    Image_Test_Mouse = new PictureBox(QColor(0xF4, 0xF9, 0xFD), this);
    Image_Test_Mouse->setObjectName(QStringLiteral("Image_Test_Mouse"));
    // The strip and the mice lie inside the play area, which clips a mouse
    // still entering from beyond its left edge.
    Image_MT = new PictureBox(QColor(), Image_Test_Mouse);
    Image_MT->setObjectName(QStringLiteral("Image_MT"));
    for (int m = 0; m < MouseField::kMice; ++m) {
        Image_Mouse[m] = new MouseSprite(m, Image_Test_Mouse);
    }

    Label_M_RW = new MSG_Label(QStringLiteral("消灭了 0 个，跑了 0 个"), this);
    Label_M_RW->setObjectName(QStringLiteral("Label_M_RW"));
    QFont figures = skin::font(11);
    figures.setBold(true);
    Label_M_RW->setFont(figures);
    Label_M_RW->setForeColor(kFigures);
    Label_M_Time = new MSG_Label(QStringLiteral("练习时间：0 秒"), this);
    Label_M_Time->setObjectName(QStringLiteral("Label_M_Time"));
    Label_M_Time->setFont(figures);
    Label_M_Time->setForeColor(kFigures);
    Label_M_Time->setAlignment(1);

    Frame_MT = new My_Frame(this);
    Frame_MT->setObjectName(QStringLiteral("Frame_MT"));
    Frame_MT->setBackColor(skin::window());
    Frame_MT->setBorderColor(skin::border());
    const QString captions[kActions] = {QStringLiteral("鼠标左键单击"),     QStringLiteral("鼠标左键双击"),
                                        QStringLiteral("鼠标右键单击"),     QStringLiteral("鼠标右键双击"),
                                        QStringLiteral("鼠标左键拖动练习"), QStringLiteral("鼠标右键拖动练习")};
    for (int i = 0; i < kActions; ++i) {
        Option* option = new Option(captions[i], Frame_MT);
        option->setObjectName(QStringLiteral("Option_Test_Mouse_Mode"));
        option->setProperty("index", i);
        option->setBackColor(skin::window());
        connect(option, &Option::Click, this, [this, i] { Option_Test_Mouse_Mode_Click(i); });
        Option_Test_Mouse_Mode[i] = option;
    }

    m_hardCaption = new MSG_Label(QStringLiteral("难度："), this);
    Combo_Test_Mouse_Hard = combo({QStringLiteral("最慢"), QStringLiteral("比较慢"), QStringLiteral("一般"),
                                   QStringLiteral("比较快"), QStringLiteral("最快")},
                                  this, "Combo_Test_Mouse_Hard");
    m_backPicCaption = new MSG_Label(QStringLiteral("背景："), this);
    Combo_Test_Mouse_BackPic =
        combo({QStringLiteral("无背景"), QStringLiteral("草地"), QStringLiteral("木地板"), QStringLiteral("厨房"),
               QStringLiteral("沙滩"), QStringLiteral("雪地"), QStringLiteral("树林")},
              this, "Combo_Test_Mouse_BackPic");
    connect(Combo_Test_Mouse_Hard, &QComboBox::currentIndexChanged, this, &MousePage::Combo_Test_Mouse_Hard_Click);
    connect(Combo_Test_Mouse_BackPic, &QComboBox::currentIndexChanged, this,
            &MousePage::Combo_Test_Mouse_BackPic_Click);

    CMD_Test_Mouse_Pause = new Cmd(QStringLiteral("暂停"), this);
    CMD_Test_Mouse_Pause->setObjectName(QStringLiteral("CMD_Test_Mouse_Pause"));
    CMD_Test_Mouse_Pause->setCMDType(2);
    connect(CMD_Test_Mouse_Pause, &Cmd::Click, this, &MousePage::CMD_Test_Mouse_Pause_Click);

    Label_M_MSG = new MSG_Label(QStringLiteral("本练习有助于初学电脑的人快速掌握鼠标的定位与操作。"), this);
    Label_M_MSG->setObjectName(QStringLiteral("Label_M_MSG"));
    Label_M_MSG->setForeColor(kHint);
}

void MousePage::placeControls()
{
    Image_Test_Mouse->setGeometry(kPlayArea);
    Image_MT->setGeometry(kTarget.translated(-kPlayArea.topLeft()));

    const int right = kPlayArea.right();
    const int statusHeight = Label_M_RW->sizeHint().height();
    Label_M_RW->setGeometry(kPlayArea.left() + 4, kStatusTop, 420, statusHeight);
    Label_M_Time->setGeometry(right - 300, kStatusTop, 296, statusHeight);

    // The six actions in two rows: left button above, right button below.
    Frame_MT->setGeometry(kPlayArea.left(), kChoicesTop, 420, kChoicesHeight);
    const int column = (Frame_MT->width() - 16) / 3;
    for (int i = 0; i < kActions; ++i) {
        Option* option = Option_Test_Mouse_Mode[i];
        const int row = i < 4 ? i % 2 : i - 4;
        const int col = i < 4 ? i / 2 : 2;
        const int h = option->sizeHint().height();
        option->setGeometry(8 + col * column, 6 + row * 26 + (24 - h) / 2, column, h);
    }

    // Difficulty and background, then the pause button at the right.
    const QList<QWidget*> captions = {m_hardCaption, m_backPicCaption};
    const QList<QComboBox*> combos = {Combo_Test_Mouse_Hard, Combo_Test_Mouse_BackPic};
    const int comboLeft = Frame_MT->geometry().right() + 16;
    for (int i = 0; i < 2; ++i) {
        const int top = kChoicesTop + i * 33;
        const int h = captions[i]->sizeHint().height();
        captions[i]->setGeometry(comboLeft, top + (28 - h) / 2, 48, h);
        combos[i]->setGeometry(comboLeft + 48, top, 120, 28);
    }
    CMD_Test_Mouse_Pause->setGeometry(right - 120, kChoicesTop + 4, 120, kChoicesHeight - 8);

    const int hintHeight = Label_M_MSG->sizeHint().height();
    Label_M_MSG->setGeometry(kPlayArea.left() + 4, kHintTop, kPlayArea.width() - 8, hintHeight);
}

void MousePage::paintEvent(QPaintEvent* e)
{
    My_Frame::paintEvent(e);
    QPainter p(this);
    p.setPen(skin::border());
    p.drawRect(kPlayArea.adjusted(-1, -1, 0, 0));
}

void MousePage::connectMice()
{
    for (MouseSprite* sprite : Image_Mouse) {
        connect(sprite, &MouseSprite::pressed, this, [this](int m, bool left) { m_field.press(m, left); });
        connect(sprite, &MouseSprite::clicked, this, [this](int m) {
            m_field.click(m);
            showField();
        });
        connect(sprite, &MouseSprite::doubleClicked, this, [this](int m) {
            m_field.doubleClick(m);
            showField();
        });
        connect(sprite, &MouseSprite::moved, this, [this](int m, QPoint at) {
            if (m == m_field.dragged()) {
                m_field.dragMove(m, at.x() * kTwips, at.y() * kTwips);
                showField();
            }
        });
        connect(sprite, &MouseSprite::released, this, [this](int) { m_field.endDrag(); });
    }
}

const QPixmap& MousePage::iconPicture(int icon)
{
    auto it = m_icons.find(icon);
    if (it == m_icons.end()) {
        it = m_icons.insert(icon, QPixmap::fromImage(pngImage(m_folder + mousepictures::iconFile(icon))));
    }
    return *it;
}

void MousePage::showField()
{
    for (int m = 0; m < MouseField::kMice; ++m) {
        const MouseField::Mouse& mouse = m_field.mouse(m);
        MouseSprite* sprite = Image_Mouse[m];
        if (sprite->icon() != mouse.icon) {
            sprite->setIcon(mouse.icon);
            sprite->setPicture(iconPicture(mouse.icon));
        }
        sprite->move(QPoint(mouse.left / kTwips, mouse.top / kTwips) - kPlayArea.topLeft());
    }
    Label_M_RW->setCaption(m_field.countsText());
}

int MousePage::chosenAction() const
{
    for (int i = 0; i < kActions; ++i) {
        if (Option_Test_Mouse_Mode[i]->Value()) {
            return i;
        }
    }
    return 0;
}

void MousePage::start(const MouseSettings& settings, const QString& folder)
{
    if (folder != m_folder) {
        m_icons.clear();
        m_folder = folder;
    }
    // Choosing the stored entries runs their handlers, also when an entry
    // is already the current one.
    const QSignalBlocker blockBack(Combo_Test_Mouse_BackPic);
    const QSignalBlocker blockHard(Combo_Test_Mouse_Hard);
    Combo_Test_Mouse_BackPic->setCurrentIndex(settings.backPic);
    Combo_Test_Mouse_Hard->setCurrentIndex(settings.speed);
    Combo_Test_Mouse_BackPic_Click();
    Combo_Test_Mouse_Hard_Click();
    Option_Test_Mouse_Mode[settings.test]->setValue(true);
    Option_Test_Mouse_Mode_Click(settings.test);
    Option_Test_Mouse_Mode[settings.test]->setFocus();

    m_field.restart();
    Label_M_Time->setCaption(Drill_Time_Text(0));
    showField();
    for (MouseSprite* sprite : Image_Mouse) {
        sprite->show();
        sprite->raise();
    }
    CMD_Test_Mouse_Pause->setCaption(QStringLiteral("暂停"));
    Timer_MouseTest->setEnabled(true);
    m_seconds = 0;
    Timer_OverTime->setEnabled(true);
}

void MousePage::stop()
{
    Timer_MouseTest->setEnabled(false);
    Timer_OverTime->setEnabled(false);
    m_field.endDrag();
    Image_Test_Mouse->clear();
    Image_MT->clear();
}

MouseSettings MousePage::settings() const
{
    MouseSettings s;
    s.backPic = Combo_Test_Mouse_BackPic->currentIndex();
    s.speed = Combo_Test_Mouse_Hard->currentIndex();
    s.test = chosenAction();
    return s;
}

void MousePage::Combo_Test_Mouse_Hard_Click()
{
    Timer_MouseTest->setInterval(mouseTickInterval(Combo_Test_Mouse_Hard->currentIndex()));
}

void MousePage::Combo_Test_Mouse_BackPic_Click()
{
    const int n = Combo_Test_Mouse_BackPic->currentIndex();
    if (n <= 0) {
        Image_Test_Mouse->clear();
    } else {
        Image_Test_Mouse->load(m_folder + mousepictures::backgroundFile(n));
    }
}

void MousePage::Option_Test_Mouse_Mode_Click(int index)
{
    for (int i = 0; i < kActions; ++i) {
        if (i != index) {
            Option_Test_Mouse_Mode[i]->setValue(false);
        }
    }
    m_field.setAction(index);
    const QString target = m_folder + mousepictures::targetFile();
    if (m_field.dragAction() && Image_MT->source() != target) {
        Image_MT->load(target);
    }
}

void MousePage::CMD_Test_Mouse_Pause_Click()
{
    const bool resume = !Timer_MouseTest->isEnabled();
    Timer_MouseTest->setEnabled(resume);
    Timer_OverTime->setEnabled(resume);
    CMD_Test_Mouse_Pause->setCaption(resume ? QStringLiteral("暂停") : QStringLiteral("继续"));
    // Hidden mice cannot be hit while paused.
    m_field.endDrag();
    for (MouseSprite* sprite : Image_Mouse) {
        sprite->setVisible(resume);
    }
}

} // namespace tesmara
