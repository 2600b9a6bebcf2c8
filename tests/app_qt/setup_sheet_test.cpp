// The "Setup" sheet on the real window: what it preselects, what it refuses, how a confirmed
// sheet reopens the serial line of a simulated radio (checked on the pty's own termios),
// what Cancel still does, and the station data and the layout surviving a restart.
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <set>

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "app/qt/vexa_property_sheet.h"
#include "display/frequency_readout.h"
#include "engine/audio/wave_file_backend.h"
#include "support/radio_simulators.h"
#include "support/rigctld_process.h"
#include "support/scripted_prompter.h"
#include "support/slurp.h"
#include "support/temp_dir.h"
#include "support/window_harness.h"
#include "ui/sound_page.h"

namespace vexa::app::qt {
namespace {

// The radio buttons of the group titled `group` (mnemonics aside).
QList<QRadioButton*> radios(QWidget* sheet, const QString& group)
{
    for (auto* box : sheet->findChildren<QGroupBox*>())
        if (box->title().remove(QLatin1Char('&')) == group) return box->findChildren<QRadioButton*>();
    ADD_FAILURE() << "no group " << group.toStdString();
    return {};
}

QRadioButton* radio(QWidget* sheet, const QString& group, const QString& caption)
{
    for (auto* button : radios(sheet, group))
        if (button->text().remove(QLatin1Char('&')) == caption) return button;
    ADD_FAILURE() << "no radio button " << caption.toStdString() << " in " << group.toStdString();
    return nullptr;
}

QString checkedIn(QWidget* sheet, const QString& group)
{
    for (auto* button : radios(sheet, group))
        if (button->isChecked()) return button->text();
    return {};
}

template <typename W>
W* field(QWidget* sheet, const char* name)
{
    W* w = sheet->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Opens the sheet with the window's "Setup" button (or "&Setup" on the menu), lets `edit`
// work on it, then presses OK or Cancel.
void runSetup(CMainWindow& w, const std::function<void(QDialog&)>& edit, bool ok, bool fromMenu = false)
{
    QTimer::singleShot(0, &w, [&w, edit, ok] {
        auto* sheet = w.findChild<QDialog*>(QStringLiteral("setupSheet"));
        ASSERT_NE(sheet, nullptr);
        ASSERT_TRUE(sheet->isVisible());
        edit(*sheet);
        auto* buttons = sheet->findChild<QDialogButtonBox*>();
        buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        if (sheet->isVisible()) sheet->reject();  // a refused OK must not hang the test
    });
    if (fromMenu) {
        QMenu* menu = w.findChild<QToolButton*>(QStringLiteral("systemMenu"))->menu();
        emit menu->aboutToShow();
        QAction* setup = menu->actions().first();
        ASSERT_TRUE(setup->isEnabled());
        setup->trigger();
    } else {
        qobject_cast<QPushButton*>(w.control(ControlId::Setup))->click();
    }
}

// What the line discipline of the radio's end says about the stop bits Vexa set.
bool twoStopBits(const std::string& device)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios t{};
    const bool two = fd >= 0 && ::tcgetattr(fd, &t) == 0 && (t.c_cflag & CSTOPB) != 0;
    if (fd >= 0) ::close(fd);
    return two;
}

TEST(SetupSheet, SpeedIndexCountsTheHalvingsDownTo1200)
{
    const std::pair<int, int> cases[] = {{0, 0},    {1200, 0},  {2400, 1},  {3600, 2},
                                         {9600, 3}, {19200, 4}, {115200, 4}};
    for (const auto& [baud, index] : cases) EXPECT_EQ(speedIndexForBaud(baud), index) << baud;
}

TEST(SetupSheet, InvalidFieldsKeepThePageAndTheSheetOpenWithTheirMessage)
{
    struct Case {
        int page;
        const char* name;
        const char* text;
        const char* message;
        const char* accepted;
    };
    const Case cases[] = {
        {2, "soundFq", "200", "Please enter an integer between 300 and 3000.", "3000"},
        {2, "soundFq", "1e3", "Please enter an integer.", "300"},
        {2, "startFq", "2001", "Please enter an integer between 0 and 2000.", "0"},
        {0, "latitude", "north", "Please enter a number.", "-33.9"},
        {0, "longitude", "-181", "Please enter a number between -180 and 180.", "-180"},
        {3, "wrap", "eighty", "Please enter an integer.", "72"},
        {1, "rigctld", "radio:99999", "Please enter the address of rigctld as host:port.", "radio:4532"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "=" + c.text);
        test::ScriptedPrompter prompter;
        CVexaPropertySheet sheet(prompter);
        sheet.load(SetupValues{});
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
        sheet.tabs()->setCurrentIndex(c.page);
        if (c.page == 1) radio(&sheet, "CAT/RCP", "Hamlib")->setChecked(true);
        auto* edit = field<QLineEdit>(&sheet, c.name);
        edit->setText(QString::fromLatin1(c.text));
        sheet.tabs()->setCurrentIndex(c.page == 0 ? 1 : 0);  // leaving the page
        EXPECT_EQ(sheet.tabs()->currentIndex(), c.page);
        EXPECT_EQ(prompter.shownTexts(), std::vector<std::string>{c.message});
        EXPECT_TRUE(edit->hasFocus());
        sheet.accept();
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_EQ(prompter.shown.size(), 2u);
        edit->setText(QString::fromLatin1(c.accepted));
        sheet.accept();
        EXPECT_FALSE(sheet.isVisible());
        EXPECT_EQ(sheet.result(), QDialog::Accepted);
    }
}

// Tab reaches every field, check box and radio group of each page; no two captions share a
// mnemonic; no control is drawn smaller than it needs (run again at scale factor 2).
TEST(SetupSheet, EveryControlIsReachableByKeyboardAndShownWhole)
{
    test::ScriptedPrompter prompter;
    CVexaPropertySheet sheet(prompter);
    sheet.load(SetupValues{});
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
    for (int page = 0; page < sheet.tabs()->count(); ++page) {
        SCOPED_TRACE(sheet.tabs()->tabText(page).toStdString());
        sheet.tabs()->setCurrentIndex(page);
        QWidget* shown = sheet.tabs()->currentWidget();
        sheet.tabs()->tabBar()->setFocus(Qt::TabFocusReason);
        std::set<QWidget*> reached;
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached.insert(QApplication::focusWidget());
        }
        for (QWidget* w : shown->findChildren<QWidget*>()) {
            if (!w->isEnabled() || !w->isVisible()) continue;
            if (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget())) continue;
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w)) {
                EXPECT_TRUE(reached.count(w) || reached.count(w->focusProxy()))
                    << w->objectName().toStdString();
            }
        }
        for (auto* box : shown->findChildren<QGroupBox*>()) {
            const auto radios = box->findChildren<QRadioButton*>();
            EXPECT_TRUE(radios.empty() || std::any_of(radios.begin(), radios.end(),
                                                      [&](auto* r) { return reached.count(r) != 0; }))
                << box->title().toStdString();
        }

        std::set<QString> mnemonics{QStringLiteral("o"), QStringLiteral("c")};  // "&OK", "&Cancel"
        auto mnemonicOf = [&](const QString& text) {
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            if (at < 0 || at + 1 >= text.size()) return;
            EXPECT_TRUE(mnemonics.insert(text.mid(at + 1, 1).toLower()).second) << text.toStdString();
        };
        for (auto* w : shown->findChildren<QLabel*>()) mnemonicOf(w->text());
        for (auto* w : shown->findChildren<QAbstractButton*>()) mnemonicOf(w->text());
        for (auto* w : shown->findChildren<QGroupBox*>()) mnemonicOf(w->title());

        for (QWidget* w : shown->findChildren<QWidget*>()) {
            if (!w->isVisible() || !(qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w))) continue;
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->metaObject()->className();
            EXPECT_GE(w->height(), w->minimumSizeHint().height()) << w->metaObject()->className();
            EXPECT_TRUE(shown->rect().contains(QRect(w->mapTo(shown, QPoint(0, 0)), w->size())));
        }
    }
}

