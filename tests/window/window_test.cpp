#include "window_test.h"

void WindowTest::initTestCase() { QStandardPaths::setTestModeEnabled(true); }

void WindowTest::init() {
    directory_ = std::make_unique<QTemporaryDir>();
    window_ = std::make_unique<RecordingSudoku>(directory_->path());
    window_->show();
    window_->activateWindow();
    QVERIFY(directory_->isValid() && QTest::qWaitForWindowActive(window_.get()));
}

void WindowTest::cleanup() {
    window_.reset();
    directory_.reset();
}
