#include "gui/help_window.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QTextDocument>
#include <QVBoxLayout>

#include "gui/message_boxes.h"
#include "shell/help.h"
#include "shell/shell_messages.h"

namespace kem::gui {

namespace {

// The manual lies in the program's resources under this folder.
constexpr const char* kManualFolder = ":/manual";
constexpr int kHelpWidth = 720;
constexpr int kHelpHeight = 640;

QUrl PageUrl(const QString& page) {
  return QUrl(QStringLiteral("qrc%1/%2").arg(QLatin1String(kManualFolder), page));
}

}  // namespace

HelpWindow::HelpWindow() {
  setObjectName(QStringLiteral("help"));
  setWindowTitle(FromUtf8(help_texts::kWindowTitle));
  resize(kHelpWidth, kHelpHeight);

  back_ = new QPushButton(FromUtf8(help_texts::kBack), this);
  forward_ = new QPushButton(FromUtf8(help_texts::kForward), this);
  auto* contents = new QPushButton(FromUtf8(help_texts::kContents), this);
  auto* find_label = new QLabel(FromUtf8(help_texts::kFindLabel), this);
  find_field_ = new QLineEdit(this);
  find_label->setBuddy(find_field_);
  auto* find_next = new QPushButton(FromUtf8(help_texts::kFindNext), this);
  find_status_ = new QLabel(this);
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(true);

  auto* bar = new QHBoxLayout;
  bar->addWidget(back_);
  bar->addWidget(forward_);
  bar->addWidget(contents);
  bar->addSpacing(12);
  bar->addWidget(find_label);
  bar->addWidget(find_field_, 1);
  bar->addWidget(find_next);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(find_status_);
  layout->addWidget(browser_, 1);

  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(contents, &QPushButton::clicked, this, [this] { browser_->setSource(EntryPage()); });
  connect(find_next, &QPushButton::clicked, this, &HelpWindow::FindFromField);
  connect(find_field_, &QLineEdit::returnPressed, this, &HelpWindow::FindFromField);
  connect(find_field_, &QLineEdit::textChanged, find_status_, &QLabel::clear);

  pages_ = QDir(QLatin1String(kManualFolder))
               .entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
  find_status_->hide();
  browser_->setSource(EntryPage());
}

QUrl HelpWindow::EntryPage() {
  return PageUrl(FromUtf8(kManualEntryPage));
}

void HelpWindow::Show(HelpRequest request) {
  if (request == HelpRequest::kSearch) {
    find_field_->setFocus();
    find_field_->selectAll();
  } else {
    if (browser_->source() != EntryPage()) browser_->setSource(EntryPage());
    browser_->setFocus();
  }
  show();
  raise();
  activateWindow();
}

bool HelpWindow::PageHolds(int index, const QString& text) const {
  QFile file(QStringLiteral("%1/%2").arg(QLatin1String(kManualFolder), pages_[index]));
  if (!file.open(QIODevice::ReadOnly)) return false;
  QTextDocument page;
  page.setHtml(QString::fromUtf8(file.readAll()));
  return !page.find(text).isNull();
}

bool HelpWindow::FindNext(const QString& text) {
  if (text.isEmpty()) return false;
  if (browser_->find(text)) return true;
  // Not after the selection on this page: the following pages, then this page from its start.
  const int current = static_cast<int>(pages_.indexOf(browser_->source().fileName()));
  const int count = static_cast<int>(pages_.size());
  for (int step = 1; step <= count; ++step) {
    const int index = ((current < 0 ? 0 : current) + step) % count;
    if (!PageHolds(index, text)) continue;
    if (index != current) browser_->setSource(PageUrl(pages_[index]));
    browser_->moveCursor(QTextCursor::Start);
    return browser_->find(text);
  }
  return false;
}

void HelpWindow::FindFromField() {
  const bool found = FindNext(find_field_->text());
  find_status_->setText(found ? QString() : FromUtf8(shell_messages::kTextNotFound));
  find_status_->setVisible(!found);
}

}  // namespace kem::gui
