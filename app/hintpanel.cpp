#include "hintpanel.h"

#include "fonts.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

THintPanel::THintPanel(QWidget *window) : QDialog(window) {
  setObjectName(QStringLiteral("FormHint"));
  setWindowTitle(tr("Hint"));
  setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(false);
  setFont(WindowFont(11));
  setFixedWidth(260);

  LabelHint = new QLabel(this);
  LabelHint->setObjectName(QStringLiteral("LabelHint"));
  // Cell names and chains are no markup.
  LabelHint->setTextFormat(Qt::PlainText);
  LabelHint->setWordWrap(true);
  LabelHint->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  LabelHint->setFocusPolicy(Qt::StrongFocus);
  LabelHint->setAccessibleDescription(tr("Hint"));

  ButtonApply = new QPushButton(tr("Apply"), this);
  ButtonApply->setObjectName(QStringLiteral("ButtonApply"));
  ButtonClose = new QPushButton(tr("Close"), this);
  ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
  connect(ButtonApply, &QPushButton::clicked, this, &THintPanel::ApplyClicked);
  connect(ButtonClose, &QPushButton::clicked, this, &QDialog::close);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonApply);
  buttons->addWidget(ButtonClose);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(LabelHint);
  layout->addStretch();
  layout->addLayout(buttons);
}

void THintPanel::ShowHint(const QString &text, bool canApply) {
  LabelHint->setText(text);
  // What a screen reader reads of the label; setting it tells the reader.
  LabelHint->setAccessibleName(text);
  ButtonApply->setVisible(canApply);
  ButtonApply->setEnabled(canApply);
  adjustSize();
  if (!isVisible()) {
    PlaceBesideWindow();
    show();
  }
  raise();
  QAccessibleEvent alert(LabelHint, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
}

void THintPanel::Retire() {
  if (!ButtonApply->isEnabled() && LabelHint->text().endsWith(RetiredNote()))
    return;
  ButtonApply->setEnabled(false);
  const QString text = LabelHint->text() + QStringLiteral("\n\n") + RetiredNote();
  LabelHint->setText(text);
  LabelHint->setAccessibleName(text);
  adjustSize();
}

QString THintPanel::RetiredNote() {
  return tr("The board has changed since this hint.");
}

QString THintPanel::Text() const {
  return LabelHint->text();
}

void THintPanel::PlaceBesideWindow() {
  QWidget *window = parentWidget();
  const QRect frame = window->frameGeometry();
  const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  const QRect room = screen ? screen->availableGeometry() : QRect();
  // Right of the window, else left of it, so the grid stays in sight.
  int left = frame.right() + 8;
  if (room.isValid() && left + width() > room.right())
    left = std::max(room.left(), frame.left() - width() - 8);
  move(left, frame.top());
}
