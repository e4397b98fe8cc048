#pragma once

#include <functional>

class QWidget;

namespace tesmara {

class ArticleEditor;

// Shows the article editing window modally over `parent` for an editor that
// the caller has set up (name, text, suffix, mode). The editing window
// registers itself here; the managers only ask for it.
using EditorWindowShower = std::function<void(QWidget* parent, ArticleEditor& editor)>;
void setEditorWindowShower(EditorWindowShower shower);
const EditorWindowShower& editorWindowShower();

} // namespace tesmara
