// A puzzle from a picture through the window: the review shows the reading, follows a
// dragged corner and an edit, and loads nothing until OK, which is one step of Undo.

#include "window_test.h"

#include "picture/grid_drawing.h"
#include "window/picture/corner_view.h"
#include "window/picture/picture_review.h"

namespace {

QImage drawn(const char* puzzle) {
    varendo::GridLook look;
    look.face = QRawFont(QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"), 40);
    look.cell = 32;
    std::array<std::uint8_t, 81> digits{};
    for (int i = 0; i < 81; ++i) digits[i] = static_cast<std::uint8_t>(puzzle[i] - '0');
    return varendo::draw_grid(digits, look);
}

QString reading_of(const varendo::PictureReview* review) {
    QString text;
    for (const std::uint8_t digit : review->digits()) text += digit == 0 ? u'.' : QChar(u'0' + digit);
    return text;
}

}  // namespace

class PictureReviewTest : public WindowTest {
    Q_OBJECT

    varendo::PictureReview* review() const { return window_->findChild<varendo::PictureReview*>(); }
    QString verdict() const { return review()->findChild<QLabel*>(QStringLiteral("verdict"))->text(); }
    void wait_for_reading() {
        QTRY_VERIFY(review() != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(!review()->reading(), 20000);
    }

private slots:
    void pasted_picture_is_reviewed_edited_and_loaded_as_one_step() {
        enter(kPuzzle);
        QApplication::clipboard()->setImage(drawn(kPuzzle));
        press(QKeySequence::Paste);
        wait_for_reading();
        QCOMPARE(reading_of(review()), shown(kPuzzle));
        QCOMPARE(verdict(), QStringLiteral("The puzzle has exactly one solution."));
        // The 3 typed beside the 3 of row 1 repeats it: red, and the line says so.
        auto* table = review()->findChild<QTableWidget*>(QStringLiteral("reading"));
        table->item(0, 0)->setText(QStringLiteral("3"));
        QVERIFY(verdict().startsWith(QStringLiteral("Digit 3 appears twice in row 1")));
        QCOMPARE(table->item(0, 0)->background().color(), QColor(0xf6, 0x61, 0x51));
        table->item(0, 0)->setText(QStringLiteral("x4"));
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("4"));
        review()->reject();
        QTRY_VERIFY(review() == nullptr);
        QCOMPARE(grid(), shown(kPuzzle));  // Cancel changed nothing

        window_->open_puzzle_file([this] {
            const QString file = path(QStringLiteral("grid.png"));
            drawn(kPuzzle).save(file);
            return file;
        }());
        wait_for_reading();
        review()->findChild<QTableWidget*>(QStringLiteral("reading"))->item(0, 0)->setText(QStringLiteral("4"));
        review()->accept();
        QString loaded = shown(kPuzzle);
        loaded[0] = u'4';
        QCOMPARE(grid(), loaded);
        QVERIFY(button("cmdFreeze")->isEnabled());
        action("undo")->trigger();
        QCOMPARE(grid(), shown(kPuzzle));
    }

    void dragged_corner_is_read_again() {
        const QImage picture = drawn(kPuzzle);
        window_->review_picture(picture);
        wait_for_reading();
        varendo::CornerView* view = review()->corner_view();
        const QPoint from = view->corner_on_screen(0);
        const QPoint to = view->corner_on_screen(2);
        // The top left corner dragged onto the middle of the grid: a third of the cells are left.
        const QPoint middle = (from + to) / 2;
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        QTest::mouseMove(view, middle);
        QTest::mouseRelease(view, Qt::LeftButton, {}, middle);
        QVERIFY(QLineF(view->corners()[0], QPointF(picture.width() / 2.0, picture.height() / 2.0)).length() < 8);
        QTRY_VERIFY_WITH_TIMEOUT(!review()->reading() && reading_of(review()) != shown(kPuzzle), 20000);
        QTest::mousePress(view, Qt::LeftButton, {}, middle);
        QTest::mouseMove(view, from);
        QTest::mouseRelease(view, Qt::LeftButton, {}, from);
        QTRY_VERIFY_WITH_TIMEOUT(!review()->reading() && reading_of(review()) == shown(kPuzzle), 20000);
        review()->reject();
    }

    void picture_without_grid_says_what_to_try() {
        QImage blank(400, 300, QImage::Format_RGB32);
        blank.fill(Qt::white);
        window_->review_picture(blank);
        wait_for_reading();
        QVERIFY2(verdict().contains(QStringLiteral("No Sudoku grid")), qPrintable(verdict()));
        QVERIFY(verdict().contains(QStringLiteral("closer crop")));
        QVERIFY(!review()->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
        review()->reject();
        QCOMPARE(grid(), kEmptyGrid);
    }
};

QTEST_MAIN(PictureReviewTest)
#include "picture_review_test.moc"
