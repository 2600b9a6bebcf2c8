// Not a test: shows the "Setup" sheet with a station's values and saves a picture of each of
// its pages (setup-personal-data.png, setup-trcvr.png, setup-spectrum.png, setup-misc.png),
// so that the pages can be looked at (scripts/setup-screenshots).
//   setup_sheet_snapshot OUT_DIR
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTest>

#include "app/qt/vexa_property_sheet.h"
#include "support/scripted_prompter.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: setup_sheet_snapshot OUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    vexa::test::ScriptedPrompter prompter;
    vexa::app::qt::CVexaPropertySheet sheet(prompter);
    vexa::app::SetupValues values;
    values.station = {"DL1ABC", "Anna", "Berlin", 52.52, 13.405};
    values.port = 2;
    values.comDevices = {"/dev/ttyS0", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10KZ3XN-if00-port0",
                         "/dev/ttyS2", "/dev/ttyS3"};
    values.speedIndex = 3;
    values.type = 3;
    values.rigctld = "localhost:4532";
    sheet.load(values);
    sheet.show();
    if (!QTest::qWaitForWindowExposed(&sheet)) return 1;
    const char* names[] = {"setup-personal-data.png", "setup-trcvr.png", "setup-spectrum.png",
                           "setup-misc.png"};
    for (int page = 0; page < 4; ++page) {
        sheet.tabs()->setCurrentIndex(page);
        QTest::qWait(100);
        const QString file = out.filePath(QString::fromLatin1(names[page]));
        if (!sheet.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
            return 1;
        }
        std::printf("%s\n", file.toLocal8Bit().constData());
    }
    return 0;
}
