// The layout of Vexa's small modal dialogs: their content in a column above an OK and a
// Cancel button (OK accepts, Cancel and Esc reject).
#pragma once

#include <initializer_list>

#include <QSize>

class QDialog;
class QWidget;

namespace vexa::ui {

void layOutWithOkCancel(QDialog& dialog, std::initializer_list<QWidget*> content, QSize size);

}  // namespace vexa::ui
