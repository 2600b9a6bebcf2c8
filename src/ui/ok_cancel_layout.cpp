#include "ui/ok_cancel_layout.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace vexa::ui {

void layOutWithOkCancel(QDialog& dialog, std::initializer_list<QWidget*> content, QSize size)
{
    auto* layout = new QVBoxLayout(&dialog);
    for (QWidget* w : content) layout->addWidget(w);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(size);
}

}  // namespace vexa::ui
