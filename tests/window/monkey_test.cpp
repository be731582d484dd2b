// The window under a long run of random user actions from a fixed seed: clicks, keys into
// cells, every menu item with its dialogs answered, pastes and drops of good and bad text.
// After each action the window must still be in a state the program allows.
//
// To drive a new command, add one entry to actions(): a name and what a user does. A menu
// item is named "menu:" and its action's object name; every item of the menu bar needs one.
#include <QtPrintSupport>
#include <QtTest>
#include <QtWidgets>
#include <cstdint>
#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "recording_sudoku.h"
#include "solver/units.h"
#include "window/booklet_dialog.h"

namespace {

constexpr int kActions = 5000;
constexpr std::uint64_t kSeed = 20261207;

constexpr char kPuzzle[] =
    "003020600900305001001806400008102900700000008006708200002609500800203009005010300";

// The rows of the table of enabled states: after creation, after New, after Freeze.
enum class Stage { Created, Started, Frozen };

// What a user has at hand: the window, the dice, and what the window should allow now.
struct Monkey {
    RecordingSudoku& window;
    const QTemporaryDir& folder;
    std::mt19937_64 random{kSeed};
    Stage stage = Stage::Created;

    int draw(int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); }
    bool coin() { return draw(2) == 0; }

    QLineEdit* cell(int index) const {
        return window.findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(index));
    }
    QLineEdit* any_cell() { return cell(draw(varendo::kCellCount)); }
    QAction* action(const QString& name) const { return window.findChild<QAction*>(name); }
    QString path(const QString& name) const { return QDir(folder.path()).filePath(name); }

    // Triggers a menu item as a click on it does: only when it is enabled. True if it ran.
    bool trigger(const QString& name) {
        QAction* item = action(name);
        if (!item->isEnabled()) return false;
        item->trigger();
        return true;
    }

    // A text that holds a puzzle (second: true) or that does not.
    std::pair<QByteArray, bool> puzzle_text() {
        QByteArray nine;
        for (int row = 0; row < 9; ++row) nine += QByteArray(kPuzzle + 9 * row, 9) + '\n';
        QByteArray noise;
        for (int i = draw(120); i > 0; --i) noise += static_cast<char>(draw(256));
        const std::pair<QByteArray, bool> texts[] = {
            {kPuzzle, true},
            {"\xEF\xBB\xBF  # a set\n" + QByteArray(kPuzzle).replace('0', '.') + " the first\n", true},
            {nine, true},
            {QByteArray(kPuzzle).left(80), false},
            {QByteArray(kPuzzle).replace(40, 1, "x"), false},
            {"", false},
            {noise, false}};
        return texts[draw(std::size(texts))];
    }

    // A file holding a text: a puzzle when `good`.
    QString puzzle_file(bool& good) {
        const auto [text, holds_puzzle] = puzzle_text();
        good = holds_puzzle;
        QFile file(path(QStringLiteral("puzzle.txt")));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) good = false;
        return file.fileName();
    }

    // Drops text or a file on the window; a drop must be taken as a copy.
    void drop(QMimeData& data, bool good) {
        QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        QDropEvent drop(QPointF(300, 300), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
        QCOMPARE_NE(drop.dropAction(), Qt::MoveAction);
        QCoreApplication::processEvents();
        if (good) stage = Stage::Started;
    }

    // A dialog closed: the window is active again, as a desktop makes it.
    void back_to_window() {
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    // A generated puzzle, loaded as a load is once it is made.
    void new_puzzle(const QString& name) {
        if (!trigger(name)) return;
        QTRY_VERIFY_WITH_TIMEOUT(!window.findChild<QProgressDialog*>(QStringLiteral("newPuzzleProgress")), 60000);
        if (window.messages.isEmpty()) stage = Stage::Started;
        back_to_window();
    }

    // The keys of a menu item pressed in a cell, as if the user typed them there.
    void press_keys_of(const QString& name) {
        QLineEdit* target = any_cell();
        const bool ran = action(name)->isEnabled();
        QTest::keySequence(target->isEnabled() ? static_cast<QWidget*>(target) : &window, action(name)->shortcut());
        if (ran && name == QLatin1String("new")) stage = Stage::Started;
        if (ran && name == QLatin1String("freeze")) stage = Stage::Frozen;
    }
};

struct MonkeyAction {
    const char* name;
    std::function<void(Monkey&)> act;
};

std::vector<MonkeyAction> actions() {
    return {
        {"click a control", [](Monkey& m) {
             std::vector<QWidget*> controls;
             for (QWidget* widget : m.window.centralWidget()->findChildren<QWidget*>())
                 if (widget->isVisible() && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus) controls.push_back(widget);
             QWidget* control = controls[static_cast<std::size_t>(m.draw(static_cast<int>(controls.size())))];
             if (control->objectName() == QLatin1String("cmdNew")) m.stage = Stage::Started;
             if (control->objectName() == QLatin1String("cmdFreeze")) m.stage = Stage::Frozen;
             QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
         }},
        {"type a digit", [](Monkey& m) { QTest::keyClick(m.any_cell(), static_cast<char>('0' + m.draw(10))); }},
        {"press another key", [](Monkey& m) {
             static constexpr Qt::Key kKeys[] = {Qt::Key_A, Qt::Key_Space, Qt::Key_Period, Qt::Key_Minus, Qt::Key_Backspace, Qt::Key_Delete,
                                                 Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Backtab,
                                                 Qt::Key_Home, Qt::Key_End, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Z};
             const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier};
             QLineEdit* cell = m.any_cell();
             QTest::keyClick(QApplication::focusWidget() && m.coin() ? QApplication::focusWidget() : cell,
                             kKeys[m.draw(std::size(kKeys))], modifiers[m.draw(3)]);
         }},
        {"a menu's keys", [](Monkey& m) {
             static const QString kItems[] = {"new", "freeze", "restart", "solve", "check", "copyPuzzle"};
             m.press_keys_of(kItems[m.draw(std::size(kItems))]);
         }},
        {"menu:new", [](Monkey& m) { if (m.trigger(QStringLiteral("new"))) m.stage = Stage::Started; }},
        {"menu:freeze", [](Monkey& m) { if (m.trigger(QStringLiteral("freeze"))) m.stage = Stage::Frozen; }},
        {"menu:restart", [](Monkey& m) { m.trigger(QStringLiteral("restart")); }},
        {"menu:solve", [](Monkey& m) { m.trigger(QStringLiteral("solve")); }},
        {"menu:check", [](Monkey& m) { m.trigger(QStringLiteral("check")); }},
        {"menu:openPuzzle", [](Monkey& m) {
             bool good = false;
             const QString choices[] = {m.puzzle_file(good), QString(), m.path(QStringLiteral("missing.txt")), m.folder.path()};
             const int choice = m.draw(std::size(choices));
             m.window.chosen_file = choices[choice];
             if (m.trigger(QStringLiteral("openPuzzle")) && choice == 0 && good) m.stage = Stage::Started;
         }},
        {"menu:savePuzzle", [](Monkey& m) {
             const QString choices[] = {m.path(QStringLiteral("saved")), m.path(QStringLiteral("saved.txt")), QString(), m.folder.path()};
             m.window.chosen_file = choices[m.draw(std::size(choices))];
             m.trigger(QStringLiteral("savePuzzle"));
         }},
        {"menu:print", [](Monkey& m) {
             if (!m.trigger(QStringLiteral("print"))) return;
             QPrintPreviewDialog* preview = m.window.findChild<QPrintPreviewDialog*>();
             QTRY_VERIFY(preview && preview->isVisible());
             preview->reject();
             QTRY_VERIFY(!m.window.findChild<QPrintPreviewDialog*>());
             m.back_to_window();
         }},
        {"menu:exportPdf", [](Monkey& m) {
             const QString choices[] = {m.path(QStringLiteral("grid")), m.path(QStringLiteral("grid.pdf")), QString(),
                                        m.path(QStringLiteral("missing/grid.pdf"))};
             m.window.chosen_file = choices[m.draw(std::size(choices))];
             m.trigger(QStringLiteral("exportPdf"));
         }},
        {"menu:printBooklet", [](Monkey& m) {
             if (!m.trigger(QStringLiteral("printBooklet"))) return;
             auto* dialog = m.window.findChild<varendo::BookletDialog*>();
             dialog->findChild<QSpinBox*>(QStringLiteral("count"))->setValue(1 + m.draw(3));
             for (const char* name : {"level", "perPage"}) {
                 QComboBox* box = dialog->findChild<QComboBox*>(QLatin1String(name));
                 box->setCurrentIndex(m.draw(box->count()));
             }
             // To PDF: the printer's own dialog would wait for a person.
             dialog->findChild<QComboBox*>(QStringLiteral("destination"))->setCurrentIndex(1);
             const QString choices[] = {m.path(QStringLiteral("booklet")), QString(), m.path(QStringLiteral("missing/booklet"))};
             m.window.chosen_file = choices[m.draw(std::size(choices))];
             if (m.coin()) dialog->accept(); else dialog->reject();
             QTRY_VERIFY_WITH_TIMEOUT(!m.window.findChild<QProgressDialog*>(QStringLiteral("bookletProgress")), 60000);
             m.back_to_window();
         }},
        {"menu:newPuzzleEasy", [](Monkey& m) { m.new_puzzle(QStringLiteral("newPuzzleEasy")); }},
        {"menu:newPuzzleMedium", [](Monkey& m) { m.new_puzzle(QStringLiteral("newPuzzleMedium")); }},
        {"menu:newPuzzleDifficult", [](Monkey& m) { m.new_puzzle(QStringLiteral("newPuzzleDifficult")); }},
        {"menu:newPuzzleVeryDifficult", [](Monkey& m) { m.new_puzzle(QStringLiteral("newPuzzleVeryDifficult")); }},
        {"menu:anotherPuzzle", [](Monkey& m) { m.new_puzzle(QStringLiteral("anotherPuzzle")); }},
        {"menu:openStepFile", [](Monkey& m) { m.trigger(QStringLiteral("openStepFile")); }},
        {"menu:quit", [](Monkey& m) {
             m.trigger(QStringLiteral("quit"));
             m.window.show();
         }},
        {"menu:copyPuzzle", [](Monkey& m) { m.trigger(QStringLiteral("copyPuzzle")); }},
        {"menu:pastePuzzle", [](Monkey& m) {
             const auto [text, good] = m.puzzle_text();
             QApplication::clipboard()->setText(QString::fromUtf8(text));
             if (m.trigger(QStringLiteral("pastePuzzle")) && good) m.stage = Stage::Started;
         }},
        {"menu:about", [](Monkey& m) { m.trigger(QStringLiteral("about")); }},
        {"drop text", [](Monkey& m) {
             const auto [text, good] = m.puzzle_text();
             QMimeData data;
             data.setText(QString::fromUtf8(text));
             m.drop(data, good);
         }},
        {"drop a file", [](Monkey& m) {
             bool good = false;
             QMimeData data;
             data.setUrls({QUrl::fromLocalFile(m.puzzle_file(good))});
             m.drop(data, good);
         }},
    };
}

