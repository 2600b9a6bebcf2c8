#include "app/qt/main_window.h"

#include <fstream>
#include <functional>
#include <vector>

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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

#include "app/qt/application_loop.h"
#include "app/qt/control_layout.h"
#include "app/qt/qt_text_window.h"

namespace vexa::app::qt {
namespace {

class RecordingTransceiver final : public rig::TransceiverPort {
public:
    std::vector<int> modeCommands;
    void SetTransceiverMode(int code) override { modeCommands.push_back(code); }
};

class ScriptedPrompter final : public Prompter {
public:
    std::vector<Answer> answers;
    std::vector<std::string> questions;
    std::optional<std::string> askText(std::string_view, std::string_view) override { return std::nullopt; }
    Answer askYesNoCancel(std::string_view text, std::string_view) override
    {
        questions.emplace_back(text);
        if (answers.empty()) return Answer::Cancel;
        const Answer a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    void inform(std::string_view text, std::string_view) override { questions.emplace_back(text); }
};

// Runs the application loop; `drive` runs inside the first running window's event loop and
// must end it. Returns the loop's result.
int runWindow(ApplicationGlobals& globals, MainWindowServices services,
              std::function<void(CMainWindow&)> drive, std::vector<int>* templatesBuilt = nullptr)
{
    return RunApplicationLoop(globals, services, [&](CMainWindow& window) {
        if (templatesBuilt) templatesBuilt->push_back(globals.mainWindowTemplate);
        QTimer::singleShot(0, &window, [&window, drive] {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
            window.activateWindow();
            (void)QTest::qWaitForWindowActive(&window);
            drive(window);
            if (window.isVisible()) window.done(kResultCancel);
        });
    });
}

TEST(MainWindow, FirstStartOpensTheNormalLayoutInPskWithTheStationCaption)
{
    QTemporaryDir dir;
    ApplicationGlobals globals;
    globals.profileFile = dir.filePath(QStringLiteral("absent/vexa.ini")).toStdString();
    std::vector<int> built;
    const int result = runWindow(
        globals, {},
        [&](CMainWindow& w) {
            EXPECT_EQ(w.windowTitle(), QStringLiteral("Vexa v 1.03/D [XX9XX]"));
            auto* mode = w.findChild<QComboBox*>(QStringLiteral("1106"));
            ASSERT_NE(mode, nullptr);
            EXPECT_EQ(mode->currentIndex(), 9);
            EXPECT_EQ(mode->currentText(), QStringLiteral("PSK"));
            EXPECT_EQ(w.state().operatingMode(), OperatingMode::Psk31);
            QStringList texts;
            for (int i = 0; i < mode->count(); ++i) texts << mode->itemText(i);
            EXPECT_EQ(texts.join(','), QStringLiteral("CW,USB,LSB,SSB,RTTY,SSTV,FAX,AM,FM,PSK,QPSK,FSK31"));
            auto* frequency = w.findChild<QComboBox*>(QStringLiteral("1105"));
            ASSERT_EQ(frequency->count(), 10);
            for (int i = 0; i < 10; ++i) EXPECT_EQ(frequency->itemText(i), QStringLiteral("-"));
            EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("1121"))->text(), QStringLiteral("30"));
            EXPECT_EQ(globals.settings.comPort, 2);
            EXPECT_EQ(globals.settings.comSpeed, 1200);
            EXPECT_EQ(w.findChild<QCheckBox*>(QStringLiteral("1182"))->text(), QStringLiteral("spc"));
            EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("labelHz")), nullptr);
            EXPECT_TRUE(w.clockTimer().isActive());
            EXPECT_EQ(w.clockTimer().interval(), 55);
            EXPECT_TRUE(QTest::qWaitFor([&] { return w.richEdit(1002)->hasFocus(); }, 2000));
        },
        &built);
    EXPECT_EQ(result, kResultCancel);
    EXPECT_EQ(built, std::vector<int>{kNormalTemplate});
}

TEST(MainWindow, FrequencyFieldsShowTheSignalAndAudioFrequencyAndFollowTuning)
{
    ApplicationGlobals globals;
    runWindow(globals, {}, [&](CMainWindow& w) {
        auto* dial = w.findChild<QComboBox*>(QStringLiteral("1105"));
        auto* audio = w.findChild<QLineEdit*>(QStringLiteral("1189"));
        // USB: 14.071 MHz dial plus the 1000 Hz receive tone.
        EXPECT_EQ(dial->currentText(), QStringLiteral("14.072.000"));
        EXPECT_EQ(audio->text(), QStringLiteral("1000.0"));

        QTest::keyClick(&w, Qt::Key_Right, Qt::AltModifier);
        EXPECT_EQ(audio->text(), QStringLiteral("1001.0"));
        EXPECT_EQ(dial->currentText(), QStringLiteral("14.072.001"));

        // Outside the digital modes the signal is on the dial frequency.
        w.SetOperatingMode(OperatingMode::Usb);
        EXPECT_EQ(dial->currentText(), QStringLiteral("14.071.000"));
    });
}

