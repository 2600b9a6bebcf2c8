#include "app/qt/setup_page.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
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

// Text is single-byte (Latin-1) everywhere in the settings.
QString latin1(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

void SetupPage::load(const SetupValues& values)
{
    for (const auto& binding : m_bindings) binding.first(values);
}

void SetupPage::store(SetupValues& values) const
{
    for (const auto& binding : m_bindings) binding.second(values);
}

void SetupPage::bind(std::function<void(const SetupValues&)> load, std::function<void(SetupValues&)> store)
{
    m_bindings.emplace_back(std::move(load), std::move(store));
}

QLineEdit* SetupPage::textField(const QString& name, std::string StationData::*field, int maxLength)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    bind([edit, field](const SetupValues& v) { edit->setText(latin1(v.station.*field)); },
         [edit, field](SetupValues& v) {
             v.station.*field = edit->text().trimmed().toLatin1().toStdString();
         });
    return edit;
}

QLineEdit* SetupPage::numberField(const QString& name, double StationData::*field, double min, double max)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    m_checks.push_back({edit, false, true, min, max});
    bind([edit, field](const SetupValues& v) { edit->setText(QString::number(v.station.*field, 'g', 15)); },
         [edit, field](SetupValues& v) {
             if (const auto value = readNumber(edit); value && edit->isEnabled()) v.station.*field = *value;
         });
    return edit;
}

QLineEdit* SetupPage::integerField(const QString& name, int SetupValues::*field,
                                   std::optional<std::pair<int, int>> range)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    m_checks.push_back({edit, true, range.has_value(), range ? double(range->first) : 0.0,
                        range ? double(range->second) : 0.0});
    bind([edit, field](const SetupValues& v) { edit->setText(QString::number(v.*field)); },
         [edit, field](SetupValues& v) {
             if (const auto value = readInt(edit); value && edit->isEnabled()) v.*field = *value;
         });
    return edit;
}

QCheckBox* SetupPage::checkBox(const QString& caption, const QString& name, int SetupValues::*field)
{
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(name);
    bind([box, field](const SetupValues& v) { box->setChecked(v.*field != 0); },
         [box, field](SetupValues& v) { v.*field = box->isChecked() ? 1 : 0; });
    return box;
}

QButtonGroup* SetupPage::radioGroup(QGroupBox* box, const QStringList& captions, bool row,
                                    int SetupValues::*field)
{
    auto* group = new QButtonGroup(box);
    auto* layout = new QBoxLayout(row ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, box);
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], box);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    if (row) layout->addStretch(1);
    bindGroup(group, field);
    return group;
}

void SetupPage::bindGroup(QButtonGroup* group, int SetupValues::*field)
{
    bind(
        [group, field](const SetupValues& v) {
            if (QAbstractButton* button = group->button(v.*field)) {
                button->setChecked(true);
            } else if (QAbstractButton* checked = group->checkedButton()) {
                group->setExclusive(false);
                checked->setChecked(false);
                group->setExclusive(true);
            }
        },
        [group, field](SetupValues& v) {
            if (group->checkedId() >= 0) v.*field = group->checkedId();
        });
}

QLabel* SetupPage::label(const QString& text, QWidget* buddy)
{
    auto* l = new QLabel(text, this);
    l->setBuddy(buddy);
    return l;
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

}  // namespace vexa::app::qt
