#include "records/ui/Form_Show_TestLog.h"

#include "app/AppState.h"
#include "app/Msg.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/My_Frame.h"
#include "controls/ui/Skin.h"
#include "controls/ui/TS.h"
#include "records/PracticeKinds.h"
#include "records/RecordExport.h"
#include "records/ui/SpeedChartView.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tesmara {

namespace {

QString& lastExportFolder()
{
    static QString folder;
    return folder;
}

QString defaultChooser(QWidget* parent)
{
    QString start = lastExportFolder();
    if (start.isEmpty() || !QFileInfo(start).isDir()) {
        start = QDir::homePath();
    }
    // The replace question is the program's own, so the dialog must not ask.
    const QString name =
        QFileDialog::getSaveFileName(parent, QStringLiteral("导出练习记录"), start, QStringLiteral("文本文件 (*.TXT)"),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (!name.isEmpty()) {
        lastExportFolder() = QFileInfo(name).absolutePath();
    }
    return name;
}

Form_Show_TestLog::FileChooser& chooser()
{
    static Form_Show_TestLog::FileChooser c = defaultChooser;
    return c;
}

Cmd* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new Cmd(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumWidth(104);
    return b;
}

} // namespace

void Form_Show_TestLog::setExportFileChooser(FileChooser c)
{
    chooser() = c ? std::move(c) : FileChooser(defaultChooser);
}

Form_Show_TestLog::Form_Show_TestLog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_Show_TestLog"));
    setWindowTitle(QStringLiteral("练习记录"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, skin::window());
    setPalette(pal);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(12, 10, 12, 12);
    root->setSpacing(8);

    m_ts1 = new TS(this);
    m_ts1->setObjectName(QStringLiteral("TS1"));
    m_ts1->setTabCount(kKindCount);
    for (int tab = 0; tab < kKindCount; ++tab) {
        m_ts1->Set_Text(tab, Kind_Caption(tab));
    }
    m_ts1->setTSWhoUp(0);
    m_ts1->Make_Form();
    root->addWidget(m_ts1);

    auto* frame = new My_Frame(this);
    frame->setObjectName(QStringLiteral("Frame_Chart"));
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(6, 6, 6, 6);
    m_chart = new SpeedChartView(frame);
    frameLayout->addWidget(m_chart);
    root->addWidget(frame, 0, Qt::AlignHCenter);

    auto* pageRow = new QHBoxLayout;
    auto* pageCaption = new MSG_Label(this);
    pageCaption->setCaption(QStringLiteral("显示："));
    pageRow->addWidget(pageCaption, 0, Qt::AlignVCenter);
    m_comboPage = new QComboBox(this);
    m_comboPage->setObjectName(QStringLiteral("Combo_Page"));
    m_comboPage->setMinimumWidth(180);
    m_comboPage->setFont(skin::font(9));
    pageRow->addWidget(m_comboPage);
    pageRow->addStretch(1);
    m_labelSum = new MSG_Label(this);
    m_labelSum->setObjectName(QStringLiteral("Label_Sum"));
    pageRow->addWidget(m_labelSum, 0, Qt::AlignVCenter);
    root->addLayout(pageRow);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    Cmd* delNow = makeButton(this, "CMD_Del_Now", QStringLiteral("清空本类记录"));
    Cmd* delAll = makeButton(this, "CMD_Del_All", QStringLiteral("清空所有记录"));
    Cmd* outOne = makeButton(this, "CMD_OutPutOne", QStringLiteral("导出本类记录"));
    Cmd* outAll = makeButton(this, "CMD_OutPutAll", QStringLiteral("导出全部记录"));
    Cmd* ok = makeButton(this, "CMD_Ok", QStringLiteral("关闭"));
    ok->setDefault(true);
    buttons->addWidget(delNow);
    buttons->addWidget(delAll);
    buttons->addStretch(1);
    buttons->addWidget(outOne);
    buttons->addWidget(outAll);
    buttons->addSpacing(12);
    buttons->addWidget(ok);
    root->addLayout(buttons);

    connect(m_ts1, &TS::Click, this, &Form_Show_TestLog::Load_SpeedLog);
    connect(m_comboPage, &QComboBox::activated, this, &Form_Show_TestLog::showPage);
    connect(delAll, &Cmd::Click, this, &Form_Show_TestLog::CMD_Del_All_Click);
    connect(delNow, &Cmd::Click, this, &Form_Show_TestLog::CMD_Del_Now_Click);
    connect(outOne, &Cmd::Click, this, &Form_Show_TestLog::CMD_OutPutOne_Click);
    connect(outAll, &Cmd::Click, this, &Form_Show_TestLog::CMD_OutPutAll_Click);
    connect(ok, &Cmd::Click, this, &QDialog::accept);

    Load_SpeedLog();
}

int Form_Show_TestLog::currentTab() const
{
    return std::clamp(m_ts1->TSWhoUp(), 0, kKindCount - 1);
}

void Form_Show_TestLog::Load_SpeedLog()
{
    m_log = Load_Checked(App().Conn_User, Kind_Type(currentTab()));
    const int count = int(m_log.records.size());
    m_comboPage->clear();
    m_comboPage->addItems(Page_Captions(count));
    m_labelSum->setCaption(Sum_Caption(count));
    showPage(0);
}

void Form_Show_TestLog::showPage(int page)
{
    const int count = int(m_log.records.size());
    if (count == 0) {
        m_chart->clearChart();
        return;
    }
    page = std::clamp(page, 0, Page_Count(count) - 1);
    if (m_comboPage->currentIndex() != page) {
        m_comboPage->setCurrentIndex(page);
    }
    m_chart->showPage(m_log.records, Page_First(page), Page_End(page, count), m_log.maxSpeed);
}

void Form_Show_TestLog::CMD_Del_All_Click()
{
    if (Show_Msg(QStringLiteral("真的要清空所有类别的所有记录吗?"), 2, 2, QStringLiteral("请确认")) !=
        QLatin1String("Yes")) {
        return;
    }
    Clear_All_Records(App().Conn_User);
    Show_Msg(QStringLiteral("已完成所有清空操作。"), 1, 0, QStringLiteral("操作结果"));
    Load_SpeedLog();
}

void Form_Show_TestLog::CMD_Del_Now_Click()
{
    if (Show_Msg(QStringLiteral("真的要清空当前类别的所有记录吗?"), 2, 2, QStringLiteral("请确认")) !=
        QLatin1String("Yes")) {
        return;
    }
    Clear_Kind_Records(App().Conn_User, Kind_Type(currentTab()));
    Show_Msg(QStringLiteral("已完成清空操作。"), 1, 0, QStringLiteral("操作结果"));
    Load_SpeedLog();
}

QString Form_Show_TestLog::chooseExportFile()
{
    const QString path = Export_File_Name(chooser()(this));
    if (path.isEmpty()) {
        return {};
    }
    if (QFileInfo::exists(path) && Show_Msg(QStringLiteral("该文件已存在，要替换吗?"), 2, 2,
                                            QStringLiteral("文件已存在")) != QLatin1String("Yes")) {
        return {};
    }
    return path;
}

void Form_Show_TestLog::writeExport(const QString& path, const QString& text, const QString& doneText)
{
    QString error;
    if (!Write_File_Whole(path, Encode_System(text), &error)) {
        Show_Msg(QStringLiteral("无法写入文件 ") + path + QStringLiteral(" ：") + error +
                     QStringLiteral("\n记录没有导出，原有的文件保持不变。"),
                 0, 0, QStringLiteral("导出失败"));
        return;
    }
    Show_Msg(doneText, 1, 0, QStringLiteral("完成"));
}

void Form_Show_TestLog::CMD_OutPutOne_Click()
{
    const int tab = currentTab();
    if (Read_Kind(App().Conn_User, Kind_Type(tab)).isEmpty()) {
        Show_Msg(QStringLiteral("本类没有任何记录，无法导出。"), 1, 0, QStringLiteral("无法导出"));
        return;
    }
    const QString path = chooseExportFile();
    if (path.isEmpty()) {
        return;
    }
    writeExport(path, Export_One_Text(App().Conn_User, tab),
                QStringLiteral("导出完成！您可以用 EXCEL 软件打开该 TXT 文件按需排版后进行打印。"));
}

void Form_Show_TestLog::CMD_OutPutAll_Click()
{
    const QString path = chooseExportFile();
    if (path.isEmpty()) {
        return;
    }
    writeExport(path, Export_All_Text(App().Conn_User),
                QStringLiteral("全部导出完成！您可以用 EXCEL 软件打开该 TXT 文件按需排版后进行打印。"));
}

void Show_TestLog_Window(QWidget* parent)
{
    Form_Show_TestLog window(parent);
    window.exec();
}

} // namespace tesmara
