#pragma once

#include <QStringList>
#include <QUrl>

#include "window/sudoku.h"

// The window with its message boxes caught instead of shown, so that nothing waits for
// a click on OK, and with the file dialogs and the desktop's viewer stood in for.
class RecordingSudoku final : public varendo::Sudoku {
public:
    using Sudoku::Sudoku;

    QStringList messages;
    // The informative text of each box, empty for most.
    QStringList details;
    // What the file dialog answers, and the folders it was opened in; the files the viewer
    // was asked to show, and whether a viewer starts.
    QString chosen_file;
    QStringList dialog_folders;
    QList<QUrl> shown_files;
    bool viewer_starts = true;

protected:
    void present_message(const QString& text, const QString& more = QString()) override { messages << text; details << more; }
    QString choose_file(FileChoice, const QString& folder) override { dialog_folders << folder; return chosen_file; }
    bool open_url(const QUrl& url) override { shown_files << url; return viewer_starts; }
};
