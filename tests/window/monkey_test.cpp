// The window under a long run of random user actions from a fixed seed: clicks, keys into
// cells, every menu item with its dialogs answered, pastes and drops of good and bad text.
// After each action the window must still be in a state the program allows.
//
// To drive a new command, add one entry to actions(): a name and what a user does. A menu
// item is named "menu:" and its action's object name; every item of the menu bar needs one.
#include <QtPrintSupport>
#include <QtTest>
#include <QtWidgets>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "recording_sudoku.h"
#include "sanitized.h"
#include "solver/units.h"
#include "window/printing/booklet_dialog.h"
#include "window/steps/logic_view.h"
#include "window/picture/picture_review.h"

namespace {

// The sanitized build takes the first third of the run.
constexpr int kActions = 5000 / static_cast<int>(varendo::test::sanitized_stride(3));
constexpr char kPuzzle[] = "003020600900305001001806400008102900700000008006708200002609500800203009005010300";

// The rows of the table of enabled states: after creation, after New, after Freeze.
enum class Stage { Created, Started, Frozen };

// A text to paste, drop or open, and whether it holds a puzzle.
struct Text { QByteArray bytes; bool good; };

// A drop that offers a move, as X11 does when no key is held.
struct ProposedMove : QDropEvent { explicit ProposedMove(QMimeData& data) : QDropEvent(QPointF(300, 300), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier) { m_defaultAction = m_dropAction = Qt::MoveAction; } };

// What a user has at hand: the window, the dice, and the row of the table that must hold.
struct Monkey {
    RecordingSudoku& window;
    const QTemporaryDir& folder;
    std::mt19937_64 random{20261207};
    Stage stage = Stage::Created;

    int draw(std::size_t n) { return static_cast<int>(random() % n); }
    QLineEdit* cell(int index) const { return window.findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(index)); }
    QLineEdit* any_cell() { return cell(draw(varendo::kCellCount)); }
    QAction* action(const char* name) const { return window.findChild<QAction*>(QLatin1String(name)); }
    QString path(const char* name) const { return QDir(folder.path()).filePath(QLatin1String(name)); }

