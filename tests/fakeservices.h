#pragma once

#include "fakeclock.h"
#include "services.h"

#include <QDialog>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <vector>

// Scripted stand-ins for the desktop: every message is recorded with its
// kind, caption and text; questions take their answers from a queue.
class TFakeMessages final : public TMessageBoxes {
public:
  struct TShown {
    QString kind; // "warning", "error", "application", "information", "question"
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
  };
  std::vector<TShown> shown;
  std::deque<QMessageBox::StandardButton> answers;
  std::function<void()> onShow; // runs while a box would be open

  void Warning(QWidget *, const QString &text) override {
    Record({"warning", "Warning", text, QMessageBox::Ok, QMessageBox::Warning});
  }
  void Error(QWidget *, const QString &text) override {
    Record({"error", "Error", text, QMessageBox::Ok, QMessageBox::Critical});
  }
  void ApplicationError(QWidget *, const QString &text) override {
    Record({"application", "Ninegrove 1.0", text, QMessageBox::Ok, QMessageBox::Critical});
  }
  void Information(QWidget *, const QString &caption, const QString &text) override {
    Record({"information", caption, text, QMessageBox::Ok, QMessageBox::Information});
  }
  QMessageBox::StandardButton Question(QWidget *, const QString &caption, const QString &text,
                                       QMessageBox::StandardButtons buttons,
                                       QMessageBox::Icon icon) override {
    Record({"question", caption, text, buttons, icon});
    if (answers.empty())
      return QMessageBox::No;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  QStringList Texts() const {
    QStringList texts;
    for (const TShown &s : shown)
      texts << s.text;
    return texts;
  }

private:
  void Record(TShown box) {
    shown.push_back(std::move(box));
    if (onShow)
      onShow();
  }
};

class TFakeFiles final : public TFileDialogs {
public:
  struct TAsked {
    QString title, folder, filter, suffix;
    bool save;
  };
  std::vector<TAsked> asked;
  std::deque<QString> answers; // an empty answer cancels

  QString SaveFileName(QWidget *, const QString &title, const QString &folder,
                       const QString &filter, const QString &suffix) override {
    return Answer({title, folder, filter, suffix, true});
  }
  QString OpenFileName(QWidget *, const QString &title, const QString &folder,
                       const QString &filter, const QString &suffix) override {
    return Answer({title, folder, filter, suffix, false});
  }

private:
  QString Answer(TAsked a) {
    asked.push_back(std::move(a));
    if (answers.empty())
      return {};
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// A desktop with a program for everything but the file name endings in refused.
class TFakeShell final : public TShell {
public:
  std::vector<QUrl> opened; // every URL asked for, also the refused ones
  QStringList refused;      // endings such as ".chm"
  bool Open(const QUrl &url) override {
    opened.push_back(url);
    for (const QString &ending : refused)
      if (url.path().endsWith(ending, Qt::CaseInsensitive))
        return false;
    return true;
  }
};

class TFakeCursor final : public TCursor {
public:
  int depth = 0;
  int busyCount = 0; // how many times the hourglass went up
  void Push(Qt::CursorShape shape) override {
    ++depth;
    busyCount += shape == Qt::WaitCursor;
  }
  void Pop() override { --depth; }
};

// Answers each dialog with the next script, in place of exec().
class TFakeDialogs final : public TDialogRunner {
public:
  std::deque<std::function<int(QDialog &)>> scripts;
  QStringList shown; // object names of the dialogs shown
  int Exec(QDialog &dialog) override {
    shown << dialog.objectName();
    if (scripts.empty())
      return QDialog::Rejected;
    auto script = std::move(scripts.front());
    scripts.pop_front();
    return script(dialog);
  }
};

// Paints the page on an image of a printer-sized page at 300 dots per inch,
// or fails as a missing printer would.
class TFakePrinter final : public TPrintService {
public:
  QImage page;
  int documents = 0;
  QString failure;
  void PrintPage(const std::function<void(QPainter &)> &paint) override {
    if (!failure.isEmpty())
      throw std::runtime_error(failure.toStdString());
    page = QImage(2400, 3300, QImage::Format_RGB32); // a letter-sized printable area
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    QPainter painter(&page);
    paint(painter);
    ++documents;
  }
};

struct TFakeServices {
  TFakeMessages messages;
  TFakeFiles files;
  TFakeShell shell;
  TFakeCursor cursor;
  TFakeDialogs dialogs;
  TFakeClock clock{1'000'000, 1};
  TFakePrinter printer;
  QTemporaryDir documents; // never the real user's documents
  TServices services{messages, files, shell, cursor, dialogs, clock, printer, {}, documents.path()};
};
