#pragma once

#include "records/TestLog.h"

#include <QDialog>

#include <functional>

class QComboBox;

namespace tesmara {

class Cmd;
class MSG_Label;
class SpeedChartView;
class TS;

// The practice record viewer: one kind of practice per tab, its records
// checked, paged 50 at a time and charted; clearing and export.
class Form_Show_TestLog : public QDialog {
    Q_OBJECT
public:
    explicit Form_Show_TestLog(QWidget* parent = nullptr);

    // (Re)loads the current kind: reads, checks, pages and charts it.
    void Load_SpeedLog();
    // Shows page `page` (from 0) of the loaded kind.
    void showPage(int page);
    int currentTab() const;
    const SpeedLog& loaded() const { return m_log; }

    // The export file dialog; returns the chosen name or "" when cancelled.
    // Tests put a function here that answers without a window.
    using FileChooser = std::function<QString(QWidget* parent)>;
    static void setExportFileChooser(FileChooser chooser);

private:
    void CMD_Del_All_Click();
    void CMD_Del_Now_Click();
    void CMD_OutPutOne_Click();
    void CMD_OutPutAll_Click();
    // The export file as the save dialog and the replace question decide;
    // "" ends the export.
    QString chooseExportFile();
    void writeExport(const QString& path, const QString& text, const QString& doneText);

    TS* m_ts1 = nullptr;
    SpeedChartView* m_chart = nullptr;
    QComboBox* m_comboPage = nullptr;
    MSG_Label* m_labelSum = nullptr;
    SpeedLog m_log;
};

// Shows the record viewer modally over `parent`.
void Show_TestLog_Window(QWidget* parent);

} // namespace tesmara
