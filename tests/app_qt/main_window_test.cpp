#include "app/qt/main_window.h"

#include <fstream>
#include <functional>
#include <vector>

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "app/qt/control_layout.h"
#include "app/qt/qt_text_window.h"
#include "app/qt/text_limit.h"
#include "common/profile.h"
#include "support/next_modal.h"
#include "support/recording_transceiver.h"
#include "support/scripted_prompter.h"
#include "support/window_harness.h"

namespace vexa::app::qt {
namespace {

using test::ScriptedPrompter;

TEST(MainWindow, FirstStartOpensTheNormalLayoutInPskWithTheStationCaption)
{
    QTemporaryDir dir;
    ApplicationGlobals globals;
    globals.profileFile = dir.filePath(QStringLiteral("absent/vexa.ini")).toStdString();
    std::vector<MainWindowTemplate> built;
    test::runWindow(
        globals, {},
        [&](CMainWindow& w) {
            EXPECT_EQ(w.windowTitle(), QStringLiteral("Vexa v 1.03/D [XX9XX]"));
            auto* mode = qobject_cast<QComboBox*>(w.control(ControlId::ModeBox));
            ASSERT_NE(mode, nullptr);
            EXPECT_EQ(mode->currentIndex(), 9);
            EXPECT_EQ(mode->currentText(), QStringLiteral("PSK"));
            EXPECT_EQ(w.state().operatingMode(), OperatingMode::Psk31);
            QStringList texts;
            for (int i = 0; i < mode->count(); ++i) texts << mode->itemText(i);
            EXPECT_EQ(texts.join(','), QStringLiteral("CW,USB,LSB,SSB,RTTY,SSTV,FAX,AM,FM,PSK,QPSK,FSK31"));
            auto* frequency = qobject_cast<QComboBox*>(w.control(ControlId::FrequencyBox));
            ASSERT_EQ(frequency->count(), 10);
            for (int i = 0; i < 10; ++i) EXPECT_EQ(frequency->itemText(i), QStringLiteral("-"));
            EXPECT_EQ(qobject_cast<QLineEdit*>(w.control(ControlId::CwSpeed))->text(), QStringLiteral("30"));
            EXPECT_EQ(globals.settings.comPort, 2);
            EXPECT_EQ(globals.settings.comSpeed, 1200);
            EXPECT_EQ(qobject_cast<QCheckBox*>(w.control(ControlId::Spec))->text(), QStringLiteral("spc"));
            EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("labelHz")), nullptr);
            EXPECT_TRUE(w.clockTimer().isActive());
            EXPECT_EQ(w.clockTimer().interval(), 55);
            EXPECT_TRUE(QTest::qWaitFor([&] { return w.richEdit(ControlId::EntryLine)->hasFocus(); }, 2000));
        },
        &built);
    EXPECT_EQ(built, std::vector<MainWindowTemplate>{MainWindowTemplate::Normal});
}

TEST(MainWindow, FrequencyFieldsShowTheSignalAndAudioFrequencyAndFollowTuning)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        auto* dial = qobject_cast<QComboBox*>(w.control(ControlId::FrequencyBox));
        auto* audio = qobject_cast<QLineEdit*>(w.control(ControlId::AudioFrequency));
        // USB: 14.071 MHz dial plus the 1000 Hz receive tone.
        EXPECT_EQ(dial->currentText(), QStringLiteral("14.072.000"));
        EXPECT_EQ(audio->text(), QStringLiteral("1000.0"));

        QTest::keyClick(&w, Qt::Key_Right, Qt::AltModifier);
        EXPECT_EQ(audio->text(), QStringLiteral("1001.0"));
        EXPECT_EQ(dial->currentText(), QStringLiteral("14.072.001"));

        // Outside the digital modes the signal is on the dial frequency.
        w.SetOperatingMode(OperatingMode::Usb);
        EXPECT_EQ(dial->currentText(), QStringLiteral("14.071.000"));
        // RTTY at 100 Bd by its key is a mode change like any other.
        QTest::keyClick(&w, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        EXPECT_EQ(dial->currentText(), QStringLiteral("14.072.001"));
    });
}

