#pragma once
// The animation tab ("动画"): the 31 effects, speed, loops, the two delays,
// the four layer boxes and play.

#include <QWidget>

#include "document/BannerDocument.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class QSlider;
class QSpinBox;

namespace tessaly::shell {

class TAnimationTab : public QWidget {
  Q_OBJECT

 public:
  explicit TAnimationTab(QWidget* parent = nullptr);

  // Shows the settings without reporting them.
  void ShowSettings(const document::TBannerSettings& settings);

  QListWidget* Effects() const { return effects_; }
  QSlider* Speed() const { return speed_; }
  QSpinBox* Loops() const { return loops_; }
  QSpinBox* FirstDelay() const { return firstDelay_; }
  QSpinBox* LastDelay() const { return lastDelay_; }
  QCheckBox* LayerBox(int layer) const { return layers_[layer]; }

 signals:
  void EffectChosen(int effect);
  void SpeedChanged(int speed);
  void LoopsChanged(int loops);
  void DelaysChanged(int first, int last);
  // Background, shapes, pictures, text.
  void LayersChanged(bool background, bool shapes, bool images, bool text);
  void PlayClicked();

 private:
  void ReportLayers();

  QListWidget* effects_;
  QSlider* speed_;
  QSpinBox* loops_;
  QSpinBox* firstDelay_;
  QSpinBox* lastDelay_;
  QCheckBox* layers_[4];
  QPushButton* play_;
};

}  // namespace tessaly::shell