TEST(MainWindow, EveryControlExistsWithItsKindPlacementAndCaption)
{
    ApplicationGlobals globals;
    runWindow(globals, {}, [&](CMainWindow& w) {
        const QRect client = w.rect();
        for (const ControlSpec& spec : mainWindowControls()) {
            if (spec.id == 0) continue;
            QWidget* c = w.control(spec.id);
            ASSERT_NE(c, nullptr) << spec.id;
            EXPECT_EQ(c->objectName(), QString::number(spec.id));
            switch (spec.placement) {
                case Placement::Shown:
                    EXPECT_TRUE(c->isVisible()) << spec.id;
                    EXPECT_TRUE(client.contains(c->geometry())) << spec.id << " lies inside the window";
                    break;
                case Placement::Outside:
                    EXPECT_FALSE(c->isHidden()) << spec.id;
                    EXPECT_FALSE(client.intersects(c->geometry())) << spec.id << " lies beyond the window";
                    break;
                case Placement::Hidden:
                    EXPECT_TRUE(c->isHidden()) << spec.id;
                    break;
            }
            if (auto* b = qobject_cast<QPushButton*>(c); b && spec.id != 1003) {
                EXPECT_EQ(b->text(), QString::fromLatin1(spec.caption)) << spec.id;
                EXPECT_FALSE(b->autoDefault()) << "Enter must never press " << spec.id;
            }
        }
        // Shown controls do not overlap one another (the menu button sits on the map).
        std::vector<QWidget*> shown;
        for (const ControlSpec& spec : mainWindowControls()) {
            if (spec.placement == Placement::Shown && spec.id != 0) shown.push_back(w.control(spec.id));
        }
        for (size_t i = 0; i < shown.size(); ++i) {
            for (size_t j = i + 1; j < shown.size(); ++j) {
                EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                    << shown[i]->objectName().toStdString() << " overlaps "
                    << shown[j]->objectName().toStdString();
            }
        }
        EXPECT_EQ(w.richEdit(1009)->palette().color(QPalette::Base), QColor(255, 255, 224));
        EXPECT_EQ(w.richEdit(1007)->palette().color(QPalette::Base), QColor(224, 255, 255));
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
    std::vector<int> built;
    QSize largeSize;
    const int result = runWindow(
        globals, {},
        [&](CMainWindow& w) {
            largeSize = w.size();
            EXPECT_EQ(w.findChild<QCheckBox*>(QStringLiteral("1182"))->text(), QStringLiteral("spec"));
            EXPECT_NE(w.findChild<QLabel*>(QStringLiteral("labelHz")), nullptr);
            EXPECT_EQ(w.normalFormat().fontWeight(), QFont::Bold);
            EXPECT_EQ(w.windowTitle(), QStringLiteral("Vexa v 1.03/D [DL1XYZ]"));
        },
        &built);
    EXPECT_EQ(result, kResultCancel);
    EXPECT_EQ(built, (std::vector<int>{kNormalTemplate, kLargeTemplate}));
    EXPECT_EQ(globals.mainWindowTemplate, kLargeTemplate);
    EXPECT_EQ(globals.textFlow.capturedCall(), "G4XYZ");

    // With the switch off again and template 102 current, nothing switches back at start.
    {
        std::ofstream ini(globals.profileFile);
        ini << "[Keyboard]\nLargeScreen=0\n";
    }
    built.clear();
    QSize again;
    runWindow(
        globals, {}, [&](CMainWindow& w) { again = w.size(); }, &built);
    EXPECT_EQ(built, std::vector<int>{kLargeTemplate});
    EXPECT_EQ(again, largeSize);
}

TEST(MainWindow, ReceivedTextWaitsWhileTheReceiveWindowHasFocusAndArrivesInOnePiece)
{
    ApplicationGlobals globals;
    runWindow(globals, {}, [&](CMainWindow& w) {
        QTextEdit* receive = w.richEdit(1009);
        receive->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return receive->hasFocus(); }, 2000));
        w.state().receiveTextBuffer() += "CQ CQ de ";
        QTest::qWait(150);
        w.state().receiveTextBuffer() += "G4XYZ pse k\r\n";
        QTest::qWait(150);
        EXPECT_EQ(receive->toPlainText(), QString());
        w.richEdit(1108)->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !receive->toPlainText().isEmpty(); }, 2000));
        EXPECT_EQ(receive->toPlainText(), QStringLiteral("CQ CQ de G4XYZ pse k\n"));
        EXPECT_EQ(globals.textFlow.capturedCall(), "G4XYZ");

        // Focus in the mode box pauses too.
        w.control(1106)->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.control(1106)->hasFocus(); }, 2000));
        w.state().receiveTextBuffer() += "more";
        QTest::qWait(150);
        EXPECT_EQ(receive->toPlainText(), QStringLiteral("CQ CQ de G4XYZ pse k\n"));
        w.richEdit(1002)->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return receive->toPlainText().endsWith("more"); }, 2000));

        // Backspace removes the last character.
        w.state().receiveTextBuffer() += "\b";
        ASSERT_TRUE(QTest::qWaitFor([&] { return receive->toPlainText().endsWith("mor"); }, 2000));
    });
}

