#include "app/qt/control_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTextEdit>

namespace vexa::app::qt {

namespace {

// A caption or picture that reports clicks like a notifying static.
class ClickLabel final : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && onClick) onClick();
        QLabel::mousePressEvent(event);
    }
};

}  // namespace

DialogBase dialogBase(const QFont& font)
{
    const QFontMetrics fm(font);
    const int letters =
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, fm.height()};
}

QRect toPixels(const DluRect& r, DialogBase base)
{
    auto px = [&](int v) { return (v * base.cx + 2) / 4; };
    auto py = [&](int v) { return (v * base.cy + 4) / 8; };
    return {px(r.x), py(r.y), px(r.x + r.w) - px(r.x), py(r.y + r.h) - py(r.y)};
}

QWidget* createControl(const ControlSpec& spec, MainWindowTemplate layout, DialogBase base, QWidget* parent,
                       const std::function<void(ControlId)>& onClick)
{
    const bool large = layout == MainWindowTemplate::Large;
    const DluRect& dlu = large ? spec.large : spec.normal;
    if (dlu.w == 0) return nullptr;  // not part of this layout
    const char* captionText = large && spec.largeCaption ? spec.largeCaption : spec.caption;
    const QString caption = captionText ? QString::fromLatin1(captionText) : QString();
    QRect rect = toPixels(dlu, base);
    QWidget* w = nullptr;
    switch (spec.kind) {
        case ControlKind::RichEditLine:
        case ControlKind::RichEdit: {
            auto* edit = new QTextEdit(parent);
            edit->setAcceptRichText(false);
            edit->setTabChangesFocus(true);
            if (spec.kind == ControlKind::RichEditLine) {
                edit->setLineWrapMode(QTextEdit::NoWrap);
                edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                edit->document()->setDocumentMargin(1);
            } else {
                edit->document()->setDocumentMargin(2);
            }
            w = edit;
            break;
        }
        case ControlKind::ListBox:
            w = new QListWidget(parent);
            break;
        case ControlKind::MapPicture: {
            auto* map = new ClickLabel(parent);
            map->onClick = [onClick, id = spec.id] { onClick(id); };
            map->setStyleSheet(QStringLiteral("background-color: rgb(0,0,64);"));
            // The 128 x 128 picture is scaled into the place the layout gives it, so that
            // it lines up with the controls whatever the font.
            map->setScaledContents(true);
            w = map;
            break;
        }
        case ControlKind::Spectrum:
            return nullptr;
        case ControlKind::FrequencyMap: {
            auto* surface = new QWidget(parent);
            surface->setAutoFillBackground(true);
            QPalette pal = surface->palette();
            pal.setColor(QPalette::Window, Qt::darkGray);
            surface->setPalette(pal);
            surface->setAccessibleName(caption);
            w = surface;
            break;
        }
        case ControlKind::DropList:
        case ControlKind::DropCombo: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(spec.kind == ControlKind::DropCombo);
            rect.setHeight(toPixels({0, 0, 0, 12}, base).height());
            w = combo;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(caption, parent);
            button->setAutoDefault(false);
            button->setDefault(false);
            w = button;
            break;
        }
        case ControlKind::CheckBox:
            w = new QCheckBox(caption, parent);
            break;
        case ControlKind::Edit:
            w = new QLineEdit(parent);
            break;
        case ControlKind::Spin: {
            // A vertical scroll bar steps like an up-down control whose up arrow lowers the
            // value: here the Morse element length, so up means faster.
            auto* spin = new QScrollBar(Qt::Vertical, parent);
            spin->setRange(10, 100);
            w = spin;
            break;
        }
        case ControlKind::Static:
        case ControlKind::Label:
            w = new QLabel(caption, parent);
            break;
        case ControlKind::Radio:
            w = new QRadioButton(caption, parent);
            break;
        case ControlKind::ClickStatic: {
            auto* label = new ClickLabel(caption, parent);
            label->onClick = [onClick, id = spec.id] { onClick(id); };
            w = label;
            break;
        }
        case ControlKind::Trackbar:
            w = new QSlider(Qt::Horizontal, parent);
            break;
    }
    w->setGeometry(rect);
    if (spec.id != ControlId::None)
        w->setObjectName(QString::number(idNumber(spec.id)));
    else
        w->setObjectName(QStringLiteral("label") + caption);
    w->setVisible(spec.placement != Placement::Hidden);
    return w;
}

}  // namespace vexa::app::qt