TEST(MainWindow, TheReceiveLogAndKeyboardWindowsHoldAMillionCharacters)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        for (const ControlId id :
             {ControlId::LogWindow, ControlId::ReceiveWindow, ControlId::KeyboardWindow}) {
            SCOPED_TRACE(idNumber(id));
            const auto* limit = w.richEdit(id)->findChild<TextLimit*>();
            ASSERT_NE(limit, nullptr);
            EXPECT_EQ(limit->limit(), 1000000);
            EXPECT_EQ(limit->policy(), id == ControlId::KeyboardWindow ? TextLimit::Policy::RefuseInput
                                                                       : TextLimit::Policy::DropOldest)
                << "unsent text is never dropped";
        }
    });
}

TEST(MainWindow, EveryControlExistsWithItsKindPlacementAndCaption)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        const QRect client = w.rect();
        for (const ControlSpec& spec : mainWindowControls()) {
            if (spec.id == ControlId::None) continue;
            QWidget* c = w.control(spec.id);
            ASSERT_NE(c, nullptr) << idNumber(spec.id);
            EXPECT_EQ(c->objectName(), QString::number(idNumber(spec.id)));
            switch (spec.placement) {
                case Placement::Shown:
                    EXPECT_TRUE(c->isVisible()) << idNumber(spec.id);
                    EXPECT_TRUE(client.contains(c->geometry()))
                        << idNumber(spec.id) << " lies inside the window";
                    break;
                case Placement::Outside:
                    EXPECT_FALSE(c->isHidden()) << idNumber(spec.id);
                    EXPECT_FALSE(client.intersects(c->geometry()))
                        << idNumber(spec.id) << " lies beyond the window";
                    break;
                case Placement::Hidden:
                    EXPECT_TRUE(c->isHidden()) << idNumber(spec.id);
                    break;
            }
            if (auto* b = qobject_cast<QPushButton*>(c); b && spec.id != ControlId::Time) {
                EXPECT_EQ(b->text(), QString::fromLatin1(spec.caption)) << idNumber(spec.id);
                EXPECT_FALSE(b->autoDefault()) << "Enter must never press " << idNumber(spec.id);
            }
        }
        // Shown controls do not overlap one another (the menu button sits on the map).
        std::vector<QWidget*> shown;
        for (const ControlSpec& spec : mainWindowControls()) {
            if (spec.placement == Placement::Shown && spec.id != ControlId::None)
                shown.push_back(w.control(spec.id));
        }
        for (size_t i = 0; i < shown.size(); ++i) {
            for (size_t j = i + 1; j < shown.size(); ++j) {
                EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                    << shown[i]->objectName().toStdString() << " overlaps "
                    << shown[j]->objectName().toStdString();
            }
        }
        EXPECT_EQ(w.richEdit(ControlId::ReceiveWindow)->palette().color(QPalette::Base),
                  QColor(255, 255, 224));
        EXPECT_EQ(w.richEdit(ControlId::LogWindow)->palette().color(QPalette::Base), QColor(224, 255, 255));
        EXPECT_EQ(w.timeStampFormat().foreground().color(), QColor(0, 0, 96));
        EXPECT_EQ(w.savedFormat().foreground().color(), QColor(192, 0, 0));
        EXPECT_TRUE(w.savedFormat().fontItalic());
        EXPECT_EQ(w.normalFormat().fontWeight(), QFont::Normal);
    });
}

