// The fading test dialog: a grid of number fields that refuses OK until each holds a number.
#include "app/qt/fading_test_dialog.h"

#include <array>
#include <cmath>

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace vexa::app::qt {

namespace {

// The edits' ids: "T" and "A" of rows 1 to 4.
constexpr std::array<int, FadingTerms::kTerms> kPeriodIds = {1176, 1177, 1179, 1181};
constexpr std::array<int, FadingTerms::kTerms> kDepthIds = {1175, 1178, 1180, 1182};

QLineEdit* numberEdit(QWidget* parent, int id, float value)
{
    auto* edit = new QLineEdit(QString::number(static_cast<double>(value)), parent);
    edit->setObjectName(QString::number(id));
    return edit;
}

}  // namespace

std::optional<FadingTerms> runFadingTestDialog(QWidget* parent, const FadingTerms& terms)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Dialog"));
    dialog.setObjectName(QStringLiteral("fadingTest"));
    auto* grid = new QGridLayout(&dialog);
    grid->addWidget(new QLabel(QStringLiteral("T"), &dialog), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("A"), &dialog), 0, 2);
    std::array<QLineEdit*, 2 * FadingTerms::kTerms> edits{};
    for (std::size_t k = 0; k < FadingTerms::kTerms; ++k) {
        const int row = static_cast<int>(k) + 1;
        grid->addWidget(new QLabel(QString::number(row), &dialog), row, 0);
        edits[2 * k] = numberEdit(&dialog, kPeriodIds[k], terms.periodSeconds[k]);
        edits[2 * k + 1] = numberEdit(&dialog, kDepthIds[k], terms.depth[k]);
        grid->addWidget(edits[2 * k], row, 1);
        grid->addWidget(edits[2 * k + 1], row, 2);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    grid->addWidget(buttons, FadingTerms::kTerms + 1, 0, 1, 3);
    FadingTerms edited = terms;
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        for (std::size_t i = 0; i < edits.size(); ++i) {
            bool ok = false;
            const float value = edits[i]->text().trimmed().toFloat(&ok);
            if (!ok || !std::isfinite(value)) {
                QMessageBox::warning(&dialog, QStringLiteral("Vexa"),
                                     QStringLiteral("Please enter a number."));
                edits[i]->setFocus(Qt::OtherFocusReason);
                edits[i]->selectAll();
                return;
            }
            (i % 2 == 0 ? edited.periodSeconds : edited.depth)[i / 2] = value;
        }
        dialog.accept();
    });
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return edited;
}

}  // namespace vexa::app::qt
