#include "TestSupport.h"
#include "controls/ui/ProgramFonts.h"
#include "controls/ui/Skin.h"
#include "controls/ui/TextData.h"
#include "practice/ui/Sounds.h"
#include "practice/ui/TypingBoard.h"

#include <QInputMethodQueryEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QtTest>

#include <fontconfig/fontconfig.h>

using namespace tesmara;

namespace {

QString han(int count, int first = 0x4E00)
{
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QChar(char16_t(first + (i * 37) % 5000));
    }
    return text;
}

// Records the paint rectangles and the keys an object is sent.
struct EventLog : QObject {
    QList<QRect> rects;
    QList<int> keys;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            rects << static_cast<QPaintEvent*>(event)->rect();
        } else if (event->type() == QEvent::KeyPress) {
            keys << static_cast<QKeyEvent*>(event)->key();
        }
        return false;
    }
};

// Lets the board's engine fill each row it asks for with the next line.
void feed(TypingBoard& board, PracticeKind kind, int textType, std::function<QString()> next)
{
    board.engine().setKind(kind);
    QObject::connect(&board.engine(), &TypingEngine::fillRequested, &board,
                     [&board, next](int row) { board.engine().putLine(row, next()); });
    board.engine().resetRows(textType);
}

} // namespace

class TestTextData : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void programFaceWithFullFaceBehind();
    void programFacesAddedAsFontconfigReadsThem();
    void cellLayout_data();
    void cellLayout();
    void capacityFitAndSizeStepsOfALine();
    void coloursAndTakenOverPositions();
    void keysAndCommitsTypeIntoStandaloneLine();
    void caretBlinksWithFocusAndGuidesTheInputMethod();
    void typingRepaintsOnlyTheNewCell();
    void boardBurstFlowsIntoFollowingRows();
    void boardKeysAndBackspaceAcrossRows();
    void soundsLoadTheAudioLibrariesOnlyToPlay();
};

void TestTextData::initTestCase()
{
    // As the program does, before anything asks for a font.
    addProgramFonts(programFontFiles(test::stageDir()));
}

void TestTextData::programFaceWithFullFaceBehind()
{
    const auto facesOf = [](const QString& text) {
        QTextLayout layout(text, skin::font(12));
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        QStringList faces;
        for (const QGlyphRun& run : layout.glyphRuns()) {
            faces << run.rawFont().familyName();
        }
        return faces;
    };
    QCOMPARE(facesOf(QStringLiteral("登录 Tesmara，“文章”")), QStringList{QStringLiteral("Tesmara Sans")});
    // Outside GB 2312: the full face, in its mainland forms.
    QCOMPARE(facesOf(QStringLiteral("喆")), QStringList{QStringLiteral("Noto Sans CJK SC")});
    Text_Data line;
    QCOMPARE(line.Font().families().constFirst(), QStringLiteral("Tesmara Sans"));
}

void TestTextData::programFacesAddedAsFontconfigReadsThem()
{
    // Whether fontconfig has a face as reading the file would give it.
    const auto addedAsRead = [](const QString& file) {
        const QByteArray path = QFile::encodeName(file);
        int count = 0;
        FcPattern* read = FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(path.constData()), 0, nullptr, &count);
        if (read == nullptr || !FcConfigSubstitute(nullptr, read, FcMatchScan)) {
            return false;
        }
        bool same = false;
        const FcFontSet* added = FcConfigGetFonts(nullptr, FcSetApplication);
        for (int i = 0; added != nullptr && i < added->nfont; ++i) {
            FcChar8* addedFile = nullptr;
            if (FcPatternGetString(added->fonts[i], FC_FILE, 0, &addedFile) == FcResultMatch &&
                path == reinterpret_cast<const char*>(addedFile)) {
                same = FcPatternEqual(read, added->fonts[i]);
            }
        }
        FcPatternDestroy(read);
        return same;
    };
    // The descriptions the build wrote beside the faces, taken at start.
    const QStringList staged = programFontFiles(test::stageDir());
    QCOMPARE(staged.size(), 2);
    for (const QString& file : staged) {
        QVERIFY2(addedAsRead(file), qPrintable(file));
    }
    // A description of another face is not: the face is read.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("fonts/TesmaraSans-Bold.otf"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("fonts")) && QFile::copy(staged.constFirst(), copy));
    QVERIFY(QFile::copy(test::stageDir() + QStringLiteral("/fonts/TesmaraSans-Regular.fcdesc"),
                        dir.filePath(QStringLiteral("fonts/TesmaraSans-Bold.fcdesc"))));
    addProgramFonts(programFontFiles(dir.path()));
    QVERIFY(addedAsRead(copy));
}