TEST(MainWindow, LargeScreenRebuildsTheWindowOnceAndKeepsWhatLivesOutsideIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ApplicationGlobals globals;
    globals.profileFile = dir.filePath(QStringLiteral("vexa.ini")).toStdString();
    {
        std::ofstream ini(globals.profileFile);
        ini << "[keyboard]\nlargescreen=1\nBoldFont=1\n[Station]\nCall=DL1XYZ\n";
    }
    globals.textFlow.setCapturedCall("G4XYZ");
    std::vector<MainWindowTemplate> built;
    QSize largeSize;
    test::runWindow(
        globals, {},
        [&](CMainWindow& w) {
            largeSize = w.size();
            EXPECT_EQ(qobject_cast<QCheckBox*>(w.control(ControlId::Spec))->text(), QStringLiteral("spec"));
            EXPECT_NE(w.findChild<QLabel*>(QStringLiteral("labelHz")), nullptr);
            EXPECT_EQ(w.normalFormat().fontWeight(), QFont::Bold);
            EXPECT_EQ(w.windowTitle(), QStringLiteral("Vexa v 1.03/D [DL1XYZ]"));
        },
        &built);
    EXPECT_EQ(built,
              (std::vector<MainWindowTemplate>{MainWindowTemplate::Normal, MainWindowTemplate::Large}));
    EXPECT_EQ(globals.mainWindowTemplate, MainWindowTemplate::Large);
    EXPECT_EQ(globals.textFlow.capturedCall(), "G4XYZ");

    // With the switch off again and template 102 current, nothing switches back at start.
    {
        std::ofstream ini(globals.profileFile);
        ini << "[Keyboard]\nLargeScreen=0\n";
    }
    built.clear();
    QSize again;
    test::runWindow(
        globals, {}, [&](CMainWindow& w) { again = w.size(); }, &built);
    EXPECT_EQ(built, std::vector<MainWindowTemplate>{MainWindowTemplate::Large});
    EXPECT_EQ(again, largeSize);
}

TEST(MainWindow, ReceivedTextWaitsWhileTheReceiveWindowHasFocusAndArrivesInOnePiece)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        QTextEdit* receive = w.richEdit(ControlId::ReceiveWindow);
        ASSERT_TRUE(test::focus(receive));
        w.state().receiveTextBuffer() += "CQ CQ de ";
        QTest::qWait(150);
        w.state().receiveTextBuffer() += "G4XYZ pse k\r\n";
        QTest::qWait(150);
        EXPECT_EQ(receive->toPlainText(), QString());
        w.richEdit(ControlId::KeyboardWindow)->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !receive->toPlainText().isEmpty(); }, 2000));
        EXPECT_EQ(receive->toPlainText(), QStringLiteral("CQ CQ de G4XYZ pse k\n"));
        EXPECT_EQ(globals.textFlow.capturedCall(), "G4XYZ");

        // Focus in the mode box pauses too.
        ASSERT_TRUE(test::focus(w.control(ControlId::ModeBox)));
        w.state().receiveTextBuffer() += "more";
        QTest::qWait(150);
        EXPECT_EQ(receive->toPlainText(), QStringLiteral("CQ CQ de G4XYZ pse k\n"));
        w.richEdit(ControlId::EntryLine)->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return receive->toPlainText().endsWith("more"); }, 2000));

        // Backspace removes the last character.
        w.state().receiveTextBuffer() += "\b";
        ASSERT_TRUE(QTest::qWaitFor([&] { return receive->toPlainText().endsWith("mor"); }, 2000));
    });
}

