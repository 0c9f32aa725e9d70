#include "backgroundwork.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace {
constexpr int ShowAfterMs = 400;
constexpr int StatusEveryMs = 200;
} // namespace

bool RunInBackground(QWidget *parent, const QString &caption,
                     const std::function<void(const std::atomic<bool> &cancel)> &work,
                     const std::function<QString()> &status, TShow show) {
  std::atomic<bool> cancel{false};
  QFutureWatcher<void> watcher;
  QEventLoop loop;
  QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
  watcher.setFuture(QtConcurrent::run([&] { work(cancel); }));

  QProgressDialog progress(status(), QCoreApplication::translate("TFormMain", "Cancel"), 0, 0,
                           parent);
  progress.setObjectName(QStringLiteral("ProgressWork"));
  progress.setWindowTitle(caption);
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(0);
  progress.setAutoReset(false);
  progress.setAutoClose(false);
  progress.hide();
  QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] { cancel = true; });
  QTimer refresh;
  QObject::connect(&refresh, &QTimer::timeout, &progress, [&] { progress.setLabelText(status()); });
  refresh.start(StatusEveryMs);

  if (show == TShow::AfterAMoment && !watcher.isFinished()) {
    QTimer::singleShot(ShowAfterMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  if (!watcher.isFinished()) {
    progress.show();
    loop.exec();
  }
  watcher.waitForFinished();
  return !cancel;
}
