// The main window's geometry with the font it really gets: every caption and value is whole
// in its control in both layouts.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>

#include "app/qt/control_layout.h"
#include "support/window_harness.h"

namespace vexa::app::qt {
namespace {

// The texts a control shows and the width its style leaves for them; empty for controls
// without text of their own.
struct TextRoom {
    QStringList texts;
    int width = 0;
};

QString withoutMnemonic(QString s)
{
    return s.remove(QLatin1Char('&'));
}

TextRoom textRoom(QWidget* c)
{
    QStyle* style = c->style();
    if (auto* b = qobject_cast<QPushButton*>(c)) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        const int room = style->subElementRect(QStyle::SE_PushButtonContents, &opt, b).width() -
                         2 * style->pixelMetric(QStyle::PM_ButtonMargin, &opt, b) / 2;
        return {{withoutMnemonic(b->text())}, room};
    }
    if (auto* box = qobject_cast<QCheckBox*>(c)) {
        QStyleOptionButton opt;
        opt.initFrom(box);
        opt.text = box->text();
        return {{withoutMnemonic(box->text())},
                style->subElementRect(QStyle::SE_CheckBoxContents, &opt, box).width()};
    }
    if (auto* combo = qobject_cast<QComboBox*>(c)) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.editable = combo->isEditable();
        QStringList texts{combo->currentText()};
        for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
        int room =
            style->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo).width();
        if (combo->lineEdit()) room -= 4;  // the line edit's own side margins
        return {texts, room};
    }
    if (auto* edit = qobject_cast<QLineEdit*>(c)) {
        QStyleOptionFrame opt;
        opt.initFrom(edit);
        opt.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit);
        const int room = style->subElementRect(QStyle::SE_LineEditContents, &opt, edit).width() - 4;
        return {{edit->text()}, room};
    }
    if (auto* label = qobject_cast<QLabel*>(c); label && label->pixmap().isNull())
        return {{label->text()}, label->contentsRect().width()};
    return {};
}

void expectEveryTextWhole(MainWindowTemplate layout)
{
    ApplicationGlobals globals;
    globals.mainWindowTemplate = layout;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        int checked = 0;
        for (QWidget* c : w.findChildren<QWidget*>()) {
            if (c->isHidden() || !w.rect().contains(c->geometry()) || c->parentWidget() != &w) continue;
            const TextRoom room = textRoom(c);
            for (const QString& text : room.texts) {
                EXPECT_LE(c->fontMetrics().horizontalAdvance(text), room.width)
                    << "\"" << text.toStdString() << "\" in control " << c->objectName().toStdString();
                ++checked;
            }
        }
        EXPECT_GT(checked, 30);
        auto* frequency = qobject_cast<QComboBox*>(w.control(ControlId::FrequencyBox));
        EXPECT_EQ(frequency->currentText(), QStringLiteral("14.072.000"));
    });
}

TEST(WindowGeometry, EveryCaptionAndValueIsWholeInTheNormalLayout)
{
    expectEveryTextWhole(MainWindowTemplate::Normal);
}

TEST(WindowGeometry, EveryCaptionAndValueIsWholeInTheLargeLayout)
{
    expectEveryTextWhole(MainWindowTemplate::Large);
}

}  // namespace
}  // namespace vexa::app::qt