TEST(MainWindow, EnterMovesTheFocusToTheEntryLineAndEscNeverCloses)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        QTextEdit* keyboard = w.richEdit(ControlId::KeyboardWindow);
        ASSERT_TRUE(test::focus(keyboard));
        QTest::keyClicks(keyboard, QStringLiteral("abc"));
        QTest::keyClick(keyboard, Qt::Key_Return);
        EXPECT_TRUE(w.richEdit(ControlId::EntryLine)->hasFocus());
        EXPECT_EQ(keyboard->toPlainText(), QStringLiteral("abc")) << "Enter types nothing";

        auto* frequency = qobject_cast<QComboBox*>(w.control(ControlId::FrequencyBox));
        frequency->setFocus();
        QTest::keyClick(frequency, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_TRUE(w.richEdit(ControlId::EntryLine)->hasFocus());

        qobject_cast<QLabel*>(w.control(ControlId::Status))->setText(QStringLiteral("status"));
        keyboard->setFocus();
        QTest::keyClick(keyboard, Qt::Key_Escape);
        QTest::keyClick(w.richEdit(ControlId::EntryLine), Qt::Key_Escape);
        QTest::qWait(50);
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(w.richEdit(ControlId::EntryLine)->hasFocus());
        EXPECT_EQ(qobject_cast<QLabel*>(w.control(ControlId::Status))->text(), QString());
    });
}

TEST(MainWindow, ModeBoxSendsTheTransceiverModeAndReturnsTheFocusToTheEntryLine)
{
    ApplicationGlobals globals;
    test::RecordingTransceiver trx;
    test::runWindow(globals, {&trx}, [&](CMainWindow& w) {
        ASSERT_EQ(trx.modeCommands, std::vector<int>{4}) << "start-up selects PSK31";
        auto* mode = qobject_cast<QComboBox*>(w.control(ControlId::ModeBox));
        for (auto [index, code] : {std::pair{7, 2}, {5, 1}, {6, 1}, {0, 3}, {8, 5}, {2, 0}}) {
            trx.modeCommands.clear();
            mode->setFocus();
            mode->setCurrentIndex(index);
            emit mode->activated(index);
            EXPECT_EQ(trx.modeCommands, std::vector<int>{code}) << "item " << index;
            EXPECT_EQ(modeIndex(w.state().operatingMode()), index);
            EXPECT_TRUE(w.richEdit(ControlId::EntryLine)->hasFocus());
        }
    });
}

TEST(MainWindow, FunctionKeysSendTheMacrosAndCtrlEditsThem)
{
    QTemporaryDir dir;
    ApplicationGlobals globals;
    globals.profileFile = dir.filePath(QStringLiteral("vexa.ini")).toStdString();
    ASSERT_TRUE(Profile(globals.profileFile).writeString("Keyboard", "F1", "CQ<SP>de<SP><MYCALL><SP>k"));
    ScriptedPrompter prompter;
    prompter.textAnswers = {"73\nde <MYCALL>"};
    test::runWindow(globals, {nullptr, &prompter}, [&](CMainWindow& w) {
        QTextEdit* keyboard = w.richEdit(ControlId::KeyboardWindow);
        QTest::keyClick(keyboard, Qt::Key_F1);
        EXPECT_EQ(keyboard->toPlainText(), QStringLiteral("CQ de XX9XX k"));
        EXPECT_FALSE(w.state().transmitting());
        QTest::keyClick(keyboard, Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier);
    });
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Text for Shift F 12");
    EXPECT_EQ(Profile(globals.profileFile).readString("Keyboard", "F24", ""), "73<CR><LF>de<SP><MYCALL>");
}

TEST(MainWindow, CloseWithASavedEntryAsksNothing)
{
    ApplicationGlobals globals;
    ScriptedPrompter prompter;
    bool closed = false;
    test::runWindow(globals, {nullptr, &prompter}, [&](CMainWindow& w) {
        w.setEntryUnsaved(true);
        w.setEntryUnsaved(false);  // the entry went into the log
        w.close();
        closed = !w.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST(MainWindow, DxcSwapsTheReceiveAndLogWindowsForTheDxList)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        qobject_cast<QPushButton*>(w.control(ControlId::Dxc))->click();
        EXPECT_TRUE(w.dxListViewActive());
        EXPECT_TRUE(w.control(ControlId::DxList)->isVisible());
        EXPECT_FALSE(w.control(ControlId::ReceiveWindow)->isVisible());
        EXPECT_FALSE(w.control(ControlId::LogWindow)->isVisible());
        w.OnCommand(ControlId::Dxc);
        EXPECT_FALSE(w.control(ControlId::DxList)->isVisible());
        EXPECT_TRUE(w.control(ControlId::ReceiveWindow)->isVisible());
        EXPECT_TRUE(w.control(ControlId::LogWindow)->isVisible());
    });
}

