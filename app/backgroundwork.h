#pragma once

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

// Runs work on another thread while this one keeps serving the clock and
// repaints. A moment in (at once with TShow::AtOnce), a modal progress
// window with Cancel comes up, its text from status; Cancel sets the flag
// that work reads. Until then the user's input waits, so no other command
// starts inside the work. True when the work ran to its end.
enum class TShow { AfterAMoment, AtOnce };
bool RunInBackground(QWidget *parent, const QString &caption,
                     const std::function<void(const std::atomic<bool> &cancel)> &work,
                     const std::function<QString()> &status, TShow show = TShow::AfterAMoment);