    // A command that ran moves the table to its row: New (item or button), Freeze, a puzzle loaded.
    void ran(const QString& command) {
        if (command == u"new" || command == u"cmdNew" || command == u"load") stage = Stage::Started;
        if (command == u"freeze" || command == u"cmdFreeze") stage = Stage::Frozen;
    }
    // Triggers a menu item as a click on it does: only when it is enabled. True if it ran.
    bool trigger(const char* name) {
        const bool enabled = action(name)->isEnabled();
        if (enabled) { action(name)->trigger(); ran(QLatin1String(name)); }
        return enabled;
    }
    Text text() {
        QByteArray noise, nine;
        for (int i = draw(120); i > 0; --i) noise += static_cast<char>(draw(256));
        for (int row = 0; row < 9; ++row) nine += QByteArray(kPuzzle + 9 * row, 9) + '\n';
        // A pencil-mark grid: cells apart by blanks, the first cell's marks 1 and 2.
        QByteArray marked = "+---+\n";
        for (int i = 0; i < varendo::kCellCount; ++i) marked += QByteArray(i == 0 ? "12" : kPuzzle[i] == '0' ? "." : QByteArray(1, kPuzzle[i])) + (i % 9 == 8 ? "\n" : " ");
        const Text texts[] = {{kPuzzle, true}, {marked, true}, {marked.left(40), false}, {"\xEF\xBB\xBF  # a set\n" + QByteArray(kPuzzle).replace('0', '.') + " the first\n", true},
                              {nine, true}, {QByteArray(kPuzzle).left(80), false}, {QByteArray(kPuzzle).replace(40, 1, "x"), false},
                              {"", false}, {noise, false}};
        return texts[draw(std::size(texts))];
    }
    // A file holding a text.
    Text file(QString& name) {
        const Text written = text();
        QFile file(name = path("puzzle.txt"));
        return {written.bytes, file.open(QIODevice::WriteOnly) && file.write(written.bytes) == written.bytes.size() && written.good};
    }
    // Drops text or a file on the window, offering a move too: the drop must be a copy.
    void drop(QMimeData& data, bool good) {
        QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        ProposedMove drop(data);
        QApplication::sendEvent(&window, &enter);
        QApplication::sendEvent(&window, &drop);
        QCOMPARE_NE(drop.dropAction(), Qt::MoveAction);
        if (good) ran(QStringLiteral("load"));
    }
    // A dialog closed: the window is active again, as a desktop makes it.
    void back_to_window() {
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    // A generated puzzle, loaded once it is made (unless the generator gave up: a box says so).
    void new_puzzle(const char* name) {
        if (!trigger(name)) return;
        QTRY_VERIFY_WITH_TIMEOUT(!window.findChild<QProgressDialog*>(QStringLiteral("newPuzzleProgress")), 60000);
        if (window.messages.isEmpty()) ran(QStringLiteral("load"));
        back_to_window();
    }
};

struct MonkeyAction { QString name; std::function<void(Monkey&)> act; };
// A menu item that only needs triggering, and one that makes a puzzle.
MonkeyAction menu(const char* item) { return {QStringLiteral("menu:") + QLatin1String(item), [item](Monkey& m) { m.trigger(item); }}; }
// The items of a submenu, one for each digit: name1 to name9.
std::vector<MonkeyAction> per_digit(const char* name) {
    std::vector<MonkeyAction> items;
    for (int digit = 1; digit <= 9; ++digit) {
        const QByteArray item = QByteArray(name) + QByteArray::number(digit);
        items.push_back({QStringLiteral("menu:") + QLatin1String(item), [item](Monkey& m) { m.trigger(item.constData()); }});
    }
    return items;
}
MonkeyAction made(const char* item) { return {QStringLiteral("menu:") + QLatin1String(item), [item](Monkey& m) { m.new_puzzle(item); }}; }

std::vector<MonkeyAction> actions() {
    std::vector<MonkeyAction> table = {
        {"click a control", [](Monkey& m) {
             QWidgetList controls = m.window.centralWidget()->findChildren<QWidget*>();
             controls.removeIf([](const QWidget* w) { return !w->isVisible() || !w->isEnabled() || w->focusPolicy() == Qt::NoFocus; });
             QWidget* control = controls[m.draw(static_cast<std::size_t>(controls.size()))];
             m.ran(control->objectName());
             QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
         }},
        {"type a digit", [](Monkey& m) { QTest::keyClick(m.any_cell(), static_cast<char>('0' + m.draw(10))); }},
        {"a digit with Ctrl or Alt", [](Monkey& m) {
             QTest::keyClick(m.any_cell(), static_cast<char>('0' + m.draw(10)), m.draw(2) ? Qt::ControlModifier : Qt::AltModifier);
         }},
        {"press another key", [](Monkey& m) {
             static constexpr Qt::Key kKeys[] = {Qt::Key_A, Qt::Key_Space, Qt::Key_Period, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right,
                                                 Qt::Key_Up, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Home, Qt::Key_End, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Z};
             const Qt::KeyboardModifier modifiers[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier};
             QWidget* target = m.draw(2) && QApplication::focusWidget() ? QApplication::focusWidget() : m.any_cell();
             const Qt::Key key = kKeys[m.draw(std::size(kKeys))];
             if (key == Qt::Key_Space) m.ran(target->objectName());  // Space clicks a focused button
             QTest::keyClick(target, key, modifiers[m.draw(3)]);
         }},
        {"a menu's keys in a cell", [](Monkey& m) {
             static constexpr const char* kItems[] = {"new", "freeze", "restart", "solve", "check", "copyPuzzle", "undo", "redo", "hint", "showSteps",
                                                     "pencilMode", "showCandidates", "showMistakes", "copyPuzzleWithMarks", "clearHighlight", "savePuzzleWithMarks"};
             const char* item = kItems[m.draw(std::size(kItems))];
             QLineEdit* target = m.any_cell();
             if (m.action(item)->isEnabled()) m.ran(QLatin1String(item));
             QTest::keySequence(target->isEnabled() ? static_cast<QWidget*>(target) : &m.window, m.action(item)->shortcut());
         }},
        menu("new"), menu("freeze"), menu("restart"), menu("solve"), menu("check"),
        {"menu:openPuzzle", [](Monkey& m) {
             QString name;
             const Text opened = m.file(name);
             // A save by its keys may have written to the name last chosen: missing stays missing.
             QFile::remove(m.path("missing.txt"));
             m.window.chosen_file = QStringList{name, QString(), m.path("missing.txt"), m.folder.path()}[m.draw(4)];
             if (m.trigger("openPuzzle") && m.window.chosen_file == name && opened.good) m.ran(QStringLiteral("load"));
         }},
        {"menu:openPicture", [](Monkey& m) {
             const QString picture = m.path("grid.png");
             m.window.grab().save(picture);
             QFile::remove(m.path("missing.png"));
             m.window.chosen_file = QStringList{picture, QString(), m.path("missing.png")}[m.draw(3)];
             if (!m.trigger("openPicture")) return;
             auto* review = m.window.findChild<varendo::PictureReview*>();
             if (review == nullptr) return;
             QTRY_VERIFY_WITH_TIMEOUT(!review->reading(), 20000);
             if (m.draw(2)) {
                 m.ran(QStringLiteral("load"));
                 review->accept();
             } else {
                 review->reject();
             }
             QTRY_VERIFY(!m.window.findChild<varendo::PictureReview*>());
             m.back_to_window();
         }},
        {"menu:savePuzzle", [](Monkey& m) {
             m.window.chosen_file = QStringList{m.path("saved"), m.path("saved.txt"), QString(), m.folder.path()}[m.draw(4)];
             m.trigger("savePuzzle");
         }},
        {"menu:print", [](Monkey& m) {
             if (!m.trigger("print")) return;
             QPrintPreviewDialog* preview = m.window.findChild<QPrintPreviewDialog*>();
             QTRY_VERIFY(preview && preview->isVisible());
             preview->reject();
             QTRY_VERIFY(!m.window.findChild<QPrintPreviewDialog*>());
             m.back_to_window();
         }},
        {"menu:exportPdf", [](Monkey& m) {
             m.window.chosen_file = QStringList{m.path("grid"), m.path("grid.pdf"), QString(), m.path("missing/grid.pdf")}[m.draw(4)];
             m.trigger("exportPdf");
         }},
        {"menu:printBooklet", [](Monkey& m) {
             if (!m.trigger("printBooklet")) return;
             auto* dialog = m.window.findChild<varendo::BookletDialog*>();
             dialog->findChild<QSpinBox*>(QStringLiteral("count"))->setValue(1 + m.draw(3));
             for (const char* name : {"level", "perPage"}) dialog->findChild<QComboBox*>(QLatin1String(name))->setCurrentIndex(m.draw(4));
             // Now and then by an ER range, one that holds 1.5, the rating most puzzles made have,
             // so that the booklet is made in seconds even in the sanitized build.
             if (m.draw(5) == 0) {
                 dialog->findChild<QComboBox*>(QStringLiteral("level"))->setCurrentIndex(4);
                 dialog->findChild<QDoubleSpinBox*>(QStringLiteral("ratingFrom"))->setValue(1.0 + m.draw(6) / 10.0);
                 dialog->findChild<QDoubleSpinBox*>(QStringLiteral("ratingTo"))->setValue(1.5 + m.draw(10) / 10.0);
             }
             // To PDF: the printer's own dialog would wait for a person.
             dialog->findChild<QComboBox*>(QStringLiteral("destination"))->setCurrentIndex(1);
             m.window.chosen_file = QStringList{m.path("booklet"), QString(), m.path("missing/booklet")}[m.draw(3)];
             if (m.draw(2)) dialog->accept(); else dialog->reject();
             QTRY_VERIFY_WITH_TIMEOUT(!m.window.findChild<QProgressDialog*>(QStringLiteral("bookletProgress")), 60000);
             m.back_to_window();
         }},
        made("newPuzzleEasy"), made("newPuzzleMedium"), made("newPuzzleDifficult"), made("newPuzzleVeryDifficult"), made("anotherPuzzle"),
        menu("undo"), menu("redo"), menu("hint"),
        {"menu:hint three times", [](Monkey& m) { for (int i = 0; i < 3; ++i) m.trigger("hint"); }},
        {"menu:showSteps", [](Monkey& m) {
             if (!m.trigger("showSteps")) return;
             QWidget* steps = m.window.findChild<QWidget*>(QStringLiteral("steps"));
             QTRY_VERIFY(steps->isVisible());
             static constexpr Qt::Key kKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown};
             for (int i = m.draw(6); i > 0; --i) QTest::keyClick(steps->findChild<QWidget*>(QStringLiteral("stepList")), kKeys[m.draw(std::size(kKeys))]);
             for (const char* name : {"stepsFirst", "stepsPrevious", "stepsNext", "stepsLast"})
                 if (m.draw(2)) steps->findChild<QPushButton*>(QLatin1String(name))->click();
             // The Logic tab, by its key, once its path is worked out.
             if (m.draw(2)) {
                 QTest::keyClick(steps->findChild<QTabWidget*>(QStringLiteral("stepsTabs")), Qt::Key_Tab, Qt::ControlModifier);
                 QTRY_VERIFY_WITH_TIMEOUT(!steps->findChild<varendo::LogicView*>()->busy(), 20000);
                 for (int i = m.draw(6); i > 0; --i) QTest::keyClick(steps->findChild<QWidget*>(QStringLiteral("logicList")), kKeys[m.draw(std::size(kKeys))]);
             }
             if (m.draw(2)) steps->close();
         }},
        {"menu:openStepFile", [](Monkey& m) { m.window.viewer_starts = m.draw(2); m.trigger("openStepFile"); }},
        {"menu:quit", [](Monkey& m) { m.trigger("quit"); m.window.show(); }},
        menu("copyPuzzle"), menu("copyPuzzleWithMarks"), menu("pencilMode"), menu("clearPencilMarks"), menu("cleanMarksOnPlacement"),
        menu("showCandidates"), menu("showMistakes"), menu("clearHighlight"),
        {"menu:savePuzzleWithMarks", [](Monkey& m) {
             m.window.chosen_file = QStringList{m.path("marked"), QString(), m.folder.path()}[m.draw(3)];
             m.trigger("savePuzzleWithMarks");
         }},
        {"menu:pastePuzzle", [](Monkey& m) {
             const Text pasted = m.text();
             QApplication::clipboard()->setText(QString::fromUtf8(pasted.bytes));
             if (m.trigger("pastePuzzle") && pasted.good) m.ran(QStringLiteral("load"));
         }},
        menu("about"),
        {"drop text or a file", [](Monkey& m) {
             QString name;
             const Text dropped = m.file(name);
             QMimeData data;
             if (m.draw(2)) data.setUrls({QUrl::fromLocalFile(name)}); else data.setText(QString::fromUtf8(dropped.bytes));
             m.drop(data, dropped.good);
         }},
    };
    for (const char* name : {"toggleMark", "highlightDigit"})
        for (MonkeyAction& item : per_digit(name)) table.push_back(std::move(item));
    return table;
}

