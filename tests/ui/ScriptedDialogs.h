// Dialogs for tests: every answer comes from a queue the test fills, every text shown is
// recorded. An unexpected question or dialog never blocks: it is answered No (or cancelled)
// and noted in `unexpected`, which a test checks is empty.
#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "Dialogs.h"

namespace halosoil {

class ScriptedDialogs : public Dialogs {
public:
    // What was shown, in order: "message: <text>", "question: <text>", "open: <filter>",
    // "save: <filter>".
    QStringList log;
    QStringList messages;
    QStringList questions;
    std::deque<bool> answers;
    std::deque<std::optional<QString>> files;
    QList<FileDialogSpec> fileSpecs;
    QString clipboard;
    int pauses = 0;
    QStringList unexpected;
    // Called at every pause, so a test can look at the window in the middle of a run.
    std::function<void()> onPause;

    void Message(const QString& text) override {
        messages << text;
        log << "message: " + text;
    }
    bool YesNo(const QString& question) override {
        questions << question;
        log << "question: " + question;
        if (answers.empty()) {
            unexpected << "question: " + question;
            return false;
        }
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<QString> OpenFile(const FileDialogSpec& spec) override {
        log << "open: " + spec.filter;
        return NextFile(spec);
    }
    std::optional<QString> SaveFile(const FileDialogSpec& spec) override {
        log << "save: " + spec.filter;
        return NextFile(spec);
    }
    void SetClipboardText(const QString& text) override { clipboard = text; }
    QString ClipboardText() override { return clipboard; }
    void Pause(int) override {
        ++pauses;
        if (onPause) onPause();
    }

private:
    std::optional<QString> NextFile(const FileDialogSpec& spec) {
        fileSpecs << spec;
        if (files.empty()) {
            unexpected << "file dialog: " + spec.filter;
            return std::nullopt;
        }
        // Taken apart rather than copied whole: GCC 12 at -O3 takes a copied optional QString
        // for uninitialised.
        const bool cancelled = !files.front().has_value();
        const QString file = cancelled ? QString() : *files.front();
        files.pop_front();
        if (cancelled) return std::nullopt;
        return file;
    }
};

}  // namespace halosoil
