// Makes the Qt widget for each control of the window table (control_layout.h): the kind
// picks the widget, the layout's dialog units become pixels of the window's font. The
// window keeps only the wiring; the spectrum is made by the window itself, because it
// needs the operating state.
#pragma once

#include <functional>

#include <QRect>

#include "app/control_id.h"
#include "app/qt/control_layout.h"

class QFont;
class QWidget;

namespace vexa::app::qt {

// Dialog-unit base of a font: the average width of the Latin letters and the line height,
// plus a widening (eighths of a pixel added to cx) for fonts whose digits and captions are
// wider than their average letter.
struct DialogBase {
    int cx;
    int cy;
    int widen = 0;
};

DialogBase dialogBase(const QFont& font);
// The base of `font`, widened just enough that every caption and every value a control of
// `layout` shows (the widest frequency, mode and audio frequency) is whole in it.
DialogBase fittingDialogBase(MainWindowTemplate layout, const QFont& font);
QRect toPixels(const DluRect& r, DialogBase base);

// The widget of `spec` in `layout`, placed, named after its id and shown or hidden as the
// table says; clicks on the map picture and the split captions go to onClick. nullptr for
// the spectrum and for controls the layout leaves out.
QWidget* createControl(const ControlSpec& spec, MainWindowTemplate layout, DialogBase base, QWidget* parent,
                       const std::function<void(ControlId)>& onClick);

}  // namespace vexa::app::qt
