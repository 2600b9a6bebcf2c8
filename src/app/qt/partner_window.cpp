// The "Partner" dialog and its link to the entry line.
#include "app/qt/partner_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>

#include "app/control_id.h"

namespace vexa::app::qt {

namespace {

QString latin1(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

struct FieldSpec {
    PartnerField field;
    ControlId id;
    const char* label;
};

constexpr std::array<FieldSpec, kPartnerFields> kFieldSpecs = {{
    {PartnerField::Call, ControlId::PartnerCall, "Call"},
    {PartnerField::Name, ControlId::PartnerName, "Name"},
    {PartnerField::Qth, ControlId::PartnerQth, "QTH"},
    {PartnerField::Report, ControlId::PartnerReport, "Report"},
    {PartnerField::MyReport, ControlId::PartnerMyReport, "MyReport"},
}};

}  // namespace

PartnerDialog::PartnerDialog(QWidget* parent, PartnerCommands& commands)
    : QDialog(parent), m_commands(commands)
{
    setWindowTitle(QStringLiteral("Partner"));
    setObjectName(QStringLiteral("partnerWindow"));
    auto* form = new QFormLayout(this);
    for (const FieldSpec& spec : kFieldSpecs) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::number(idNumber(spec.id)));
        auto* label = new QLabel(QString::fromLatin1(spec.label), this);
        label->setBuddy(edit);
        form->addRow(label, edit);
        m_fields[static_cast<std::size_t>(spec.field)] = edit;
        const PartnerField field = spec.field;
        connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) {
            m_commands.edited(field, text.toLatin1().toStdString());
        });
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void PartnerDialog::showTexts(const PartnerTexts& texts)
{
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i]->text() != latin1(texts[i])) m_fields[i]->setText(latin1(texts[i]));
    }
}

QLineEdit* PartnerDialog::field(PartnerField field) const
{
    return m_fields[static_cast<std::size_t>(field)];
}

void PartnerDialog::done(int result)
{
    QDialog::done(result);
    m_commands.closed();
    deleteLater();
}

QtPartnerWindow::QtPartnerWindow(QWidget* owner, QTextEdit* entry, const QTextCharFormat& normal,
                                 log::QsoFields& fields, log::EntryLineState& state)
    : m_owner(owner), m_entry(entry), m_normal(normal)
{
    m_commands = std::make_unique<PartnerCommands>(fields, state, lend());
}

QtPartnerWindow::~QtPartnerWindow()
{
    delete m_dialog.data();
}

PartnerWindow QtPartnerWindow::lend()
{
    PartnerWindow w;
    w.open = [this] {
        QWidget* focus = QApplication::focusWidget();
        m_dialog = new PartnerDialog(m_owner, *m_commands);
        m_dialog->setAttribute(Qt::WA_ShowWithoutActivating);
        m_dialog->show();
        if (focus != nullptr) {
            focus->activateWindow();
            focus->setFocus(Qt::OtherFocusReason);
        }
    };
    w.close = [this] { delete m_dialog.data(); };
    w.show = [this](const PartnerTexts& texts) {
        if (m_dialog) m_dialog->showTexts(texts);
    };
    w.entryText = [this] { return m_entry->toPlainText().toLatin1().toStdString(); };
    w.setEntryText = [this](const std::string& text) {
        // One edit, so the entry line reports one change.
        QTextCursor cursor(m_entry->document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(latin1(text), m_normal);
    };
    return w;
}

}  // namespace vexa::app::qt