void TestTextData::capacityFitAndSizeStepsOfALine()
{
    Text_Data line;
    const QString text = han(35);
    line.setText(text);
    QCOMPARE(line.CountLen(), qint16(30));
    QCOMPARE(line.Text(), text.left(30));
    line.setTextType(1);
    line.setText(text);
    QCOMPARE(line.CountLen(), qint16(35));
    line.setText(QString(70, QLatin1Char('x')));
    QCOMPARE(line.CountLen(), qint16(60));
    // Going back to full-width cells cuts the line again.
    line.setTextType(0);
    QCOMPARE(line.CountLen(), qint16(30));

    // Mixed cells: each as wide as its character.
    line.resize(100, 27); // 1500 twips
    line.setTextType(2);
    line.setText(QStringLiteral("ab中文"));
    QCOMPARE(line.Get_Set(), QStringLiteral("15|203|391|766"));
    // "字" would end at 1516, past the 1500 twips.
    QCOMPARE(line.line().mixedFit(QStringLiteral("ab中文字")), 4);
    QCOMPARE(line.line().mixedFit(QStringLiteral("abcdefg")), 7);
    line.resize(2000, 27);
    QCOMPARE(line.line().mixedFit(QString(80, QLatin1Char('x'))), 60);
    // The larger steps, right at the edge.
    QCOMPARE(TextLine::mixedFit(QStringLiteral("中文"), 1, 15 + 2 * 435), 2);
    QCOMPARE(TextLine::mixedFit(QStringLiteral("中文"), 1, 15 + 2 * 435 - 1), 1);
    QCOMPARE(TextLine::mixedFit(QStringLiteral("ab"), 2, 15 + 2 * 270), 2);

    // Size steps set the height and the cells, laid out again.
    line.setTextType(0);
    line.setText(QStringLiteral("一二"));
    QCOMPARE(line.height(), 27);
    line.setWindow_Size(1);
    QCOMPARE(line.height(), 32);
    QCOMPARE(line.line().cellWidth(), qint16(435));
    QCOMPARE(line.Get_Set(), QStringLiteral("15|450")); // laid out again
    line.setWindow_Size(2);
    QCOMPARE(line.height(), 40);
    QCOMPARE(line.Font().pixelSize(), 35);
    line.resize(line.width(), 90);
    QCOMPARE(line.height(), 40); // height stays that of the size step
    line.setWindow_Size(7);      // not a size step
    QCOMPARE(line.Window_Size(), 2);
}

void TestTextData::cellLayout_data()
{
    QTest::addColumn<int>("textType");
    QTest::addColumn<int>("windowSize");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("positions");
    QTest::addColumn<int>("caret");
    QTest::addRow("narrow in full cells, size 1") << 0 << 1 << QStringLiteral("A") << QStringLiteral("125") << 480;
    QTest::addRow("three wide, size 0") << 0 << 0 << QStringLiteral("一二三") << QStringLiteral("15|390|765")
                                        << 765 + 375 + 30;
    QTest::addRow("wide then narrow, size 0")
        << 0 << 0 << QStringLiteral("一a，") << QStringLiteral("15|482|765") << 765 + 375 + 30;
    QTest::addRow("narrow set off, size 2")
        << 0 << 2 << QStringLiteral("ab") << QStringLiteral("142|684") << 684 + 405 + 30;
    QTest::addRow("half cells, size 0") << 1 << 0 << QStringLiteral("ab") << QStringLiteral("15|203") << 203 + 188 + 30;
    QTest::addRow("half cells, size 2") << 1 << 2 << QStringLiteral("abc") << QStringLiteral("15|285|555")
                                        << 555 + 270 + 30;
    QTest::addRow("half-width form is narrow")
        << 0 << 0 << QStringLiteral("ｱ") << QStringLiteral("108") << 108 + 281 + 30;
}

