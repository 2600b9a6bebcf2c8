#include <QApplication>
#include <QDialog>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle("Vexa v 1.03/D [XX9XX]");
    return dialog.exec() == QDialog::Accepted ? 0 : 0;
}