// What must hold after any action: empty when it does, else what is wrong.
QString fault(const Monkey& m) {
    static const QRegularExpression kCellText(QStringLiteral("^[1-9]?$"));
    for (int i = 0; i < varendo::kCellCount; ++i)
        if (!kCellText.match(m.cell(i)->text()).hasMatch() || m.cell(i)->isEnabled() != (m.stage != Stage::Created))
            return QStringLiteral("cell %1 shows \"%2\", %3").arg(i).arg(m.cell(i)->text(), m.cell(i)->isEnabled() ? "enabled" : "disabled");
    const int on = m.stage == Stage::Created ? 1 : m.stage == Stage::Started ? 2 : 4;  // New, Freeze, Restart, Solve: the first `on`
    const std::pair<const char*, const char*> commands[] = {{"cmdNew", "new"}, {"cmdFreeze", "freeze"}, {"cmdRestart", "restart"}, {"CmdSolve", "solve"}};
    for (int b = 0; b < 4; ++b)
        if (m.window.findChild<QPushButton*>(QLatin1String(commands[b].first))->isEnabled() != (b < on) || m.action(commands[b].second)->isEnabled() != (b < on))
            return QStringLiteral("%1 is not %2").arg(QLatin1String(commands[b].first), b < on ? "enabled" : "disabled");
    if (QApplication::activeModalWidget()) return QStringLiteral("a box stays open");
    // The Steps window shows a row whenever it has any.
    const auto* list = m.window.findChild<QListView*>(QStringLiteral("stepList"));
    if (list->model()->rowCount() > 0 && !list->currentIndex().isValid()) return QStringLiteral("no step chosen");
    const auto* logic = m.window.findChild<QListWidget*>(QStringLiteral("logicList"));
    if (logic->count() > 0 && logic->currentRow() < 0) return QStringLiteral("no logical step chosen");
    return QGuiApplication::overrideCursor() ? QStringLiteral("the wait cursor stays") : QString();
}

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void random_actions_leave_the_window_in_an_allowed_state() {
        const QTemporaryDir folder;
        RecordingSudoku window(folder.path());
        window.show();
        QVERIFY(folder.isValid() && QTest::qWaitForWindowExposed(&window));
        Monkey m{window, folder};
        const std::vector<MonkeyAction> table = actions();
        const auto named = [&table](const QAction* item) { return std::any_of(table.begin(), table.end(), [item](const MonkeyAction& a) { return QStringLiteral("menu:") + item->objectName() == a.name; }); };
        for (const QAction* item : window.menuBar()->findChildren<QAction*>()) QVERIFY2(item->isSeparator() || item->menu() || named(item), qPrintable(item->objectName()));

        for (int step = 1; step <= kActions; ++step) {
            const MonkeyAction& action = table[static_cast<std::size_t>(m.draw(table.size()))];
            action.act(m);
            QCoreApplication::processEvents();
            const QString wrong = QTest::currentTestFailed() ? QStringLiteral("failed") : fault(m);
            QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("action %1, %2: %3").arg(step).arg(action.name, wrong)));
            window.messages.clear();
            window.details.clear();
        }
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
