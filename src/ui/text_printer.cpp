#include "ui/text_printer.h"

#include <memory>

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace vexa::ui {

std::optional<PrintRange> askPrintRange(QPrinter& printer, bool hasSelection, QWidget* owner)
{
    printer.setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.printRange() == QAbstractPrintDialog::Selection ? PrintRange::Selection
                                                                  : PrintRange::AllText;
}

bool printText(const QTextEdit& edit, PrintRange range, QPrinter& printer)
{
    // A copy of the whole document cut down to the range keeps the window's font and formats,
    // and a selection longer than a page goes on in its own text only.
    const std::unique_ptr<QTextDocument> doc(edit.document()->clone());
    if (range == PrintRange::Selection) {
        const QTextCursor selection = edit.textCursor();
        QTextCursor cut(doc.get());
        cut.setPosition(selection.selectionEnd());
        cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cut.removeSelectedText();
        cut.setPosition(0);
        cut.setPosition(selection.selectionStart(), QTextCursor::KeepAnchor);
        cut.removeSelectedText();
    }

    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // Laid out in the printer's own resolution, so the fonts keep their point sizes; with a
    // page size set, the layout moves a line that would cross a page end onto the next page.
    doc->documentLayout()->setPaintDevice(&printer);
    const QSizeF page = printer.pageRect(QPrinter::DevicePixel).size();
    doc->setPageSize(page);
    const int pages = doc->pageCount();
    for (int p = 0; p < pages; ++p) {
        if (p > 0) printer.newPage();
        painter.save();
        painter.translate(0, -p * page.height());
        doc->drawContents(&painter, QRectF(QPointF(0, p * page.height()), page));
        painter.restore();
    }
    return painter.end();
}

}  // namespace vexa::ui