struct RadioProfile {
    test::Ft990Radio ft990;
    test::Ts850Radio ts850;
    test::TempDir dir;
    ApplicationGlobals globals;
    test::ScriptedPrompter prompter;

    explicit RadioProfile(const char* moreTx1 = "")
    {
        globals.profileFile = dir.path() / "vexa.ini";
        std::ofstream(globals.profileFile)
            << "[TX1]\n"
            << moreTx1 << "Type=4\nComPort=2\nComSpeed=9600\nCom1Device=" << ft990.devicePath()
            << "\nCom2Device=" << ts850.devicePath() << "\n";
    }
    MainWindowServices services() { return {nullptr, &prompter}; }
};

TEST(SetupSheet, ConfirmedSheetReopensTheLinkOfTheChosenRadio)
{
    RadioProfile rp;
    test::runWindow(rp.globals, rp.services(), [&](CMainWindow& w) {
        rig::Transceiver& trx = w.rig().transceiver();
        // Start-up: the TS-850 on two stop bits; the sheet reopens it on one.
        EXPECT_TRUE(twoStopBits(rp.ts850.devicePath()));
        runSetup(
            w,
            [](QDialog& sheet) {
                EXPECT_EQ(checkedIn(&sheet, "Speed"), QStringLiteral("9600"));
                // The "Sound" page rides along and is applied with the rest.
                auto* sound = sheet.findChild<ui::CSoundPage*>(QStringLiteral("soundPage"));
                ASSERT_NE(sound, nullptr);
                sound->transmitLevelBox()->setValue(-6);
            },
            true);
        EXPECT_EQ(rp.globals.settings.sound.transmitLevelDb, -6);
        ASSERT_NE(trx.activeChannel(), nullptr);
        EXPECT_FALSE(twoStopBits(rp.ts850.devicePath()));

        // The FT-990 on COM1 with two, and its frequency read at once.
        runSetup(
            w,
            [](QDialog& sheet) {
                radio(&sheet, "Com", "1")->setChecked(true);
                radio(&sheet, "CAT/RCP", "FT990")->setChecked(true);
                radio(&sheet, "Speed", "4800")->setChecked(true);
            },
            true);
        ASSERT_NE(trx.activeChannel(), nullptr);
        EXPECT_EQ(trx.activeChannel()->describe(), rp.ft990.devicePath());
        EXPECT_TRUE(twoStopBits(rp.ft990.devicePath()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return trx.dialFrequency() == rp.ft990.frequency(); }, 5000));
        const Profile profile(rp.globals.profileFile);
        EXPECT_EQ(profile.readInt("TX1", "ComPort", -1), 1);
        EXPECT_EQ(profile.readInt("TX1", "ComSpeed", -1), 4800);
        EXPECT_EQ(profile.readInt("TX1", "Type", -1), 3);

        // "None": the line closes, the last rate that worked stays.
        runSetup(
            w,
            [](QDialog& sheet) {
                radio(&sheet, "Com", "None")->setChecked(true);
                radio(&sheet, "Speed", "19200")->setChecked(true);
            },
            true);
        EXPECT_EQ(trx.activeChannel(), nullptr);
        EXPECT_EQ(profile.readInt("TX1", "ComPort", -1), 0);
        EXPECT_EQ(profile.readInt("TX1", "ComSpeed", -1), 4800);

        // Any radio Hamlib knows, through its daemon.
        if (test::RigctldProcess::installed()) {
            test::RigctldProcess daemon(test::RigctldProcess::freePort());
            runSetup(
                w,
                [&](QDialog& sheet) {
                    radio(&sheet, "CAT/RCP", "Hamlib")->setChecked(true);
                    field<QLineEdit>(&sheet, "rigctld")->setText(QString::fromStdString(daemon.address()));
                },
                true);
            ASSERT_NE(trx.activeChannel(), nullptr);
            EXPECT_TRUE(QTest::qWaitFor([&] { return trx.dialFrequency() != rp.ft990.frequency(); }, 5000));
            EXPECT_EQ(profile.readString("TX1", "Rigctld", ""), daemon.address());
            EXPECT_EQ(profile.readInt("TX1", "Type", -1), 5);
        }
        EXPECT_TRUE(rp.prompter.shown.empty());
    });
}

