#pragma once
// The tool panel beside the preview ("工具菜单"): four arrow buttons that
// nudge the current item by one pixel (repeating while held), delete,
// undelete, centre horizontally and vertically, reorder, play and stop.
// It only reports what the user pressed.

#include <QGroupBox>

class QPushButton;

namespace tessaly::shell {

class TToolPanel : public QGroupBox {
  Q_OBJECT

 public:
  explicit TToolPanel(QWidget* parent = nullptr);

  // The enabled state of "删除" and "撤销删除".
  void SetCommandState(bool deleteEnabled, bool undeleteEnabled);

  QPushButton* PlayButton() const { return play_; }
  QPushButton* StopButton() const { return stop_; }

 signals:
  // One pixel: dx, dy each -1, 0 or 1.
  void NudgeRequested(int dx, int dy);
  void DeleteRequested();
  void UndeleteRequested();
  void CentreHorizontallyRequested();
  void CentreVerticallyRequested();
  void ReorderRequested();
  void PlayRequested();
  void StopRequested();

 private:
  QPushButton* AddButton(const char* caption);
  QPushButton* AddArrow(const QString& arrow, const char* name, int dx, int dy);

  QPushButton* delete_ = nullptr;
  QPushButton* undelete_ = nullptr;
  QPushButton* play_ = nullptr;
  QPushButton* stop_ = nullptr;
};

}  // namespace tessaly::shell
