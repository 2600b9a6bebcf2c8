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
#include <QStyle>
#include <QStyleOption>
#include <QTextEdit>

#include "common/operating_mode.h"
#include "ui/cm_edit.h"

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

// The values a control shows later (its items at creation are placeholders): the widest
// of each kind; empty when its caption is all it shows.
QStringList laterValues(ControlId id)
{
    switch (id) {
        case ControlId::FrequencyBox:
            return {QStringLiteral("00.000.000")};
        case ControlId::AudioFrequency:
            return {QStringLiteral("0000.0")};
        case ControlId::CwSpeed:
            return {QStringLiteral("00")};
        case ControlId::ModeBox: {
            QStringList names;
            for (std::string_view n : kOperatingModeNames)
                names << QString::fromLatin1(n.data(), static_cast<qsizetype>(n.size()));
            return names;
        }
        default:
            return {};
    }
}

// Whether `text` fits in widget `w` as its style draws it: the size the style asks for
// around the text against the widget's width.
bool textFits(QWidget* w, const QString& text)
{
    if (text.isEmpty()) return true;
    QStyle* style = w->style();
    const QFontMetrics fm = w->fontMetrics();
    QString shown = text;
    shown.remove(QLatin1Char('&'));
    const QSize content(fm.horizontalAdvance(shown), fm.height());
    int needed = content.width();
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        needed += 2 * style->pixelMetric(QStyle::PM_ButtonMargin, &opt, b) +
                  2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, b);
    } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(box);
        needed = style->sizeFromContents(QStyle::CT_CheckBox, &opt, content, box).width();
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.editable = combo->isEditable();
        const QRect field =
            style->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
        needed += combo->width() - field.width() + (combo->isEditable() ? 4 : 0);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        QStyleOptionFrame opt;
        opt.initFrom(edit);
        opt.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit);
        needed += 4 + 2 * opt.lineWidth + 2;
    } else if (qobject_cast<QLabel*>(w) == nullptr) {
        return true;
    }
    return needed <= w->width();
}

bool everyTextFits(MainWindowTemplate layout, DialogBase base, const QFont& font)
{
    QWidget scratch;
    scratch.setFont(font);
    for (const ControlSpec& spec : mainWindowControls()) {
        QWidget* w = createControl(spec, layout, base, &scratch, [](ControlId) {});
        if (w == nullptr || spec.placement == Placement::Hidden) continue;
        QStringList texts = laterValues(spec.id);
        if (auto* b = qobject_cast<QAbstractButton*>(w)) texts << b->text();
        if (auto* l = qobject_cast<QLabel*>(w)) texts << l->text();
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
        }
        for (const QString& t : texts) {
            if (!textFits(w, t)) return false;
        }
    }
    return true;
}

}  // namespace

DialogBase fittingDialogBase(MainWindowTemplate layout, const QFont& font)
{
    DialogBase base = dialogBase(font);
    // Half the average letter again is far more than any font needs; stop there regardless.
    while (base.widen < 4 * base.cx && !everyTextFits(layout, base, font)) ++base.widen;
    return base;
}

DialogBase dialogBase(const QFont& font)
{
    const QFontMetrics fm(font);
    const int letters =
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, fm.height()};
}

QRect toPixels(const DluRect& r, DialogBase base)
{
    auto px = [&](int v) { return (v * (8 * base.cx + base.widen) + 16) / 32; };
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
            auto* edit = new ui::CMEdit(parent);
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