void TestTextData::cellLayout()
{
    QFETCH(int, textType);
    QFETCH(int, windowSize);
    QFETCH(QString, text);
    Text_Data line;
    line.setTextType(textType);
    line.setWindow_Size(windowSize);
    line.setText(text);
    QTEST(line.Get_Set(), "positions");
    QTEST(line.line().caretX(), "caret");
}

void TestTextData::coloursAndTakenOverPositions()
{
    Text_Data line;
    line.setText(QStringLiteral("甲乙丙"));
    QCOMPARE(line.line().drawColour(0), TextLine::kDimPlain);
    line.SetColor(2, 0x00FF00);
    QCOMPARE(line.line().drawColour(1), TextLine::kDimMarked);
    line.setNowColor(true);
    QCOMPARE(line.line().drawColour(1), 0x00FF00u);
    QCOMPARE(line.line().drawColour(0), 0u);
    line.SetColor(0, 255);
    line.SetColor(61, 255);
    QCOMPARE(line.line().colour(0), 0u);
    // Writing a shorter text clears the colours past its end; an empty text
    // clears them all.
    line.SetColor(3, 255);
    line.setText(QStringLiteral("甲乙"));
    QCOMPARE(line.line().colour(2), 0u);
    QCOMPARE(line.line().colour(1), 0x00FF00u);
    line.setText(QString());
    QCOMPARE(line.line().colour(1), 0u);
    line.setForeColor(0x123456);
    QCOMPARE(line.line().colour(59), 0x123456u);

    // Positions taken over from another line.
    line.setForeColor(0);
    line.setTextType(2);
    line.setSetSame(true);
    line.Set_Set(QStringLiteral("15|390"));
    QCOMPARE(line.line().position(0), qint16(15));
    QCOMPARE(line.line().position(1), qint16(390));
    for (int i = 2; i < TextLine::kCells; ++i) {
        QCOMPARE(line.line().position(i), qint16(0));
    }
    // A line drawn over taken-over positions puts its caret at the next one.
    line.setText(QStringLiteral("中"));
    QCOMPARE(line.line().caretX(), 390);
    QCOMPARE(line.Get_Set(), QStringLiteral("15"));
    line.setText(QString());
    QCOMPARE(line.line().caretX(), TextLine::kCaretStartTwips);
    // A mark taken back with its character does not come back with the
    // next character typed there.
    line.setText(QStringLiteral("中文"));
    line.SetColor(2, 255);
    line.setText(QStringLiteral("中"));
    line.setText(QStringLiteral("中文"));
    QCOMPARE(line.line().colour(1), 0u);
}

// The holder sees every character, typed or committed by an input method,
// as one key press it may cancel or replace; a preedit is never typed.
void TestTextData::keysAndCommitsTypeIntoStandaloneLine()
{
    Text_Data line;
    line.setTextType(1);
    QSignalSpy change(&line, &Text_Data::Change);
    QTest::keyClick(&line, Qt::Key_Backspace);
    QCOMPARE(change.count(), 0); // nothing to remove
    QTest::keyClicks(&line, QStringLiteral("ab"));
    QCOMPARE(line.Text(), QStringLiteral("ab"));
    QCOMPARE(change.count(), 2);
    QTest::keyClick(&line, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&line, Qt::Key_X, Qt::AltModifier);
    QTest::keyClick(&line, Qt::Key_Return);
    QTest::keyClick(&line, Qt::Key_Escape);
    QCOMPARE(line.Text(), QStringLiteral("ab"));
    QTest::keyClick(&line, Qt::Key_Backspace);
    QCOMPARE(line.Text(), QStringLiteral("a"));
    QCOMPARE(change.count(), 3);
    // Keys that type nothing reach the window holding the line.
    QWidget window;
    auto* held = new Text_Data(&window);
    EventLog log;
    window.installEventFilter(&log);
    QTest::keyClick(held, Qt::Key_F5);
    QTest::keyClick(held, Qt::Key_A);
    QCOMPARE(log.keys, QList<int>{Qt::Key_F5});

    line.setText(QString());
    QString pressed;
    connect(&line, &Text_Data::KeyPress, &line, [&](int& c) {
        pressed += QChar(c);
        if (c == 'x') {
            c = 0;
        } else if (c == 'y') {
            c = 'Y';
        }
    });
    QTest::keyClicks(&line, QStringLiteral("axy"));
    QCOMPARE(line.Text(), QStringLiteral("aY"));
    test::commitText(&line, QString(), QStringLiteral("zhong"));
    QCOMPARE(line.preeditText(), QStringLiteral("zhong"));
    QCOMPARE(line.Text(), QStringLiteral("aY"));
    test::commitText(&line, QStringLiteral("中华人民共和国"));
    QCOMPARE(line.preeditText(), QString());
    QCOMPARE(pressed, QStringLiteral("axy中华人民共和国"));
    QCOMPARE(line.Text(), QStringLiteral("aY中华人民共和国"));
}

