#include "SplitDrawing.h"

#include "ChartStyle.h"
#include "controls/ui/PictureFont.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tesmara::splitdraw {

namespace sp = splitpic;

namespace {

// The inks: the character in the skin's dark blue, eight root colours far
// apart in hue and all dark enough for thin strokes on the pale background,
// and a grey for letters the roots do not give.
const QColor kInks[sp::kInks] = {
    QColor(0x1F, 0x3A, 0x5F), // character
    QColor(0xD0, 0x30, 0x30), // red
    QColor(0x1E, 0x64, 0xD0), // blue
    QColor(0x1E, 0x8E, 0x3E), // green
    QColor(0xD9, 0x73, 0x00), // orange
    QColor(0x86, 0x3F, 0xC4), // violet
    QColor(0x0A, 0x86, 0x8A), // teal
    QColor(0xC2, 0x2E, 0x7A), // magenta
    QColor(0x8A, 0x5A, 0x2B), // brown
    QColor(0x8A, 0x94, 0xA0), // muted grey
};
// How much of the ink each level carries over the background.
constexpr qreal kShare[sp::kLevels] = {0.32, 0.66, 1.0};

// The layout, in cells: the character box on top, a rule, then the strip of
// roots over their key letters.
const QRectF kCharacterBox(0, 2, sp::kColumns, 76);
constexpr int kCharacterSize = 72;
constexpr qreal kRuleY = 81.5;
constexpr qreal kStripTop = 84;
constexpr qreal kRootHeight = 28;
constexpr qreal kLetterTop = 114;
constexpr qreal kLetterHeight = 17;
constexpr int kLetterSize = 15;
constexpr int kWidestSlot = 33;

// Roots that Unicode lacks, drawn as the character they come from with the
// root's part in full ink and the rest in the palest shade. The part is a
// box in fractions of the character's ink.
struct NamedRoot {
    const char16_t* name;
    char16_t from;
    QRectF part;
};
const NamedRoot kNamedRoots[] = {
    {u"高头", u'高', {0, 0, 1, 0.45}},      {u"牛头", u'牛', {0, 0, 1, 0.62}},  {u"具头", u'具', {0, 0, 1, 0.72}},
    {u"皮头", u'皮', {0, 0, 1, 0.42}},      {u"犭叉", u'犭', {0.3, 0, 0.7, 1}}, {u"羊底", u'羊', {0, 0.2, 1, 0.8}},
    {u"羊斜底", u'差', {0, 0.17, 1, 0.42}}, {u"虍头", u'虍', {0, 0, 1, 0.5}},   {u"母框", u'母', {0, 0, 1, 1}},
    {u"革底", u'革', {0, 0.45, 1, 0.55}},   {u"礻头", u'礻', {0, 0, 0.62, 1}},  {u"隹右", u'隹', {0.32, 0, 0.68, 1}},
    {u"业头", u'业', {0, 0, 1, 0.8}},       {u"祭头", u'祭', {0, 0, 1, 0.45}},  {u"镸", u'镸', {0, 0, 1, 1}},
};

const NamedRoot* namedRoot(const QString& root)
{
    for (const NamedRoot& n : kNamedRoots) {
        if (root == QString::fromUtf16(n.name)) {
            return &n;
        }
    }
    return nullptr;
}

// The picture being drawn: for each cell the ink and level with the most
// coverage so far.
class Canvas {
public:
    Canvas() : m_ink(size_t(sp::kRows * sp::kColumns), 0), m_level(m_ink.size(), 0) {}

    // Fills `path` in `ink`, at most at `maxLevel`, within `clip` if given.
    void fill(const QPainterPath& path, int ink, int maxLevel = sp::kLevels, const QRectF& clip = QRectF())
    {
        QImage cover(sp::kColumns, sp::kRows, QImage::Format_ARGB32_Premultiplied);
        cover.fill(Qt::transparent);
        QPainter p(&cover);
        p.setRenderHint(QPainter::Antialiasing);
        if (!clip.isNull()) {
            p.setClipRect(clip);
        }
        p.fillPath(path, Qt::white);
        p.end();
        // A hairline or a dot may nowhere cover a whole cell; the coverage is
        // taken relative to the best covered cell, so every shape has cells in
        // full ink.
        int most = 1;
        for (int y = 0; y < sp::kRows; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(cover.constScanLine(y));
            for (int x = 0; x < sp::kColumns; ++x) {
                most = std::max(most, qAlpha(line[x]));
            }
        }
        for (int y = 0; y < sp::kRows; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(cover.constScanLine(y));
            for (int x = 0; x < sp::kColumns; ++x) {
                const int a = qAlpha(line[x]) * 255 / most;
                const int level = std::min(maxLevel, a >= 200 ? 3 : a >= 110 ? 2 : a >= 36 ? 1 : 0);
                const size_t at = size_t(y * sp::kColumns + x);
                if (level > m_level[at]) {
                    m_level[at] = quint8(level);
                    m_ink[at] = quint8(ink);
                }
            }
        }
    }

