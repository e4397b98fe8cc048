#include "articles/ui/ManagerLook.h"

#include "controls/ui/Skin.h"

#include <QDialog>
#include <QListWidget>

namespace tesmara {

void applyManagerLook(QDialog* window)
{
    window->setAutoFillBackground(true);
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, skin::window());
    window->setPalette(pal);
}

void styleArticleList(QListWidget* list)
{
    list->setFont(skin::font(10));
    list->setStyleSheet(QStringLiteral("QListWidget { background: %1; border: 1px solid %2; border-radius: 3px;"
                                       " color: %3; padding: 2px; }"
                                       "QListWidget::item { padding: 3px 4px; }"
                                       "QListWidget::item:selected { background: %4; color: white; }"
                                       "QListWidget::item:disabled { color: %5; }")
                            .arg(skin::field().name(), skin::border().name(), skin::text().name(),
                                 skin::borderHot().name(), skin::textDisabled().name()));
}

} // namespace tesmara
