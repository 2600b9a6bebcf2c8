// One page of the Setup sheet: its controls are bound to fields of the sheet's values, so
// that the page shows them and reads them back, and its typed fields are checked when the
// operator leaves the page or confirms the sheet, with the messages operators know ("Please
// enter an integer." ...).
#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QString>
#include <QWidget>

#include "app/setup_commands.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace vexa::app::qt {

class SetupPage : public QWidget {
public:
    using QWidget::QWidget;

    void load(const SetupValues& values);
    // A disabled field, or a radio group without a checked button (a value the page has no
    // button for), leaves its value as it is.
    void store(SetupValues& values) const;

    struct Invalid {
        QWidget* field;
        QString message;
    };
    // The first field that does not hold what it must, in the page's order.
    virtual std::optional<Invalid> check() const;

protected:
    void bind(std::function<void(const SetupValues&)> load, std::function<void(SetupValues&)> store);
    QLineEdit* textField(const QString& name, std::string StationData::*field, int maxLength);
    // Must hold a number in [min, max].
    QLineEdit* numberField(const QString& name, double StationData::*field, double min, double max);
    // Must hold an integer, within [min, max] when given.
    QLineEdit* integerField(const QString& name, int SetupValues::*field,
                            std::optional<std::pair<int, int>> range = {});
    QCheckBox* checkBox(const QString& caption, const QString& name, int SetupValues::*field);
    // Radio buttons with ids 0.. in caption order, in a row or a column filling `box`.
    QButtonGroup* radioGroup(QGroupBox* box, const QStringList& captions, bool row, int SetupValues::*field);
    // A group laid out by the page: its buttons' ids are the field's values.
    void bindGroup(QButtonGroup* group, int SetupValues::*field);
    // A label whose mnemonic moves the focus to `buddy`.
    QLabel* label(const QString& text, QWidget* buddy);

private:
    struct FieldCheck {
        QLineEdit* edit;
        bool integer;
        bool ranged;
        double min;
        double max;
    };
    std::vector<FieldCheck> m_checks;
    std::vector<std::pair<std::function<void(const SetupValues&)>, std::function<void(SetupValues&)>>>
        m_bindings;
};

}  // namespace vexa::app::qt