TEST(MainWindow, ClockButtonShowsUtcSecondsAndCwSpinKeepsSpeedAtMostThirty)
{
    class FixedClock final : public Clock {
    public:
        std::time_t now() const override { return 1700000000; }  // 22:13:20 UTC
    } clock;
    ApplicationGlobals globals;
    test::runWindow(globals, {nullptr, nullptr, &clock}, [&](CMainWindow& w) {
        auto* time = qobject_cast<QPushButton*>(w.control(ControlId::Time));
        ASSERT_TRUE(QTest::qWaitFor([&] { return time->text() == QStringLiteral("22:13:20"); }, 2000))
            << time->text().toStdString();
        auto* spin = qobject_cast<QScrollBar*>(w.control(ControlId::CwSpeedSpin));
        auto* speed = qobject_cast<QLineEdit*>(w.control(ControlId::CwSpeed));
        spin->triggerAction(QAbstractSlider::SliderSingleStepSub);  // up arrow: shorter element
        ASSERT_TRUE(QTest::qWaitFor([&] { return speed->text() == QStringLiteral("30"); }, 1000));
        QTest::qWait(120);
        EXPECT_EQ(speed->text(), QStringLiteral("30"));
        EXPECT_FALSE(qobject_cast<QCheckBox*>(w.control(ControlId::Jr))->isChecked()) << "the spin clears JR";
        for (int i = 0; i < 10; ++i) spin->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        ASSERT_TRUE(QTest::qWaitFor([&] { return speed->text() == QStringLiteral("20"); }, 1000));
    });
}

TEST(MainWindow, DraggingAScrollBarHoldsTheReceivedTextBack)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        QScrollBar* bar = w.richEdit(ControlId::ReceiveWindow)->verticalScrollBar();
        emit bar->sliderPressed();
        EXPECT_TRUE(globals.receivePaused);
        w.state().receiveTextBuffer() += "held";
        QTest::qWait(150);
        EXPECT_EQ(w.richEdit(ControlId::ReceiveWindow)->toPlainText(), QString());
        emit bar->sliderReleased();
        EXPECT_FALSE(globals.receivePaused);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return w.richEdit(ControlId::ReceiveWindow)->toPlainText() == "held"; }, 2000));
    });
}

TEST(MainWindow, ATextWindowsMenuHoldsTheReceivedTextBackWhileItIsOpen)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        // The receive window has the focus that the opening menu seems to take from it.
        for (ControlId id : {ControlId::LogWindow, ControlId::ReceiveWindow}) {
            SCOPED_TRACE(idNumber(id));
            QTextEdit* receive = w.richEdit(ControlId::ReceiveWindow);
            receive->clear();
            QTextEdit* edit = w.richEdit(id);
            edit->setFocus();
            bool pausedWhileOpen = false;
            test::onNextModal<QMenu>([&](QMenu& menu) {
                pausedWhileOpen = globals.receivePaused;
                w.state().receiveTextBuffer() += "held";
                QTest::qWait(150);
                EXPECT_EQ(receive->toPlainText(), QString());
                QTest::keyClick(&menu, Qt::Key_Escape);
            });
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    edit->viewport()->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(edit->viewport(), &click);
            EXPECT_TRUE(pausedWhileOpen);
            EXPECT_FALSE(globals.receivePaused);
            w.focusEntryLine();
            EXPECT_TRUE(QTest::qWaitFor([&] { return receive->toPlainText() == "held"; }, 2000));
        }
    });
}