void TestTextData::caretBlinksWithFocusAndGuidesTheInputMethod()
{
    QWidget window;
    auto* line = new Text_Data(&window);
    auto* other = new Text_Data(&window);
    other->move(0, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    line->setFocus();
    QTRY_VERIFY(line->hasFocus());
    QVERIFY(line->caretShown());
    QVERIFY(line->caretBlinking());
    line->blinkCaret();
    QVERIFY(!line->caretShown());
    line->blinkCaret();
    QVERIFY(line->caretShown());
    other->setFocus();
    QTRY_VERIFY(!line->hasFocus());
    QVERIFY(!line->caretShown());
    QVERIFY(!line->caretBlinking());
    // Disabling stops the caret; the widget follows the line's state.
    other->setEnabledState(false);
    QVERIFY(!other->isEnabled());
    QVERIFY(!other->caretBlinking());
    other->setEnabled(true);
    QVERIFY(other->Enabled());

    // The input method is told where the caret is.
    QInputMethodQueryEvent before(Qt::ImCursorRectangle | Qt::ImFont | Qt::ImEnabled);
    QCoreApplication::sendEvent(line, &before);
    const QRect start = before.value(Qt::ImCursorRectangle).toRect();
    QCOMPARE(start, line->caretRect());
    QCOMPARE(start.left(), 3); // (30 + 15) twips
    QVERIFY(before.value(Qt::ImEnabled).toBool());
    QCOMPARE(before.value(Qt::ImFont).value<QFont>().pixelSize(), 24);

    test::commitText(line, QStringLiteral("一二"));
    QInputMethodQueryEvent after(Qt::ImCursorRectangle);
    QCoreApplication::sendEvent(line, &after);
    const QRect moved = after.value(Qt::ImCursorRectangle).toRect();
    QCOMPARE(moved.left(), (30 + 765 + 30) / 15); // after two cells of 375
    QCOMPARE(moved.top(), start.top());
    QCOMPARE(moved.height(), start.height());
}

void TestTextData::typingRepaintsOnlyTheNewCell()
{
    QWidget window;
    auto* line = new Text_Data(&window);
    line->resize(877, 27);
    line->setNowColor(true);
    line->setText(han(10));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    EventLog log;
    line->installEventFilter(&log);
    test::commitText(line, QStringLiteral("字"));
    QTRY_VERIFY(!log.rects.isEmpty());
    QRect painted;
    for (const QRect& r : log.rects) {
        painted |= r;
    }
    // One cell of 25 px and the caret, not the line.
    QVERIFY2(painted.width() < 2 * 25 + 8, qPrintable(QStringLiteral("painted %1 px").arg(painted.width())));
    QVERIFY(painted.left() >= (30 + 10 * 375) / 15 - 2);
}

void TestTextData::boardBurstFlowsIntoFollowingRows()
{
    QString text = han(1500, 0x4E00);
    int next = 0;
    TypingBoard board;
    feed(board, PracticeKind::Chinese, 0, [&] { return text.mid((next += 30) - 30, 30); });
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    board.engine().beginRun();
    QCOMPARE(board.findChildren<Text_Data*>(QStringLiteral("Text_Input")).size(), 7);
    QCOMPARE(board.findChildren<Text_Data*>(QStringLiteral("Text_Top")).at(3)->property("index").toInt(), 3);

    QString typedInOrder;
    connect(&board.engine(), &TypingEngine::rowCompleted, &board,
            [&](int row) { typedInOrder += board.input(row)->Text(); });
    test::commitText(board.input(0), text.left(500));
    const int active = board.engine().activeRow();
    typedInOrder += board.input(active)->Text();
    QCOMPARE(typedInOrder, text.left(500));
    QCOMPARE(board.engine().Right_Count, 500);
    QCOMPARE(board.engine().Wrong_Count, 0);
    QCOMPARE(active, (500 / 30) % 7);
    QCOMPARE(board.input(active)->Text(), text.mid(480, 20));
    for (int r = 0; r < 7; ++r) {
        QCOMPARE(board.input(r)->isEnabled(), r == active);
    }
}

void TestTextData::boardKeysAndBackspaceAcrossRows()
{
    QStringList lines = {QStringLiteral("ab"), QStringLiteral("cd"), QStringLiteral("ef"), QStringLiteral("gh")};
    TypingBoard board;
    feed(board, PracticeKind::English, 1, [&] { return lines.isEmpty() ? QString() : lines.takeFirst(); });
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    board.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&board));
    QSignalSpy focused(&board, &TypingBoard::rowFocused);
    board.engine().beginRun();
    QTRY_VERIFY(board.input(0)->hasFocus());
    QCOMPARE(focused.count(), 1);
    QCOMPARE(focused.last().at(0).toInt(), 0);
    QTest::keyClicks(board.input(0), QStringLiteral("aX"));
    QCOMPARE(board.engine().activeRow(), 1);
    QTRY_VERIFY(board.input(1)->hasFocus());
    QCOMPARE(focused.last().at(0).toInt(), 1);
    QCOMPARE(board.top(0)->line().colour(1), TypingEngine::kWrongColour);
    QCOMPARE(board.top(1)->BackColor(), uint(TypingEngine::kActiveBack));
    // Ctrl+F5 types nothing; a commit that follows is not swallowed.
    QTest::keyClick(board.input(1), Qt::Key_F5, Qt::ControlModifier);
    test::commitText(board.input(1), QStringLiteral("c"));
    QCOMPARE(board.input(1)->Text(), QStringLiteral("c"));
    QTest::keyClick(board.input(1), Qt::Key_Backspace);
    QCOMPARE(board.input(1)->Text(), QString());
    QTest::keyClick(board.input(1), Qt::Key_Backspace); // back into row 0
    QTRY_VERIFY(board.input(0)->hasFocus());
    QCOMPARE(board.input(0)->Text(), QStringLiteral("a"));
    QCOMPARE(board.top(0)->line().colour(1), 0u);
    QCOMPARE(board.engine().Wrong_Count, 0);
    QTest::keyClick(board.input(0), Qt::Key_B);
    QCOMPARE(board.engine().activeRow(), 1);
    QCOMPARE(board.engine().Right_Count, 2);
}

namespace {

bool audioLibrariesLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Multimedia");
}

} // namespace

// The program does not link the audio libraries: the sound module brings
// them in with the first sound, which then starts when the system has an
// audio output. Playback is never forced here: a machine without a sound
// server (a build machine) would keep the audio client alive at exit.
void TestTextData::soundsLoadTheAudioLibrariesOnlyToPlay()
{
    Sounds::setModuleFolder(test::stageDir());
    Sounds sounds(test::stageDir());
    TypingBoard board;
    board.setSounds(&sounds);
    feed(board, PracticeKind::English, 1, [] { return QStringLiteral("abc"); });
    board.engine().beginRun();
    QVERIFY(!audioLibrariesLoaded());
    board.engine().type(QStringLiteral("x")); // the wrong sound
    QVERIFY(audioLibrariesLoaded());
    const int started = sounds.hasOutput() ? 1 : 0;
    QCOMPARE(sounds.started(), started);
    // Without an output nothing starts.
    sounds.setOutputCheck([] { return false; });
    board.engine().type(QStringLiteral("y"));
    QCOMPARE(board.engine().Wrong_Count, 2);
    QCOMPARE(sounds.started(), started);
}

QTEST_MAIN(TestTextData)
#include "tst_textdata.moc"
