// The DX list's list box and clipboard.
#include "app/qt/dx_list_view.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMimeData>
#include <QTextEdit>

#include "app/qt/main_window.h"

namespace vexa::app::qt {

DxListView::DxListView(CMainWindow& window) : m_commands(std::make_unique<DxListCommands>(lend(window)))
{
    auto* list = qobject_cast<QListWidget*>(window.control(ControlId::DxList));
    if (list == nullptr) return;
    m_rowChanged = QObject::connect(list, &QListWidget::currentRowChanged, list,
                                    [this](int row) { m_commands->select(row); });
    m_doubleClicked =
        QObject::connect(list, &QListWidget::itemDoubleClicked, list,
                         [this, list](QListWidgetItem* item) { m_commands->doubleClick(list->row(item)); });
}

DxListView::~DxListView()
{
    QObject::disconnect(m_rowChanged);
    QObject::disconnect(m_doubleClicked);
}

DxListWindow DxListView::lend(CMainWindow& w)
{
    auto* list = qobject_cast<QListWidget*>(w.control(ControlId::DxList));
    DxListWindow d;
    d.showList = [&w, list](bool shown) {
        w.control(ControlId::LogWindow)->setVisible(!shown);
        w.control(ControlId::ReceiveWindow)->setVisible(!shown);
        if (list) list->setVisible(shown);
    };
    d.clipboardText = [&w]() -> std::optional<std::string> {
        if (QApplication::activeWindow() != &w || QApplication::focusWidget() == nullptr) return std::nullopt;
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if (data == nullptr || !data->hasText()) return std::nullopt;
        // Cluster output is ASCII; anything else becomes '?' and fails the spot shape.
        return data->text().toLatin1().toStdString();
    };
    d.setLines = [list](const std::vector<std::string>& lines) {
        if (list == nullptr) return;
        // A rebuilt list has no selection yet: nothing is tuned until the operator picks.
        const bool blocked = list->blockSignals(true);
        list->clear();
        for (const std::string& line : lines)
            list->addItem(QString::fromLatin1(line.data(), qsizetype(line.size())));
        list->setCurrentRow(-1);
        list->blockSignals(blocked);
    };
    d.setOperatingMode = [&w](OperatingMode mode) { w.SetOperatingMode(mode); };
    d.tune = [&w](int signalHz) { w.rig().transceiver().TuneTransceiver(signalHz); };
    d.setSelectedCall = [&w](std::string call) { w.logbook().setSelectedCall(std::move(call)); };
    d.markHere = [&w] { w.rig().commands().markHere(); };
    d.focusEntryLine = [&w] { w.focusEntryLine(); };
    return d;
}

}  // namespace vexa::app::qt
