#include "articles/ui/EditorWindowHook.h"

namespace tesmara {

namespace {

EditorWindowShower& shower()
{
    static EditorWindowShower s;
    return s;
}

} // namespace

void setEditorWindowShower(EditorWindowShower s)
{
    shower() = std::move(s);
}

const EditorWindowShower& editorWindowShower()
{
    return shower();
}

} // namespace tesmara