// What must hold after any action; empty when it does, else what is wrong.
QString fault(const Monkey& m) {
    for (int i = 0; i < varendo::kCellCount; ++i) {
        const QString text = m.cell(i)->text();
        if (!text.isEmpty() && (text.size() != 1 || text[0] < u'1' || text[0] > u'9'))
            return QStringLiteral("cell %1 shows \"%2\"").arg(i).arg(text);
        if (m.cell(i)->isEnabled() != (m.stage != Stage::Created)) return QStringLiteral("cell %1 enabled wrongly").arg(i);
    }
    const bool expected[3][4] = {{true, false, false, false}, {true, true, false, false}, {true, true, true, true}};
    const char* buttons[] = {"cmdNew", "cmdFreeze", "cmdRestart", "CmdSolve"};
    const char* items[] = {"new", "freeze", "restart", "solve"};
    for (int b = 0; b < 4; ++b) {
        const bool on = expected[static_cast<int>(m.stage)][b];
        if (m.window.findChild<QPushButton*>(QLatin1String(buttons[b]))->isEnabled() != on ||
            m.action(QLatin1String(items[b]))->isEnabled() != on)
            return QStringLiteral("%1 is not %2").arg(QLatin1String(buttons[b]), on ? "enabled" : "disabled");
    }
    if (QApplication::activeModalWidget()) return QStringLiteral("a box stays open");
    if (QGuiApplication::overrideCursor()) return QStringLiteral("the wait cursor stays");
    return {};
}

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void random_actions_leave_the_window_in_an_allowed_state() {
        const QTemporaryDir folder;
        RecordingSudoku window(folder.path());
        window.show();
        QVERIFY(folder.isValid() && QTest::qWaitForWindowExposed(&window));
        Monkey m{window, folder};
        const std::vector<MonkeyAction> table = actions();

        QSet<QString> named;
        for (const MonkeyAction& action : table) named.insert(QLatin1String(action.name));
        for (const QAction* item : window.menuBar()->findChildren<QAction*>()) {
            if (!item->isSeparator() && !item->menu() && !item->objectName().isEmpty())
                QVERIFY2(named.contains(QStringLiteral("menu:") + item->objectName()), qPrintable(item->objectName()));
        }

        QVERIFY(fault(m).isEmpty());
        for (int step = 1; step <= kActions; ++step) {
            const MonkeyAction& action = table[static_cast<std::size_t>(m.draw(static_cast<int>(table.size())))];
            action.act(m);
            QCoreApplication::processEvents();
            if (QTest::currentTestFailed()) QFAIL(qPrintable(QStringLiteral("in action %1, %2").arg(step).arg(QLatin1String(action.name))));
            const QString wrong = fault(m);
            QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("after action %1, %2: %3").arg(step).arg(QLatin1String(action.name), wrong)));
            window.messages.clear();
        }
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