    std::vector<quint8> indices() const
    {
        std::vector<quint8> out(m_ink.size(), 0);
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] = m_level[i] ? quint8(sp::colourIndex(m_ink[i], m_level[i])) : 0;
        }
        return out;
    }

private:
    std::vector<quint8> m_ink;
    std::vector<quint8> m_level;
};

// `text` in `font` with its ink centred on `centre`.
QPainterPath centredText(const QString& text, const QFont& font, const QPointF& centre)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path.translated(centre - path.boundingRect().center());
}

void drawRoot(Canvas& canvas, const QString& root, const QRectF& box, int ink)
{
    const QFont font = pictureFont(int(std::min(box.width(), box.height())));
    if (const NamedRoot* named = namedRoot(root)) {
        const QPainterPath whole = charts::rootPath(font, box, QString(QChar(named->from)));
        const QRectF ink0 = whole.boundingRect();
        const QRectF part(ink0.left() + named->part.left() * ink0.width(),
                          ink0.top() + named->part.top() * ink0.height(), named->part.width() * ink0.width(),
                          named->part.height() * ink0.height());
        canvas.fill(whole, ink, 1);
        canvas.fill(whole, ink, sp::kLevels, part.adjusted(-0.5, -0.5, 0.5, 0.5));
        return;
    }
    canvas.fill(charts::rootPath(font, box, root), ink);
}

} // namespace

std::vector<quint8> drawSplit(const wubi::Split& split)
{
    Canvas canvas;
    canvas.fill(centredText(split.character, pictureFont(kCharacterSize), kCharacterBox.center()), sp::kCharacterInk);

    QPainterPath rule;
    rule.addRect(QRectF(10, kRuleY - 0.5, sp::kColumns - 20, 1));
    canvas.fill(rule, sp::kMutedInk, 1);

    const int roots = int(split.roots.size());
    const bool rest = !split.rest.isEmpty();
    const int places = roots + (rest ? 1 : 0);
    const qreal slot = std::min<qreal>(kWidestSlot, qreal(sp::kColumns) / places);
    const qreal left = (sp::kColumns - slot * places) / 2;
    QFont letterFont = pictureFont(kLetterSize, true);
    for (int i = 0; i < places; ++i) {
        const qreal x = left + i * slot;
        const QPointF letterCentre(x + slot / 2, kLetterTop + kLetterHeight / 2);
        if (i == roots) {
            // The letters after the roots: the identification letter (under
            // 识) or the rest of a root character's code.
            if (roots > 1) {
                canvas.fill(centredText(QStringLiteral("识"), pictureFont(int(std::min<qreal>(20, slot - 4))),
                                        QPointF(letterCentre.x(), kStripTop + kRootHeight / 2)),
                            sp::kMutedInk);
            }
            canvas.fill(centredText(split.rest.toUpper(), letterFont, letterCentre), sp::kMutedInk);
            continue;
        }
        const int ink = 1 + std::min(i, sp::kMaxRoots - 1);
        drawRoot(canvas, split.roots[i], QRectF(x + 1, kStripTop, slot - 2, kRootHeight), ink);
        // Of more than four roots the code takes the first three and the
        // last; the others' letters are muted.
        const bool coded = roots <= 4 || i < 3 || i == roots - 1;
        canvas.fill(centredText(split.keys.mid(i, 1).toUpper(), letterFont, letterCentre), coded ? ink : sp::kMutedInk);
    }
    return canvas.indices();
}

QList<quint32> palette()
{
    const QColor back(int(sp::kBackVb & 0xFF), int(sp::kBackVb >> 8 & 0xFF), int(sp::kBackVb >> 16));
    // Entry 0 stands for the back colour, which colour byte 0 names.
    QList<quint32> colours{sp::kBackVb};
    for (const QColor& ink : kInks) {
        for (qreal share : kShare) {
            const QColor c = QColor::fromRgbF(back.redF() + (ink.redF() - back.redF()) * share,
                                              back.greenF() + (ink.greenF() - back.greenF()) * share,
                                              back.blueF() + (ink.blueF() - back.blueF()) * share);
            colours << (quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16);
        }
    }
    return colours;
}

QByteArray encodeRuns(const std::vector<quint8>& cells)
{
    QByteArray out;
    for (int y = sp::kRows - 1; y >= 0; --y) {
        const quint8* row = cells.data() + size_t(y) * sp::kColumns;
        for (int x = 0; x < sp::kColumns;) {
            int n = 1;
            while (x + n < sp::kColumns && n < sp::kMaxRun && row[x + n] == row[x]) {
                ++n;
            }
            out += char(row[x]);
            if (n > 1) {
                out += char(80 + n);
            }
            x += n;
        }
    }
    return out;
}

} // namespace tesmara::splitdraw
