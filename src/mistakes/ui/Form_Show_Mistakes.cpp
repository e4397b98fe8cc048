#include "mistakes/ui/Form_Show_Mistakes.h"

#include "app/Clock.h"
#include "app/Msg.h"
#include "articles/ArticleEditor.h"
#include "articles/ui/ManagerLook.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/My_Frame.h"
#include "controls/ui/Skin.h"
#include "controls/ui/TS.h"
#include "mistakes/MistakeStore.h"
#include "mistakes/MistakeTally.h"
#include "mistakes/WeakDrill.h"
#include "mistakes/ui/HeatMapView.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tesmara {

namespace {

enum Column { ColChar, ColTotal, ColWrong, ColRate, ColSubs, ColumnCount };

const MistakePeriod kPeriods[] = {MistakePeriod::Week, MistakePeriod::Month, MistakePeriod::All};
constexpr int kDefaultPeriod = 1;

// The error rate as a bar in the rate's colour beside its number.
class RateDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // The cell's background and selection as the style draws them, the
        // text by hand beside the bar.
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        const QString text = plain.text;
        plain.text.clear();
        const QWidget* view = option.widget;
        (view ? view->style() : QApplication::style())->drawControl(QStyle::CE_ItemViewItem, &plain, p, view);

        const double rate = index.data(Qt::UserRole).toDouble();
        const QRect r = option.rect.adjusted(8, 0, -10, 0);
        const int textWidth = 54;
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(option.state & QStyle::State_Selected ? QColor(Qt::white) : skin::text());
        p->drawText(QRect(r.left(), r.top(), textWidth, r.height()), Qt::AlignVCenter | Qt::AlignRight, text);
        const QRectF track(r.left() + textWidth + 10, r.center().y() - 4, r.width() - textWidth - 10, 8);
        p->setPen(Qt::NoPen);
        p->setBrush(QColor(0xE6, 0xEE, 0xF6));
        p->drawRoundedRect(track, 4, 4);
        // A quarter wrong fills the track: rates that matter are small.
        const double filled = std::clamp(rate / 0.25, 0.04, 1.0);
        const QColor colour = HeatMapView::rateColour(rate);
        p->setBrush(colour);
        p->setPen(QPen(colour.darker(125), 1));
        p->drawRoundedRect(QRectF(track.topLeft(), QSizeF(track.width() * filled, track.height())), 4, 4);
        p->restore();
    }
};

