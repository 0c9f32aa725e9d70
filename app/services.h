#pragma once

#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <functional>

class QDialog;
class QPainter;
class QWidget;
class TClock;

// Every place where a command talks to the user or the desktop. The program
// uses the desktop implementations; tests hand in scripted fakes so that every
// command runs headless.

class TMessageBoxes {
public:
  virtual ~TMessageBoxes() = default;
  // Caption "Warning", warning icon, one OK button.
  virtual void Warning(QWidget *parent, const QString &text) = 0;
  // Caption "Error", error icon, one OK button.
  virtual void Error(QWidget *parent, const QString &text) = 0;
  // The application's general error box: the application title as caption.
  virtual void ApplicationError(QWidget *parent, const QString &text) = 0;
  // A report of what a command did: information icon, one OK button.
  virtual void Information(QWidget *parent, const QString &caption, const QString &text) = 0;
  virtual QMessageBox::StandardButton Question(QWidget *parent, const QString &caption,
                                               const QString &text,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::Icon icon) = 0;
};

class TFileDialogs {
public:
  virtual ~TFileDialogs() = default;
  // An empty result means the user cancelled.
  virtual QString SaveFileName(QWidget *parent, const QString &title, const QString &folder,
                               const QString &filter, const QString &suffix) = 0;
  virtual QString OpenFileName(QWidget *parent, const QString &title, const QString &folder,
                               const QString &filter, const QString &suffix) = 0;
};

class TShell {
public:
  virtual ~TShell() = default;
  // False when the desktop has no program for it.
  virtual bool Open(const QUrl &url) = 0;
};

class TCursor {
public:
  virtual ~TCursor() = default;
  virtual void Push(Qt::CursorShape shape) = 0;
  virtual void Pop() = 0;
};

// The default printer: one document of one page, painted in its device
// pixels. Throws with a text for the user when there is no printer or the
// document cannot be started.
class TPrintService {
public:
  virtual ~TPrintService() = default;
  virtual void PrintPage(const std::function<void(QPainter &)> &paint) = 0;
};

// Runs a modal dialog; the program calls exec(), tests answer it in place.
class TDialogRunner {
public:
  virtual ~TDialogRunner() = default;
  virtual int Exec(QDialog &dialog) = 0;
};

struct TServices {
  TMessageBoxes &messages;
  TFileDialogs &files;
  TShell &shell;
  TCursor &cursor;
  TDialogRunner &dialogs;
  TClock &clock;
  TPrintService &printer;
  QString programFolder;   // the running program's own folder
  QString documentsFolder; // the user's documents, for libraries when Data is not writable
};

// The hourglass for as long as a command works, restored on every path.
class TBusyCursor {
public:
  explicit TBusyCursor(TCursor &cursor) : m_cursor(cursor) { m_cursor.Push(Qt::WaitCursor); }
  ~TBusyCursor() { m_cursor.Pop(); }
  TBusyCursor(const TBusyCursor &) = delete;
  TBusyCursor &operator=(const TBusyCursor &) = delete;

private:
  TCursor &m_cursor;
};
