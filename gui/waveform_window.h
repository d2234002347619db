// The function simulation window: the traces of the last fitted design with the buttons that add
// steps, load and save the vector file and start afresh. The model decides everything; dialogs and
// message boxes go through the main window's, so they look like every other.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QWidget>
#include <memory>
#include <string>

#include "gui/waveform_view.h"
#include "shell/frame_ui.h"
#include "shell/waveform_model.h"

namespace kem::gui {

class WaveformWindow : public QWidget {
  Q_OBJECT

 public:
  // `vector_file` is the name the file dialogs offer first.
  WaveformWindow(std::unique_ptr<WaveformModel> model, const QString& title,
                 std::string vector_file, FrameUi& ui);
  ~WaveformWindow() override;

  const WaveformModel& model() const { return *model_; }
  WaveformView* view() const { return view_; }
  // The button labelled `text`, or none.
  QPushButton* button(const QString& text) const;
  QLabel* summary() const { return summary_; }

 private:
  void AddStep(bool clock);
  void Load();
  void Save();
  void Reset();
  void Changed();

  std::unique_ptr<WaveformModel> model_;
  std::string vector_file_;
  FrameUi& ui_;
  WaveformView* view_;
  QScrollArea* scroll_;
  QLabel* summary_;
};

}  // namespace kem::gui
