#pragma once

#include "mistakes/MistakeFigures.h"

#include <QDialog>

class QTableWidget;

namespace tesmara {

class ArticleEditor;
class Cmd;
class HeatMapView;
class MSG_Label;
class MistakeStore;
class TS;

// "错误统计": the mistakes of one practice kind (or all) over a period, as
// a keyboard heat map and a table of the weakest characters with what was
// typed instead; the weak-character drill and the reset.
class Form_Show_Mistakes : public QDialog {
    Q_OBJECT
public:
    // Opens on the tab of practice kind `kind` when it has statistics.
    // Drills are saved through `editor` (the main window's, so its article
    // menus follow).
    Form_Show_Mistakes(MistakeStore& store, ArticleEditor& editor, int kind, QWidget* parent = nullptr);

    // Reads the chosen kind and period and shows them.
    void Load_Mistakes();
    int currentKind() const;
    MistakePeriod currentPeriod() const;
    const MistakeFigures& loaded() const { return m_figures; }

    // Rows the table lists at most.
    static constexpr int kTableRows = 100;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void CMD_Drill_Click();
    void CMD_Reset_Click();
    void showTable(const QList<CharFigures>& weakest);
    void showEmpty(const QString& text);

    MistakeStore& m_store;
    ArticleEditor& m_editor;
    TS* m_kinds = nullptr;
    TS* m_periods = nullptr;
    MSG_Label* m_summary = nullptr;
    HeatMapView* m_heatMap = nullptr;
    MSG_Label* m_tableTitle = nullptr;
    QTableWidget* m_table = nullptr;
    MSG_Label* m_empty = nullptr;
    QWidget* m_emptyBox = nullptr;
    Cmd* m_drill = nullptr;
    Cmd* m_reset = nullptr;
    MistakeFigures m_figures;
    QString m_unusable; // why the statistics cannot be read, if so
};

// Shows the window modally over `parent`.
void Show_Mistakes_Window(QWidget* parent, MistakeStore& store, ArticleEditor& editor, int kind);

} // namespace tesmara
