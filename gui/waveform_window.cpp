#include "gui/waveform_window.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QVBoxLayout>
#include <utility>

#include "common/format.h"
#include "common/names.h"
#include "gui/message_boxes.h"
#include "shell/waveform_messages.h"

namespace kem::gui {

namespace {

FileDialogRequest VectorFileRequest(FileDialogRequest::Kind kind, const std::string& name) {
  FileDialogRequest request;
  request.kind = kind;
  request.title = kind == FileDialogRequest::Kind::kOpen ? waveform_messages::kLoadTitle
                                                         : waveform_messages::kSaveTitle;
  request.filters = {{waveform_messages::kVectorFilterLabel, waveform_messages::kVectorPattern}};
  request.default_extension = kVectorExtension;
  request.initial_name = name;
  return request;
}

}  // namespace

WaveformWindow::WaveformWindow(std::unique_ptr<WaveformModel> model, const QString& title,
                               std::string vector_file, FrameUi& ui)
    : model_(std::move(model)), vector_file_(std::move(vector_file)), ui_(ui) {
  setObjectName(QStringLiteral("Funktionssimulation"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(title);

  view_ = new WaveformView(*model_, this);
  scroll_ = new QScrollArea(this);
  scroll_->setWidget(view_);
  scroll_->setBackgroundRole(QPalette::Base);
  connect(view_, &WaveformView::inputToggled, this, &WaveformWindow::Changed);

  auto* buttons = new QHBoxLayout;
  auto add = [&](std::string_view text, auto slot) {
    auto* button = new QPushButton(FromUtf8(text), this);
    connect(button, &QPushButton::clicked, this, slot);
    buttons->addWidget(button);
  };
  add(waveform_messages::kClock, [this] { AddStep(true); });
  add(waveform_messages::kStep, [this] { AddStep(false); });
  add(waveform_messages::kLoad, [this] { Load(); });
  add(waveform_messages::kSave, [this] { Save(); });
  add(waveform_messages::kReset, [this] { Reset(); });
  buttons->addStretch();
  summary_ = new QLabel(this);
  buttons->addWidget(summary_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroll_);
  layout->addLayout(buttons);
  resize(640, WaveformView::kHeaderHeight +
                  WaveformView::kRowHeight * static_cast<int>(model_->rows().size()) + 90);
  Changed();
}

// The view draws from the model, which goes before the widgets a QWidget deletes last.
WaveformWindow::~WaveformWindow() {
  delete scroll_;
}

QPushButton* WaveformWindow::button(const QString& text) const {
  for (QPushButton* candidate : findChildren<QPushButton*>()) {
    if (candidate->text() == text) return candidate;
  }
  return nullptr;
}

void WaveformWindow::AddStep(bool clock) {
  model_->AddStep(clock);
  Changed();
  // The new step is the one to look at.
  scroll_->horizontalScrollBar()->setValue(scroll_->horizontalScrollBar()->maximum());
}

void WaveformWindow::Load() {
  const std::optional<std::string> name =
      ui_.AskFileName(VectorFileRequest(FileDialogRequest::Kind::kOpen, vector_file_));
  if (!name) return;
  std::string message;
  if (!model_->LoadFile(*name, message)) {
    ui_.ShowMessageBox(message, BoxKind::kFailure, BoxIcon::kError, BoxButtons::kOk);
    return;
  }
  vector_file_ = *name;
  Changed();
}

void WaveformWindow::Save() {
  const std::optional<std::string> name =
      ui_.AskFileName(VectorFileRequest(FileDialogRequest::Kind::kSave, vector_file_));
  if (!name) return;
  std::string message;
  if (!model_->SaveFile(*name, message)) {
    ui_.ShowMessageBox(message, BoxKind::kFailure, BoxIcon::kError, BoxButtons::kOk);
    return;
  }
  vector_file_ = *name;
}

void WaveformWindow::Reset() {
  model_->Reset();
  Changed();
}

void WaveformWindow::Changed() {
  view_->ModelChanged();
  const int mismatches = model_->MismatchCount();
  summary_->setText(FromUtf8(
      mismatches == 0 ? std::string(waveform_messages::kNoMismatches)
                      : FormatText(waveform_messages::kMismatches, {std::to_string(mismatches)})));
  QPalette palette = summary_->palette();
  palette.setColor(QPalette::WindowText, mismatches == 0 ? Qt::black : Qt::red);
  summary_->setPalette(palette);
}

}  // namespace kem::gui
