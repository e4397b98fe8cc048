// The floor of the start-up benchmark: what Qt itself costs on this machine
// to start and show one window holding one line edit.
#include <QApplication>
#include <QLineEdit>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLineEdit edit;
    edit.show();
    return app.exec();
}