// Closing the line under a transmitter keyed over it would leave it on the air for good.
TEST(SetupSheet, ATransmissionEndsBeforeItsLineCloses)
{
    RadioProfile rp("CatPtt=1\n");
    engine::WaveFileBackend backend(engine::WaveFileOptions{.outputPath = rp.dir.file("tx.wav")});
    MainWindowServices services = rp.services();
    services.sound = &backend;
    test::runWindow(rp.globals, services, [&](CMainWindow& w) {
        QTest::keyClicks(w.richEdit(ControlId::KeyboardWindow),
                         QStringLiteral("cq cq cq de dl1abc dl1abc pse k"));
        w.ToggleTransmit();
        ASSERT_TRUE(QTest::qWaitFor([&] { return rp.ts850.ptt(); }, 5000));
        runSetup(
            w, [](QDialog& sheet) { radio(&sheet, "Com", "None")->setChecked(true); }, true);
        EXPECT_FALSE(w.state().transmitActive());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !rp.ts850.ptt(); }, 5000));
    });
}

TEST(SetupSheet, CancelChangesNothingButRewritesTheFrequencyAndTheBoldFormat)
{
    RadioProfile rp;
    {
        std::ofstream(rp.globals.profileFile, std::ios::app) << "[Keyboard]\nBoldFont=1\n";
    }
    test::runWindow(rp.globals, rp.services(), [&](CMainWindow& w) {
        const std::string before = test::slurp(rp.globals.profileFile);
        auto* frequency = qobject_cast<QComboBox*>(w.control(ControlId::FrequencyBox));
        frequency->setEditText(QStringLiteral("garbage"));
        QTextEdit* entry = w.richEdit(ControlId::EntryLine);
        QTextCharFormat plain;
        plain.setFontWeight(QFont::Normal);
        entry->setCurrentCharFormat(plain);
        runSetup(
            w,
            [](QDialog& sheet) {
                radio(&sheet, "Com", "None")->setChecked(true);
                field<QLineEdit>(&sheet, "call")->setText(QStringLiteral("N0CALL"));
                field<QCheckBox>(&sheet, "boldFont")->setChecked(false);
            },
            false, true);
        EXPECT_EQ(test::slurp(rp.globals.profileFile), before);
        EXPECT_NE(w.rig().transceiver().activeChannel(), nullptr);
        EXPECT_EQ(rp.globals.settings.station.call, "XX9XX");
        EXPECT_EQ(frequency->currentText().toStdString(),
                  display::formatDialFrequency(w.rig().transceiver().GetSignalFrequency()));
        EXPECT_EQ(entry->currentCharFormat().fontWeight(), QFont::Bold);
    });
}

