#include "app/ui/MsgDialog.h"

namespace tesmara {

MsgDialog::MsgDialog(const MsgRequest& request, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(request.title);
}

QString MsgDialog::ask(const MsgRequest& request)
{
    MsgDialog dialog(request);
    dialog.exec();
    return dialog.answer();
}

} // namespace tesmara