Cmd* makeButton(QWidget* parent, const char* name, const QString& caption, int type = 0)
{
    auto* b = new Cmd(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setCMDType(type);
    b->setMinimumWidth(104);
    return b;
}

QTableWidgetItem* cell(const QString& text, Qt::Alignment align = Qt::AlignCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

void styleTable(QTableWidget* table)
{
    table->setFont(skin::font(10));
    table->setStyleSheet(
        QStringLiteral("QTableWidget { background: %1; border: 1px solid %2; border-radius: 3px; color: %3;"
                       " gridline-color: #e3ecf5; selection-background-color: %4; selection-color: white; }"
                       "QHeaderView::section { background: #eef5fc; color: %3; border: none;"
                       " border-bottom: 1px solid %2; padding: 4px 6px; }")
            .arg(skin::field().name(), skin::border().name(), skin::text().name(), skin::borderHot().name()));
    table->setColumnCount(ColumnCount);
    table->setHorizontalHeaderLabels({QStringLiteral("字（键）"), QStringLiteral("练习次数"), QStringLiteral("打错"),
                                      QStringLiteral("错误率"), QStringLiteral("常打成")});
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(30);
    table->setShowGrid(false);
    table->setAlternatingRowColors(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus);
    QHeaderView* header = table->horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionResizeMode(ColSubs, QHeaderView::Stretch);
    table->setColumnWidth(ColChar, 96);
    table->setColumnWidth(ColTotal, 86);
    table->setColumnWidth(ColWrong, 72);
    table->setColumnWidth(ColRate, 210);
    table->setItemDelegateForColumn(ColRate, new RateDelegate(table));
}

} // namespace

Form_Show_Mistakes::Form_Show_Mistakes(MistakeStore& store, ArticleEditor& editor, int kind, QWidget* parent)
    : QDialog(parent), m_store(store), m_editor(editor)
{
    setObjectName(QStringLiteral("Form_Show_Mistakes"));
    setWindowTitle(QStringLiteral("错误统计"));
    applyManagerLook(this);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(12, 10, 12, 12);
    root->setSpacing(8);

    m_kinds = new TS(this);
    m_kinds->setObjectName(QStringLiteral("TS_Kind"));
    m_kinds->setTabCount(kMistakeTabs);
    for (int tab = 0; tab < kMistakeTabs; ++tab) {
        m_kinds->Set_Text(tab, Mistake_Tab_Caption(tab));
    }
    m_kinds->Make_Form();
    root->addWidget(m_kinds);

    auto* panel = new My_Frame(this);
    panel->setObjectName(QStringLiteral("Frame_Mistakes"));
    panel->setBackColor(QColor(0xFB, 0xFD, 0xFF));
    auto* inner = new QVBoxLayout(panel);
    inner->setContentsMargins(12, 10, 12, 12);
    inner->setSpacing(8);

    auto* top = new QHBoxLayout;
    m_summary = new MSG_Label(panel);
    m_summary->setObjectName(QStringLiteral("Label_Sum"));
    m_summary->setFont(skin::font(10));
    top->addWidget(m_summary, 1, Qt::AlignVCenter);
    m_periods = new TS(panel);
    m_periods->setObjectName(QStringLiteral("TS_Period"));
    m_periods->setTSType(1);
    m_periods->setTSETrue(true);
    m_periods->setTabCount(int(std::size(kPeriods)));
    for (int i = 0; i < int(std::size(kPeriods)); ++i) {
        m_periods->Set_Text(i, Period_Caption(kPeriods[i]));
    }
    m_periods->setTSWhoUp(kDefaultPeriod);
    m_periods->Make_Form();
    m_periods->setFixedWidth(300);
    top->addWidget(m_periods);
    inner->addLayout(top);

    m_heatMap = new HeatMapView(panel);
    inner->addWidget(m_heatMap, 0, Qt::AlignHCenter);

    m_tableTitle =
        new MSG_Label(QStringLiteral("最容易打错的字和键（按错误率排列，只练过几次的字排得靠后一些）"), panel);
    m_tableTitle->setObjectName(QStringLiteral("Label_Weak"));
    m_tableTitle->setFont(skin::font(10));
    inner->addWidget(m_tableTitle);
    m_table = new QTableWidget(panel);
    m_table->setObjectName(QStringLiteral("Grid_Weak"));
    styleTable(m_table);
    inner->addWidget(m_table, 1);
    // The word shown instead of the table, a little above the middle of the
    // room the table would take.
    m_emptyBox = new QWidget(panel);
    auto* emptyLayout = new QVBoxLayout(m_emptyBox);
    emptyLayout->setContentsMargins(0, 0, 0, 0);
    m_empty = new MSG_Label(m_emptyBox);
    m_empty->setObjectName(QStringLiteral("Label_Empty"));
    m_empty->setFont(skin::font(11));
    m_empty->setAlignment(2);
    m_empty->setForeColor(QColor(0x4A, 0x66, 0x80));
    m_empty->setMinimumHeight(90);
    emptyLayout->addStretch(2);
    emptyLayout->addWidget(m_empty);
    emptyLayout->addStretch(3);
    inner->addWidget(m_emptyBox, 1);
    root->addWidget(panel, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    m_reset = makeButton(this, "CMD_Reset", QStringLiteral("清空统计..."));
    m_drill = makeButton(this, "CMD_Drill", QStringLiteral("生成弱项练习"), 2);
    m_drill->setMinimumWidth(132);
    Cmd* ok = makeButton(this, "CMD_Ok", QStringLiteral("关闭"));
    buttons->addWidget(m_reset);
    buttons->addStretch(1);
    buttons->addWidget(m_drill);
    buttons->addSpacing(12);
    buttons->addWidget(ok);
    root->addLayout(buttons);

    connect(m_kinds, &TS::Click, this, &Form_Show_Mistakes::Load_Mistakes);
    connect(m_periods, &TS::Click, this, &Form_Show_Mistakes::Load_Mistakes);
    connect(m_drill, &Cmd::Click, this, &Form_Show_Mistakes::CMD_Drill_Click);
    connect(m_reset, &Cmd::Click, this, &Form_Show_Mistakes::CMD_Reset_Click);
    connect(ok, &Cmd::Click, this, &QDialog::accept);
    // Practising a drill just saved closes the window over the practice.
    connect(&m_editor, &ArticleEditor::practiceRequested, this, &QDialog::accept);

    if (m_store.refused()) {
        m_unusable = QStringLiteral("错误统计文件不能使用，这次既不记录也不显示错误统计。");
    }
    // The practice the user is on, when it has statistics at all.
    const bool kindKnown = kind >= 0 && kind < kMistakeTabs - 1;
    m_kinds->setTSWhoUp(kindKnown && m_store.read(kind, MistakePeriod::All).runs > 0 ? kind + 1 : 0);
    Load_Mistakes();

    // Large enough for the whole keyboard and a dozen rows, within the
    // screen.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(qMin(1000, room.width() - 24), qMin(860, room.height() - 48));
}

void Form_Show_Mistakes::resizeEvent(QResizeEvent* e)
{
    // The table keeps room for about eight rows: in a low window the
    // keyboard is drawn smaller first.
    m_heatMap->setMaximumHeight(qMax(m_heatMap->minimumSizeHint().height(), int(height() * 0.38)));
    QDialog::resizeEvent(e);
}

int Form_Show_Mistakes::currentKind() const
{
    return Mistake_Tab_Kind(m_kinds->TSWhoUp());
}

MistakePeriod Form_Show_Mistakes::currentPeriod() const
{
    return kPeriods[std::clamp(m_periods->TSWhoUp(), 0, int(std::size(kPeriods)) - 1)];
}

void Form_Show_Mistakes::Load_Mistakes()
{
    m_figures = m_store.read(currentKind(), currentPeriod());
    if (!m_figures.ok && m_unusable.isEmpty()) {
        m_unusable = QStringLiteral("读取错误统计时出错，下次打开时会把统计文件改名保存并重新建立。");
    }
    const QList<CharFigures> weakest = Weakest(m_figures.chars);
    m_heatMap->setHeat(Key_Heat(m_figures.chars));
    const bool usable = m_unusable.isEmpty();
    m_summary->setCaption(usable ? Period_Caption(currentPeriod()) + QStringLiteral("：") + Summary_Text(m_figures)
                                 : QString());
    m_drill->setEnabled(usable && !weakest.isEmpty());
    m_reset->setEnabled(usable && m_figures.runs + m_figures.right + m_figures.wrong > 0);

    if (!usable) {
        showEmpty(m_unusable);
    } else if (!m_store.hasHistory()) {
        showEmpty(
            QStringLiteral("还没有错误统计。\r\n每完成一次完整的练习（指法练习在离开练习页面时），这里就会记下"
                           "每个字和每个键打对、打错的次数，\r\n列出最容易打错的字，并能用它们生成专门的弱项练习。"));
    } else if (m_figures.runs == 0 && m_figures.chars.isEmpty()) {
        showEmpty(QStringLiteral("%1没有“%2”的统计。\r\n换一个练习种类或时间范围看看。")
                      .arg(Period_Caption(currentPeriod()), Mistake_Tab_Caption(m_kinds->TSWhoUp())));
    } else if (weakest.isEmpty()) {
        showEmpty(QStringLiteral("%1一个字也没有打错，真棒！").arg(Period_Caption(currentPeriod())));
    } else {
        showTable(weakest);
    }
}

void Form_Show_Mistakes::showEmpty(const QString& text)
{
    m_table->setRowCount(0);
    m_table->hide();
    m_tableTitle->hide();
    m_empty->setCaption(text);
    m_emptyBox->show();
}

void Form_Show_Mistakes::showTable(const QList<CharFigures>& weakest)
{
    m_emptyBox->hide();
    m_tableTitle->show();
    m_table->show();
    const int rows = int(qMin<qsizetype>(weakest.size(), kTableRows));
    m_table->setUpdatesEnabled(false);
    m_table->clearContents();
    m_table->setRowCount(rows);
    QFont big = skin::font(14);
    for (int row = 0; row < rows; ++row) {
        const CharFigures& c = weakest[row];
        QTableWidgetItem* ch = cell(keyCaption(c.ch));
        ch->setFont(isPadKey(c.ch) || keyCaption(c.ch).size() > 1 ? m_table->font() : big);
        m_table->setItem(row, ColChar, ch);
        m_table->setItem(row, ColTotal, cell(QString::number(c.total())));
        m_table->setItem(row, ColWrong, cell(QString::number(c.wrong)));
        QTableWidgetItem* rate = cell(Rate_Text(c.errorRate()));
        rate->setData(Qt::UserRole, c.errorRate());
        m_table->setItem(row, ColRate, rate);
        m_table->setItem(row, ColSubs, cell(Substitutes_Text(c.substitutes), Qt::AlignVCenter | Qt::AlignLeft));
    }
    m_table->setUpdatesEnabled(true);
}

void Form_Show_Mistakes::CMD_Drill_Click()
{
    const int kind = currentKind();
    const QString text = Drill_Text(Weakest(m_figures.chars), kind, defaultRandom());
    if (text.isEmpty()) {
        Show_Msg(QStringLiteral("没有可以练习的易错字。"), 1, 0, QStringLiteral("提示"));
        return;
    }
    const QString name = Drill_Name(kind);
    const QString full = name + QStringLiteral("_w");
    const bool replacing = m_editor.hasArticle(full);
    m_editor.setName(name);
    m_editor.setSuffix(QStringLiteral("_w"));
    m_editor.setText(text);
    m_editor.setOptions(SpaceOptions{});
    m_editor.setMode(replacing ? SaveMode::Change : SaveMode::New);
    // A new article asks about practising it itself; a changed one is
    // asked about here.
    if (m_editor.CMD_Save_Click() && replacing) {
        m_editor.offerPractice(full);
    }
}

void Form_Show_Mistakes::CMD_Reset_Click()
{
    const int tab = m_kinds->TSWhoUp();
    const QString what = tab == 0 ? QStringLiteral("所有练习") : QStringLiteral("“%1”").arg(Mistake_Tab_Caption(tab));
    // "No" has the focus: Enter alone never clears a year of statistics.
    if (Show_Msg(QStringLiteral("真的要清空%1的全部错误统计吗？\r\n清空后不能恢复。").arg(what), 2, 2,
                 QStringLiteral("请确认"), 4) != QLatin1String("Yes")) {
        return;
    }
    if (m_store.reset(currentKind())) {
        Show_Msg(QStringLiteral("已清空%1的错误统计。").arg(what), 1, 0, QStringLiteral("操作结果"));
    } else {
        Show_Msg(QStringLiteral("清空错误统计时出错，统计保持原样。"), 0, 0, QStringLiteral("错误"));
    }
    Load_Mistakes();
}

void Show_Mistakes_Window(QWidget* parent, MistakeStore& store, ArticleEditor& editor, int kind)
{
    store.prepare(false);
    const QString notice = store.takeNotice();
    if (!notice.isEmpty()) {
        Show_Msg(notice, 0, 0, QStringLiteral("错误统计"));
    }
    Form_Show_Mistakes window(store, editor, kind, parent);
    window.exec();
}

} // namespace tesmara
