#include "app/qt/setup_page.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>

namespace vexa::app::qt {

namespace {

std::optional<int> readInt(const QLineEdit* edit)
{
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// A point always works; the operator's own decimal comma too.
std::optional<double> readNumber(const QLineEdit* edit)
{
    const QString text = edit->text().trimmed();
    bool ok = false;
    double value = QLocale::c().toDouble(text, &ok);
    if (!ok) value = QLocale().toDouble(text, &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

QLineEdit* SetupPage::integerField(const QString& name, std::optional<std::pair<int, int>> range)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    m_checks.push_back({edit, true, range.has_value(), range ? double(range->first) : 0.0,
                        range ? double(range->second) : 0.0});
    return edit;
}

QLineEdit* SetupPage::numberField(const QString& name, double min, double max)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    m_checks.push_back({edit, false, true, min, max});
    return edit;
}

QLabel* SetupPage::label(const QString& text, QWidget* buddy)
{
    auto* l = new QLabel(text, this);
    l->setBuddy(buddy);
    return l;
}

QButtonGroup* SetupPage::radioGroup(QGroupBox* box, const QStringList& captions, bool row)
{
    auto* group = new QButtonGroup(box);
    auto* layout = new QBoxLayout(row ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, box);
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], box);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    if (row) layout->addStretch(1);
    return group;
}

std::optional<SetupPage::Invalid> SetupPage::check() const
{
    for (const FieldCheck& c : m_checks) {
        if (!c.edit->isEnabled()) continue;
        if (c.integer) {
            const std::optional<int> value = readInt(c.edit);
            if (!value) return Invalid{c.edit, QStringLiteral("Please enter an integer.")};
            if (c.ranged && (*value < c.min || *value > c.max))
                return Invalid{c.edit, QStringLiteral("Please enter an integer between %1 and %2.")
                                           .arg(int(c.min))
                                           .arg(int(c.max))};
        } else {
            const std::optional<double> value = readNumber(c.edit);
            if (!value) return Invalid{c.edit, QStringLiteral("Please enter a number.")};
            if (c.ranged && (*value < c.min || *value > c.max))
                return Invalid{
                    c.edit, QStringLiteral("Please enter a number between %1 and %2.").arg(c.min).arg(c.max)};
        }
    }
    return std::nullopt;
}

int SetupPage::intOf(const QLineEdit* edit)
{
    return readInt(edit).value_or(0);
}

double SetupPage::numberOf(const QLineEdit* edit)
{
    return readNumber(edit).value_or(0.0);
}

void SetupPage::setNumber(QLineEdit* edit, double value)
{
    edit->setText(QString::number(value, 'g', 15));
}

void SetupPage::checkButton(QButtonGroup* group, int id)
{
    if (QAbstractButton* button = group->button(id)) {
        button->setChecked(true);
    } else if (QAbstractButton* checked = group->checkedButton()) {
        group->setExclusive(false);
        checked->setChecked(false);
        group->setExclusive(true);
    }
}

int SetupPage::checkedId(const QButtonGroup* group, int keep)
{
    const int id = group->checkedId();
    return id < 0 ? keep : id;
}

}  // namespace vexa::app::qt
