#include "gui/dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "gui/message_boxes.h"
#include "shell/menu_table.h"
#include "shell/shell_messages.h"
#include "synthesis/levels.h"

namespace kem::gui {

namespace {

constexpr int kOkId = 1;
constexpr int kCancelId = 2;
// Room for the icon and the buttons a window frame puts beside the caption.
constexpr int kTitleBarButtonsWidth = 160;

QDialogButtonBox* OkAndAbort(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* ok =
      buttons->addButton(FromUtf8(shell_messages::kButtonOk), QDialogButtonBox::AcceptRole);
  QPushButton* abort =
      buttons->addButton(FromUtf8(shell_messages::kButtonAbort), QDialogButtonBox::RejectRole);
  ok->setObjectName(QString::number(kOkId));
  abort->setObjectName(QString::number(kCancelId));
  ok->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

GoToLineDialog::GoToLineDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(FromUtf8(window_names::kGoToLineDialog));
  setWindowTitle(FromUtf8(shell_messages::kGoToLineCaption));
  field_ = new QLineEdit(this);
  field_->setObjectName(QString::number(window_names::kLineNumberField));
  field_->setMaxLength(window_names::kLineNumberMaxLength);
  field_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field_));
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(FromUtf8(shell_messages::kGoToLineLabel), this));
  row->addWidget(field_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(OkAndAbort(this));
  field_->setFocus();
  // The frame's title bar holds the caption, often in bold, beside its buttons; a dialog as
  // narrow as its field would cut the caption short.
  QFont title_font = font();
  title_font.setBold(true);
  const int title_width = QFontMetrics(title_font).horizontalAdvance(windowTitle());
  setMinimumWidth(std::max(sizeHint().width(), title_width + kTitleBarButtonsWidth));
}

MinLevelDialog::MinLevelDialog(QWidget* parent, int checked_id, std::function<void(int)> clicked)
    : QDialog(parent) {
  setObjectName(FromUtf8(window_names::kMinLevelDialog));
  auto* group = new QGroupBox(FromUtf8(shell_messages::kMinLevelGroup), this);
  auto* group_layout = new QVBoxLayout(group);
  static_assert(std::size(shell_messages::kMinLevelButtons) == kMinimizationLevels.size(),
                "one button per level");
  for (const MinimizationLevel& level : kMinimizationLevels) {
    const int id = window_names::kNoMinimizationButton + level.level;
    auto* button = new QRadioButton(
        FromUtf8(shell_messages::kMinLevelButtons[static_cast<std::size_t>(level.level)]), group);
    button->setObjectName(QString::number(id));
    group_layout->addWidget(button);
    if (id == checked_id) {
      button->setChecked(true);
      button->setFocus();
    }
    connect(button, &QRadioButton::clicked, this, [clicked, id] { clicked(id); });
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(FromUtf8(shell_messages::kMinLevelLabel), this));
  layout->addWidget(group);
  layout->addWidget(OkAndAbort(this));
}

FindDialog::FindDialog(QWidget* parent, bool replace, const QString& find_text,
                       const QString& replace_text, Sink sink)
    : QDialog(parent), sink_(std::move(sink)) {
  setObjectName(QStringLiteral("find"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(
      FromUtf8(replace ? shell_messages::kReplaceCaption : shell_messages::kFindCaption));
  auto* fields = new QFormLayout;
  find_ = new QLineEdit(find_text, this);
  find_->setObjectName(QStringLiteral("findText"));
  find_->setMaxLength(static_cast<int>(shell_messages::kSearchTextCapacity));
  fields->addRow(FromUtf8(shell_messages::kFindLabel), find_);
  if (replace) {
    replace_ = new QLineEdit(replace_text, this);
    replace_->setObjectName(QStringLiteral("replaceText"));
    replace_->setMaxLength(static_cast<int>(shell_messages::kSearchTextCapacity));
    fields->addRow(FromUtf8(shell_messages::kReplaceLabel), replace_);
  }
  auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
  auto add = [&](std::string_view text, const char* name, auto flag) {
    QPushButton* button = buttons->addButton(FromUtf8(text), QDialogButtonBox::ActionRole);
    button->setObjectName(QLatin1String(name));
    connect(button, &QPushButton::clicked, this, [this, flag] {
      FindRequest request;
      request.*flag = true;
      Send(std::move(request));
    });
    return button;
  };
  add(shell_messages::kFindNextButton, "findNext", &FindRequest::find_next)->setDefault(true);
  if (replace) {
    add(shell_messages::kReplaceButton, "replaceOne", &FindRequest::replace);
    add(shell_messages::kReplaceAllButton, "replaceAll", &FindRequest::replace_all);
  }
  buttons->addButton(FromUtf8(shell_messages::kButtonCancel), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("close"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(buttons);
  find_->setFocus();
}

void FindDialog::done(int result) {
  FindRequest closing;
  closing.closing = true;
  Send(std::move(closing));
  QDialog::done(result);
}

void FindDialog::Send(FindRequest request) {
  request.find_text = find_->text().toStdString();
  if (replace_) request.replace_text = replace_->text().toStdString();
  sink_(request);
}

}  // namespace kem::gui
