// Answers to the modal dialogs a GUI test provokes, given as a user would: once the dialog is
// open and visible.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace kem::test {

// Runs `answer` on the next modal dialog as soon as it is open.
inline void AnswerNextModal(std::function<void(QWidget*)> answer) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, answer = std::move(answer)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    answer(modal);
  });
  timer->start();
}

// A button's text as the user reads it, without the "&" of its mnemonic.
inline QString VisibleText(const QAbstractButton* button) {
  return button->text().remove(QLatin1Char('&'));
}

// Clicks the button labelled `button` in the next message box and notes the box's text in `text`;
// any other dialog is closed.
inline void ClickInNextBox(const QString& button, QString* text) {
  AnswerNextModal([=](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) {
      modal->close();
      return;
    }
    *text = box->text();
    for (QAbstractButton* candidate : box->buttons()) {
      if (VisibleText(candidate) == button) {
        candidate->click();
        return;
      }
    }
    box->close();
  });
}

struct DialogSeen {
  QString title;
  QStringList filters;
  QString suffix;
};

// Chooses `path` in the next file dialog; an empty path cancels it.
inline void ChooseInNextFileDialog(const QString& path, DialogSeen* seen = nullptr) {
  AnswerNextModal([=](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) {
      modal->close();
      return;
    }
    if (seen) *seen = {dialog->windowTitle(), dialog->nameFilters(), dialog->defaultSuffix()};
    if (path.isEmpty()) {
      dialog->reject();
      return;
    }
    dialog->selectFile(path);
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

}  // namespace kem::test