TEST(SetupSheet, StationDataAndLayoutSurviveARestart)
{
    test::TempDir dir;
    const std::filesystem::path ini = dir.path() / "vexa.ini";
    test::ScriptedPrompter prompter;
    {
        ApplicationGlobals globals;
        globals.profileFile = ini;
        std::vector<MainWindowTemplate> built;
        QString entryText;
        test::runWindow(
            globals, {nullptr, &prompter},
            [&](CMainWindow& w) {
                if (built.size() > 1) {
                    EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("[DL1ABC]")));
                    // Nothing the operator had in the windows is lost with the old one.
                    EXPECT_EQ(w.richEdit(ControlId::EntryLine)->toPlainText(), entryText);
                    EXPECT_TRUE(w.entryUnsaved());
                    EXPECT_EQ(w.richEdit(ControlId::KeyboardWindow)->toPlainText(), QStringLiteral("unsent"));
                    EXPECT_EQ(w.richEdit(ControlId::ReceiveWindow)->toPlainText(),
                              QStringLiteral("cq de sm5xyz"));
                    w.setEntryUnsaved(false);
                    return;
                }
                w.richEdit(ControlId::ReceiveWindow)->setPlainText(QStringLiteral("cq de sm5xyz"));
                QTest::keyClicks(w.richEdit(ControlId::KeyboardWindow), QStringLiteral("unsent"));
                QTest::keyClicks(w.richEdit(ControlId::EntryLine), QStringLiteral("SM5XYZ 599"));
                entryText = w.richEdit(ControlId::EntryLine)->toPlainText();
                EXPECT_TRUE(entryText.contains(QStringLiteral("SM5XYZ 599")));
                runSetup(
                    w,
                    [](QDialog& sheet) {
                        field<QLineEdit>(&sheet, "call")->setText(QStringLiteral("DL1ABC"));
                        field<QLineEdit>(&sheet, "latitude")->setText(QStringLiteral("52.52"));
                        field<QLineEdit>(&sheet, "longitude")->setText(QStringLiteral("-13.4"));
                        field<QLineEdit>(&sheet, "name")->setText(QStringLiteral("Anna"));
                        field<QLineEdit>(&sheet, "qth")->setText(QStringLiteral("Berlin"));
                        field<QCheckBox>(&sheet, "largeScreen")->setChecked(true);
                    },
                    true);
            },
            &built);
        EXPECT_EQ(built, (std::vector{MainWindowTemplate::Normal, MainWindowTemplate::Large}));
    }
    ApplicationGlobals restarted;
    restarted.profileFile = ini;
    std::vector<MainWindowTemplate> built;
    test::runWindow(
        restarted, {nullptr, &prompter},
        [&](CMainWindow& w) {
            if (built.back() == MainWindowTemplate::Large && built.size() == 2) {
                runSetup(
                    w, [](QDialog& sheet) { field<QCheckBox>(&sheet, "largeScreen")->setChecked(false); },
                    true);
            }
        },
        &built);
    const StationData& s = restarted.settings.station;
    EXPECT_EQ(s.call, "DL1ABC");
    EXPECT_DOUBLE_EQ(s.latitude, 52.52);
    EXPECT_DOUBLE_EQ(s.longitude, -13.4);
    EXPECT_EQ(s.name, "Anna");
    EXPECT_EQ(s.qth, "Berlin");
    EXPECT_EQ(built, (std::vector{MainWindowTemplate::Normal, MainWindowTemplate::Large,
                                  MainWindowTemplate::Normal}));
    EXPECT_EQ(Profile(ini).readInt("Keyboard", "LargeScreen", -1), 0);
    EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace vexa::app::qt
