// One page of the Setup sheet: shows the sheet's values, reads them back, and checks its
// typed fields when the operator leaves the page or confirms the sheet, with the messages
// operators know ("Please enter an integer." ...). Also the small builders the pages share.
#pragma once

#include <optional>
#include <vector>

#include <QString>
#include <QWidget>

#include "app/setup_commands.h"

class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace vexa::app::qt {

class SetupPage : public QWidget {
public:
    using QWidget::QWidget;

    virtual void load(const SetupValues& values) = 0;
    virtual void store(SetupValues& values) const = 0;

    struct Invalid {
        QWidget* field;
        QString message;
    };
    // The first field that does not hold what it must, in the page's order.
    virtual std::optional<Invalid> check() const;

protected:
    // A line edit that must hold an integer (within [min, max] when given) or a number.
    QLineEdit* integerField(const QString& name, std::optional<std::pair<int, int>> range = {});
    QLineEdit* numberField(const QString& name, double min, double max);
    // A label whose mnemonic moves the focus to `buddy`.
    QLabel* label(const QString& text, QWidget* buddy);
    // An exclusive group of radio buttons in `box`, ids 0.. in caption order, laid out in a
    // row or a column.
    QButtonGroup* radioGroup(QGroupBox* box, const QStringList& captions, bool row);

    static int intOf(const QLineEdit* edit);
    static double numberOf(const QLineEdit* edit);
    static void setNumber(QLineEdit* edit, double value);
    static void checkButton(QButtonGroup* group, int id);
    // The checked id, or `keep` when none is (a value the page has no button for).
    static int checkedId(const QButtonGroup* group, int keep);

private:
    struct FieldCheck {
        QLineEdit* edit;
        bool integer;
        bool ranged;
        double min;
        double max;
    };
    std::vector<FieldCheck> m_checks;
};

}  // namespace vexa::app::qt