TEST(MainWindow, EnterMovesTheFocusToTheEntryLineAndEscNeverCloses)
{
    ApplicationGlobals globals;
    runWindow(globals, {}, [&](CMainWindow& w) {
        QTextEdit* keyboard = w.richEdit(1108);
        keyboard->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return keyboard->hasFocus(); }, 2000));
        QTest::keyClicks(keyboard, QStringLiteral("abc"));
        QTest::keyClick(keyboard, Qt::Key_Return);
        EXPECT_TRUE(w.richEdit(1002)->hasFocus());
        EXPECT_EQ(keyboard->toPlainText(), QStringLiteral("abc")) << "Enter types nothing";

        auto* frequency = w.findChild<QComboBox*>(QStringLiteral("1105"));
        frequency->setFocus();
        QTest::keyClick(frequency, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_TRUE(w.richEdit(1002)->hasFocus());

        w.findChild<QLabel*>(QStringLiteral("1173"))->setText(QStringLiteral("status"));
        keyboard->setFocus();
        QTest::keyClick(keyboard, Qt::Key_Escape);
        QTest::keyClick(w.richEdit(1002), Qt::Key_Escape);
        QTest::qWait(50);
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(w.richEdit(1002)->hasFocus());
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("1173"))->text(), QString());
    });
}

TEST(MainWindow, ModeBoxSendsTheTransceiverModeAndReturnsTheFocusToTheEntryLine)
{
    ApplicationGlobals globals;
    RecordingTransceiver trx;
    runWindow(globals, {&trx}, [&](CMainWindow& w) {
        ASSERT_EQ(trx.modeCommands, std::vector<int>{4}) << "start-up selects PSK31";
        auto* mode = w.findChild<QComboBox*>(QStringLiteral("1106"));
        for (auto [index, code] : {std::pair{7, 2}, {5, 1}, {6, 1}, {0, 3}, {8, 5}, {2, 0}}) {
            trx.modeCommands.clear();
            mode->setFocus();
            mode->setCurrentIndex(index);
            emit mode->activated(index);
            EXPECT_EQ(trx.modeCommands, std::vector<int>{code}) << "item " << index;
            EXPECT_EQ(modeIndex(w.state().operatingMode()), index);
            EXPECT_TRUE(w.richEdit(1002)->hasFocus());
        }
    });
}

