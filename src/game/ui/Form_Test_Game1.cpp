#include "game/ui/Form_Test_Game1.h"

#include "app/AppState.h"
#include "app/ui/WindowRegistry.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Skin.h"
#include "controls/ui/TextData.h"
#include "game/GameSettings.h"
#include "game/ui/BoatField.h"
#include "practice/ui/MainMenus.h"
#include "practice/ui/Sounds.h"
#include "users/ui/LoginWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QUrl>

#include <cmath>

namespace tesmara::game {

namespace {

// Labels are written in pure red on a light placard.
constexpr TextLine::Colour kLabelInk = 255;
constexpr TextLine::Colour kLabelBack = 0xFFFFFF;
// Frames of the boats gliding between ticks.
constexpr int kFrameMs = 16;

int px(double twips)
{
    return int(std::lround(twips / 15.0));
}

GameLayout screenLayout(const std::optional<bool>& large)
{
    if (large) {
        GameLayout layout;
        layout.large = *large;
        return layout;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(1024, 768);
    return GameLayout::forScreen(size.width(), size.height());
}

} // namespace

Form_Test_Game1::Form_Test_Game1(QWidget* parent) : Form_Test_Game1(Services{}, parent) {}

Form_Test_Game1::Form_Test_Game1(const Services& services, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_layout(screenLayout(services.largeLayout))
{
    setObjectName(QStringLiteral("Form_Test_Game1"));
    setWindowTitle(QStringLiteral("游戏模式"));
    m_game = new BoatGame(m_layout, m_services.clock ? *m_services.clock : defaultClock(),
                          m_services.random ? *m_services.random : defaultRandom(), this);
    m_sounds = new Sounds(QString(), this);
    buildWindow();
    connectMenus();
    connect(m_game, &BoatGame::changed, this, &Form_Test_Game1::showGame);
    connect(m_game, &BoatGame::boatHit, this, [this] {
        if (!m_menus.mute->isChecked()) {
            m_sounds->playKey();
        }
    });
    connect(m_game, &BoatGame::boatEscaped, this, [this] {
        if (!m_menus.mute->isChecked()) {
            m_sounds->playWrong();
        }
    });
    m_frames.setInterval(kFrameMs);
    connect(&m_frames, &QTimer::timeout, this, [this] { showLanes(m_game->goPhase()); });
    applySettings();
    showGame();
}

Form_Test_Game1::~Form_Test_Game1() = default;

QWidget* Form_Test_Game1::open()
{
    auto* window = new Form_Test_Game1;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->activateWindow();
    return window;
}

void Form_Test_Game1::install()
{
    windowRegistry().openGameWindow = [] { return open(); };
}

void Form_Test_Game1::buildWindow()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuBar"));
    menus::styleMenuBar(bar);
    m_menus = buildGameMenus(bar);

    m_field = new BoatField(m_layout.large, this);
    m_field->setFixedSize(px(m_layout.clientWidth()), px(m_layout.clientHeight()));
    setCentralWidget(m_field);
    setFocusProxy(m_field);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (int i = 0; i < GameLayout::kLanes; ++i) {
        m_boats[i] = new Pic_Boat(i, m_field);
        m_boats[i]->hide();
    }
    // Labels ride above every boat.
    for (int i = 0; i < GameLayout::kLanes; ++i) {
        auto* label = new Text_Data(m_field);
        label->setObjectName(QStringLiteral("Text_Data"));
        label->setProperty("index", i);
        label->setFocusPolicy(Qt::NoFocus);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setBackColor(kLabelBack);
        label->setForeColor(kLabelInk);
        label->setNowColor(true);
        if (m_layout.large) {
            label->setWindow_Size(1);
        }
        label->hide();
        m_labels[i] = label;
    }

    CMD_Begin = new Cmd(QStringLiteral("开始 (F5)"), m_field);
    CMD_Begin->setObjectName(QStringLiteral("CMD_Begin"));
    CMD_Begin->setCMDType(2);
    CMD_Begin->setFocusPolicy(Qt::NoFocus);
    CMD_Begin->setGeometry(px(500), px(m_layout.beginTop()), px(1695), px(405));
    connect(CMD_Begin, &Cmd::Click, this, &Form_Test_Game1::CMD_Begin_Click);

    const auto bottomLabel = [this](const char* name, int left) {
        auto* label = new MSG_Label(m_field);
        label->setObjectName(QLatin1String(name));
        label->setFont(skin::font(10.5));
        label->move(px(left), px(m_layout.labelsTop()));
        return label;
    };
    Label_Time = bottomLabel("Label_Time", 3000);
    Label_Show = bottomLabel("Label_Show", 7500);
    // Chinese candidates open under the game time, over the edge of the quay:
    // clear of the boats and of the two counts.
    const int lineHeight = Label_Time->fontMetrics().height();
    m_field->setCandidateSpot(QRect(px(3000), px(m_layout.labelsTop()), 1, lineHeight + 2));
    connect(m_field, &BoatField::committed, this, &Form_Test_Game1::typeText);
}

void Form_Test_Game1::connectMenus()
{
    for (const auto& [item, mode] : m_menus.modeItems()) {
        connect(item, &QAction::triggered, this, [this, item, mode] {
            // The window sets the tick itself.
            item->setChecked(!item->isChecked());
            chooseMode(mode);
        });
    }
    connectItems(m_menus.speeds, this, [this](int k) { Menu_Speed_Click(k); });
    connect(m_menus.normalMode, &QAction::triggered, this, &Form_Test_Game1::Menu_Test_Mode_Click);
    connect(m_menus.ver, &QAction::triggered, this,
            [] { LoginWindow::urlOpener()(QUrl(QString::fromLatin1(kHomePage))); });
}

void Form_Test_Game1::applySettings()
{
    if (!App().Conn_User.isOpen()) {
        Menu_Speed_Click(3);
        chooseMode({});
        return;
    }
    const GameSettings settings = GameSettings::read(App().Conn_User);
    Menu_Speed_Click(settings.speed);
    chooseMode(settings.mode);
    m_menus.mute->setChecked(settings.mute);
}

void Form_Test_Game1::chooseMode(GameMode mode)
{
    m_game->chooseMode(mode);
    for (const auto& [item, itemMode] : m_menus.modeItems()) {
        item->setChecked(itemMode == mode);
    }
    // Words are lined up in narrow cells to fit their placards.
    const int textType = itemKind(mode) == ItemKind::Word ? 1 : 0;
    for (Text_Data* label : m_labels) {
        label->setTextType(textType);
    }
    setWindowTitle(modeCaption(mode));
}

void Form_Test_Game1::Menu_Speed_Click(int k)
{
    if (k < 0 || k >= m_menus.speeds.size()) {
        return;
    }
    m_game->chooseSpeed(k);
    for (int i = 0; i < m_menus.speeds.size(); ++i) {
        m_menus.speeds[i]->setChecked(i == k);
    }
    m_menus.speed->setTitle(QStringLiteral("游戏速度：") + speedCaption(k));
}

void Form_Test_Game1::Menu_Test_Mode_Click()
{
    hide();
    if (const auto openMain = windowRegistry().openMainWindow) {
        openMain();
    }
    close();
}

void Form_Test_Game1::CMD_Begin_Click()
{
    m_game->CMD_Begin_Click();
    m_field->setFocus();
}

void Form_Test_Game1::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier) {
        CMD_Begin_Click();
        event->accept();
        return;
    }
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !event->text().isEmpty()) {
        typeText(event->text());
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Form_Test_Game1::typeText(const QString& text)
{
    // A phrase committed at once is typed character by character.
    for (QChar c : text) {
        m_game->typeChar(c);
    }
}

void Form_Test_Game1::showGame()
{
    // Texts change at most once a second: unchanged ones are not redrawn.
    if (CMD_Begin->Caption() != m_game->beginCaption()) {
        CMD_Begin->setCaption(m_game->beginCaption());
    }
    for (auto [label, text] :
         {std::pair{Label_Time, m_game->timeText()}, std::pair{Label_Show, m_game->countsText()}}) {
        if (label->Caption() != text) {
            label->setCaption(text);
            label->adjustSize();
        }
    }
    showLanes(m_game->goPhase());
    const bool gliding = m_game->running() && m_game->afloat() > 0;
    if (gliding && !m_frames.isActive()) {
        m_frames.start();
    } else if (!gliding) {
        m_frames.stop();
    }
}

void Form_Test_Game1::showLanes(double phase)
{
    const double rise = m_game->speedStep() * phase;
    for (int i = 0; i < GameLayout::kLanes; ++i) {
        const Lane& lane = m_game->lane(i);
        Pic_Boat* boat = m_boats[i];
        Text_Data* label = m_labels[i];
        // The label rides at a fixed height on its boat.
        const int top = px(lane.top - (lane.state == 0 ? rise : 0.0));
        if (lane.boatVisible) {
            boat->setPicture(lane.picture);
            boat->move(px(m_layout.boatLeft(i)) - Pic_Boat::kHullX, top - Pic_Boat::kHullY);
        }
        boat->setVisible(lane.boatVisible);
        if (lane.labelVisible) {
            if (label->Text() != lane.label) {
                // Every character of a new item in the label's ink.
                label->setForeColor(kLabelInk);
                label->setText(lane.label);
            }
            label->setGeometry(px(lane.labelLeft), top + px(GameLayout::kLabelDrop), px(lane.labelWidth),
                               label->height());
        }
        label->setVisible(lane.labelVisible);
    }
}

void Form_Test_Game1::closeEvent(QCloseEvent* event)
{
    if (!m_closed) {
        m_closed = true;
        m_frames.stop();
        Database& user = App().Conn_User;
        if (user.isOpen()) {
            GameSettings::write(user, m_menus.checkedSpeed(), m_menus.checkedMode());
        }
    }
    event->accept();
}

} // namespace tesmara::game
