#pragma once

class QDialog;
class QListWidget;

namespace tesmara {

// The shared look of the manager windows: skin background and a list box
// drawn like the program's own fields.
void applyManagerLook(QDialog* window);
void styleArticleList(QListWidget* list);

} // namespace tesmara