TEST(MainWindow, CloseAsksAboutAnUnsavedEntryAndCancelKeepsTheWindow)
{
    ApplicationGlobals globals;
    ScriptedPrompter prompter;
    prompter.answers = {Prompter::Answer::Cancel, Prompter::Answer::Yes, Prompter::Answer::No};
    bool stillOpenAfterCancel = false;
    bool stillOpenAfterYes = false;
    const int result = runWindow(globals, {nullptr, &prompter}, [&](CMainWindow& w) {
        w.setEntryState(1);
        w.OnCommand(1004);
        stillOpenAfterCancel = w.isVisible();
        w.CloseMainWindow();  // Yes: no log to save into yet, so nothing may be lost
        stillOpenAfterYes = w.isVisible();
        w.CloseMainWindow();  // No
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_TRUE(stillOpenAfterCancel);
    EXPECT_TRUE(stillOpenAfterYes);
    EXPECT_EQ(result, kResultCancel);
    ASSERT_EQ(prompter.questions.size(), 3u);
    EXPECT_EQ(prompter.questions[0], "Text is not saved!\r\nSave?");
}

TEST(MainWindow, CloseWithASavedEntryAsksNothing)
{
    ApplicationGlobals globals;
    ScriptedPrompter prompter;
    const int result = runWindow(globals, {nullptr, &prompter}, [&](CMainWindow& w) { w.close(); });
    EXPECT_EQ(result, kResultCancel);
    EXPECT_TRUE(prompter.questions.empty());
}

TEST(MainWindow, DxcSwapsTheReceiveAndLogWindowsForTheDxList)
{
    ApplicationGlobals globals;
    runWindow(globals, {}, [&](CMainWindow& w) {
        qobject_cast<QPushButton*>(w.control(1145))->click();
        EXPECT_TRUE(w.dxListViewActive());
        EXPECT_TRUE(w.control(1164)->isVisible());
        EXPECT_FALSE(w.control(1009)->isVisible());
        EXPECT_FALSE(w.control(1007)->isVisible());
        w.OnCommand(1145);
        EXPECT_FALSE(w.control(1164)->isVisible());
        EXPECT_TRUE(w.control(1009)->isVisible());
        EXPECT_TRUE(w.control(1007)->isVisible());
    });
}

TEST(MainWindow, ClockButtonShowsUtcSecondsAndCwSpinKeepsSpeedAtMostThirty)
{
    ApplicationGlobals globals;
    runWindow(globals, {}, [&](CMainWindow& w) {
        auto* time = qobject_cast<QPushButton*>(w.control(1003));
        ASSERT_TRUE(QTest::qWaitFor([&] { return time->text().size() == 8; }, 2000));
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(time->text()).hasMatch());
        auto* spin = qobject_cast<QScrollBar*>(w.control(1122));
        auto* speed = qobject_cast<QLineEdit*>(w.control(1121));
        spin->triggerAction(QAbstractSlider::SliderSingleStepSub);  // up arrow: shorter element
        ASSERT_TRUE(QTest::qWaitFor([&] { return speed->text() == QStringLiteral("30"); }, 1000));
        QTest::qWait(120);
        EXPECT_EQ(speed->text(), QStringLiteral("30"));
        EXPECT_FALSE(qobject_cast<QCheckBox*>(w.control(1123))->isChecked()) << "the spin clears JR";
        for (int i = 0; i < 10; ++i) spin->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        ASSERT_TRUE(QTest::qWaitFor([&] { return speed->text() == QStringLiteral("20"); }, 1000));
    });
}

TEST(MainWindow, DraggingAScrollBarHoldsTheReceivedTextBack)
{
    ApplicationGlobals globals;
    runWindow(globals, {}, [&](CMainWindow& w) {
        QScrollBar* bar = w.richEdit(1009)->verticalScrollBar();
        emit bar->sliderPressed();
        EXPECT_TRUE(globals.receivePaused);
        w.state().receiveTextBuffer() += "held";
        QTest::qWait(150);
        EXPECT_EQ(w.richEdit(1009)->toPlainText(), QString());
        emit bar->sliderReleased();
        EXPECT_FALSE(globals.receivePaused);
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.richEdit(1009)->toPlainText() == "held"; }, 2000));
    });
}

TEST(MainWindow, MenuButtonOffersSetupAboutAndClose)
{
    ApplicationGlobals globals;
    ScriptedPrompter prompter;
    const int result = runWindow(globals, {nullptr, &prompter}, [&](CMainWindow& w) {
        auto* button = w.findChild<QToolButton*>(QStringLiteral("systemMenu"));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isVisible());
        QStringList texts;
        for (QAction* a : button->menu()->actions()) texts << a->text();
        EXPECT_EQ(texts, (QStringList{"&Setup", "&About  Vexa32", "", "Close"}));

        QString aboutText;
        QTimer::singleShot(50, [&] {
            auto* about = QApplication::activeModalWidget();
            if (about == nullptr) return;
            for (QLabel* l : about->findChildren<QLabel*>()) aboutText += l->text();
            qobject_cast<QDialog*>(about)->accept();
        });
        w.OnCommand(CMainWindow::kCmdAbout);
        EXPECT_EQ(aboutText, QStringLiteral("Vexa v 1.03/D"));
        EXPECT_TRUE(w.isVisible());
        button->menu()->actions().last()->trigger();
    });
    EXPECT_EQ(result, kResultCancel);
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
    runWindow(globals, {}, [&](CMainWindow& w) {
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
        EXPECT_FALSE(drop(w.richEdit(1002)));
        EXPECT_EQ(w.richEdit(1002)->toPlainText(), QString());
        EXPECT_TRUE(drop(w.richEdit(1108)));
        EXPECT_EQ(w.richEdit(1108)->toPlainText(), QStringLiteral("rig: 100 W, ant: dipole\n"));
    });
}

TEST(MainWindow, BackspaceInTheEmptyKeyboardWindowIsKeptForTheTransmitter)
{
    ApplicationGlobals globals;
    runWindow(globals, {}, [&](CMainWindow& w) {
        QTextEdit* keyboard = w.richEdit(1108);
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
    runWindow(globals, {}, [&](CMainWindow& w) {
        QTextEdit* entry = w.richEdit(1002);
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