TEST(MainWindow, MenuButtonOffersSetupAboutAndClose)
{
    ApplicationGlobals globals;
    ScriptedPrompter prompter;
    test::runWindow(globals, {nullptr, &prompter}, [&](CMainWindow& w) {
        auto* button = w.findChild<QToolButton*>(QStringLiteral("systemMenu"));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isVisible());
        QStringList texts;
        for (QAction* a : button->menu()->actions()) texts << a->text();
        EXPECT_EQ(texts, (QStringList{"&Setup", "&DX list", "&Help", "&About  Vexa32", "", "Close"}));
        // The "DXC" button lies beyond the window's edge: the menu is how the mouse opens the list.
        emit button->menu()->aboutToShow();
        button->menu()->actions().at(1)->trigger();
        EXPECT_TRUE(w.control(ControlId::DxList)->isVisible());
        EXPECT_FALSE(w.control(ControlId::ReceiveWindow)->isVisible());

        QString aboutText;
        QTimer::singleShot(50, [&] {
            auto* about = QApplication::activeModalWidget();
            if (about == nullptr) return;
            for (QLabel* l : about->findChildren<QLabel*>()) aboutText += l->text();
            qobject_cast<QDialog*>(about)->accept();
        });
        w.OnCommand(ControlId::About);
        EXPECT_EQ(aboutText, QStringLiteral("Vexa v 1.03/D"));
        EXPECT_TRUE(w.isVisible());
        button->menu()->actions().last()->trigger();
    });
}

TEST(MainWindow, AFileDroppedOnTheKeyboardWindowIsTypedInTheEntryLineRefusesIt)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("brag.txt"));
    {
        std::ofstream out(file.toStdString());
        out << "rig: 100 W, ant: dipole\n";
    }
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file)});
        auto drop = [&](QTextEdit* edit) {
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edit->viewport(), &enter);
            const bool accepted = enter.isAccepted();
            QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edit->viewport(), &dropEvent);
            return accepted;
        };
        EXPECT_FALSE(drop(w.richEdit(ControlId::EntryLine)));
        EXPECT_EQ(w.richEdit(ControlId::EntryLine)->toPlainText(), QString());
        EXPECT_TRUE(drop(w.richEdit(ControlId::KeyboardWindow)));
        EXPECT_EQ(w.richEdit(ControlId::KeyboardWindow)->toPlainText(),
                  QStringLiteral("rig: 100 W, ant: dipole\n"));
    });
}

TEST(MainWindow, BackspaceInTheEmptyKeyboardWindowIsKeptForTheTransmitter)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        QTextEdit* keyboard = w.richEdit(ControlId::KeyboardWindow);
        keyboard->setFocus();
        for (int i = 0; i < 3; ++i) QTest::keyClick(keyboard, Qt::Key_Backspace);
        EXPECT_EQ(w.keyboardWindow().pendingBackspaces(), 3);
        QTest::keyClicks(keyboard, QStringLiteral("ab"));
        QTest::keyClick(keyboard, Qt::Key_Backspace);
        EXPECT_EQ(keyboard->toPlainText(), QStringLiteral("a"));
        EXPECT_EQ(w.keyboardWindow().pendingBackspaces(), 3);
    });
}

TEST(MainWindow, AppendToEntryLineWritesInTheTimeStampColour)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        QTextEdit* entry = w.richEdit(ControlId::EntryLine);
        entry->setPlainText(QStringLiteral("G4XYZ "));
        w.AppendToEntryLine("21:55 ");
        EXPECT_EQ(entry->toPlainText(), QStringLiteral("G4XYZ 21:55 "));
        QTextCursor c(entry->document());
        c.setPosition(8);
        EXPECT_EQ(c.charFormat().foreground().color(), QColor(0, 0, 96));
        EXPECT_EQ(entry->currentCharFormat().foreground().color(), QColor(0, 0, 0))
            << "typing goes on in the normal format";
    });
}

}  // namespace
}  // namespace vexa::app::qt
